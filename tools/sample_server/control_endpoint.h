#pragma once
// The control endpoints under /__control/: never recorded, never challenged
// and never subject to the behaviour they set.
//   /__control/mode?name=NAME[&interval_ms=N][&size_mb=N]
//   /__control/auth?credentials=user:pass   (empty value: no authorisation)
//   /__control/tls[?cert=good|wrong-host|expired|unknown-ca]
//   /__control/requests   /__control/clear   /__control/quit   /__control/ping
#include <functional>
#include <string_view>

#include <httplib.h>

#include "handshake_tally.h"
#include "live_settings.h"
#include "request_log.h"

namespace ow::sample {

inline constexpr std::string_view kControlPrefix = "/__control/";

struct ControlTargets {
    LiveSettings& settings;
    RequestLog& log;
    HandshakeTally& handshakes;
    std::function<void()> requestStop;
};

void AnswerControlRequest(const httplib::Request& request, httplib::Response& response,
                          const ControlTargets& targets);

// Whether a raw request head asks for a control endpoint (origin form only).
bool IsControlHead(std::string_view rawHead);

}  // namespace ow::sample
