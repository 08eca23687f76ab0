// The ticker in the host's status bar, driven by the form's real window
// timers and read back from the bar after every timer message.
#include "display/core/window_timers.h"
#include "download_fixture.h"

namespace wine_tests {
namespace {

class TickerTest : public DownloadTest {};

TEST_F(TickerTest, WholePassStepByStepThenReDisplayEveryThreeSeconds) {
    // The feed gives the shorter line (about 160 characters: 16.5 s at 100 ms).
    const std::string expected = ExpectedStatus(1, TownCode(1, 0));
    const std::string prefix = Status(L"");
    const std::string line = expected.substr(prefix.size());
    Settings settings = BaseSettings();
    settings["resource"] = "1";
    settings["use-scroll"] = "1";
    settings["use-scroll-speed"] = "5";
    settings["bar-refresh"] = "1";
    auto& e = StartWith(settings);
    HWND form = FindForm();
    RecordSteps(form);

    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), expected);

    const std::size_t passLength = line.size() + 5;
    const bool ended = e.PumpUntil([&] { return Steps(ow::kScrollTimer).size() >= passLength; },
                                   static_cast<DWORD>(passLength) * 100 * 3 + 5000);
    ASSERT_TRUE(ended) << Steps(ow::kScrollTimer).size() << " of " << passLength << " steps";
    std::vector<std::string> shown;
    for (const auto& s : Steps(ow::kScrollTimer)) shown.push_back(s.shown);
    const auto pass = ExpectedPass(prefix, line);
    ASSERT_EQ(shown.size(), pass.size());
    for (std::size_t k = 0; k < pass.size(); ++k) EXPECT_EQ(shown[k], pass[k]) << "step " << k + 1;
    EXPECT_EQ(shown[passLength - 2], prefix + line.substr(line.size() - 2)) << "the last two characters";

    // The pass is over: no more steps; the re-display rewrites the line
    // every 3000 ms.
    for (int round = 0; round < 2; ++round) {
        e.window().SetStatusText(2, "host text");
        ASSERT_TRUE(PumpUntilTick(form, ow::kRedisplayTimer, 4500));
        EXPECT_EQ(StatusText(2), expected);
    }
    EXPECT_EQ(Steps(ow::kScrollTimer).size(), passLength);
    const auto redisplays = Steps(ow::kRedisplayTimer);
    ASSERT_EQ(redisplays.size(), 2u);
    EXPECT_GE(redisplays[1].at - redisplays[0].at, 2500u);
    e.Finalize();
}

TEST_F(TickerTest, TimersAreTheFormsWindowTimersAndStopAtFinalisation) {
    Settings settings = BaseSettings();
    settings["use-scroll"] = "1";
    settings["bar-refresh"] = "1";
    auto& e = StartWith(settings);
    HWND form = FindForm();
    ASSERT_NE(form, nullptr);
    char cls[64] = {};
    GetClassNameA(form, cls, sizeof cls);
    EXPECT_STREQ(cls, "TfPref");

    e.ClickIcon(0);
    // Some steps into the pass, the messenger closes the plug-in.
    ASSERT_TRUE(e.PumpUntil([&] { return TimerTicks(form, ow::kScrollTimer) >= 8; }, 5000));
    for (const auto& t : e.timers) {
        EXPECT_EQ(t.window, form) << "a WM_TIMER with id " << t.id << " for another window";
    }
    const std::size_t ticksBefore = e.timers.size();
    ASSERT_TRUE(e.Finalize().has_value());
    EXPECT_EQ(StatusText(2), Status(L"Плагин погоды выключен"));
    EXPECT_EQ(StatusWrites(2).back(), Status(L"Плагин погоды выключен"));
    const std::size_t writesAtFinalize = StatusWriteCount();

    e.Pump(1000);
    EXPECT_EQ(e.timers.size(), ticksBefore) << "a timer message after PE_FINALIZE";
    EXPECT_EQ(StatusWriteCount(), writesAtFinalize) << "written after " << StatusText(2);
    EXPECT_FALSE(IsWindow(form));
}

}  // namespace
}  // namespace wine_tests
