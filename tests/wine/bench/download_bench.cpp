// Download benchmarks under Wine, against the sample weather server whose
// port is in OW_SERVER_PORT (tools/scripts/bench_wine.sh starts it):
//  1. a 64 MiB document over loopback: the plug-in's download (an icon click:
//     fetch, classification, extraction, status bar) against a bare WinInet
//     read loop over the same body, and the process's peak memory growth;
//  2. the server keeping the download waiting (a trickle, a late answer, a
//     pause in the body, a connection held and closed unanswered) or sending
//     a huge body (64 MiB, read and searched; one past 64 MiB, given up):
//     the longest stall of the host emulator's message loop meanwhile;
//  3. the time from a PE_FINALIZE that arrives during such a wait to its reply;
//  4. Open-Meteo over HTTPS through the proxy's tunnel: a refresh against a
//     bare WinInet GET of the same document, and the host's loop while the
//     server is slow to complete the TLS handshake;
//  5. the place search over the same tunnel: a search in the preferences
//     against a bare WinInet GET of the same answer, and the host's loop
//     while the answer is late.
// Prints figures and the goals; the exit status says only whether it ran.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "download_server.h"
#include "host_emulator.h"
#include "place_search_hand.h"
#include "prefs/win32/place_search_window.h"
#include "test_authority.h"
#include "weather/core/place_search_request.h"
#include "weather/core/weather_sources.h"
#include "wine_fixture.h"

namespace {

using wine_bench::Now;
using wine_bench::Seconds;
using wine_tests::SampleServerControl;

constexpr int kLargeMiB = 64;
constexpr int kRounds = 5;
constexpr UINT kProbeIntervalMs = 10;
constexpr UINT kRunClick = WM_APP + 1;

struct PeakMemory {
    SIZE_T workingSet = 0;
    SIZE_T pagefile = 0;  // committed private bytes
};

PeakMemory Peaks() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return {counters.PeakWorkingSetSize, counters.PeakPagefileUsage};
}

