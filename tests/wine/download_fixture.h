#pragma once
// End-to-end tests that download: the plug-in in the host emulator, pointed
// at the sample weather server the runner started for the test program.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "download_server.h"
#include "wine_fixture.h"

namespace wine_tests {

// Runs functions from messages posted to, or timers set on, a window of the
// test: they run inside whichever message loop dispatches them next, e.g.
// the plug-in's own loop in the middle of a download.
class NestedCaller {
public:
    NestedCaller();
    ~NestedCaller();
    NestedCaller(const NestedCaller&) = delete;
    NestedCaller& operator=(const NestedCaller&) = delete;

    void Post(std::function<void()> action);
    // Once, from a WM_TIMER `milliseconds` from now.
    void After(UINT milliseconds, std::function<void()> action);
    // Forgets every action not run yet (they may refer to a test's locals).
    void CancelAll();
    HWND window() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    UINT_PTR Store(std::function<void()> action);
    HWND window_ = nullptr;
    std::vector<std::function<void()>> actions_;
};

// The ticker pass of a line of n characters from rest, as the status bar
// shows it after each step: six steps hold the whole line, step k
// (7 <= k <= n+4) drops the first k-6 characters, step n+5 shows the whole
// line again and ends the pass.
std::vector<std::string> ExpectedPass(const std::string& prefix, const std::string& line);

// One WM_TIMER of the plug-in's form and what the bar showed right after it.
struct TimerStep {
    UINT_PTR id;
    std::string shown;
    DWORD at;
};

class DownloadTest : public PluginTest {
protected:
    void SetUp() override;
    // Leaves the server as the next test expects it: normal, no credentials.
    void TearDown() override;

    SampleServerControl& server() { return *server_; }

    Settings BaseSettings() const { return ProxySettings(server_->port()); }
    // BaseSettings with the ticker and the re-display on: timers that must
    // stop at finalisation.
    Settings TickingSettings() const;
    // PE_FINALIZE's reply, whatever state it finds.
    static std::string FinalizeReply();
    void WriteSettings(const Settings& settings);
    // Writes the settings, starts the emulator and initialises the plug-in.
    host::HostEmulator& StartWith(const Settings& settings);

    // The shipped town list's code and name of the town at `index` (0
    // Gismeteo, 1 WU, 2 Open-Meteo).
    static std::string TownCode(int source, int index);
    static std::string TownName(int source, int index);
    // The document's address: the source's host and path with the town code.
    static std::string DocumentUrl(int source, const std::string& code);
    // What the status bar must show for the server's document of this town:
    // "ПОГОДА: " and the extraction's line, fetched here with plain WinInet
    // (`townName` for the sources whose line names the town).
    std::string ExpectedStatus(int source, const std::string& code, const std::string& townName = {});
    static std::string Status(const wchar_t* text) { return Cp1251(L"ПОГОДА: ") + Cp1251(text); }

    // The request that plain WinInet sends for `url` through the server as
    // proxy (or directly), as the server recorded it (the record is cleared
    // before).
    std::optional<RecordedRequest> BareRequest(const std::string& url, bool direct = false);

    // The texts written into `section`, in order, from write `from` on.
    std::vector<std::string> StatusWrites(int section, std::size_t from = 0);
    std::size_t StatusWriteCount() { return emu().window().statusWrites().size(); }
    // WM_TIMER messages with this id that the emulator's loop dispatched to `window`.
    int TimerTicks(HWND window, UINT_PTR id);
    // Pumps until a WM_TIMER with this id reached `window` in the emulator's loop.
    bool PumpUntilTick(HWND window, UINT_PTR id, DWORD milliseconds);

    // From now on, every WM_TIMER the emulator's loop dispatches to `window`
    // is recorded with what `section` of the bar shows after it.
    void RecordSteps(HWND window, int section = 2);
    std::vector<TimerStep> Steps(UINT_PTR id) const;

    // Runs `action` from the host's loop once the server holds the download's
    // request, and `delayMs` later, so that the download waits by then.
    void WhenTheServerHolds(std::function<void()> action, UINT delayMs = 300);
    // Clicks the icon; once the server holds the download, the messenger
    // finalises the plug-in from a message it handles meanwhile. Expects the
    // usual reply and the switched-off status; gives the count of status
    // writes at the finalisation, none when it never ran.
    std::optional<std::size_t> FinalizeDuringTheRefresh(host::HostEmulator& e);
    // Runs `action` (a click, say); gives the ticks of a 50 ms timer of the
    // host's own that fell while it ran. A loop held for a server's seconds
    // sees one at most: WM_TIMER does not pile up.
    int CountingHostTicks(const std::function<void()>& action);
    int ClickCountingHostTicks(host::HostEmulator& e) {
        return CountingHostTicks([&e] { e.ClickIcon(0); });
    }

    NestedCaller caller_;

private:
    std::function<void()> poll_;
    std::optional<SampleServerControl> server_;
    std::vector<TimerStep> steps_;
};

}  // namespace wine_tests
