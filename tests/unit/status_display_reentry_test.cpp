// Downloads dispatch window messages, so handlers run nested inside each
// other. These cases must stay memory-safe (run under ASan) and follow the
// state the nested calls leave behind.
#include <algorithm>
#include <cstddef>
#include <functional>
#include <string>

#include "ticker_test_port.h"

namespace ow::testing {
namespace {

using ReentryTest = StatusDisplayTest;

TEST_F(ReentryTest, StepNestedInStepDownloadSeesErrorAndDoesNotDownload) {
    const std::string line = "0123456789";
    port.nextLine = {line, true};
    port.duringFetch = [&] { display.HandleTimerMessage(kScrollTimer); };

    EXPECT_EQ(Tick(kScrollTimer), (Calls{Fetch(), Bar("error"), "kill 2", "set 2 250", Bar(line)}));
    EXPECT_EQ(state.ScrollPosition, -3);  // both steps counted
    EXPECT_EQ(state.ScrollText, line);
}

TEST_F(ReentryTest, UpdateTickNestedInStepDownloadReplacesLongLine) {
    // The nested tick stores a long line, then the outer download a short one:
    // the outer step must use what is cached after it returns.
    port.outcomes = {{std::string(4000, 'L'), true}, {"abc", true}};
    port.duringFetch = [&] { display.HandleTimerMessage(kUpdateTimer); };
    state.ScrollPosition = 2;

    const Calls calls = Tick(kScrollTimer);
    EXPECT_EQ(calls.back(), Bar("abc"));
    EXPECT_EQ(state.CachedWeatherLine, "abc");
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);  // set by the nested update tick
    EXPECT_EQ(state.ScrollText, "abc");
}

TEST_F(ReentryTest, PassEndReadsLineAgainAfterNestedDownloads) {
    // The step's download runs a nested refresh that caches a long line, then
    // itself yields an empty one; the pass-end read downloads once more.
    state.ScrollPosition = 0;
    port.outcomes = {{std::string(300, 'z'), true}, {"", true}, {"q", true}};
    port.duringFetch = [&] { display.RefreshWeather(); };

    const Calls calls = Tick(kScrollTimer);
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(Calls(calls.end() - 3, calls.end()), (Calls{Bar("q"), "kill 4", "set 4 3000"}));
    EXPECT_EQ(state.CachedWeatherLine, "q");
    EXPECT_EQ(state.ScrollPosition, kScrollRestPosition);
}

TEST_F(ReentryTest, NestedHandlerStormKeepsTimerPrimitivesIntact) {
    // Every download runs all handlers again, three levels deep, while the
    // lines change length on each download.
    for (int i = 0; i < 400; ++i) {
        port.outcomes.push_back({std::string(static_cast<std::size_t>(i * 37 % 257), static_cast<char>('a' + i % 26)),
                                 i % 5 != 0});
    }
    int depth = 0;
    int deepest = 0;
    std::function<void()> storm = [&] {
        if (depth >= 3) return;
        deepest = std::max(deepest, ++depth);
        port.duringFetch = storm;
        display.HandleTimerMessage(kScrollTimer);
        display.HandleTimerMessage(kUpdateTimer);
        display.RefreshWeather();
        display.HandleTimerMessage(kRedisplayTimer);
        state.TestMode = !state.TestMode;
        port.scrollTicked = !port.scrollTicked;
        display.HandleTimerMessage(kScrollTimer);
        --depth;
    };
    state.ScrollPosition = 40;
    port.duringFetch = storm;
    port.calls.clear();
    for (int i = 0; i < 30; ++i) {
        display.HandleTimerMessage(kScrollTimer);
        display.RefreshWeather();
        port.duringFetch = storm;
    }

    EXPECT_EQ(deepest, 3);
    // A set is always right after the kill of the same timer.
    for (std::size_t i = 0; i < port.calls.size(); ++i) {
        if (port.calls[i].rfind("set ", 0) != 0) continue;
        ASSERT_GT(i, 0u);
        EXPECT_EQ(port.calls[i - 1], "kill " + port.calls[i].substr(4, 1)) << "call " << i;
    }
    EXPECT_NE(state.CachedWeatherLine, "error");  // the outermost download finished last
}

// The messenger switches the plug-in off and on again from a message handled
// during a download: whatever the old download brings, and whatever the step
// that started it would do next, never reaches the new session.
TEST_F(ReentryTest, ASessionSwitchedOffDuringADownloadWritesNothingIntoTheNextOne) {
    const auto switchOffAndOn = [this] {
        display.Detach();
        display.Attach(port);
        display.ShowStatusText("on again");
    };
    // Finalisation cancels every download in progress.
    const FetchOutcome cancelled{"Connection error", false, true};
    struct Case {
        const char* name;
        std::function<void()> start;
    };
    const Case cases[] = {
        {"refresh", [this] { display.RefreshWeather(); }},
        {"update tick", [this] { display.HandleTimerMessage(kUpdateTimer); }},
        {"ticker step", [this] {
             state.CachedWeatherLine.clear();
             display.HandleTimerMessage(kScrollTimer);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.CachedWeatherLine = "cached";
        port.nextLine = cancelled;
        port.duringFetch = switchOffAndOn;
        port.calls.clear();
        c.start();
        ASSERT_FALSE(port.calls.empty());
        EXPECT_EQ(port.calls.back(), Bar("on again"));
        EXPECT_EQ(state.CachedWeatherLine, "error");
    }
}

TEST_F(ReentryTest, InsertingReadsNoLineFromACancelledDownload) {
    state.CachedWeatherLine.clear();
    port.nextLine = {"Connection error", false, true};
    EXPECT_EQ(display.CurrentWeatherLine(), std::nullopt);
    EXPECT_EQ(state.CachedWeatherLine, "error");  // left as the cancelled download left it
}

}  // namespace
}  // namespace ow::testing
