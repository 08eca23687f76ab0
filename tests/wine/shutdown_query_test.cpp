// Closing the preferences window and Windows asking to end the session:
// the form only hides, the timers stop, the answer is always yes.
#include "menu_test_support.h"

namespace wine_tests {
namespace {

class ShutdownTest : public MenuTest {
protected:
    // Settings with the ticker on at its fastest step, then initialised.
    host::HostEmulator& StartScrolling() {
        WriteSettings(true);
        auto& e = Start();
        EXPECT_TRUE(e.Initialize().has_value());
        return e;
    }

    // Runs the host's loop through the next ticker pass and counts the
    // ScrollTimer ticks that still showed the whole line before the first
    // shortened one.
    int WholeLineTicks(const std::string& whole) {
        int ticks = 0;
        std::size_t seen = emu().timers.size();
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < 10000) {
            emu().Pump(5);  // at most one tick of a 100 ms timer per call
            bool ticked = false;
            for (; seen < emu().timers.size(); ++seen) ticked |= emu().timers[seen].id == ow::kScrollTimer;
            if (!ticked) continue;
            if (StatusText(2) != whole) return ticks;
            ++ticks;
        }
        ADD_FAILURE() << "the line never moved";
        return ticks;
    }

    bool AnyFormTimerWithin(DWORD ms) {
        const std::size_t before = emu().timers.size();
        emu().Pump(ms);
        for (std::size_t i = before; i < emu().timers.size(); ++i) {
            if (emu().timers[i].window == form()) return true;
        }
        return false;
    }
};

// WM_QUERYENDSESSION sent from a thread of its own.
struct QueryCall {
    HWND form;
    DWORD_PTR answer = 0;
    bool sent = false;
    static DWORD WINAPI Run(LPVOID self) {
        auto* c = static_cast<QueryCall*>(self);
        c->sent = SendMessageTimeoutA(c->form, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &c->answer) != 0;
        return 0;
    }
};

struct QueryCase {
    const char* name;
    bool fromOtherThread;  // as Windows sends it: from outside the host's thread
};
void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.name; }

class ShutdownQueryTest : public ShutdownTest, public testing::WithParamInterface<QueryCase> {
protected:
    LRESULT SendQueryEndSession() {
        if (!GetParam().fromOtherThread) return SendMessageA(form(), WM_QUERYENDSESSION, 0, 0);
        QueryCall call{form()};
        HANDLE sender = CreateThread(nullptr, 0, &QueryCall::Run, &call, 0, nullptr);
        // The host's plain loop delivers the sent message.
        emu().PumpUntil([&] { return WaitForSingleObject(sender, 0) == WAIT_OBJECT_0; }, 8000);
        WaitForSingleObject(sender, 1000);
        CloseHandle(sender);
        EXPECT_TRUE(call.sent);
        return static_cast<LRESULT>(call.answer);
    }
};

TEST_P(ShutdownQueryTest, AnswersYesAfterStoppingTheTimersAndHidingTheWindow) {
    auto& e = StartScrolling();
    Choose(kCmdAbout);
    ASSERT_TRUE(IsWindowVisible(form()));
    e.ClickIcon(0);  // the update timer restarts and the ticker starts
    HWND f = form();

    EXPECT_EQ(SendQueryEndSession(), 1);
    EXPECT_FALSE(IsWindowVisible(f));
    EXPECT_TRUE(IsWindow(f)) << "the form is only hidden";
    EXPECT_FALSE(AnyFormTimerWithin(400));
    for (UINT_PTR id : {ow::kUpdateTimer, ow::kScrollTimer, ow::kRedisplayTimer}) {
        EXPECT_FALSE(TimerWasRunning(id)) << "timer " << id;
    }
    // The menu still opens it.
    Choose(kCmdOptions);
    EXPECT_TRUE(IsWindowVisible(form()));
    e.Finalize();
}

TEST_P(ShutdownQueryTest, AnswersYesWithTheWindowHidden) {
    auto& e = StartInitialised();
    ASSERT_FALSE(IsWindowVisible(form()));
    EXPECT_EQ(SendQueryEndSession(), 1);
    EXPECT_FALSE(IsWindowVisible(form()));
    EXPECT_FALSE(TimerWasRunning(ow::kUpdateTimer));
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Shutdown, ShutdownQueryTest,
                         testing::Values(QueryCase{"SameThread", false}, QueryCase{"OtherThread", true}),
                         [](const testing::TestParamInfo<QueryCase>& info) { return std::string(info.param.name); });

// The close request of the window's frame: hidden, not destroyed, and no
// timer restarted.
struct CloseCase {
    const char* name;
    UINT message;
    WPARAM wParam;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class ShutdownCloseTest : public ShutdownTest, public testing::WithParamInterface<CloseCase> {};

TEST_P(ShutdownCloseTest, HidesTheWindowAndRestartsNoTimer) {
    auto& e = StartInitialised();
    Choose(kCmdOptions);
    HWND f = form();
    ASSERT_TRUE(IsWindowVisible(f));
    SendMessageA(f, GetParam().message, GetParam().wParam, 0);
    e.Pump(50);
    EXPECT_FALSE(IsWindowVisible(f));
    EXPECT_TRUE(IsWindow(f));
    EXPECT_FALSE(TimerWasRunning(ow::kUpdateTimer));
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Shutdown, ShutdownCloseTest,
                         testing::Values(CloseCase{"Close", WM_CLOSE, 0},
                                         CloseCase{"SystemMenuClose", WM_SYSCOMMAND, SC_CLOSE}),
                         [](const testing::TestParamInfo<CloseCase>& info) { return std::string(info.param.name); });

// Closing leaves the ticker at position 0, not at rest: the next pass holds
// the whole line for one tick instead of six.
struct PositionCase {
    const char* name;
    UINT message;  // sent to the form between two refreshes; 0: nothing
    int wholeLineTicks;
};
void PrintTo(const PositionCase& c, std::ostream* os) { *os << c.name; }

class ShutdownPositionTest : public ShutdownTest, public testing::WithParamInterface<PositionCase> {};

TEST_P(ShutdownPositionTest, NextPassStartsFromTheClosePosition) {
    if (!HaveServer()) GTEST_SKIP() << "a failed download starts no ticker";
    auto& e = StartScrolling();
    e.ClickIcon(0);
    const std::string whole = StatusText(2);
    if (GetParam().message != 0) {
        SendMessageA(form(), GetParam().message, 0, 0);
        e.ClickIcon(0);
        ASSERT_EQ(StatusText(2), whole);
    }
    EXPECT_EQ(WholeLineTicks(whole), GetParam().wholeLineTicks);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Shutdown, ShutdownPositionTest,
                         testing::Values(PositionCase{"FromRest", 0, 6}, PositionCase{"AfterClose", WM_CLOSE, 1},
                                         PositionCase{"AfterQueryEndSession", WM_QUERYENDSESSION, 1}),
                         [](const testing::TestParamInfo<PositionCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_tests
