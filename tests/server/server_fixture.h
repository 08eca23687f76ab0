#pragma once
// Runs the sample server in-process on a free loopback port and talks to it
// with httplib's client or with a raw socket. Every wait has a time-out.
#include <gtest/gtest.h>
#include <httplib.h>

#include <chrono>
#include <memory>
#include <string>
#include <string_view>

#include "sample_server.h"

namespace ow::sample::testing {

// Sends request as is and returns every byte received until the server closes
// the connection or timeout passes.
std::string RawExchange(int port, std::string_view request,
                        std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));

// The body of a raw HTTP response (after the blank line), or all of it.
std::string_view RawBody(std::string_view response);

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override { Restart(ServerConfig{}); }
    void TearDown() override { server_->Stop(); }

    void Restart(ServerConfig config);
    std::unique_ptr<httplib::Client> Client() const;
    httplib::Result Get(const std::string& target, const httplib::Headers& headers = {}) const;
    // A control request that must succeed; returns its body.
    std::string Control(const std::string& pathAndQuery) const;
    int port() const { return server_->port(); }

    std::unique_ptr<SampleServer> server_;
};

// The documents the built-in towns give on the default date.
std::string InformerFor30710();
std::string FeedFor30710();

inline constexpr const char* kInformerPath = "/text/30710-2.JS";
inline constexpr const char* kFeedPath = "/auto/rss_full/global/stations/30710.xml";
inline constexpr const char* kProxyInformerTarget = "http://informer.gismeteo.ru/text/30710-2.JS";
inline constexpr const char* kProxyFeedTarget = "http://ru.wunderground.com/auto/rss_full/global/stations/30710.xml";

}  // namespace ow::sample::testing
