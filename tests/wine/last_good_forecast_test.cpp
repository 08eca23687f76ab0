// A refresh that fails shows its failure text, then the last good forecast of
// the same source and town with its age, in the bar (through the ticker) and
// in the preferences' test field; the forecast survives a restart in its file.
#include <ctime>

#include "display/core/window_timers.h"
#include "download_fixture.h"
#include "prefs/win32/pref_control_ids.h"

namespace wine_tests {
namespace {

const std::string kFile = "ostixweather_last.dat";
std::string KeptFile() { return ReadFileBytes(PluginsDir() + "\\" + kFile); }

class LastGoodForecastTest : public DownloadTest {
protected:
    // The feed's town: its line is the shortest of the sources'.
    Settings FeedSettings() const {
        Settings settings = BaseSettings();
        settings["resource"] = "1";
        settings["use-scroll"] = "1";
        settings["use-scroll-speed"] = "5";
        settings["bar-refresh"] = "1";
        return settings;
    }
    static std::string Failed(const wchar_t* age, const std::string& line) {
        return Cp1251(L"Ошибка соединения; последний прогноз ") + Cp1251(age) + ": " + line;
    }
};

TEST_F(LastGoodForecastTest, AFailureAfterASuccessShowsTheLineWithItsAgeThroughTheTicker) {
    const std::string prefix = Status(L"");
    const std::string line = ExpectedStatus(1, TownCode(1, 0)).substr(prefix.size());
    auto& e = StartWith(FeedSettings());
    HWND form = FindForm();
    e.ClickIcon(0);
    ASSERT_EQ(StatusText(2), prefix + line);
    const std::string kept = KeptFile();
    EXPECT_EQ(kept.rfind("ostixWeather last forecast 1\r\nsource=1\r\ntown=" + TownCode(1, 0) + "\r\ntime=", 0), 0u)
        << kept;
    EXPECT_TRUE(kept.ends_with("\r\nline=" + line + "\r\n")) << kept;

    ASSERT_TRUE(server().SetMode("name=refuse"));
    RecordSteps(form);
    e.ClickIcon(0);
    const std::string shown = Failed(L"меньше минуты назад", line);
    EXPECT_EQ(StatusText(2), prefix + shown);
    // The ticker runs over the whole text: the seventh step drops its first character.
    ASSERT_TRUE(e.PumpUntil([&] { return Steps(ow::kScrollTimer).size() >= 7; }, 10000));
    EXPECT_EQ(Steps(ow::kScrollTimer)[6].shown, prefix + shown.substr(1));

    // A folder in the new file's place: the next success is not saved, the
    // old file stays whole, the log says so, and memory still has the line.
    ASSERT_TRUE(CreateDirectoryA((PluginsDir() + "\\" + kFile + ".new").c_str(), nullptr));
    ASSERT_TRUE(server().SetMode("name=normal"));
    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), prefix + line);
    EXPECT_EQ(KeptFile(), kept);
    EXPECT_EQ(LogMessages().back(), "Last forecast not saved: " + kFile);

    // The Test button follows the same rule.
    ASSERT_TRUE(server().SetMode("name=blank"));
    e.Preferences();
    HWND field = FindDescendant(form, ow::pref_id::eTest);
    SendMessageA(FindDescendant(form, ow::pref_id::bTest), BM_CLICK, 0, 0);
    char text[4096] = {};
    GetWindowTextA(field, text, sizeof text);
    EXPECT_EQ(std::string(text), prefix + shown);
    RemoveDirectoryA((PluginsDir() + "\\" + kFile + ".new").c_str());
    e.Finalize();
}

struct FileCase {
    const char* name;
    std::int64_t ageSeconds;
    const char* header;  // the file's first line
    const wchar_t* age;  // none: the failure alone
    bool ignored;        // the log says the file was ignored
};
void PrintTo(const FileCase& c, std::ostream* os) { *os << c.name; }

class LastGoodFileTest : public LastGoodForecastTest, public ::testing::WithParamInterface<FileCase> {};

// The plug-in starts with a file a previous run left and no network.
TEST_P(LastGoodFileTest, TheFirstFailureAfterAStartReadsTheFile) {
    const FileCase& c = GetParam();
    const std::string line = Cp1251(L"Иркутск. Сейчас -20°, ясно.");
    const std::int64_t fetched = static_cast<std::int64_t>(std::time(nullptr)) - c.ageSeconds;
    ASSERT_TRUE(WriteFileBytes(PluginsDir() + "\\" + kFile, std::string(c.header) + "\r\nsource=1\r\ntown=" +
                                                               TownCode(1, 0) + "\r\ntime=" + std::to_string(fetched) +
                                                               "\r\nline=" + line + "\r\n"));
    ASSERT_TRUE(server().SetMode("name=empty"));
    auto& e = StartWith(FeedSettings());
    e.ClickIcon(0);
    EXPECT_EQ(StatusText(2), c.age ? Status(L"") + Failed(c.age, line) : Status(L"Ошибка соединения"));
    const bool logged = LogMessages().back() == "Last forecast file ignored: " + kFile;
    EXPECT_EQ(logged, c.ignored);
    e.Finalize();
}

INSTANTIATE_TEST_SUITE_P(
    Restart, LastGoodFileTest,
    ::testing::Values(FileCase{"TwoHoursOld", 2 * 3600 + 30, "ostixWeather last forecast 1", L"2 часа назад", false},
                      FileCase{"FromTheFuture", -600, "ostixWeather last forecast 1", nullptr, false},
                      FileCase{"AnotherVersion", 60, "ostixWeather last forecast 2", nullptr, true}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wine_tests
