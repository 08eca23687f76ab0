// Many lives of the plug-in, each with a load and an unload of its own, as a
// messenger that switches the plug-in off and on: refreshes, the preferences
// window, a download finalised while it waits, and an unload from a message
// handled inside a download. After each unload nothing of the plug-in may
// stay in the process; the figures must match those of a system library
// loaded and unloaded as often. OW_SOAK_CYCLES sets the count.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "download_fixture.h"
#include "prefs/win32/pref_control_ids.h"
#include "process_footprint.h"

namespace wine_tests {
namespace {

constexpr char kLibrary[] = "ostixWeather.dll";
constexpr int kWarmUp = 5;
constexpr int kPrintEvery = 10;
constexpr int kDefaultCycles = 50;

bool LibraryMapped() { return GetModuleHandleA(kLibrary) != nullptr; }

int Cycles() {
    const char* env = std::getenv("OW_SOAK_CYCLES");
    return env != nullptr ? std::max(kWarmUp + kPrintEvery, std::atoi(env)) : kDefaultCycles;
}

// A system library that nothing else in the process has loaded.
const char* UnusedSystemLibrary() {
    for (const char* name : {"version.dll", "msacm32.dll", "msimg32.dll", "hid.dll"})
        if (GetModuleHandleA(name) == nullptr) return name;
    return "version.dll";
}

enum class Life { Refresh, Preferences, FinalizedWhileWaiting, UnloadedWhileWaiting };
constexpr Life kLives[] = {Life::Refresh, Life::Preferences, Life::FinalizedWhileWaiting,
                           Life::UnloadedWhileWaiting};

class ReloadSoakTest : public DownloadTest {
protected:
    void TearDown() override {
        caller_.CancelAll();
        DownloadTest::TearDown();
    }

    // One life, from the load to the unload.
    void Live(host::HostEmulator& e, Life life) {
        ASSERT_TRUE(e.plugin().Load());
        ASSERT_TRUE(e.Initialize().has_value());
        bool unloaded = false;
        switch (life) {
            case Life::Refresh:
                ASSERT_TRUE(server().SetMode("name=normal"));
                e.ClickIcon(0);
                break;
            case Life::Preferences:
                e.Preferences();
                e.Pump(10);
                PostMessageA(FindForm(), WM_CLOSE, 0, 0);  // the user closes the window
                e.Pump(10);
                break;
            case Life::FinalizedWhileWaiting:
            case Life::UnloadedWhileWaiting: {
                ASSERT_TRUE(server().SetMode("name=slow-start&interval_ms=300"));
                std::optional<std::string> reply;
                const bool unload = life == Life::UnloadedWhileWaiting;
                WhenTheServerHolds(
                    [&] {
                        reply = e.Finalize();
                        if (unload) e.plugin().Unload();
                    },
                    100);
                e.ClickIcon(0);
                ASSERT_TRUE(e.PumpUntil([&] { return reply.has_value(); }, 5000));
                unloaded = unload;
                break;
            }
        }
        if (!unloaded) {
            ASSERT_TRUE(e.Finalize().has_value());
            e.plugin().Unload();
        }
        // Gone once its last worker has finished with the server.
        ASSERT_TRUE(e.PumpUntil([] { return !LibraryMapped(); }, 15000)) << "the library stayed after its life";
    }
};

TEST_F(ReloadSoakTest, EveryUnloadLeavesNothingBehind) {
    const int cycles = Cycles();
    auto& e = StartWith(BaseSettings());
    ASSERT_TRUE(e.Finalize().has_value());
    e.plugin().Unload();
    ASSERT_TRUE(e.PumpUntil([] { return !LibraryMapped(); }, 15000));

    // The same number of loads of a system library, for comparison.
    const char* system = UnusedSystemLibrary();
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        HMODULE library = LoadLibraryA(system);
        ASSERT_NE(library, nullptr) << system;
        GetProcAddress(library, "DllGetVersion");
        FreeLibrary(library);
        if (cycle % kPrintEvery == 0) Print(system, cycle, Measure());
    }
    // Wine's WinInet keeps a handle for every request it made, also in a loop
    // of plain WinInet calls: that loop's growth over as many requests is
    // the allowance for the plug-in's downloads.
    const DWORD bareStart = Measure().handles;
    for (int i = kWarmUp; i < cycles; ++i)
        BareWinInetGet(server().ProxyText(), "http://informer.gismeteo.ru/text/30710-2.JS", nullptr);
    const DWORD bareGrowth = Measure().handles - bareStart;
    std::printf("soak: a bare WinInet loop of %d requests moved the next handle slot by %lu\n", cycles - kWarmUp,
                static_cast<unsigned long>(bareGrowth));

