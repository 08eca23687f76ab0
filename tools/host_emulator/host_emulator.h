#pragma once
// The Ostix messenger stand-in: its window, its side of the contract and the
// loaded plug-in, with the calls a test or a person makes.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "emulator_window.h"
#include "host_contract.h"
#include "plugin_library.h"

namespace host {

struct SeenTimer {
    HWND window;
    UINT_PTR id;
};

class HostEmulator {
public:
    explicit HostEmulator(WindowLayout layout = {}, const char* pluginFile = "ostixWeather.dll");
    ~HostEmulator();

    HostContract contract;
    EmulatorWindow& window() { return *window_; }
    PluginLibrary& plugin() { return *plugin_; }

    std::optional<std::string> Initialize();
    std::optional<std::string> Preferences();
    std::optional<std::string> Finalize();
    void ClickIcon(int button);  // through EAX, like the messenger

    // A bounded run of the plain GetMessage/Translate/Dispatch loop (no
    // dialog handling), remembering every WM_TIMER it dispatched.
    void Pump(DWORD milliseconds);
    // Pumps until `done` holds or the time runs out; true when it held.
    template <class Pred>
    bool PumpUntil(Pred done, DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start >= milliseconds) return false;
            Pump(10);
        }
        return true;
    }
    // The unbounded loop of the workbench; returns at WM_QUIT.
    int RunMessageLoop();

    std::vector<SeenTimer> timers;
    // Called after every message that Pump or RunMessageLoop dispatched.
    std::function<void(const MSG&)> afterDispatch;

private:
    std::unique_ptr<EmulatorWindow> window_;
    std::unique_ptr<PluginLibrary> plugin_;
};

// The current directory's path, and a fresh empty folder under the temp dir.
std::string ExecutableDirectory();

}  // namespace host
