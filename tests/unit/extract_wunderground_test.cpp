#include <gtest/gtest.h>

#include <string>

#include "extract_test_support.h"

namespace ow {
namespace {
using extract_test::LineCase;

class WundergroundLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(WundergroundLineTest, GivesExpectedLine) {
    EXPECT_TRUE(
        extract_test::GivesLine(GetParam().document, kWundergroundSource, GetParam().expected));
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
    extract_test::CaseName);

}  // namespace
}  // namespace ow