double MiB(SIZE_T bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

// A window of the host whose 10 ms timer shows when the thread's message
// loop (the emulator's, or the plug-in's inside a download) runs, and which
// clicks the plug-in's icon from a posted message, as the messenger does.
class LoopProbe {
public:
    explicit LoopProbe(host::HostEmulator& emu) : emu_(emu) {
        WNDCLASSEXA wc = {};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &LoopProbe::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "OwBenchLoopProbe";
        RegisterClassExA(&wc);
        window_ = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~LoopProbe() { DestroyWindow(window_); }

    // Posts the click, pumps the emulator's loop until the click has
    // returned, and gives the longest gap between timer messages while the
    // click ran, in seconds.
    double LongestStallDuringClick(double* clickSeconds, std::size_t* ticks) {
        return LongestStallDuring([this] { emu_.ClickIcon(0); }, clickSeconds, ticks);
    }
    // The same for another user's action than the click.
    double LongestStallDuring(std::function<void()> action, double* clickSeconds, std::size_t* ticks) {
        action_ = std::move(action);
        arrivals_.clear();
        clickDone_ = false;
        SetTimer(window_, 1, kProbeIntervalMs, nullptr);
        emu_.Pump(200);  // the timer settles
        PostMessageA(window_, kRunClick, 0, 0);
        emu_.PumpUntil([this] { return clickDone_; }, 600000);
        KillTimer(window_, 1);
        *clickSeconds = Seconds(clickStart_, clickEnd_);
        double longest = 0;
        LARGE_INTEGER previous = clickStart_;
        std::size_t during = 0;
        for (const LARGE_INTEGER& t : arrivals_) {
            if (t.QuadPart < clickStart_.QuadPart || t.QuadPart > clickEnd_.QuadPart) continue;
            longest = std::max(longest, Seconds(previous, t));
            previous = t;
            ++during;
        }
        longest = std::max(longest, Seconds(previous, clickEnd_));
        *ticks = during;
        return longest;
    }

    // The next click's download is interrupted `afterMs` into it by a
    // PE_FINALIZE, whose duration goes to *seconds.
    void FinalizeDuringClick(UINT afterMs, double* seconds) {
        finalizeAfterMs_ = afterMs;
        finalizeSeconds_ = seconds;
    }

    // The same measure over an idle stretch of the emulator's loop.
    double LongestStallIdle(DWORD milliseconds) {
        arrivals_.clear();
        SetTimer(window_, 1, kProbeIntervalMs, nullptr);
        emu_.Pump(200);
        arrivals_.clear();
        const LARGE_INTEGER start = Now();
        emu_.Pump(milliseconds);
        const LARGE_INTEGER end = Now();
        KillTimer(window_, 1);
        double longest = 0;
        LARGE_INTEGER previous = start;
        for (const LARGE_INTEGER& t : arrivals_) {
            longest = std::max(longest, Seconds(previous, t));
            previous = t;
        }
        return std::max(longest, Seconds(previous, end));
    }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
        auto* self = reinterpret_cast<LoopProbe*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (self != nullptr && msg == WM_TIMER && wp == kFinalizeTimer) {
            KillTimer(hwnd, kFinalizeTimer);
            const LARGE_INTEGER start = Now();
            self->emu_.Finalize();
            *self->finalizeSeconds_ = Seconds(start, Now());
            return 0;
        }
        if (self != nullptr && msg == WM_TIMER) {
            self->arrivals_.push_back(Now());
            return 0;
        }
        if (self != nullptr && msg == kRunClick) {
            if (self->finalizeSeconds_ != nullptr) SetTimer(hwnd, kFinalizeTimer, self->finalizeAfterMs_, nullptr);
            self->clickStart_ = Now();
            self->action_();
            self->clickEnd_ = Now();
            self->clickDone_ = true;
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }

    host::HostEmulator& emu_;
    HWND window_ = nullptr;
    std::function<void()> action_;
    std::vector<LARGE_INTEGER> arrivals_;
    LARGE_INTEGER clickStart_{}, clickEnd_{};
    bool clickDone_ = false;
    static constexpr UINT_PTR kFinalizeTimer = 2;
    UINT finalizeAfterMs_ = 0;
    double* finalizeSeconds_ = nullptr;
};

// "ПОГОДА: " and a line that is neither failure text.
bool ShowsAWeatherLine(host::HostEmulator& emu, std::size_t* length) {
    const auto shown = wine_bench::ShownWeatherLineLength(emu, 2);
    *length = shown.value_or(0);
    return shown.has_value();
}

int LargeBody(host::HostEmulator& emu, const SampleServerControl& server) {
    std::printf("1. %d MiB document over loopback, through the sample server as proxy\n", kLargeMiB);
    if (!server.SetMode("name=large&size_mb=" + std::to_string(kLargeMiB))) return 1;
    const std::string url = "http://informer.gismeteo.ru/text/30710-2.JS";
    const double body = kLargeMiB * 1024.0 * 1024.0;

    // Interleaved rounds, so that the machine's other load falls on both alike.
    const PeakMemory beforeBare = Peaks();
    PeakMemory afterBare, afterPlugin;
    std::vector<double> bare, plugin;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER t0 = Now();
        const auto bytes = wine_tests::BareWinInetGet(server.ProxyText(), url, nullptr);
        bare.push_back(Seconds(t0, Now()));
        if (!bytes || static_cast<double>(*bytes) != body) {
            std::printf("   the bare loop read %llu bytes\n", bytes ? static_cast<unsigned long long>(*bytes) : 0ULL);
            return 1;
        }
        if (round == 0) afterBare = Peaks();
        // Every round from the same bar: the last round's line out of it.
        emu.window().SetStatusText(2, "");
        emu.Pump(50);
        t0 = Now();
        emu.ClickIcon(0);
        plugin.push_back(Seconds(t0, Now()));
        // Measured before the bar is read back, which copies the line once more.
        if (round == 0) afterPlugin = Peaks();
        std::size_t length = 0;
        if (!ShowsAWeatherLine(emu, &length)) {
            std::printf("   the plug-in showed no weather line\n");
            return 1;
        }
        std::printf("   round %d: bare WinInet loop %.3f s, plug-in %.3f s (its line: %zu characters)\n", round + 1,
                    bare.back(), plugin.back(), length);
        std::fflush(stdout);
    }
    std::sort(bare.begin(), bare.end());
    std::sort(plugin.begin(), plugin.end());
    const double ratio = plugin[0] / bare[0];
    std::printf("   best of %d: bare %.3f s (%.0f MiB/s), plug-in %.3f s (%.0f MiB/s); medians %.3f s and %.3f s\n",
                kRounds, bare[0], kLargeMiB / bare[0], plugin[0], kLargeMiB / plugin[0], bare[kRounds / 2],
                plugin[kRounds / 2]);
    std::printf("   plug-in / bare = %.2f (goal <= 1.5)  %s\n", ratio, ratio <= 1.5 ? "met" : "MISSED");

    const double bareGrowth = MiB(std::max(afterBare.pagefile - beforeBare.pagefile,
                                           afterBare.workingSet - beforeBare.workingSet));
    // From before the bare loops: whatever WinInet itself keeps counts too.
    const double wsGrowth = MiB(afterPlugin.workingSet - beforeBare.workingSet);
    const double privateGrowth = MiB(afterPlugin.pagefile - beforeBare.pagefile);
    const double growth = std::max(wsGrowth, privateGrowth) / kLargeMiB;
    std::printf("   peak memory before: working set %.1f MiB, private %.1f MiB\n", MiB(beforeBare.workingSet),
                MiB(beforeBare.pagefile));
    std::printf("   peak growth of the bare loops: %.1f MiB\n", bareGrowth);
    std::printf("   peak growth of the plug-in: working set %.1f MiB, private %.1f MiB\n", wsGrowth, privateGrowth);
    std::printf("   = %.2f x the body (goal <= 3)  %s\n", growth, growth <= 3.0 ? "met" : "MISSED");
    return 0;
}

// How the server keeps the download waiting, with the wait.
struct Wait {
    const char* name;
    const char* mode;
};
constexpr Wait kWaits[] = {
    {"trickle, one byte every 20 ms", "name=trickle&interval_ms=20"},
    {"late answer, headers after 2 s", "name=slow-start&interval_ms=2000"},
    {"pause of 2 s in the middle of the body", "name=pause-mid-body&interval_ms=2000"},
    {"held for 2 s, then closed unanswered", "name=hold-close&interval_ms=2000"},
    // The largest document read, then searched for its line at the end.
    {"a document of 64 MiB", "name=large&size_mb=64"},
    // Past the largest, and the rest held back: closing the download waits for it.
    {"130 MiB, 10 s pause after 65 MiB (ends at 64 MiB)", "name=large&size_mb=130&interval_ms=10000"},
};

int WaitingServer(host::HostEmulator& emu, const SampleServerControl& server) {
    std::printf("2. the host's loop while the server keeps the download waiting\n");
    LoopProbe probe(emu);
    const double idle = probe.LongestStallIdle(2000);
    std::printf("   idle loop: longest stall %.0f ms\n", idle * 1000);
    for (const Wait& wait : kWaits) {
        if (!server.SetMode(wait.mode)) return 1;
        double clickSeconds = 0;
        std::size_t ticks = 0;
        const double stall = probe.LongestStallDuringClick(&clickSeconds, &ticks);
        std::size_t length = 0;
        const bool shown = ShowsAWeatherLine(emu, &length);
        std::printf("   %s: download %.1f s, %zu ticks of the %u ms timer, longest stall %.0f ms (idle %.0f ms) "
                    "(goal < 250 ms)  %s%s\n",
                    wait.name, clickSeconds, ticks, kProbeIntervalMs, stall * 1000, idle * 1000,
                    stall < 0.25 ? "met" : "MISSED", shown ? "" : "; no weather line shown");
        std::fflush(stdout);
    }
    return 0;
}

// The plug-in over `settings` in a fresh host emulator, switched on; its
// status writes are not recorded (no copies of the line in the figures).
template <class Run>
int WithPlugin(const wine_tests::Settings& settings, Run run) {
    if (!wine_bench::PreparePluginsFolder(&settings)) {
        std::printf("cannot prepare %s\n", wine_tests::PluginsDir().c_str());
        return 2;
    }
    host::HostEmulator emu;
    if (!emu.plugin().loaded() || !emu.Initialize()) {
        std::printf("the plug-in did not load or initialise\n");
        return 2;
    }
    emu.window().RecordStatusWrites(false);
    return run(emu);
}

// Rounds of a bare WinInet GET of `url` against `pluginRound` (the plug-in
// doing the same, `what` it is called; false when it failed), interleaved so
// that the machine's other load falls on both alike; the medians printed,
// and the ratio against `goal` unless it is 0.
bool AgainstBareGets(const SampleServerControl& server, const std::string& url, const char* what, double goal,
                     const std::function<bool()>& pluginRound) {
    constexpr int kGets = 20;
    std::vector<double> bare, plugin;
    for (int round = 0; round < kGets; ++round) {
        LARGE_INTEGER t0 = Now();
        const auto bytes = wine_tests::BareWinInetGet(server.ProxyText(), url, nullptr);
        bare.push_back(Seconds(t0, Now()));
        if (!bytes || *bytes == 0) {
            std::printf("   the bare GET failed\n");
            return false;
        }
        t0 = Now();
        const bool done = pluginRound();
        plugin.push_back(Seconds(t0, Now()));
        if (!done) return false;
    }
    std::sort(bare.begin(), bare.end());
    std::sort(plugin.begin(), plugin.end());
    const double ratio = plugin[kGets / 2] / bare[kGets / 2];
    std::printf("   %d rounds: medians bare HTTPS GET %.1f ms, plug-in %s %.1f ms; plug-in / bare = %.2f", kGets,
                bare[kGets / 2] * 1000, what, plugin[kGets / 2] * 1000, ratio);
    if (goal > 0) std::printf(" (goal <= %.1f)  %s", goal, ratio <= goal ? "met" : "MISSED");
    std::printf("\n");
    return true;
}

// A refresh against a bare WinInet GET of `url`, then the host's loop while
// the server is slow to complete the TLS handshake.
int SecureRefreshes(host::HostEmulator& emu, const SampleServerControl& server, const std::string& url) {
    const bool compared = AgainstBareGets(server, url, "refresh", 1.5, [&emu] {
        emu.ClickIcon(0);
        std::size_t length = 0;
        if (ShowsAWeatherLine(emu, &length)) return true;
        std::printf("   the plug-in showed no weather line\n");
        return false;
    });
    if (!compared) return 1;

    if (!server.SetMode("name=slow-handshake&interval_ms=2000")) return 1;
    // WinInet keeps the tunnel of the rounds above for the next request; the
    // server closes it once it has been idle for its keep-alive time.
    emu.Pump(6000);
    LoopProbe probe(emu);
    double clickSeconds = 0;
    std::size_t ticks = 0;
    const double stall = probe.LongestStallDuringClick(&clickSeconds, &ticks);
    std::printf("   handshake completed after 2 s: download %.1f s, %zu ticks of the %u ms timer, longest stall %.0f ms "
                "(goal < 250 ms)  %s\n",
                clickSeconds, ticks, kProbeIntervalMs, stall * 1000, stall < 0.25 ? "met" : "MISSED");
    server.SetMode("name=normal");
    emu.Finalize();
    return 0;
}

// The sample server's HTTPS stands on the tests' own authority (OW_TLS_DIR).
bool TrustsTheTestAuthority() {
    const std::string authority = host::TestAuthorityFromEnvironment();
    return !authority.empty() && host::TrustTestAuthority(authority);
}

constexpr int kOpenMeteo = 2;
constexpr int kMoscow = 1;  // its line in the town list

int SecureSource(const wine_tests::Settings& proxySettings, const SampleServerControl& server) {
    std::printf("4. Open-Meteo over HTTPS, through the sample server's tunnel\n");
    if (!TrustsTheTestAuthority()) {
        std::printf("   no test authority (OW_TLS_DIR): skipped\n");
        return 0;
    }
    wine_tests::Settings settings = proxySettings;
    settings["resource"] = std::to_string(kOpenMeteo);
    settings["city"] = std::to_string(kMoscow);
    if (!server.SetMode("name=normal")) return 1;
    const std::string url = ow::TheWeatherSources()[kOpenMeteo]
                                .url(wine_tests::ShippedTown(kOpenMeteo, kMoscow).Code)
                                .value_or(std::string());
    return WithPlugin(settings, [&](host::HostEmulator& emu) { return SecureRefreshes(emu, server, url); });
}

int PlaceSearches(host::HostEmulator& emu, const SampleServerControl& server) {
    emu.Preferences();
    HWND window = host::OpenPlaceSearch(emu);
    if (window == nullptr) {
        std::printf("   the search window did not open\n");
        return 1;
    }
    HWND list = GetDlgItem(window, ow::place_search_id::kList);
    const auto search = [window] { SendMessageA(GetDlgItem(window, ow::place_search_id::kSearch), BM_CLICK, 0, 0); };
    SetWindowTextA(GetDlgItem(window, ow::place_search_id::kNameBox), "Paris");
    const std::string url = ow::BuildPlaceSearchUrl("Paris");

    // No goal: the search also fills the window's list and status line.
    const bool compared = AgainstBareGets(server, url, "search (and its window)", 0, [&] {
        SendMessageA(list, LB_RESETCONTENT, 0, 0);
        search();
        if (SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) return true;
        std::printf("   the search listed no place\n");
        return false;
    });
    if (!compared) return 1;

    if (!server.SetMode("name=slow-start&interval_ms=2000")) return 1;
    LoopProbe probe(emu);
    double searchSeconds = 0;
    std::size_t ticks = 0;
    const double stall = probe.LongestStallDuring(search, &searchSeconds, &ticks);
    std::printf("   answer after 2 s: search %.1f s, %zu ticks of the %u ms timer, longest stall %.0f ms "
                "(goal < 250 ms)  %s\n",
                searchSeconds, ticks, kProbeIntervalMs, stall * 1000, stall < 0.25 ? "met" : "MISSED");
    server.SetMode("name=normal");
    emu.Finalize();
    return 0;
}

int PlaceSearch(const wine_tests::Settings& proxySettings, const SampleServerControl& server) {
    std::printf("5. the place search over HTTPS, through the sample server's tunnel\n");
    if (!TrustsTheTestAuthority()) {
        std::printf("   no test authority (OW_TLS_DIR): skipped\n");
        return 0;
    }
    wine_tests::Settings settings = proxySettings;
    settings["resource"] = std::to_string(kOpenMeteo);
    if (!server.SetMode("name=normal")) return 1;
    return WithPlugin(settings, [&](host::HostEmulator& emu) { return PlaceSearches(emu, server); });
}

// Last: the finalised plug-in's worker still waits when the program ends.
int FinalizeDuringAWait(host::HostEmulator& emu, const SampleServerControl& server) {
    std::printf("3. PE_FINALIZE while the download waits for a server that answers after 10 minutes\n");
    if (!server.SetMode("name=slow-start&interval_ms=600000")) return 1;
    LoopProbe probe(emu);
    double finalizeSeconds = -1;
    double clickSeconds = 0;
    probe.FinalizeDuringClick(500, &finalizeSeconds);
    std::size_t ticks = 0;
    probe.LongestStallDuringClick(&clickSeconds, &ticks);
    if (finalizeSeconds < 0) {
        std::printf("   the finalisation did not run during the download\n");
        return 1;
    }
    std::printf("   PE_FINALIZE to its reply: %.1f ms; the click returned %.0f ms after it started\n",
                finalizeSeconds * 1000, clickSeconds * 1000);
    return 0;
}

}  // namespace

int main() {
    const auto port = SampleServerControl::PortFromEnvironment();
    if (!port) {
        std::printf("OW_SERVER_PORT is not set: run through tools/scripts/bench_wine.sh\n");
        return 2;
    }
    SampleServerControl server(*port);
    if (!server.Control("ping")) {
        std::printf("the sample server on port %d does not answer\n", *port);
        return 2;
    }
    // The plug-in's log goes to the current directory: a scratch one.
    wine_bench::EnterScratchDirectory("download");
    const wine_tests::Settings settings = wine_tests::ProxySettings(*port);

    int status = 0;
    status |= WithPlugin(settings, [&](host::HostEmulator& emu) { return LargeBody(emu, server) | WaitingServer(emu, server); });
    status |= SecureSource(settings, server);
    status |= PlaceSearch(settings, server);
    status |= WithPlugin(settings, [&](host::HostEmulator& emu) { return FinalizeDuringAWait(emu, server); });
    server.SetMode("name=normal");
    std::fflush(stdout);
    return status;
}
