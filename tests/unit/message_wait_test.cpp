// Waiting on the host's thread: the wake mask each Windows accepts, and how
// the wait ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>

#include "common/message_wait.h"

namespace ow {
namespace {

// A mask with a bit the running Windows does not know makes the whole wait
// fail there, and QS_ALLINPUT as today's headers spell it (0x1CFF) has three.
TEST(MessageWakeMask, HoldsOnlyTheBitsEachWindowsKnows) {
    struct Case {
        unsigned major, minor;
        std::uint32_t mask;
    };
    const Case cases[] = {
        {4, 0, 0x00FF},  {5, 0, 0x00FF},   // Windows 95 to 2000: no raw input
        {5, 1, 0x04FF},  {5, 2, 0x04FF},   // XP, Server 2003: QS_RAWINPUT
        {6, 0, 0x04FF},  {6, 1, 0x04FF},   // Vista, 7: no touch or pointer bits
        {6, 2, 0x1CFF},  {6, 3, 0x1CFF},   // 8, 8.1: QS_TOUCH and QS_POINTER
        {10, 0, 0x1CFF},                   // 10 and 11
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MessageWakeMask(c.major, c.minor), c.mask) << c.major << "." << c.minor;
    }
}

// Plays a thread's wakes in order and counts the dispatches.
class ScriptedWait final : public MessageWaitPort {
public:
    std::deque<WakeReason> wakes;
    bool quitOnDispatch = false;
    int dispatches = 0;
    std::function<void()> onDispatch;

    WakeReason Wait() override {
        if (wakes.empty()) return WakeReason::Failed;  // a wait nobody scripted would sleep for ever
        const WakeReason next = wakes.front();
        wakes.pop_front();
        return next;
    }
    bool DispatchPending() override {
        ++dispatches;
        if (onDispatch) onDispatch();
        return !quitOnDispatch;
    }
};

TEST(WaitWhileDispatching, EndsOnlyOnReadyQuitOrFailure) {
    bool ready = false;
    const auto isReady = [&ready] { return ready; };

    {
        SCOPED_TRACE("already ready: no wait at all");
        ready = true;
        ScriptedWait port;
        EXPECT_EQ(WaitWhileDispatching(port, isReady), WaitOutcome::Ready);
        EXPECT_EQ(port.dispatches, 0);
    }
    {
        SCOPED_TRACE("a late wake is only a reason to look again");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Signalled, WakeReason::Input, WakeReason::Input};
        int n = 0;
        port.onDispatch = [&] { ready = ++n == 2; };  // a nested message finishes the call
        EXPECT_EQ(WaitWhileDispatching(port, isReady), WaitOutcome::Ready);
        EXPECT_EQ(port.dispatches, 2);
        EXPECT_TRUE(port.wakes.empty());
    }
    {
        SCOPED_TRACE("the messenger quits");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Input};
        port.quitOnDispatch = true;
        EXPECT_EQ(WaitWhileDispatching(port, isReady), WaitOutcome::Quit);
    }
    {
        SCOPED_TRACE("a failed wait is an error, never a give-up or a spin");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Input, WakeReason::Failed, WakeReason::Input};
        EXPECT_EQ(WaitWhileDispatching(port, isReady), WaitOutcome::Failed);
        EXPECT_EQ(port.dispatches, 1);
        EXPECT_EQ(port.wakes.size(), 1u);
    }
}

}  // namespace
}  // namespace ow
