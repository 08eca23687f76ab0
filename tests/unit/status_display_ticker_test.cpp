// The ticker, tick by tick: what each ScrollTimer step shows and how a pass ends.
#include <algorithm>
#include <string>
#include <vector>

#include "ticker_test_port.h"

namespace ow::testing {
namespace {

using TickerTest = StatusDisplayTest;

const Calls kRedisplayStart = {"kill 4", "set 4 3000"};

Calls PassEnd(std::string shown, bool barRefresh = true) {
    Calls calls = {"kill 2", std::move(shown)};
    if (barRefresh) calls.insert(calls.end(), kRedisplayStart.begin(), kRedisplayStart.end());
    return calls;
}

TEST_F(TickerTest, TenCharacterLineFromRest) {
    const std::string line = "0123456789";
    state.CachedWeatherLine = line;
    const std::vector<std::string> frames = {
        line, line, line, line, line, line,  // ticks 1-6 hold the whole line
        "123456789", "23456789", "3456789", "456789", "56789", "6789", "789", "89",
    };
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("tick " + std::to_string(i + 1));
        EXPECT_EQ(Tick(kScrollTimer), Calls{Bar(frames[i])});
        EXPECT_EQ(state.ScrollText, frames[i]);
    }
    EXPECT_EQ(Tick(kScrollTimer), PassEnd(Bar(line)));  // tick 15
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);
}

TEST_F(TickerTest, PassEndWithoutBarRefreshStartsNoRedisplay) {
    values.BarRefresh = false;
    state.CachedWeatherLine = "abc";
    state.ScrollPosition = 1;
    EXPECT_EQ(Tick(kScrollTimer), Calls{Bar("bc")});
    EXPECT_EQ(Tick(kScrollTimer), PassEnd(Bar("abc"), false));
}

struct PassShape {
    int length;
    int startPosition;
    int ticks;      // including the one that ends the pass
    int wholeHeld;  // steps that show the whole line before the line moves
};

class PassLengthTest : public StatusDisplayTest, public ::testing::WithParamInterface<PassShape> {};

TEST_P(PassLengthTest, CountsTicksAndHold) {
    const PassShape shape = GetParam();
    std::string line;
    for (int i = 0; i < shape.length; ++i) line.push_back(static_cast<char>('A' + i % 26));
    state.CachedWeatherLine = line;
    state.ScrollPosition = shape.startPosition;

    int ticks = 0;
    int wholeHeld = 0;
    Calls last;
    do {
        last = Tick(kScrollTimer);
        ++ticks;
        if (last == Calls{Bar(line)}) ++wholeHeld;
    } while (last.front() != "kill 2" && ticks < 1000);

    EXPECT_EQ(ticks, shape.ticks);
    EXPECT_EQ(wholeHeld, shape.wholeHeld);
    EXPECT_EQ(last, PassEnd(Bar(line)));
}

INSTANTIATE_TEST_SUITE_P(FromRestAndFromZero, PassLengthTest,
                         ::testing::Values(PassShape{1, kScrollRestPosition, 6, 5},  // ticks 1-5 show it
                                           PassShape{2, kScrollRestPosition, 7, 6},
                                           PassShape{10, kScrollRestPosition, 15, 6},
                                           PassShape{50, kScrollRestPosition, 55, 6},
                                           PassShape{10, 0, 10, 1},
                                           PassShape{1, 0, 1, 0}));

TEST_F(TickerTest, PassAfterFormCloseQueryHoldsWholeLineOnce) {
    const std::string line = "0123456789";
    state.CachedWeatherLine = line;
    state.TestMode = true;
    state.ScrollPosition = 4;

    EXPECT_TRUE(Record([&] { display.OnFormCloseQuery(); }).empty());
    EXPECT_FALSE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, 0);

    EXPECT_EQ(Tick(kScrollTimer), Calls{Bar(line)});
    EXPECT_EQ(Tick(kScrollTimer), Calls{Bar("123456789")});
    for (int tick = 3; tick <= 9; ++tick) Tick(kScrollTimer);
    EXPECT_EQ(state.ScrollText, "89");  // tick 9
    EXPECT_EQ(Tick(kScrollTimer), PassEnd(Bar(line)));  // tick 10 = n
}

TEST_F(TickerTest, EmptyLineDownloadsOnEveryRead) {
    port.nextLine = {"", true};  // a document that extracts to nothing
    // Each read downloads, and each successful download restarts the ticker.
    const Calls read = {Fetch(), "kill 2", "set 2 250"};
    Calls step = read;  // length read; 0 is beyond the negative position
    step.insert(step.end(), read.begin(), read.end());  // tail read
    step.push_back(BarCleared());
    for (int tick = 1; tick <= 4; ++tick) {
        SCOPED_TRACE("tick " + std::to_string(tick));
        EXPECT_EQ(Tick(kScrollTimer), step);
    }
    Calls end = read;
    end.push_back("kill 2");
    end.insert(end.end(), read.begin(), read.end());
    end.insert(end.end(), {BarCleared(), "kill 4", "set 4 3000"});
    EXPECT_EQ(Tick(kScrollTimer), end);  // tick 5 = n + 5
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);
}

TEST_F(TickerTest, CurrentWeatherLineDownloadsOnlyWhileCacheEmpty) {
    port.outcomes = {{"", true}, {"sunny", true}};
    EXPECT_EQ(display.CurrentWeatherLine(), "");
    EXPECT_EQ(display.CurrentWeatherLine(), "sunny");
    EXPECT_EQ(display.CurrentWeatherLine(), "sunny");
    EXPECT_EQ(std::count(port.calls.begin(), port.calls.end(), Fetch()), 2);
}

TEST_F(TickerTest, RefreshMidPassWithShorterLineEndsPassAtNextStep) {
    state.CachedWeatherLine = "ABCDEFGHIJKLMNOPQRST";
    state.ScrollPosition = 12;
    port.nextLine = {"abcdefgh", true};

    const Calls refresh = {"kill 2", "kill 4", "kill 1", "set 1 1800000",
                           Fetch(), "kill 2", "set 2 250", Bar("abcdefgh"), "focus"};
    EXPECT_EQ(Record([&] { display.RefreshWeather(); }), refresh);
    EXPECT_EQ(state.ScrollPosition, 12);  // a refresh leaves the position alone

    EXPECT_EQ(Tick(kScrollTimer), PassEnd(Bar("abcdefgh")));  // position 13
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);
}

TEST_F(TickerTest, TestModeScrollsInsideTestFieldAndEndsTestMode) {
    const std::string line = "abcdefgh";
    state.CachedWeatherLine = line;
    state.TestMode = true;
    const std::vector<std::string> frames = {line, line, line, line, line, line,
                                             "bcdefgh", "cdefgh", "defgh", "efgh", "fgh", "gh"};
    for (std::size_t i = 0; i < frames.size(); ++i) {
        SCOPED_TRACE("tick " + std::to_string(i + 1));
        EXPECT_EQ(Tick(kScrollTimer), Calls{Test(frames[i])});
        EXPECT_TRUE(state.TestMode);
    }
    EXPECT_EQ(Tick(kScrollTimer), PassEnd(Test(line)));
    EXPECT_FALSE(state.TestMode);

    // The re-display writes to the status bar although the window is still open.
    EXPECT_EQ(Tick(kRedisplayTimer), (Calls{"kill 4", "set 4 3000", Bar(line)}));
}

}  // namespace
}  // namespace ow::testing
