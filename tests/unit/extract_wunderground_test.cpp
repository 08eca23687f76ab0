#include <gtest/gtest.h>

#include <string>

#include "literal_extract.h"
#include "weather/core/extract_weather_line.h"

namespace ow {
namespace {

struct LineCase {
    const char* name;
    std::string document;
    std::string expected;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << c.name; }

// Each case is checked against the shipped extraction and the literal one.
class WundergroundLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(WundergroundLineTest, GivesExpectedLine) {
    const auto& c = GetParam();
    EXPECT_EQ(ExtractWeatherLine(c.document, kWundergroundSource), c.expected);
    EXPECT_EQ(literal::ExtractWeatherLine(c.document, kWundergroundSource), c.expected);
}

const std::string kChannel =
    "<channel><title>Weather Underground - Town</title>"
    "<description>Station feed</description>";

INSTANTIATE_TEST_SUITE_P(
    Cases, WundergroundLineTest,
    ::testing::Values(
        LineCase{"NoMarkersAtAll", "nothing to see here", ". . "},
        LineCase{"SecondDescriptionShown",
                 kChannel +
                     "<item><pubDate>Mon</pubDate><description>Clear | Updated 1</description>"
                     "</item><item><pubDate>Tue</pubDate>"
                     "<description>Rain | Updated 2</description></item>",
                 "Mon. Town. Clear"},
        LineCase{"RealDateKeptWhole",
                 kChannel + "<pubDate>Tue, 08 Dec 2026 09:00:00 GMT</pubDate>"
                            "<description>Fog | Updated</description>",
                 "Tue, 08 Dec 2026 09:00:00 GMT. Town. Fog"},
        LineCase{"SixCharacterDateKeptWhole", "<pubDate>123456</pubDate>", "123456. . "},
        LineCase{"DegreeSignInEachPiece",
                 "<title>Weather Underground - 5&#176; Town</title><description>a</description>"
                 "<pubDate>&#176;D</pubDate><description>+5&#176;C | Updated</description>",
                 "\xB0" "D. 5\xB0 Town. +5\xB0" "C"},
        LineCase{"DegreeReferenceSplitByLineBreak", "<pubDate>&#1\r\n76;</pubDate>", "\xB0. . "},
        LineCase{"OtherReferencesStay", "<pubDate>&amp;&#177;</pubDate>", "&amp;&#177;. . "},
        LineCase{"WordsJoinedAcrossRemovedBreaks",
                 "<title>Weather Underground - New\r\nYork</title></description>"
                 "<description>Partly\tCloudy\n | Updated",
                 ". NewYork. PartlyCloudy"},
        LineCase{"MarkerJoinedAcrossRemovedBreak", "<pub\nDate>D</pubDate>", "D. . "},
        LineCase{"PiecesTrimmed",
                 "<pubDate> \x01" "D \x1F</pubDate>Weather Underground -   T  </title>"
                 "</description><description>  x  | Updated",
                 "D. T. x"},
        LineCase{"NoTitleEnd", "Weather Underground - Town<pubDate>D</pubDate>", "D. . "},
        LineCase{"TitleEndBeforeTitleStart", "<title>x</title>Weather Underground - T", ". . "},
        LineCase{"NoTitleStartTakesFromTwentyFirst", "12345678901234567890ABC </title>",
                 ". ABC. "},
        LineCase{"NoDateEnd", "<pubDate>D", ". . "},
        LineCase{"DateEndBeforeDateStart", "</pubDate>x<pubDate>D", ". . "},
        LineCase{"NoDateStartTakesFromNinthToBeforeEnd", "12345678ABCD</pubDate>", "ABCD. . "},
        LineCase{"NoDateStartAndEarlyEnd", "ab</pubDate>", ". . "},
        LineCase{"NoDescriptionEndUsesFirstDescription", "<description>D | Updated", ". . D"},
        LineCase{"DescriptionEndAtFirstCharacter", "</description><description>D | Updated",
                 ". . D"},
        LineCase{"NoDescriptionAfterEndCutsTwelve", "</description>abc | Updated", ". . n>abc"},
        LineCase{"NoUpdatedAfterDescription",
                 "| Updated</description><description>Clear", ". . "},
        LineCase{"UpdatedAtDescriptionStart", "</description><description>| Updated", ". . "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ow
