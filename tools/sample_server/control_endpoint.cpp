#include "control_endpoint.h"

#include <string>

#include "connection_stream.h"

namespace ow::sample {
namespace {

constexpr const char* kText = "text/plain; charset=utf-8";

void Reply(httplib::Response& response, int status, const std::string& text) {
    response.status = status;
    response.set_content(text + "\n", kText);
}

void SetMode(const httplib::Request& request, httplib::Response& response, LiveSettings& settings) {
    std::string error;
    const auto behaviour = MakeBehaviour(request.get_param_value("name"), request.get_param_value("interval_ms"),
                                         request.get_param_value("size_mb"), &error);
    if (!behaviour) return Reply(response, 400, error);
    settings.SetBehaviour(*behaviour);
    Reply(response, 200, "ok " + DescribeBehaviour(*behaviour));
}

void SetAuth(const httplib::Request& request, httplib::Response& response, LiveSettings& settings) {
    if (!request.has_param("credentials")) return Reply(response, 400, "credentials parameter missing");
    const std::string credentials = request.get_param_value("credentials");
    settings.SetCredentials(credentials);
    Reply(response, 200, credentials.empty() ? "ok auth=off" : "ok auth=on");
}

// Chooses the certificate of the next handshakes, if asked; reports the
// choice and the handshakes so far.
void SetTls(const httplib::Request& request, httplib::Response& response, const ControlTargets& targets) {
    if (request.has_param("cert")) {
        const auto certificate = ParseCertificate(request.get_param_value("cert"));
        if (!certificate) return Reply(response, 400, "cert must be one of " + CertificateNames());
        targets.settings.SetCertificate(*certificate);
    }
    Reply(response, 200,
          "ok cert=" + std::string(CertificateName(targets.settings.certificate())) + " " +
              targets.handshakes.Describe());
}

}  // namespace

void AnswerControlRequest(const httplib::Request& request, httplib::Response& response,
                          const ControlTargets& targets) {
    const std::string_view name = std::string_view(request.path).substr(kControlPrefix.size());
    if (name == "mode") return SetMode(request, response, targets.settings);
    if (name == "auth") return SetAuth(request, response, targets.settings);
    if (name == "tls") return SetTls(request, response, targets);
    if (name == "requests") return response.set_content(targets.log.Text(), kText);
    if (name == "clear") {
        targets.log.Clear();
        targets.handshakes.Clear();
        return Reply(response, 200, "ok");
    }
    if (name == "ping") return Reply(response, 200, "pong");
    if (name == "quit") {
        Reply(response, 200, "bye");
        response.set_header("Connection", "close");
        // Only once "bye" is out, or the stop could cut it off.
        if (ConnectionStream* connection = ConnectionStream::Current())
            connection->AfterResponse(targets.requestStop);
        else
            targets.requestStop();
        return;
    }
    Reply(response, 404, "unknown control endpoint");
}

bool IsControlHead(std::string_view rawHead) {
    const auto firstSpace = rawHead.find(' ');
    if (firstSpace == std::string_view::npos) return false;
    return rawHead.substr(firstSpace + 1).starts_with(kControlPrefix);
}

}  // namespace ow::sample
