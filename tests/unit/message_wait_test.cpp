// Waiting on the host's thread: the wake mask each Windows accepts, and how
// the wait ends.
#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

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

    std::uint32_t clock = 1000;
    std::uint32_t stepMs = 0;  // the time each wake takes
    std::vector<std::uint32_t> timeouts;

    WakeReason Wait(std::uint32_t timeoutMs) override {
        timeouts.push_back(timeoutMs);
        if (wakes.empty()) return WakeReason::Failed;  // a wait nobody scripted would sleep for ever
        const WakeReason next = wakes.front();
        wakes.pop_front();
        clock += next == WakeReason::TimedOut ? timeoutMs : stepMs;
        return next;
    }
    std::uint32_t Now() override { return clock; }
    bool DispatchPending() override {
        ++dispatches;
        if (onDispatch) onDispatch();
        return !quitOnDispatch;
    }
};

constexpr std::uint32_t kFar = 1000 + 3600000;

TEST(WaitWhileDispatching, EndsOnlyOnReadyQuitOrFailure) {
    bool ready = false;
    const auto isReady = [&ready] { return ready; };

    {
        SCOPED_TRACE("already ready: no wait at all");
        ready = true;
        ScriptedWait port;
        EXPECT_EQ(WaitWhileDispatching(port, isReady, kFar), WaitOutcome::Ready);
        EXPECT_EQ(port.dispatches, 0);
    }
    {
        SCOPED_TRACE("a late wake is only a reason to look again");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Signalled, WakeReason::Input, WakeReason::Input};
        int n = 0;
        port.onDispatch = [&] { ready = ++n == 2; };  // a nested message finishes the call
        EXPECT_EQ(WaitWhileDispatching(port, isReady, kFar), WaitOutcome::Ready);
        EXPECT_EQ(port.dispatches, 2);
        EXPECT_TRUE(port.wakes.empty());
    }
    {
        SCOPED_TRACE("the messenger quits");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Input};
        port.quitOnDispatch = true;
        EXPECT_EQ(WaitWhileDispatching(port, isReady, kFar), WaitOutcome::Quit);
    }
    {
        SCOPED_TRACE("a failed wait is an error, never a give-up or a spin");
        ready = false;
        ScriptedWait port;
        port.wakes = {WakeReason::Input, WakeReason::Failed, WakeReason::Input};
        EXPECT_EQ(WaitWhileDispatching(port, isReady, kFar), WaitOutcome::Failed);
        EXPECT_EQ(port.dispatches, 1);
        EXPECT_EQ(port.wakes.size(), 1u);
    }
}

// However the thread is woken, the wait ends at its deadline, each sleep
// asking only for the time left; the clock may wrap around meanwhile.
TEST(WaitWhileDispatching, GivesUpAtTheDeadline) {
    const auto never = [] { return false; };
    for (const std::uint32_t start : {1000u, 0xFFFFFF00u}) {
        SCOPED_TRACE(start);
        ScriptedWait port;
        port.clock = start;
        port.stepMs = 300;
        port.wakes = {WakeReason::Input, WakeReason::Signalled, WakeReason::Input, WakeReason::Input};
        EXPECT_EQ(WaitWhileDispatching(port, never, start + 1000), WaitOutcome::TimedOut);
        EXPECT_EQ(port.timeouts, (std::vector<std::uint32_t>{1000, 700, 400, 100}));
        EXPECT_TRUE(port.wakes.empty());
    }
    {
        SCOPED_TRACE("a sleep that times out early only looks again");
        ScriptedWait port;
        port.wakes = {WakeReason::TimedOut, WakeReason::TimedOut};
        EXPECT_EQ(WaitWhileDispatching(port, never, port.clock + 50), WaitOutcome::TimedOut);
        EXPECT_EQ(port.timeouts, std::vector<std::uint32_t>{50});
    }
    {
        SCOPED_TRACE("past the deadline: a call that is done still counts, nothing sleeps");
        ScriptedWait port;
        EXPECT_EQ(WaitWhileDispatching(port, [] { return true; }, port.clock - 1), WaitOutcome::Ready);
        EXPECT_EQ(WaitWhileDispatching(port, never, port.clock - 1), WaitOutcome::TimedOut);
        EXPECT_TRUE(port.timeouts.empty());
    }
}

}  // namespace
}  // namespace ow
