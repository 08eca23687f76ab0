#include "host_emulator.h"

namespace host {

HostEmulator::HostEmulator(WindowLayout layout, const char* pluginFile) {
    HostContract::current = &contract;
    window_ = std::make_unique<EmulatorWindow>(GetModuleHandleA(nullptr), contract, layout);
    plugin_ = std::make_unique<PluginLibrary>(pluginFile);
}

HostEmulator::~HostEmulator() {
    plugin_.reset();
    window_.reset();
    Pump(0);
    if (HostContract::current == &contract) HostContract::current = nullptr;
}

std::optional<std::string> HostEmulator::Initialize() {
    return plugin_->SendEvent(1, static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(&HostContract::HostCall)));
}

std::optional<std::string> HostEmulator::Preferences() { return plugin_->SendEvent(3); }

std::optional<std::string> HostEmulator::Finalize() { return plugin_->SendEvent(2); }

void HostEmulator::ClickIcon(int button) {
    if (contract.icons().empty()) return;
    CallWithEax(contract.icons().back().callback, button, button == 0 ? 2 : 0);
}

void HostEmulator::Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_TIMER) timers.push_back({msg.hwnd, msg.wParam});
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
            if (afterDispatch) afterDispatch(msg);
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

int HostEmulator::RunMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) timers.push_back({msg.hwnd, msg.wParam});
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (afterDispatch) afterDispatch(msg);
    }
    return static_cast<int>(msg.wParam);
}

std::string ExecutableDirectory() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    const auto slash = dir.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : dir.substr(0, slash);
}

}  // namespace host
