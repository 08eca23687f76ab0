// What a client observes in each behaviour of the server.
#include <algorithm>
#include <thread>
#include <vector>

#include "server_fixture.h"

namespace ow::sample::testing {
namespace {

const std::string kClosingRequest = std::string("GET ") + kInformerPath + " HTTP/1.1\r\nHost: x\r\nConnection: close\r\n\r\n";

TEST_F(ServerTest, RefuseClosesWithoutAByteButStillRecords) {
    Control("mode?name=refuse");
    EXPECT_EQ(RawExchange(port(), kClosingRequest), "");
    EXPECT_EQ(Control("requests").substr(0, 31), "GET /text/30710-2.JS HTTP/1.1\nH");
    EXPECT_EQ(Control("ping"), "pong\n");  // the mode leaves control requests alone
}

TEST_F(ServerTest, CloseMidBodyAnnouncesTheWholeLengthAndSendsHalf) {
    Control("mode?name=close-mid-body");
    const std::string response = RawExchange(port(), kClosingRequest);
    const std::string whole = InformerFor30710();
    EXPECT_NE(response.find("Content-Length: " + std::to_string(whole.size()) + "\r\n"), std::string::npos);
    EXPECT_EQ(RawBody(response), whole.substr(0, whole.size() / 2));
}

TEST_F(ServerTest, EmptyAndBlankBodies) {
    Control("mode?name=empty");
    auto empty = Get(kInformerPath);
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->status, 200);
    EXPECT_EQ(empty->body, "");
    EXPECT_EQ(empty->get_header_value("Content-Length"), "0");

    Control("mode?name=blank");
    auto blank = Get(kInformerPath);
    ASSERT_TRUE(blank);
    EXPECT_EQ(blank->status, 200);
    EXPECT_FALSE(blank->body.empty());
    EXPECT_EQ(blank->body.find_first_not_of(" \r\n\t"), std::string::npos);
}

TEST_F(ServerTest, AuthorizPageIsAnOrdinaryPage) {
    Control("mode?name=authoriz");
    auto result = Get(kProxyFeedTarget);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, 200);
    EXPECT_NE(result->body.find("authorized"), std::string::npos);
}

TEST_F(ServerTest, TrickleSendsTheDocumentByteByByte) {
    Control("mode?name=trickle&interval_ms=1");
    std::string body;
    int pieces = 0;
    auto result = Client()->Get(kInformerPath, [&](const char* data, size_t length) {
        body.append(data, length);
        ++pieces;
        return true;
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(body, InformerFor30710());
    EXPECT_GT(pieces, static_cast<int>(body.size() / 2));
}

TEST_F(ServerTest, SlowStartHoldsTheHeadersBack) {
    Control("mode?name=slow-start&interval_ms=300");
    const auto start = std::chrono::steady_clock::now();
    auto result = Get(kInformerPath);
    ASSERT_TRUE(result);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(result->body, InformerFor30710());
}

TEST_F(ServerTest, PauseMidBodySendsHalfWaitsThenTheRest) {
    Control("mode?name=pause-mid-body&interval_ms=300");
    const std::string whole = InformerFor30710();
    std::vector<std::pair<std::size_t, std::chrono::steady_clock::time_point>> arrivals;
    std::string body;
    auto result = Client()->Get(kInformerPath, [&](const char* data, size_t length) {
        body.append(data, length);
        arrivals.emplace_back(body.size(), std::chrono::steady_clock::now());
        return true;
    });
    ASSERT_TRUE(result);
    EXPECT_EQ(body, whole);
    // The half arrives before the pause, the rest only after it. The client
    // sees the half a little after the server sent it, so the gap it sees
    // may fall short of the pause by that much; no pause at all is the fault.
    const auto half = std::find_if(arrivals.begin(), arrivals.end(),
                                   [&](const auto& a) { return a.first >= whole.size() / 2; });
    ASSERT_NE(half, arrivals.end());
    EXPECT_EQ(half->first, whole.size() / 2);
    EXPECT_GE(arrivals.back().second - half->second, std::chrono::milliseconds(200));
}

TEST_F(ServerTest, HoldCloseWaitsThenClosesWithoutAByte) {
    Control("mode?name=hold-close&interval_ms=300");
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RawExchange(port(), kClosingRequest), "");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(300));
    EXPECT_EQ(Control("requests").substr(0, 31), "GET /text/30710-2.JS HTTP/1.1\nH");
}

TEST_F(ServerTest, LargeDocumentsHaveTheExactSizeAndStayValid) {
    Control("mode?name=large&size_mb=2");
    const std::pair<const char*, std::string> cases[] = {{kInformerPath, InformerFor30710()},
                                                         {kFeedPath, FeedFor30710()}};
    for (const auto& [path, normal] : cases) {
        auto result = Get(path);
        ASSERT_TRUE(result) << path;
        ASSERT_EQ(result->body.size(), 2u * 1024 * 1024) << path;
        // The normal document's opening and close frame the repeated part.
        const std::string_view body = result->body;
        EXPECT_EQ(body.substr(0, normal.size() / 2), std::string_view(normal).substr(0, normal.size() / 2));
        const std::string_view ending = std::string_view(normal).substr(normal.size() - 15);  // within the tail
        EXPECT_TRUE(body.ends_with(ending)) << path;
        EXPECT_GT(std::count(body.begin(), body.end(), '<'), 50000) << path;
        EXPECT_EQ(body.find("authoriz"), std::string_view::npos) << path;
    }
}

TEST_F(ServerTest, StopEndsEveryWaitAtOnce) {
    for (const char* mode : {"trickle", "slow-start", "pause-mid-body", "hold-close"}) {
        SCOPED_TRACE(mode);
        Control(std::string("mode?name=") + mode + "&interval_ms=600000");
        std::thread client([this] { Get(kInformerPath); });
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        const auto start = std::chrono::steady_clock::now();
        server_->Stop();
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
        client.join();
        Restart(ServerConfig{});
    }
}

}  // namespace
}  // namespace ow::sample::testing
