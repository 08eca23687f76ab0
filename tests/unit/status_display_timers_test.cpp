// The handlers of the three window timers, the refresh command, the start rule
// and the status-bar writer: which port commands they give, in which order.
#include <cstdint>
#include <limits>
#include <string>

#include "common/status_texts.h"
#include "ticker_test_port.h"

namespace ow::testing {
namespace {

using TimersTest = StatusDisplayTest;

TEST(DisplayTexts, PrefixIsEightCp1251Bytes) {
    EXPECT_EQ(kWeatherPrefix.view(), "\xCF\xCE\xC3\xCE\xC4\xC0: ");
    EXPECT_EQ(kWeatherPrefix.view().size(), 8u);
}

TEST_F(TimersTest, ShowStatusTextPrefixesAndPassesSectionUnchanged) {
    values.BarSection = 7;
    EXPECT_TRUE(display.ShowStatusText("rain"));
    display.ShowStatusText("");
    EXPECT_EQ(port.calls, (Calls{"bar 7 " + WithWeatherPrefix("rain"), "bar 7 "}));
}

TEST_F(TimersTest, ShowStatusTextReportsMissingBar) {
    port.hasStatusBar = false;
    EXPECT_FALSE(display.ShowStatusText("rain"));
}

TEST_F(TimersTest, UpdateTickDownloadsAfterStoppingTicker) {
    state.TestMode = true;
    state.ScrollPosition = 7;
    port.nextLine = {"clear, +5", true};
    EXPECT_EQ(Tick(kUpdateTimer),
              (Calls{"kill 2", "kill 4", Fetch(), "kill 2", "set 2 250", Bar("clear, +5")}));
    EXPECT_FALSE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);
    EXPECT_EQ(state.CachedWeatherLine, "clear, +5");
}

TEST_F(TimersTest, FailedDownloadShowsErrorTextWithoutTicker) {
    port.nextLine = {"Proxy authorization failed!", false};
    EXPECT_EQ(Tick(kUpdateTimer),
              (Calls{"kill 2", "kill 4", Fetch(), Bar("Proxy authorization failed!")}));
}

TEST_F(TimersTest, NoTickerOutsideTestModeWithoutUseScroll) {
    values.UseScroll = false;
    values.BarRefresh = true;
    port.scrollTicked = true;  // the window's box counts only in test mode
    port.nextLine = {"snow", true};
    EXPECT_EQ(Tick(kUpdateTimer), (Calls{"kill 2", "kill 4", Fetch(), Bar("snow")}));
    EXPECT_EQ(Record([&] { display.RefreshWeather(); }),
              (Calls{"kill 2", "kill 4", "kill 1", "set 1 1800000", Fetch(), Bar("snow"), "focus"}));
}

struct RedisplayCase {
    const char* cached;
    bool testMode;
};

class RedisplayTest : public StatusDisplayTest, public ::testing::WithParamInterface<RedisplayCase> {};

TEST_P(RedisplayTest, RewritesCacheToStatusBarWithoutDownload) {
    state.CachedWeatherLine = GetParam().cached;
    state.TestMode = GetParam().testMode;
    const std::string shown = state.CachedWeatherLine.empty() ? BarCleared() : Bar(state.CachedWeatherLine);
    EXPECT_EQ(Tick(kRedisplayTimer), (Calls{"kill 4", "set 4 3000", shown}));
    EXPECT_EQ(state.TestMode, GetParam().testMode);
}

INSTANTIATE_TEST_SUITE_P(Caches, RedisplayTest,
                         ::testing::Values(RedisplayCase{"", false}, RedisplayCase{"error", false},
                                           RedisplayCase{"fog", true}));

TEST_F(TimersTest, OtherTimerIdsDoNothing) {
    state.CachedWeatherLine = "fog";
    state.ScrollPosition = 3;
    state.TestMode = true;
    for (std::uintptr_t id : {std::uintptr_t{0}, std::uintptr_t{3}, std::uintptr_t{5}, std::uintptr_t{0x113},
                              std::numeric_limits<std::uintptr_t>::max()}) {
        EXPECT_TRUE(Tick(id).empty()) << id;
    }
    EXPECT_EQ(state.ScrollPosition, 3);
    EXPECT_TRUE(state.TestMode);
}

TEST_F(TimersTest, StartAndKillPrimitives) {
    EXPECT_EQ(Record([&] { display.StartScrollTimer(100); }), (Calls{"kill 2", "set 2 100"}));
    EXPECT_EQ(Record([&] { display.StartRedisplayTimer(3000); }), (Calls{"kill 4", "set 4 3000"}));
    EXPECT_EQ(Record([&] { display.StartUpdateTimer(43200000); }), (Calls{"kill 1", "set 1 43200000"}));
    EXPECT_EQ(Record([&] { display.KillUpdateTimer(); }), Calls{"kill 1"});
    EXPECT_EQ(Record([&] { display.KillScrollTimer(); }), Calls{"kill 2"});
    EXPECT_EQ(Record([&] { display.KillRedisplayTimer(); }), Calls{"kill 4"});
}

TEST_F(TimersTest, StopTimersKillsScrollUpdateRedisplayAndKeepsState) {
    state.TestMode = true;
    state.ScrollPosition = 9;
    EXPECT_EQ(Record([&] { display.StopTimers(); }), (Calls{"kill 2", "kill 1", "kill 4"}));
    EXPECT_TRUE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, 9);
}

