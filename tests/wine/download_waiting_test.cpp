// The messenger never waits on the network: whatever the server does, the
// host's message loop runs on while the plug-in downloads, and the messenger
// can finalise, and unload, the plug-in in the middle of it.
#include <optional>

#include "download_fixture.h"
#include "weather/core/document_reading.h"

namespace wine_tests {
namespace {

// How the server keeps a download waiting.
struct WaitCase {
    const char* name;
    const char* mode;
    int shortMs;  // an interval the tests sit out (for a trickle: per byte of 673)
    bool connectionFails;
};
void PrintTo(const WaitCase& c, std::ostream* os) { *os << c.name; }

const WaitCase kWaits[] = {
    {"Trickle", "trickle", 5, false},
    {"LateAnswer", "slow-start", 3000, false},
    {"PauseMidBody", "pause-mid-body", 3000, false},
    {"HoldAndClose", "hold-close", 3000, true},
};
// A wait no test sits out: a download that waited for it would outlast the
// test's time limit.
constexpr int kEndlessMs = 600000;
// A wait that outlasts the test's steps by far and that the test sits out.
constexpr int kHoldMs = 3000;

class DownloadWaitTest : public DownloadTest, public ::testing::WithParamInterface<WaitCase> {
protected:
    void TearDown() override {
        caller_.CancelAll();
        DownloadTest::TearDown();
    }

    std::string Mode(int intervalMs) const {
        return std::string("name=") + GetParam().mode + "&interval_ms=" + std::to_string(intervalMs);
    }
};

TEST_P(DownloadWaitTest, TheHostsLoopRunsOnAndTheLineComesAfterwards) {
    const std::string expected =
        GetParam().connectionFails ? Status(L"Ошибка соединения") : ExpectedStatus(0, TownCode(0, 0));
    ASSERT_TRUE(server().SetMode(Mode(GetParam().shortMs)));
    auto& e = StartWith(BaseSettings());

    EXPECT_GE(ClickCountingHostTicks(e), 10);
    EXPECT_EQ(StatusText(2), expected);
    EXPECT_EQ(server().Requests().size(), 1u);
    e.Finalize();
}

// The click below returns only once the download has: had the download waited
// for the server, that would take ten minutes, far beyond the test's limit.
// The worker is still waiting when the program ends, which ends it too.
TEST_P(DownloadWaitTest, FinalizeDuringTheWaitRepliesAndLeavesNothingBehind) {
    ASSERT_TRUE(server().SetMode(Mode(kEndlessMs)));
    auto& e = StartWith(TickingSettings());
    HWND form = FindForm();

    const std::optional<std::size_t> writesAtFinalize = FinalizeDuringTheRefresh(e);
    ASSERT_TRUE(writesAtFinalize.has_value());
    EXPECT_EQ(StatusWriteCount(), *writesAtFinalize);
    EXPECT_FALSE(IsWindow(form));
    EXPECT_EQ(FindForm(), nullptr);
    EXPECT_TRUE(e.contract.icons().empty());
    const std::size_t ticks = e.timers.size();
    e.Pump(300);
    EXPECT_EQ(e.timers.size(), ticks) << "a timer fired after finalisation";
    EXPECT_EQ(StatusWriteCount(), *writesAtFinalize);
    ASSERT_FALSE(LogMessages().empty());
    EXPECT_EQ(LogMessages().back(), "shutdown complete");
}

// The messenger finalises and unloads the plug-in from a message it handles
// while the download waits, so the plug-in's code is still on the stack
// below: the waiting worker keeps the library mapped until its call has
// ended, and then gives it back, the last of all.
TEST_P(DownloadWaitTest, UnloadRightAfterFinalizeKeepsTheLibraryUntilTheWorkerEnds) {
    ASSERT_TRUE(server().SetMode(Mode(kHoldMs)));
    auto& e = StartWith(BaseSettings());

    std::optional<std::string> reply;
    WhenTheServerHolds([&] {
        reply = e.Finalize();
        e.plugin().Unload();
    });
    e.ClickIcon(0);

    ASSERT_EQ(reply, FinalizeReply());
    EXPECT_NE(GetModuleHandleA("ostixWeather.dll"), nullptr) << "unmapped under a waiting worker";
    EXPECT_TRUE(e.PumpUntil([] { return GetModuleHandleA("ostixWeather.dll") == nullptr; }, 60000))
        << "a worker kept its reference after the server answered";
    e.Pump(300);  // the process lives on, and nothing of the library runs
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды выключен"));
}

INSTANTIATE_TEST_SUITE_P(Server, DownloadWaitTest, ::testing::ValuesIn(kWaits),
                         [](const ::testing::TestParamInfo<WaitCase>& info) { return std::string(info.param.name); });

// Thousands of calls handed to the worker and back, as fast as they go: the
// line is the one the whole document gives (as far as a line goes), not a
// piece read twice or lost. A document of the largest size read, searched on
// the download's own thread: the host's timer ticks on all along.
TEST_F(DownloadTest, ALargeDocumentArrivesWholeThroughTheWorker) {
    ASSERT_TRUE(server().SetMode("name=large&size_mb=64"));
    const std::string whole = ExpectedStatus(0, TownCode(0, 0));
    const std::string expected = whole.substr(0, Status(L"").size() + ow::kMaxWeatherLineBytes);
    ASSERT_LT(expected.size(), whole.size()) << "the document's line is cut";
    auto& e = StartWith(BaseSettings());
    e.window().RecordStatusWrites(false);
    EXPECT_GE(ClickCountingHostTicks(e), 10);
    const std::string shown = StatusText(2);
    EXPECT_EQ(shown.size(), expected.size());
    EXPECT_TRUE(shown == expected) << "the line differs from the whole document's";
    e.Finalize();
}

// A server that sends more than the plug-in reads: the download ends as a
// connection error as soon as the document passes 64 MiB, nothing kept.
// The server then stops for ten minutes before the rest: the click below
// returns only because closing the download, which reads what is left of
// the body, happens on the download's own thread.
TEST_F(DownloadTest, ADocumentPastSixtyFourMebibytesIsAConnectionError) {
    ASSERT_TRUE(server().SetMode("name=large&size_mb=130&interval_ms=" + std::to_string(kEndlessMs)));
    auto& e = StartWith(BaseSettings());
    e.window().RecordStatusWrites(false);
    EXPECT_GE(ClickCountingHostTicks(e), 10);
    EXPECT_EQ(StatusText(2), Status(L"Ошибка соединения"));
    e.Finalize();
}

}  // namespace
}  // namespace wine_tests
