// A download lets the host's messages run between network reads. These tests
// run things inside a slow download: a re-display, a second download, and the
// messenger closing the plug-in.
#include <optional>

#include "display/core/window_timers.h"
#include "download_fixture.h"

namespace wine_tests {
namespace {

// The informer document, one byte every `ms` milliseconds: 673 bytes.
std::string TrickleEvery(int ms) { return "name=trickle&interval_ms=" + std::to_string(ms); }

class DownloadNestingTest : public DownloadTest {
protected:
    // Clicks the icon, remembering that a click is under way meanwhile.
    void Click(int button) {
        ++clicking_;
        emu().ClickIcon(button);
        --clicking_;
    }
    int clicking_ = 0;
};

TEST_F(DownloadNestingTest, ReDisplayDuringADownloadShowsError) {
    ASSERT_TRUE(server().SetMode(TrickleEvery(5)));
    Settings settings = BaseSettings();
    settings["bar-refresh"] = "1";
    auto& e = StartWith(settings);
    HWND form = FindForm();
    const std::size_t before = StatusWriteCount();

    // Once the download reads, a real re-display timer on the form fires,
    // then the bar is read back.
    std::optional<std::string> shownDuring;
    caller_.Post([&] {
        ASSERT_EQ(clicking_, 1);
        SetTimer(form, ow::kRedisplayTimer, 10, nullptr);
        caller_.After(150, [&] {
            if (clicking_ == 1) shownDuring = StatusText(2);
        });
    });
    Click(0);

    ASSERT_TRUE(shownDuring.has_value()) << "the download ended before the bar was read";
    EXPECT_EQ(*shownDuring, Status(L"error"));
    const std::string expected = ExpectedStatus(0, TownCode(0, 0));
    const auto writes = StatusWrites(2, before);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes.front(), Status(L"error"));
    EXPECT_EQ(writes.back(), expected);
    EXPECT_EQ(StatusText(2), expected);

    // The re-display goes on afterwards with the line now in the cache.
    e.window().SetStatusText(2, "host text");
    ASSERT_TRUE(PumpUntilTick(form, ow::kRedisplayTimer, 4000));
    EXPECT_EQ(StatusText(2), expected);
    e.Finalize();
}

enum class Nested { IconClick, UpdateTick };
const char* NameOf(Nested n) { return n == Nested::IconClick ? "IconClick" : "UpdateTick"; }
void PrintTo(Nested n, std::ostream* os) { *os << NameOf(n); }

class DownloadInsideDownloadTest : public DownloadNestingTest, public ::testing::WithParamInterface<Nested> {};

TEST_P(DownloadInsideDownloadTest, BothCompleteWithTheirOwnHandles) {
    const std::string expected = ExpectedStatus(0, TownCode(0, 0));
    ASSERT_TRUE(server().SetMode(TrickleEvery(5)));
    // No ticker: its steps would write in the middle of the first download.
    auto& e = StartWith(BaseSettings());
    HWND form = FindForm();
    const std::size_t before = StatusWriteCount();

    bool nestedRan = false;
    std::size_t writesAfterNested = 0;
    caller_.Post([&] {
        ASSERT_EQ(clicking_, 1) << "not inside the first download";
        // The second download gets the document at once.
        ASSERT_TRUE(server().SetMode("name=normal"));
        if (GetParam() == Nested::IconClick) {
            Click(0);
        } else {
            SendMessageA(form, WM_TIMER, ow::kUpdateTimer, 0);
        }
        nestedRan = true;
        writesAfterNested = StatusWrites(2, before).size();
    });
    Click(0);

    ASSERT_TRUE(nestedRan);
    EXPECT_EQ(writesAfterNested, 1u) << "the second download showed its line before the first ended";
    // Both got the whole document: had the second closed the first one's
    // handles, the first would have ended with half of it.
    EXPECT_EQ(StatusWrites(2, before), (std::vector<std::string>{expected, expected}));
    const auto requests = server().Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].line, requests[1].line);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadInsideDownloadTest, ::testing::Values(Nested::IconClick, Nested::UpdateTick),
                         [](const ::testing::TestParamInfo<Nested>& info) { return std::string(NameOf(info.param)); });

// PE_FINALIZE arrives while one download, or a download nested in another,
// is reading: the downloads return, nothing touches the freed form, and
// nothing is written after "выключен".
class DownloadFinalizeTest : public DownloadNestingTest, public ::testing::WithParamInterface<int> {};

TEST_P(DownloadFinalizeTest, FinalizeInTheMiddleEndsTheDownloadsCleanly) {
    const int downloads = GetParam();
    // 13 s for the whole document: the test ends long before unless it hangs.
    ASSERT_TRUE(server().SetMode(TrickleEvery(20)));
    auto& e = StartWith(TickingSettings());
    HWND form = FindForm();

    std::optional<std::string> reply;
    int depthAtFinalize = 0;
    std::size_t writesAtFinalize = 0;
    std::function<void()> finalize = [&] {
        depthAtFinalize = clicking_;
        const auto answer = e.Finalize();
        reply = answer.value_or("(null)");
        writesAtFinalize = StatusWriteCount();
    };
    if (downloads == 1) {
        caller_.Post(finalize);
    } else {
        caller_.Post([&] {
            caller_.Post(finalize);  // runs inside the second download
            Click(0);
        });
    }
    const DWORD start = GetTickCount();
    Click(0);
    const DWORD took = GetTickCount() - start;

    EXPECT_EQ(depthAtFinalize, downloads);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, FinalizeReply());
    EXPECT_LT(took, 8000u) << "the interrupted download read on";
    EXPECT_EQ(StatusWriteCount(), writesAtFinalize) << "written after " << StatusText(2);
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды выключен"));
    EXPECT_FALSE(IsWindow(form) && IsWindowVisible(form));
    HWND anyForm = FindForm();
    EXPECT_TRUE(anyForm == nullptr || !IsWindowVisible(anyForm));

    // Nothing fires or writes afterwards.
    e.Pump(600);
    EXPECT_EQ(TimerTicks(form, ow::kScrollTimer) + TimerTicks(form, ow::kRedisplayTimer) +
                  TimerTicks(form, ow::kUpdateTimer),
              0);
    EXPECT_EQ(StatusWriteCount(), writesAtFinalize);

    // The messenger can switch the plug-in on again, and it downloads.
    ASSERT_TRUE(server().SetMode("name=normal"));
    ASSERT_TRUE(e.Initialize().has_value());
    EXPECT_FALSE(IsWindow(form)) << "the old form outlived the next call into the plug-in";
    HWND fresh = FindForm();
    EXPECT_NE(fresh, nullptr);
    Click(0);
    EXPECT_EQ(StatusText(2), ExpectedStatus(0, TownCode(0, 0)));
    e.Finalize();
    StopEmulator();
    EXPECT_FALSE(IsWindow(fresh));
}

INSTANTIATE_TEST_SUITE_P(Download, DownloadFinalizeTest, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == 1 ? "OneDownload" : "NestedDownloads");
                         });

}  // namespace
}  // namespace wine_tests