    Footprint baseline;
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        SCOPED_TRACE("cycle " + std::to_string(cycle));
        Live(e, kLives[cycle % std::size(kLives)]);
        if (HasFatalFailure()) return;
        ASSERT_EQ(FindForm(), nullptr);
        ASSERT_TRUE(e.contract.icons().empty());
        if (cycle == kWarmUp) baseline = Measure();
        if (cycle % kPrintEvery == 0) Print(kLibrary, cycle, Measure());
    }
    // Threads that waited on the server end once it has answered.
    EXPECT_TRUE(e.PumpUntil([&] { return ThreadsOfThisProcess() <= baseline.threads; }, 10000))
        << ThreadsOfThisProcess() << " threads, " << baseline.threads << " after the warm-up";
    const Footprint end = Measure();
    EXPECT_EQ(end.windows, baseline.windows);
    EXPECT_EQ(end.tlsSlot, baseline.tlsSlot);
    EXPECT_LE(end.handles, baseline.handles + bareGrowth + 16);
    EXPECT_LE(end.gdiObjects, baseline.gdiObjects + kObjectNoise);
    EXPECT_LE(end.userObjects, baseline.userObjects + kObjectNoise);
    EXPECT_LE(end.privateBytes, baseline.privateBytes + 4 * 1024 * 1024);
    // No window class of the plug-in's outlives it: loaded again, the
    // library finds none of its own classes registered.
    ASSERT_TRUE(e.plugin().Load());
    WNDCLASSA wc = {};
    EXPECT_FALSE(GetClassInfoA(e.plugin().module(), ow::pref_id::kFormClass, &wc));
    e.plugin().Unload();
}

// Loads alone, and lives without a download: not one kernel handle more
// after them than before, the runtime's own included.
TEST_F(ReloadSoakTest, LoadsAndLivesWithoutADownloadKeepNoHandle) {
    auto& e = StartWith(BaseSettings());
    ASSERT_TRUE(e.Finalize().has_value());
    e.plugin().Unload();
    ASSERT_TRUE(e.PumpUntil([] { return !LibraryMapped(); }, 15000));
    const DWORD start = Measure().handles;
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(e.plugin().Load());
        e.plugin().Unload();
        ASSERT_TRUE(e.plugin().Load());
        ASSERT_TRUE(e.Initialize().has_value());
        ASSERT_TRUE(e.Finalize().has_value());
        e.plugin().Unload();
        ASSERT_FALSE(LibraryMapped());
    }
    EXPECT_EQ(Measure().handles, start);
}

// The soaks see a leak only if one object more shows in the counts: a brush
// and a menu left alive between two measurements must.
TEST(ProcessFootprintTest, OneObjectLeftAliveShowsInItsCount) {
    const Footprint before = Measure();
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    HMENU menu = CreateMenu();
    const Footprint during = Measure();
    DeleteObject(brush);
    DestroyMenu(menu);
    const Footprint after = Measure();
    EXPECT_EQ(during.gdiObjects, before.gdiObjects + 1);
    EXPECT_EQ(during.userObjects, before.userObjects + 1);
    EXPECT_EQ(after.gdiObjects, before.gdiObjects);
    EXPECT_EQ(after.userObjects, before.userObjects);
}

}  // namespace
}  // namespace wine_tests
