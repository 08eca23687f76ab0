#include <gtest/gtest.h>

#include <string>

#include "extract_test_support.h"

namespace ow {
namespace {
using extract_test::LineCase;

// A script the way the informer wraps its payload.
std::string Script(const std::string& payload) {
    return "document.write(\"" + payload + "\");\n";
}

class GismeteoLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(GismeteoLineTest, GivesExpectedLine) {
    EXPECT_TRUE(extract_test::GivesLine(GetParam().document, kGismeteoSource, GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GismeteoLineTest,
    ::testing::Values(
        LineCase{"WorkedExample",
                 Script("<font color=#000080><b>Town</b></font> +5..+7</b>rain</font>"),
                 "Town.  +5..+7, rain. "},
        LineCase{"OpeningThenClosingOnly", "ite(\"\");", ""},
        LineCase{"LineFeedReturnRemovedReturnLineFeedStays", Script("a\n\rb\r\nc\nd\re"),
                 "ab\r\nc\nd\re"},
        LineCase{"PairMadeByRemovingAPairStays", Script("a\n\n\r\rb"), "a\n\rb"},
        LineCase{"BoldAtEndLeavesTrailingComma", Script("<b>Town</b>"), "Town, "},
        LineCase{"SignatureCompletedByFontClose",
                 Script("<font><b>GISMETEO.RU</b></font>Moscow"), " Moscow"},
        LineCase{"SignatureCompletedByLoneFontClose", Script("GISMETEO.RU</font>x"), " x"},
        LineCase{"SignatureNotCompletedByBoldClose", Script("GISMETEO.RU</b>x"),
                 "GISMETEO.RU, x"},
        LineCase{"SignatureRemovedEverywhere", Script("aGISMETEO.RU.bGISMETEO.RU."), "ab"},
        LineCase{"SignatureMadeByRemovingOneStays", Script("GISMETEO.RGISMETEO.RU.U."),
                 "GISMETEO.RU."},
        LineCase{"SignatureSplitByTagStays", Script("GISMETEO<i>.RU."), "GISMETEO.RU."},
        LineCase{"LowerCaseSignatureStays", Script("gismeteo.ru."), "gismeteo.ru."},
        LineCase{"NoOpeningMarkerLosesFourCharacters", "abcdefgh\");", "efgh"},
        LineCase{"ShortDocumentWithoutOpeningMarker", "abc", ""},
        LineCase{"NoClosingMarker", "document.write(\"<b>Town</b>", ""},
        LineCase{"ClosingMarkerMadeByRemovedPair", "ite(\"a\")\n\r;b\");", "a"},
        LineCase{"FirstClosingMarkerEnds", Script("a\");b"), "a"},
        // The degree reference becomes the sign once the line is complete, so
        // one split by a removed tag, pair or signature counts too.
        LineCase{"DegreeReferenceBecomesSign", Script("<b>-3..-5&#176;C</b>"), "-3..-5\xB0" "C, "},
        LineCase{"DegreeReferenceJoinedAcrossRemovedTag", Script("+5&#1<i>76;"), "+5\xB0"},
        LineCase{"DegreeReferenceJoinedAcrossRemovedPair", Script("+5&#17\n\r6;"), "+5\xB0"},
        LineCase{"DegreeReferenceJoinedAcrossSignature", Script("&#1GISMETEO.RU.76;"), "\xB0"},
        LineCase{"DegreeReferenceInsideTagGoesWithIt", Script("a<i &#176;>b"), "ab"},
        LineCase{"OtherReferencesStay", Script("&&#176;&#177;&nbsp;&#176"),
                 "&\xB0&#177;&nbsp;&#176"},
        LineCase{"AttributesAndStrayClosingTagsGo", Script("<p class=x>a</i><br/>b"), "ab"},
        LineCase{"TagRunsToFirstCloseAfterIt", Script("a<<b>>c"), "a>c"},
        LineCase{"LoneCloseBracketStays", Script("a>b"), "a>b"},
        LineCase{"UnclosedTagKeepsTheRest", Script("a<b>c<d e"), "ac<d e"},
        LineCase{"UnclosedTagTailStillLosesSignature", Script("a<GISMETEO.RU.b"), "a<b"},
        LineCase{"UnclosedTagTailKeepsReplacements", Script("x<font </b>y</font>"),
                 "x<font , y. "},
        LineCase{"ReplacedClosingTagNoLongerEndsATag", Script("a<font x</b>y>z"), "az"},
        LineCase{"EmptyDocument", "", ""}),
    extract_test::CaseName);

TEST(ExtractWeatherLine, WorkedExampleHasTwentyOneCharacters) {
    EXPECT_EQ(ExtractWeatherLine(
                  Script("<font color=#000080><b>Town</b></font> +5..+7</b>rain</font>"),
                  kGismeteoSource)
                  .size(),
              21u);
}

TEST(ExtractWeatherLine, UnknownSourceGivesEmptyLine) {
    const std::string document = Script("<b>Town</b></font>");
    for (const int source : {static_cast<int>(TheWeatherSources().size()), -1, 100}) {
        EXPECT_EQ(ExtractWeatherLine(document, source), "") << source;
    }
}

}  // namespace
}  // namespace ow
