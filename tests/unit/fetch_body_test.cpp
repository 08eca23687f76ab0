// Reading the document: joining, read sizes and the ways the loop ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "fetch_fake_port.h"
#include "weather/core/fetch_body.h"
#include "weather/core/fetch_texts.h"

namespace ow::fetch_test {
namespace {

using Sizes = std::vector<std::uint32_t>;

TEST(FetchBody, PiecesAreJoinedUnchanged) {
    FetchRig rig;
    // A line break and blanks right on the piece boundaries must survive.
    rig.Respond({"  first line\r\n", "second line  ", "\r\n third\r\n"});

    rig.Fetch();

    ASSERT_EQ(rig.extractions.size(), 1u);
    EXPECT_EQ(rig.extractions[0].document, "  first line\r\nsecond line  \r\n third\r\n");
}

TEST(FetchBody, EachReadAsksForWhatIsAvailableUpToTheReadSize) {
    FetchRig rig;
    rig.Respond({std::string(10, 'a'), std::string(5000, 'b'), std::string(2048, 'c'), std::string(1, 'd')});

    rig.Fetch();

    EXPECT_EQ(rig.port.ReadSizes(), (Sizes{10, 2048, 2048, 904, 2048, 1}));
    ASSERT_EQ(rig.extractions.size(), 1u);
    EXPECT_EQ(rig.extractions[0].document,
              std::string(10, 'a') + std::string(5000, 'b') + std::string(2048, 'c') + "d");
    // Messages run between pieces.
    EXPECT_EQ(rig.port.pumps, 6);
}

TEST(FetchBody, LargeBodyArrivesWhole) {
    FetchRig rig;
    std::string body;
    std::vector<std::string> packets;
    for (int i = 0; body.size() < (1u << 20); ++i) {
        packets.push_back(std::string(1 + (i * 7919) % 6000, static_cast<char>('A' + i % 26)) + "\r\n");
        body += packets.back();
    }
    rig.Respond(packets);

    rig.Fetch();

    ASSERT_EQ(rig.extractions.size(), 1u);
    EXPECT_EQ(rig.extractions[0].document, body);
    for (std::uint32_t asked : rig.port.ReadSizes()) EXPECT_LE(asked, 2048u);
}

// A server that never stops sending: the document is read up to the limit
// whole, and one byte past it ends the download there, as a connection error.
TEST(FetchBody, ADocumentPastTheLimitEndsTheDownloadAtOnce) {
    for (const std::size_t size : {kMaxBodyBytes, kMaxBodyBytes + 1}) {
        SCOPED_TRACE(size);
        FetchRig rig;
        const std::string chunk(1 << 20, 'x');
        std::vector<std::string> packets(size / chunk.size(), chunk);
        if (size % chunk.size() != 0) packets.push_back(std::string(size % chunk.size(), 'y'));
        if (size > kMaxBodyBytes) packets.push_back("never read");
        rig.Respond(packets);

        const FetchResult result = rig.Fetch();

        const std::size_t asked = std::min(size, kMaxBodyBytes + 1);
        if (size <= kMaxBodyBytes) {
            ASSERT_EQ(rig.extractions.size(), 1u);
            EXPECT_EQ(rig.extractions[0].document.size(), size);
        } else {
            EXPECT_EQ(result.text, kConnectionErrorText.view());
            EXPECT_EQ(rig.display.CachedWeatherLine, kConnectionErrorText.view());
            EXPECT_TRUE(rig.extractions.empty());
            EXPECT_EQ(rig.tickerStarts, 0);
            // Not one read past the piece that crossed the limit.
            std::size_t read = 0;
            for (std::uint32_t n : rig.port.ReadSizes()) read += n;
            EXPECT_EQ(read, asked);
        }
        EXPECT_TRUE(rig.port.AllClosed());
    }
}

// A document at the limit takes no more memory than the limit: a buffer
// grown past it would ask the messenger's 2 GB for nearly twice as much
// while the copy it replaces is still alive.
TEST(FetchBody, TheBufferNeverGrowsPastTheLimit) {
    FetchRig rig;
    rig.Respond(std::vector<std::string>(kMaxBodyBytes / (1 << 20), std::string(1 << 20, 'x')));
    FetchHandles handles(rig.port, rig.registry);
    handles.SetInternet(rig.port.Open("agent", kOpenTypeDirect, nullptr));
    handles.SetUrl(rig.port.OpenUrl(handles.Internet(), "http://host/", "", 0));
    std::string body;

    EXPECT_TRUE(ReadBody(rig.port, handles, body));

    EXPECT_EQ(body.size(), kMaxBodyBytes);
    EXPECT_LE(body.capacity(), kMaxBodyBytes);
    // Each copy of a megabyte or more is made on the download's own thread:
    // 1 MiB, 2, 4, ... 64.
    EXPECT_EQ(rig.port.asides, 7);
}

// Moving a large body into a larger buffer given up (finalisation, the
// deadline, no memory): the download fails and nothing of it is kept.
TEST(FetchBody, AGrowthGivenUpEndsTheDownload) {
    FetchRig rig;
    rig.port.failAside = true;
    rig.Respond(std::vector<std::string>(2, std::string(1 << 20, 'x')));
    FetchHandles handles(rig.port, rig.registry);
    handles.SetInternet(rig.port.Open("agent", kOpenTypeDirect, nullptr));
    handles.SetUrl(rig.port.OpenUrl(handles.Internet(), "http://host/", "", 0));
    std::string body;

    EXPECT_FALSE(ReadBody(rig.port, handles, body));

    EXPECT_TRUE(body.empty());
    EXPECT_EQ(body.capacity(), std::string().capacity());
    EXPECT_EQ(rig.port.asides, 1);
}

struct EndCase {
    const char* name;
    int failQueryAt;
    int failReadAt;
    int zeroReadAt;
    std::string document;  // what reaches the extractor; empty = none
    Sizes reads;
    friend void PrintTo(const EndCase& c, std::ostream* os) { *os << c.name; }
};

class LoopEnd : public testing::TestWithParam<EndCase> {};

TEST_P(LoopEnd, StopsWithoutSpinning) {
    const EndCase& c = GetParam();
    FetchRig rig;
    ScriptedResponse response;
    response.packets = {"one ", "two ", "three"};
    response.failQueryAt = c.failQueryAt;
    response.failReadAt = c.failReadAt;
    response.zeroReadAt = c.zeroReadAt;
    rig.port.responses.push_back(response);

    const FetchResult result = rig.Fetch();

    EXPECT_EQ(rig.port.ReadSizes(), c.reads);
    if (c.document.empty()) {
        EXPECT_EQ(result.text, kConnectionErrorText.view());
        EXPECT_TRUE(rig.extractions.empty());
    } else {
        ASSERT_EQ(rig.extractions.size(), 1u);
        EXPECT_EQ(rig.extractions[0].document, c.document);
    }
    EXPECT_TRUE(rig.port.faults.empty());
    EXPECT_TRUE(rig.port.AllClosed());
}

INSTANTIATE_TEST_SUITE_P(
    Fetch, LoopEnd,
    testing::Values(EndCase{"FirstQueryFails", 0, -1, -1, "", {}},
                    EndCase{"LaterQueryFails", 2, -1, -1, "one two ", {4, 4}},
                    EndCase{"FirstReadFails", -1, 0, -1, "", {4}},
                    EndCase{"LaterReadFails", -1, 1, -1, "one ", {4, 4}},
                    EndCase{"ZeroByteRead", -1, -1, 1, "one ", {4, 4}},
                    EndCase{"Complete", -1, -1, -1, "one two three", {4, 4, 5}}),
    [](const testing::TestParamInfo<EndCase>& info) { return info.param.name; });

}  // namespace
}  // namespace ow::fetch_test
