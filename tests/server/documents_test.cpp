// The generated documents and the pieces they are made of.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "common/cp1251.h"
#include "forecast_model.h"
#include "sized_document.h"
#include "town_catalog.h"
#include "weather_document.h"

namespace ow::sample {
namespace {

constexpr auto kIrkutsk = Cp1251(u8"Иркутск");

std::string Informer(std::string_view code, CalendarDate date = kDefaultForecastDate) {
    return BuildWeatherDocument(Source::Informer, kIrkutsk.view(), code, date).parts.Whole();
}

TEST(InformerDocument, CarriesTheMarkersTheReaderCutsAt) {
    const std::string doc = Informer("30710");
    const auto open = doc.find("ite(\"");
    const auto close = doc.find("\");");
    ASSERT_NE(open, std::string::npos);
    ASSERT_NE(close, std::string::npos);
    EXPECT_EQ(doc.substr(open - 11, 16), "document.write(\"");
    EXPECT_EQ(doc.find("\");", close + 1), std::string::npos);
    EXPECT_EQ(doc.substr(close), "\");\r\n");
    const std::string payload = doc.substr(open + 5, close - open - 5);
    EXPECT_NE(payload.find("GISMETEO.RU</b></font>"), std::string::npos);
    EXPECT_NE(payload.find(std::string("<b>") + std::string(kIrkutsk.view()) + "</b></font>"), std::string::npos);
    // 2026-12-08 is a Tuesday.
    EXPECT_NE(payload.find(Cp1251(u8"<b>Вт, 8 декабря</b>ночью ").str()), std::string::npos);
    EXPECT_NE(payload.find(Cp1251(u8"<b>Чт, 10 декабря</b>").str()), std::string::npos);
    EXPECT_EQ(payload.find('\n'), std::string::npos);
    EXPECT_EQ(payload.find('"'), std::string::npos);
}

TEST(FeedDocument, CarriesTheMarkersTheReaderCutsAt) {
    const std::string doc = BuildWeatherDocument(Source::Feed, "Irkutsk", "30710", kDefaultForecastDate).parts.Whole();
    EXPECT_LT(doc.find("Weather Underground - Irkutsk</title>"), doc.find("</title>") + 1);
    EXPECT_EQ(doc.substr(doc.find("<pubDate>"), 48), "<pubDate>Tue, 08 Dec 2026 09:00:00 GMT</pubDate>");
    const auto firstEnd = doc.find("</description>");
    const auto second = doc.find("<description>", firstEnd);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(doc.substr(second, 26), "<description>Temperature: ");
    EXPECT_LT(doc.find("| Updated", second), doc.find("</description>", second));
    EXPECT_NE(doc.find("&#176;C"), std::string::npos);
    EXPECT_TRUE(doc.ends_with("</channel>\n</rss>\n"));
}

TEST(FeedDocument, EscapesTownNamesForXml) {
    const std::string doc = BuildWeatherDocument(Source::Feed, "A&B <C>", "1", kDefaultForecastDate).parts.Whole();
    EXPECT_NE(doc.find("Weather Underground - A&amp;B &lt;C&gt;</title>"), std::string::npos);
}

TEST(Forecast, DependsOnlyOnTheCodeAndTheDate) {
    EXPECT_EQ(Informer("30710"), Informer("30710"));
    EXPECT_NE(Informer("30710"), Informer("27612"));
    EXPECT_NE(Informer("30710"), Informer("30710", {2026, 7, 1}));
    // A day reads the same whichever date the forecast starts from.
    const Forecast today = MakeForecast("30710", {2026, 12, 31});
    const Forecast tomorrow = MakeForecast("30710", {2027, 1, 1});
    EXPECT_EQ(today.days[1].date, (CalendarDate{2027, 1, 1}));
    EXPECT_EQ(today.days[1].dayHigh, tomorrow.days[0].dayHigh);
    EXPECT_EQ(today.days[2].windDirection, tomorrow.days[1].windDirection);
    for (const DayForecast& day : today.days) {
        EXPECT_LE(day.nightLow, day.nightHigh);
        EXPECT_LT(day.nightHigh, day.dayLow);
        EXPECT_LE(day.dayLow, day.dayHigh);
    }
}

TEST(SizedDocument, ReadsTheSameBytesInAnyPieces) {
    DocumentParts plain;
    plain.head = "HEAD";
    plain.repeatUnit = "<u>";
    plain.tail = "TAIL";
    DocumentParts framed = plain;
    framed.fillerOpening = "[";
    framed.fillerClosing = "]";
    const std::tuple<const DocumentParts&, std::size_t, std::string> cases[] = {
        {plain, 20, "HEAD<u><u><u><u>TAIL"},
        {plain, 22, "HEAD<u><u><u><u>  TAIL"},
        {plain, 3, "HEADTAIL"},  // never below the natural size
        {framed, 8, "HEADTAIL"},
        {framed, 9, "HEAD[]TAIL"},  // stretched, never without its frame
        {framed, 17, "HEAD[<u><u> ]TAIL"},
    };
    for (const auto& [parts, size, expected] : cases) {
        const SizedDocument doc(parts, size);
        ASSERT_EQ(doc.size(), expected.size());
        for (std::size_t offset = 0; offset <= expected.size() + 1; ++offset) {
            for (std::size_t count = 0; count <= 7; ++count) {
                std::string out(count, '?');
                out.resize(doc.Read(offset, out.data(), count));
                EXPECT_EQ(out, offset < expected.size() ? expected.substr(offset, count) : "")
                    << size << " " << offset << " " << count;
            }
        }
    }
}

TEST(TownCatalog, SplitsLinesAtTheFirstEqualsSignAndKeepsCodesUntrimmed) {
    const TownCatalog catalog = TownCatalog::Parse("Irkutsk=30710\r\nMoscow=27612\nA=B=C\rNo sign\r\nTrail=12 \r\n"
                                                   "Again=30710\n=empty name\nlast=9");
    EXPECT_EQ(catalog.NameOf("30710"), "Irkutsk");  // the first entry of a code wins
    EXPECT_EQ(catalog.NameOf("27612"), "Moscow");
    EXPECT_EQ(catalog.NameOf("B=C"), "A");
    EXPECT_EQ(catalog.NameOf("12 "), "Trail");
    EXPECT_EQ(catalog.NameOf("12"), std::nullopt);
    EXPECT_EQ(catalog.NameOf("empty name"), "");
    EXPECT_EQ(catalog.NameOf("9"), "last");
    EXPECT_EQ(catalog.size(), 6u);
}

TEST(TownCatalog, FallsBackToTheBuiltInTowns) {
    bool fromFile = true;
    const TownCatalog informer = TownCatalog::Load("/nonexistent/gis_towns.ini", Source::Informer, &fromFile);
    EXPECT_FALSE(fromFile);
    EXPECT_EQ(informer.NameOf("30710"), kIrkutsk.str());
    EXPECT_EQ(informer.NameOf("26063"), Cp1251(u8"Санкт-Петербург").str());
    const TownCatalog feed = TownCatalog::BuiltIn(Source::Feed);
    EXPECT_EQ(feed.NameOf("29634"), "Novosibirsk");
    EXPECT_EQ(feed.size(), 4u);
}

}  // namespace
}  // namespace ow::sample
