// Many lives of the plug-in in one messenger process: initialise, open the
// preferences, refresh, finalise, with the weather server flipping between
// good answers and faults. Nothing may crash, nothing may stay behind, and
// memory and handles must stay flat. OW_SOAK_CYCLES sets the count.
#include "wine_fixture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "download_fixture.h"
#include "download_server.h"
#include "process_footprint.h"

namespace wine_tests {
namespace {

// What the server does in a cycle, and whether the messenger finalises the
// plug-in while the cycle's download waits for it.
struct Cycle {
    const char* mode;
    bool finalizeDuringTheWait;
};
constexpr Cycle kCycles[] = {
    {"name=normal", false},
    {"name=blank", false},
    {"name=refuse", false},
    {"name=normal&x=1", false},
    {"name=authoriz", false},
    {"name=close-mid-body", false},
    {"name=empty", false},
    {"name=slow-start&interval_ms=200", false},
    {"name=pause-mid-body&interval_ms=200", false},
    {"name=hold-close&interval_ms=200", false},
    {"name=trickle&interval_ms=0", false},
    {"name=slow-start&interval_ms=300", true},
    {"name=pause-mid-body&interval_ms=300", true},
    {"name=hold-close&interval_ms=300", true},
};
constexpr int kCycleKinds = static_cast<int>(std::size(kCycles));

class SoakTest : public PluginTest {};

TEST_F(SoakTest, CyclesLeaveNothingBehindAndStayFlat) {
    const auto port = SampleServerControl::PortFromEnvironment();
    if (!port) GTEST_SKIP() << "no sample server";
    const SampleServerControl server(*port);
    Settings settings = ProxySettings(*port);
    settings["use-scroll"] = "1";
    settings["bar-refresh"] = "1";
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\ostixweather.ini", SettingsFileText(settings)));

    const char* env = std::getenv("OW_SOAK_CYCLES");
    const int cycles = env != nullptr ? std::max(6, std::atoi(env)) : 30;
    constexpr int kWarmUp = 5;
    // Wine's WinInet keeps a handle for every request it made, also in a
    // bare loop of plain WinInet calls: that loop's growth over as many
    // requests is the allowance for the plug-in's downloads. Measured first,
    // while the handle table has no holes that later handles would fill.
    const DWORD bareStart = Measure().handles;
    for (int i = kWarmUp; i < cycles; ++i)
        BareWinInetGet(server.ProxyText(), "http://informer.gismeteo.ru/text/30710-2.JS", nullptr);
    const DWORD bareGrowth = Measure().handles - bareStart;
    std::printf("soak: a bare WinInet loop of %d requests moved the next handle slot by %lu\n", cycles - kWarmUp,
                static_cast<unsigned long>(bareGrowth));
    auto& e = Start();
    const int windowsBefore = TopLevelWindowsOfThisProcess();
    NestedCaller caller;
    Footprint baseline;
    int threadsAtBaseline = 0;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        const Cycle& kind = kCycles[cycle % kCycleKinds];
        ASSERT_TRUE(server.SetMode(kind.mode));
        ASSERT_TRUE(e.Initialize().has_value());
        e.Preferences();
        e.Pump(10);
        ASSERT_TRUE(IsWindowVisible(FindForm()));
        PostMessageA(FindForm(), WM_CLOSE, 0, 0);  // the user closes the window
        e.Pump(10);
        ASSERT_FALSE(IsWindowVisible(FindForm()));
        bool finalized = false;
        if (kind.finalizeDuringTheWait) {
            caller.After(60, [&] { finalized = e.Finalize().has_value(); });
        }
        e.ClickIcon(0);  // refresh: a download, good or bad, maybe a ticker
        e.Pump(30);
        if (!kind.finalizeDuringTheWait) finalized = e.Finalize().has_value();
        ASSERT_TRUE(finalized);
        const std::size_t timersAtFinalize = e.timers.size();
        e.Pump(120);
        ASSERT_EQ(FindForm(), nullptr);
        ASSERT_EQ(e.timers.size(), timersAtFinalize) << "a timer fired after finalisation";
        ASSERT_EQ(TopLevelWindowsOfThisProcess(), windowsBefore);
        ASSERT_TRUE(e.contract.icons().empty());
        if (cycle == kWarmUp) {
            baseline = Measure();
            threadsAtBaseline = ThreadsOfThisProcess();
            Print("after warm-up", cycle, baseline);
        }
    }
    ASSERT_TRUE(server.SetMode("name=normal"));  // leave the server as the next test expects it
    // Workers left waiting by a finalisation end once the server has answered.
    EXPECT_TRUE(e.PumpUntil([&] { return ThreadsOfThisProcess() <= threadsAtBaseline; }, 10000))
        << ThreadsOfThisProcess() << " threads, " << threadsAtBaseline << " after the warm-up";
    const Footprint end = Measure();
    Print("at the end", cycles, end);
    // Flat: what later cycles add stays within a little noise of the runtime's own.
    EXPECT_LE(end.handles, baseline.handles + bareGrowth + 16);
    EXPECT_LE(end.gdiObjects, baseline.gdiObjects + kObjectNoise);
    EXPECT_LE(end.userObjects, baseline.userObjects + kObjectNoise);
    EXPECT_LE(end.privateBytes, baseline.privateBytes + 4 * 1024 * 1024);
}

}  // namespace
}  // namespace wine_tests