TEST_F(TimersTest, UpdatePeriodLow32BitsReachTimer) {
    values.UpdatePeriod = (std::int64_t{1} << 32) + 5000;
    EXPECT_EQ(Record([&] { display.StartUpdateTimer(values.UpdatePeriod); }), (Calls{"kill 1", "set 1 5000"}));
    port.nextLine = {"x", false};
    EXPECT_EQ(Record([&] { display.RefreshWeather(); }).at(3), "set 1 5000");
}

TEST_F(TimersTest, RefreshOrderAndFocus) {
    state.TestMode = true;
    state.ScrollPosition = 2;
    port.nextLine = {"Proxy authorization failed!", false};
    EXPECT_EQ(Record([&] { display.RefreshWeather(); }),
              (Calls{"kill 2", "kill 4", "kill 1", "set 1 1800000", Fetch(),
                     Bar("Proxy authorization failed!"), "focus"}));
    EXPECT_FALSE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, 2);
    EXPECT_EQ(state.CachedWeatherLine, "Proxy authorization failed!");
}

struct StartRuleCase {
    bool testMode;
    bool useScroll;
    bool boxTicked;
    int speed;
    Calls expected;
};

class StartRuleTest : public StatusDisplayTest, public ::testing::WithParamInterface<StartRuleCase> {};

TEST_P(StartRuleTest, StartsTickerPerModeAndControls) {
    const StartRuleCase& c = GetParam();
    state.TestMode = c.testMode;
    values.UseScroll = c.useScroll;
    port.scrollTicked = c.boxTicked;
    port.speedPosition = c.speed;
    state.ScrollPosition = 4;
    EXPECT_EQ(Record([&] { display.ApplyTickerStartRule(); }), c.expected);
    EXPECT_EQ(state.ScrollPosition, 4);  // the pass continues from where it is
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StartRuleTest,
    ::testing::Values(StartRuleCase{false, true, false, 1, {"kill 2", "set 2 250"}},
                      StartRuleCase{false, false, true, 3, {}},  // window ignored outside test mode
                      StartRuleCase{true, true, false, 3, {}},   // saved setting ignored in test mode
                      StartRuleCase{true, false, true, 1, {"kill 2", "set 2 500"}},
                      StartRuleCase{true, false, true, 3, {"kill 2", "set 2 166"}},
                      StartRuleCase{true, false, true, 5, {"kill 2", "set 2 100"}},
                      StartRuleCase{true, false, true, 0, {"kill 2", "set 2 500"}},
                      StartRuleCase{true, false, true, 9, {"kill 2", "set 2 100"}}));

TEST_F(TimersTest, FormCloseHooks) {
    state.TestMode = true;
    state.ScrollPosition = 6;
    EXPECT_EQ(Record([&] { display.OnQueryEndSession(); }), (Calls{"kill 2", "kill 1", "kill 4"}));
    EXPECT_FALSE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, 6);

    state.TestMode = true;
    EXPECT_TRUE(Record([&] { display.OnFormCloseQuery(); }).empty());
    EXPECT_FALSE(state.TestMode);
    EXPECT_EQ(state.ScrollPosition, 0);
}

TEST_F(TimersTest, DetachedDisplayNeverTouchesPort) {
    display.Detach();
    state.ScrollPosition = 3;
    state.TestMode = true;
    port.nextLine = {"fog", true};
    const Calls calls = Record([&] {
        for (std::uintptr_t id : {1u, 2u, 4u}) display.HandleTimerMessage(id);
        display.RefreshWeather();
        EXPECT_FALSE(display.ShowStatusText("x"));
        EXPECT_EQ(display.CurrentWeatherLine(), "");
        display.ApplyTickerStartRule();
        display.StopTimers();
        display.StartUpdateTimer(1000);
        display.StartScrollTimer(100);
        display.StartRedisplayTimer(3000);
        display.OnQueryEndSession();
        display.ShowStatusText(kPluginEnabledText.view());
    });
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(state.ScrollPosition, 3);  // timer messages changed nothing either

    display.Attach(port);
    EXPECT_EQ(Tick(kRedisplayTimer), (Calls{"kill 4", "set 4 3000", BarCleared()}));
}

TEST_F(TimersTest, DetachDuringDownloadStopsTheRest) {
    port.nextLine = {"fog", true};
    // What PE_FINALIZE does to the display: timers, its line, then the form goes.
    port.duringFetch = [&] {
        display.StopTimers();
        display.ShowStatusText(kPluginDisabledText.view());
        display.Detach();
    };
    EXPECT_EQ(Record([&] { display.RefreshWeather(); }),
              (Calls{"kill 2", "kill 4", "kill 1", "set 1 1800000", Fetch(),
                     "kill 2", "kill 1", "kill 4", Bar(kPluginDisabledText.view())}));
}

}  // namespace
}  // namespace ow::testing
