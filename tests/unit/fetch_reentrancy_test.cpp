// Downloads started or finalised while another download dispatches messages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fetch_fake_port.h"
#include "weather/core/fetch_texts.h"

namespace ow::fetch_test {
namespace {

using Handles = std::vector<HInternet>;

Handles ReadHandles(const FakeInternetPort& port) {
    Handles handles;
    for (const auto& read : port.reads) handles.push_back(read.handle);
    return handles;
}

TEST(FetchReentrancy, NestedFetchUsesOnlyItsOwnHandles) {
    FetchRig rig;
    rig.Respond({"outer one ", "outer two"});
    rig.Respond({"inner"});
    FetchResult inner;
    std::string cacheAfterInner;
    rig.port.onPump = [&] {
        if (rig.port.pumps != 1) return;
        rig.extractedLine = "inner line";
        inner = rig.Fetch();
        cacheAfterInner = rig.display.CachedWeatherLine;
        rig.extractedLine = "outer line";
    };

    const FetchResult outer = rig.Fetch();

    EXPECT_EQ(inner.text, "inner line");
    EXPECT_EQ(cacheAfterInner, "inner line");
    EXPECT_EQ(outer.text, "outer line");
    EXPECT_TRUE(outer.extracted);
    EXPECT_EQ(rig.display.CachedWeatherLine, "outer line");
    ASSERT_EQ(rig.extractions.size(), 2u);
    EXPECT_EQ(rig.extractions[0].document, "inner");
    EXPECT_EQ(rig.extractions[1].document, "outer one outer two");
    EXPECT_EQ(rig.tickerStarts, 2);

    const HInternet outerInternet = rig.port.internetHandles.at(0), innerInternet = rig.port.internetHandles.at(1);
    const HInternet outerUrl = rig.port.urlHandles.at(0), innerUrl = rig.port.urlHandles.at(1);
    EXPECT_EQ(rig.port.urls.at(1).internet, innerInternet);
    EXPECT_EQ(ReadHandles(rig.port), (Handles{outerUrl, innerUrl, outerUrl}));
    EXPECT_EQ(rig.port.closes, (Handles{innerUrl, innerInternet, outerUrl, outerInternet}));
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.NothingInProgress());
}

TEST(FetchReentrancy, FinalisationDuringTheReadCancelsTheFetch) {
    FetchRig rig;
    rig.Respond({"one ", "two ", "three"});
    rig.port.onPump = [&] {
        rig.registry.CloseAll();
    };

    const FetchResult result = rig.Fetch();

    EXPECT_TRUE(result.cancelled);
    EXPECT_FALSE(result.extracted);
    EXPECT_EQ(result.text, kConnectionErrorText.view());
    // Nothing is touched after the cancellation.
    EXPECT_EQ(rig.display.CachedWeatherLine, "error");
    EXPECT_TRUE(rig.extractions.empty());
    EXPECT_EQ(rig.tickerStarts, 0);
    EXPECT_EQ(rig.port.reads.size(), 1u);
    EXPECT_EQ(rig.port.closes, (Handles{rig.port.urlHandles.at(0), rig.port.internetHandles.at(0)}));
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.NothingInProgress());
}

TEST(FetchReentrancy, FinalisationWhileTheUrlOpensCancelsTheFetch) {
    FetchRig rig;
    rig.Respond({"page"});
    rig.port.whileOpeningUrl = [&] { rig.registry.CloseAll(); };

    const FetchResult result = rig.Fetch();

    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.text, kConnectionErrorText.view());
    // Not the connection failure's text: nothing is written after finalisation.
    EXPECT_EQ(rig.display.CachedWeatherLine, "error");
    EXPECT_TRUE(rig.extractions.empty());
    EXPECT_TRUE(rig.port.reads.empty());
    EXPECT_EQ(rig.port.closes, (Handles{rig.port.internetHandles.at(0)}));
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.NothingInProgress());
}

TEST(FetchReentrancy, FinalisationInsideANestedFetchCancelsBoth) {
    FetchRig rig;
    rig.Respond({"outer one ", "outer two"});
    rig.Respond({"inner one ", "inner two"});
    FetchResult inner;
    rig.port.onPump = [&] {
        if (rig.port.pumps == 1) {
            inner = rig.Fetch();
        } else {
            rig.registry.CloseAll();
        }
    };

    const FetchResult outer = rig.Fetch();

    EXPECT_TRUE(inner.cancelled);
    EXPECT_TRUE(outer.cancelled);
    EXPECT_EQ(rig.port.pumps, 2);
    EXPECT_EQ(rig.display.CachedWeatherLine, "error");
    EXPECT_TRUE(rig.extractions.empty());
    EXPECT_EQ(rig.tickerStarts, 0);
    // Innermost first, URL handle before Internet handle, each once.
    EXPECT_EQ(rig.port.closes, (Handles{rig.port.urlHandles.at(1), rig.port.internetHandles.at(1),
                                        rig.port.urlHandles.at(0), rig.port.internetHandles.at(0)}));
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.NothingInProgress());
}

TEST(FetchReentrancy, FinalisationWithNoFetchClosesNothing) {
    FetchRig rig;
    rig.registry.CloseAll();
    rig.Respond({"page"});
    EXPECT_TRUE(rig.Fetch().extracted);  // a later fetch is not affected
    EXPECT_EQ(rig.port.closes.size(), 2u);
    EXPECT_TRUE(rig.port.faults.empty());
}

}  // namespace
}  // namespace ow::fetch_test
