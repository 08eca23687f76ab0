#include "common/win32/message_pump.h"

namespace ow {

namespace {

// The wake mask of the Windows the messenger runs on. Windows 8.1 and later
// report 6.2 to a program without a manifest saying otherwise: still new
// enough for the mask of 6.2.
DWORD WakeMaskOfThisWindows() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return MessageWakeMask(5, 1);  // the oldest Windows the plug-in runs on
    return MessageWakeMask(version.dwMajorVersion, version.dwMinorVersion);
}

class ThreadMessageWait final : public MessageWaitPort {
public:
    explicit ThreadMessageWait(HANDLE event) : event_(event), mask_(WakeMaskOfThisWindows()) {}

    WakeReason Wait(std::uint32_t timeoutMs) override {
        // MWMO_INPUTAVAILABLE: wake for messages already queued too, not only for new ones.
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &event_, timeoutMs, mask_, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return WakeReason::Signalled;
        if (woken == WAIT_OBJECT_0 + 1) return WakeReason::Input;
        if (woken == WAIT_TIMEOUT) return WakeReason::TimedOut;
        return WakeReason::Failed;
    }
    std::uint32_t Now() override { return GetTickCount(); }
    bool DispatchPending() override { return PumpPendingMessages(); }

private:
    HANDLE event_;
    DWORD mask_;
};

}  // namespace

bool PumpPendingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

WaitOutcome WaitDispatchingMessages(HANDLE event, const std::function<bool()>& ready, DWORD deadline) {
    ThreadMessageWait wait(event);
    return WaitWhileDispatching(wait, ready, deadline);
}

}  // namespace ow
