#include "common/win32/message_pump.h"

namespace ow {

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

WaitOutcome WaitDispatchingMessages(HANDLE event, const std::function<bool()>& giveUp) {
    for (;;) {
        // MWMO_INPUTAVAILABLE: wake for messages already queued too, not only for new ones.
        const DWORD woken = MsgWaitForMultipleObjectsEx(1, &event, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (woken == WAIT_OBJECT_0) return WaitOutcome::Signalled;
        if (woken != WAIT_OBJECT_0 + 1) return WaitOutcome::GaveUp;  // the wait itself failed
        if (!PumpPendingMessages()) return WaitOutcome::Quit;
        if (giveUp()) return WaitOutcome::GaveUp;
    }
}

}  // namespace ow
