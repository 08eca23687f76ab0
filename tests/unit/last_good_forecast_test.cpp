// The last good forecast a failed refresh shows: its age in Russian, its
// file and the rule on source, town and staleness.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/cp1251.h"
#include "display/core/forecast_age.h"
#include "display/core/kept_forecast.h"
#include "display/core/last_good_forecast.h"
#include "weather/core/forecast_line.h"
#include "weather/core/open_meteo_texts.h"

namespace ow {
namespace {

using Text = Cp1251Text<48>;
consteval Text T(std::u8string_view utf8) { return Cp1251In<48>(utf8); }

constexpr std::int64_t kMinute = 60;
constexpr std::int64_t kHour = 3600;

struct AgeCase {
    std::int64_t seconds;
    Text text;  // empty: stale
};

const AgeCase kAges[] = {
    {0, T(u8"меньше минуты назад")},
    {kMinute - 1, T(u8"меньше минуты назад")},
    {kMinute, T(u8"1 минуту назад")},
    {2 * kMinute - 1, T(u8"1 минуту назад")},
    {2 * kMinute, T(u8"2 минуты назад")},
    {4 * kMinute, T(u8"4 минуты назад")},
    {5 * kMinute, T(u8"5 минут назад")},
    {11 * kMinute, T(u8"11 минут назад")},
    {12 * kMinute, T(u8"12 минут назад")},
    {14 * kMinute, T(u8"14 минут назад")},
    {21 * kMinute, T(u8"21 минуту назад")},
    {22 * kMinute, T(u8"22 минуты назад")},
    {25 * kMinute, T(u8"25 минут назад")},
    {kHour - 1, T(u8"59 минут назад")},
    {kHour, T(u8"1 час назад")},
    {2 * kHour, T(u8"2 часа назад")},
    {4 * kHour + 59 * kMinute, T(u8"4 часа назад")},
    {5 * kHour, T(u8"5 часов назад")},
    {11 * kHour, T(u8"11 часов назад")},
    {12 * kHour, T(u8"12 часов назад")},
    {20 * kHour, T(u8"20 часов назад")},
    {21 * kHour, T(u8"21 час назад")},
    {22 * kHour, T(u8"22 часа назад")},
    {24 * kHour - 1, T(u8"23 часа назад")},
    {24 * kHour, T(u8"")},
    {400 * 24 * kHour, T(u8"")},
    {-1, T(u8"")},
    {-5 * kHour, T(u8"")},
};

TEST(ForecastAgeTest, EveryPluralFormAndEveryBoundary) {
    for (const AgeCase& c : kAges) {
        const auto text = AgeText(c.seconds);
        if (c.text.size == 0) {
            EXPECT_FALSE(text.has_value()) << c.seconds;
        } else {
            EXPECT_EQ(text.value_or("(stale)"), c.text.view()) << c.seconds;
        }
    }
}

TEST(ForecastAgeTest, PluralFormsPastTheHundreds) {
    EXPECT_EQ(RussianPluralForm(101), PluralForm::One);
    EXPECT_EQ(RussianPluralForm(111), PluralForm::Many);
    EXPECT_EQ(RussianPluralForm(112), PluralForm::Many);
    EXPECT_EQ(RussianPluralForm(122), PluralForm::Few);
    EXPECT_EQ(RussianPluralForm(1000), PluralForm::Many);
}

// The file and the log as a restart finds them.
class FakeStore final : public KeptForecastStore {
public:
    std::optional<std::string> Read() override {
        ++reads;
        return file;
    }
    bool Write(std::string_view bytes) override {
        if (locked) return false;
        file = std::string(bytes);
        return true;
    }
    void WriteDebugLog(std::string_view message) override { log.emplace_back(message); }

