// The outcome of a download: the text, CachedWeatherLine, the extractor, the
// ticker and the closing of the handles.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "fetch_fake_port.h"
#include "weather/core/document_reading.h"
#include "weather/core/fetch_texts.h"

namespace ow::fetch_test {
namespace {

using Handles = std::vector<HInternet>;

// No extraction, no ticker, and the text left in the cache.
void ExpectFailure(const FetchRig& rig, const FetchResult& result, std::string_view text) {
    EXPECT_EQ(result.text, text);
    EXPECT_FALSE(result.extracted);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(rig.display.CachedWeatherLine, text);
    EXPECT_TRUE(rig.extractions.empty());
    EXPECT_EQ(rig.tickerStarts, 0);
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.port.AllClosed());
}

TEST(FetchWeather, OpenFailingGivesConnectionError) {
    FetchRig rig;
    rig.port.failOpen = true;

    const FetchResult result = rig.Fetch();

    ExpectFailure(rig, result, kConnectionErrorText);
    EXPECT_TRUE(rig.port.urls.empty());
    EXPECT_TRUE(rig.port.closes.empty());
}

TEST(FetchWeather, OpenUrlFailingClosesTheInternetHandle) {
    FetchRig rig;
    rig.values.UseProxy = rig.values.ProxyAuth = true;
    ScriptedResponse refused;
    refused.failOpenUrl = true;
    rig.port.responses.push_back(refused);

    const FetchResult result = rig.Fetch();

    ExpectFailure(rig, result, kConnectionErrorText);
    EXPECT_EQ(rig.port.closes, Handles{rig.port.internetHandles.at(0)});
    EXPECT_TRUE(rig.port.reads.empty());
}

class BlankBody : public testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BlankBody, GivesConnectionError) {
    FetchRig rig;
    rig.Respond(GetParam());
    ExpectFailure(rig, rig.Fetch(), kConnectionErrorText);
}

INSTANTIATE_TEST_SUITE_P(Fetch, BlankBody,
                         testing::Values(std::vector<std::string>{},
                                         std::vector<std::string>{" \r\n", "\t  ", std::string(3, '\0')}));

class AuthorisationMarker : public testing::TestWithParam<bool> {};

TEST_P(AuthorisationMarker, IsReportedWithOrWithoutProxy) {
    FetchRig rig;
    rig.values.UseProxy = GetParam();
    rig.Respond({"<html>Weather for authori", "zed users only</html>"});
    ExpectFailure(rig, rig.Fetch(), kProxyAuthFailedText);
}

INSTANTIATE_TEST_SUITE_P(Fetch, AuthorisationMarker, testing::Bool());

TEST(FetchWeather, Http407PageIsAnAuthorisationFailure) {
    FetchRig rig;
    rig.values.UseProxy = rig.values.ProxyAuth = true;
    rig.Respond({"HTTP 407 Proxy Authentication Required"});
    ExpectFailure(rig, rig.Fetch(), kProxyAuthFailedText);
}

TEST(FetchWeather, ExtractsFromTheUntrimmedBodyOfTheSelectedSource) {
    FetchRig rig;
    rig.values.SourceIndex = 1;
    rig.extractedLine = "Moscow +20";
    rig.Respond({"\r\n  <rss>", "</rss>  \r\n"});

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(result.text, "Moscow +20");
    EXPECT_TRUE(result.extracted);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(rig.display.CachedWeatherLine, "Moscow +20");
    ASSERT_EQ(rig.extractions.size(), 1u);
    EXPECT_EQ(rig.extractions[0].document, "\r\n  <rss></rss>  \r\n");
    EXPECT_EQ(rig.extractions[0].sourceIndex, 1);
    // The ticker starts once, after the line is stored.
    EXPECT_EQ(rig.tickerStarts, 1);
    EXPECT_EQ(rig.cacheWhenTickerStarted, "Moscow +20");
}

TEST(FetchWeather, ALineLongerThanAnyForecastIsCut) {
    FetchRig rig;
    rig.extractedLine = std::string(kMaxWeatherLineBytes, 'a') + "past the limit";
    rig.Respond({"<html>"});

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(result.text, std::string(kMaxWeatherLineBytes, 'a'));
    EXPECT_TRUE(result.extracted);
    EXPECT_EQ(rig.display.CachedWeatherLine, result.text);
}

TEST(FetchWeather, EmptyExtractedLineIsStillASuccess) {
    FetchRig rig;
    rig.extractedLine = "";
    rig.Respond({"document without markers"});

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(result.text, "");
    EXPECT_TRUE(result.extracted);
    EXPECT_EQ(rig.display.CachedWeatherLine, "");
    EXPECT_EQ(rig.tickerStarts, 1);
}

TEST(FetchWeather, CacheHoldsErrorWhileMessagesRun) {
    FetchRig rig;
    rig.display.CachedWeatherLine = "old line";
    std::vector<std::string> seen;
    rig.port.onPump = [&] { seen.push_back(rig.display.CachedWeatherLine); };
    rig.Respond({"a", "b"});

    rig.Fetch();

    EXPECT_EQ(seen, (std::vector<std::string>{"error", "error"}));
    EXPECT_EQ(rig.display.CachedWeatherLine, rig.extractedLine);
}

// The document is read on the download's own thread, which lives as long as
// its Internet handle: the server's handle goes first, that one after.
TEST(FetchWeather, ClosesUrlHandleBeforeExtractingOnTheDownloadsThreadThenInternetHandle) {
    FetchRig rig;
    rig.Respond({"page"});
    Handles closedBeforeExtraction;
    rig.duringExtraction = [&] { closedBeforeExtraction = rig.port.closes; };

    FetchWeather("1", rig.values, rig.display, rig.Services());

    EXPECT_EQ(rig.port.asides, 1);
    EXPECT_EQ(rig.port.closes, (Handles{rig.port.urlHandles.at(0), rig.port.internetHandles.at(0)}));
    EXPECT_EQ(closedBeforeExtraction, Handles{rig.port.urlHandles.at(0)});
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.NothingInProgress());
}

// Given up (the messenger quits, the deadline passed) or out of memory there:
// a connection error, nothing extracted, no ticker.
TEST(FetchWeather, ADocumentItsThreadCouldNotReadIsAConnectionError) {
    FetchRig rig;
    rig.Respond({"page"});
    rig.port.failAside = true;

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(result.text, kConnectionErrorText.view());
    EXPECT_FALSE(result.extracted);
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(rig.display.CachedWeatherLine, result.text);
    EXPECT_EQ(rig.tickerStarts, 0);
    EXPECT_TRUE(rig.port.AllClosed());
}

TEST(FetchWeather, ExceptionWhileReadingClosesHandlesAndLeavesError) {
    FetchRig rig;
    rig.Respond({"a", "b"});
    rig.port.onPump = [] { throw std::runtime_error("out of memory"); };

    EXPECT_THROW(rig.Fetch(), std::runtime_error);

    EXPECT_EQ(rig.display.CachedWeatherLine, "error");
    EXPECT_EQ(rig.port.closes, (Handles{rig.port.urlHandles.at(0), rig.port.internetHandles.at(0)}));
    EXPECT_TRUE(rig.NothingInProgress());
    EXPECT_EQ(rig.tickerStarts, 0);
}

}  // namespace
}  // namespace ow::fetch_test