    std::optional<std::string> file;
    bool locked = false;
    int reads = 0;
    std::vector<std::string> log;
};

constexpr auto kFailure = Cp1251(u8"Ошибка соединения");
constexpr auto kLine = Cp1251(u8"Москва. Сейчас -3°, снег.");
constexpr std::int64_t kFetched = 1'765'400'000;  // 2025-12-10, UTC
constexpr int kSource = 2;
constexpr std::string_view kTown = "55.7522,37.6156";

// `age` in code page 1251.
std::string ShownAfter(std::string_view age) {
    return kFailure.str() + "; " + Cp1251(u8"последний прогноз ").str() + std::string(age) + ": " + kLine.str();
}

class LastGoodForecastTest : public ::testing::Test {
protected:
    // A successful refresh of Moscow's forecast at kFetched.
    void Succeed(LastGoodForecast& last) {
        EXPECT_EQ(last.AfterRefresh(kSource, kTown, kLine.view(), true, kFetched), std::nullopt);
    }
    std::optional<std::string> Fail(LastGoodForecast& last, std::int64_t at, int source = kSource,
                                    std::string_view town = kTown) {
        return last.AfterRefresh(source, town, kFailure.view(), false, at);
    }

    FakeStore store_;
};

TEST_F(LastGoodForecastTest, AFailureShowsItsTextThenTheLastLineAndItsAge) {
    LastGoodForecast last(store_);
    Succeed(last);
    EXPECT_EQ(Fail(last, kFetched + 2 * kHour + 5), ShownAfter(Cp1251(u8"2 часа назад")));
    EXPECT_EQ(Fail(last, kFetched + 30), ShownAfter(Cp1251(u8"меньше минуты назад")));
    EXPECT_TRUE(store_.log.empty());
}

TEST_F(LastGoodForecastTest, AnotherSourceOrTownOrAStaleOrFutureLineLeavesTheFailureAlone) {
    LastGoodForecast last(store_);
    Succeed(last);
    EXPECT_EQ(Fail(last, kFetched + kMinute, 0), std::nullopt);
    EXPECT_EQ(Fail(last, kFetched + kMinute, kSource, "59.9386,30.3141"), std::nullopt);
    EXPECT_EQ(Fail(last, kFetched + 24 * kHour), std::nullopt);
    EXPECT_EQ(Fail(last, kFetched - 1), std::nullopt) << "a clock set back";
    EXPECT_EQ(Fail(last, kFetched + 24 * kHour - 1), ShownAfter(Cp1251(u8"23 часа назад")));
}

TEST_F(LastGoodForecastTest, ALineThatIsNoForecastKeepsTheOneBefore) {
    LastGoodForecast last(store_);
    Succeed(last);
    const std::string noData(open_meteo::kNoWeatherData.view());
    const auto shown = last.AfterRefresh(kSource, kTown, noData, false, kFetched + 5 * kMinute);
    EXPECT_EQ(shown, noData + "; " + ShownAfter(Cp1251(u8"5 минут назад")).substr(kFailure.size + 2));
    // An empty failure text gets no separator before the forecast.
    EXPECT_EQ(last.AfterRefresh(kSource, kTown, "", false, kFetched + kHour)->rfind(Cp1251(u8"последний").view(), 0),
              0u);
}

TEST_F(LastGoodForecastTest, TheFirstFailureAfterARestartFindsTheLineInTheFile) {
    {
        LastGoodForecast before(store_);
        Succeed(before);
    }
    LastGoodForecast after(store_);
    EXPECT_EQ(Fail(after, kFetched + 21 * kHour), ShownAfter(Cp1251(u8"21 час назад")));
    EXPECT_EQ(Fail(after, kFetched + 11 * kHour), ShownAfter(Cp1251(u8"11 часов назад")));
    EXPECT_EQ(store_.reads, 1) << "the file is read once";
}

TEST_F(LastGoodForecastTest, AWriteThatFailsIsLoggedAndMemoryStillHasTheLine) {
    store_.file = "old bytes";
    store_.locked = true;
    LastGoodForecast last(store_);
    Succeed(last);
    EXPECT_EQ(store_.file, "old bytes");
    EXPECT_EQ(store_.log, std::vector<std::string>{"Last forecast not saved: ostixweather_last.dat"});
    EXPECT_EQ(Fail(last, kFetched + 3 * kHour), ShownAfter(Cp1251(u8"3 часа назад")));
}

TEST_F(LastGoodForecastTest, ALineTooLongForTheFileIsKeptInMemoryOnly) {
    LastGoodForecast last(store_);
    const std::string huge(kKeptForecastFileLimit, 'x');
    EXPECT_EQ(last.AfterRefresh(kSource, kTown, huge, true, kFetched), std::nullopt);
    EXPECT_FALSE(store_.file.has_value());
    EXPECT_EQ(store_.log.size(), 1u);
    EXPECT_EQ(Fail(last, kFetched + kMinute)->size(), ShownAfter(Cp1251(u8"1 минуту назад")).size() - kLine.size + huge.size());
}

TEST_F(LastGoodForecastTest, TheFileRoundTripsAnyLine) {
    const KeptForecast kept{1, "KJFK=x", std::string("a\r\nb=c\r\n\0z", 10), 0};
    const auto decoded = DecodeKeptForecast(EncodeKeptForecast(kept));
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(decoded->sourceIndex, kept.sourceIndex);
    EXPECT_EQ(decoded->townCode, kept.townCode);
    EXPECT_EQ(decoded->line, kept.line);
    EXPECT_EQ(decoded->fetchedAt, kept.fetchedAt);
}

TEST_F(LastGoodForecastTest, ADamagedEmptyForeignOrOtherVersionsFileIsIgnoredAndLogged) {
    const std::string good = EncodeKeptForecast(KeptForecast{kSource, std::string(kTown), kLine.str(), kFetched});
    auto replaced = [&](std::string_view from, std::string_view to) {
        std::string bytes = good;
        bytes.replace(bytes.find(from), from.size(), to);
        return bytes;
    };
    const std::string files[] = {
        "",
        "resource=0\r\ncity=0\r\n",
        replaced("forecast 1", "forecast 2"),
        good.substr(0, good.size() - 1),  // cut short
        good.substr(0, good.find("line=")),
        replaced("time=", "time=-"),
        replaced("time=", "time= "),
        replaced("time=1", "time=99999999999999999999"),
        replaced("source=2", "source=two"),
        replaced("source=2", "source=99999999999"),
        replaced("\r\ntown=", "\ntown="),
        good.substr(0, good.find("line=")) + "line=\r\n",
        good + std::string(kKeptForecastFileLimit, ' '),
    };
    ASSERT_TRUE(DecodeKeptForecast(good).has_value());
    for (const std::string& file : files) {
        FakeStore store;
        store.file = file;
        LastGoodForecast last(store);
        EXPECT_EQ(last.AfterRefresh(kSource, kTown, kFailure.view(), false, kFetched + kMinute), std::nullopt) << file;
        EXPECT_EQ(store.log, std::vector<std::string>{"Last forecast file ignored: ostixweather_last.dat"}) << file;
    }
    // No file at all is nothing to report.
    LastGoodForecast last(store_);
    EXPECT_EQ(Fail(last, kFetched), std::nullopt);
    EXPECT_TRUE(store_.log.empty());
}

TEST(ForecastLineTest, OnlyALineThatTellsTheWeatherIsKept) {
    EXPECT_TRUE(HasWeatherWords(kLine.view()));
    EXPECT_TRUE(HasWeatherWords("Mostly Cloudy. 5"));
    EXPECT_FALSE(HasWeatherWords(""));
    EXPECT_FALSE(HasWeatherWords(". . "));
    EXPECT_TRUE(IsOpenMeteoForecast(kLine.view()));
    EXPECT_FALSE(IsOpenMeteoForecast(open_meteo::kNoWeatherData.view()));
    EXPECT_FALSE(IsOpenMeteoForecast("Open-Meteo: Latitude must be in range of -90 to 90"));
    EXPECT_FALSE(IsOpenMeteoForecast(" "));
}

}  // namespace
}  // namespace ow
