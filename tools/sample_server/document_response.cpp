#include "document_response.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "pages.h"
#include "sized_document.h"

namespace ow::sample {
namespace {

constexpr std::size_t kMebibyte = 1024 * 1024;
constexpr std::size_t kLargeChunk = 64 * 1024;

void SendWhole(const std::string& body, std::string_view type, httplib::Response& response) {
    response.set_content(body, std::string(type));
}

// Announces the whole length, sends the first half, then fails the provider,
// which makes httplib drop the connection.
void SendHalfThenClose(std::string body, std::string_view type, httplib::Response& response) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    const std::size_t half = std::max<std::size_t>(1, shared->size() / 2);
    response.set_content_provider(shared->size(), std::string(type),
                                  [shared, half](size_t offset, size_t, httplib::DataSink& sink) {
                                      if (offset >= half) return false;
                                      return sink.write(shared->data() + offset, half - offset);
                                  });
}

// Announces the whole length, sends the first half, waits, then the rest.
void SendHalfThenPause(std::string body, std::string_view type, std::chrono::milliseconds interval,
                       const StopSignal& stop, httplib::Response& response) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    const std::size_t half = std::max<std::size_t>(1, shared->size() / 2);
    response.set_content_provider(shared->size(), std::string(type),
                                  [shared, half, interval, &stop](size_t offset, size_t, httplib::DataSink& sink) {
                                      if (offset < half) return sink.write(shared->data() + offset, half - offset);
                                      if (offset == half && stop.WaitFor(interval)) return false;
                                      return sink.write(shared->data() + offset, shared->size() - offset);
                                  });
}

void SendTrickle(std::string body, std::string_view type, std::chrono::milliseconds interval,
                 const StopSignal& stop, httplib::Response& response) {
    auto shared = std::make_shared<const std::string>(std::move(body));
    response.set_content_provider(shared->size(), std::string(type),
                                  [shared, interval, &stop](size_t offset, size_t, httplib::DataSink& sink) {
                                      if (offset > 0 && stop.WaitFor(interval)) return false;
                                      return sink.write(shared->data() + offset, 1);
                                  });
}

// Made chunk by chunk as it is sent; only one chunk is ever held. With an
// interval, the sending stops that long once, after the first half.
void SendLarge(DocumentParts parts, std::string_view type, std::size_t sizeMb, std::chrono::milliseconds pause,
               const StopSignal& stop, httplib::Response& response) {
    auto document = std::make_shared<const SizedDocument>(std::move(parts), sizeMb * kMebibyte);
    auto chunk = std::make_shared<std::vector<char>>(kLargeChunk);
    auto paused = std::make_shared<bool>(pause.count() == 0);
    response.set_content_provider(document->size(), std::string(type),
                                  [document, chunk, paused, pause, &stop](size_t offset, size_t length,
                                                                          httplib::DataSink& sink) {
                                      if (stop.raised()) return false;
                                      if (!*paused && offset >= document->size() / 2) {
                                          *paused = true;
                                          if (stop.WaitFor(pause)) return false;
                                      }
                                      const std::size_t n =
                                          document->Read(offset, chunk->data(), std::min(length, chunk->size()));
                                      return n > 0 && sink.write(chunk->data(), n);
                                  });
}

}  // namespace

std::string BlankBody() {
    std::string body;
    for (int i = 0; i < 32; ++i) body += "    \r\n\t \t\r\n";
    return body;
}

void FillDocumentResponse(WeatherDocument document, const Behaviour& behaviour, const StopSignal& stop,
                          httplib::Response& response) {
    const std::string_view type = document.contentType;
    switch (behaviour.mode) {
        case Mode::Normal:
        case Mode::RefuseTunnel:  // CONNECT is refused; everything else is answered
        case Mode::Refuse:
        case Mode::HoldClose:
        case Mode::Example:
        case Mode::ApiError:
        case Mode::NotJson:
        case Mode::SlowHandshake:
            SendWhole(document.parts.Whole(), type, response);
            return;
        case Mode::SlowStart:
            if (stop.WaitFor(behaviour.interval)) return;
            SendWhole(document.parts.Whole(), type, response);
            return;
        case Mode::CloseMidBody:
            SendHalfThenClose(document.parts.Whole(), type, response);
            return;
        case Mode::PauseMidBody:
            SendHalfThenPause(document.parts.Whole(), type, behaviour.interval, stop, response);
            return;
        case Mode::Empty:
            SendWhole(std::string(), type, response);
            return;
        case Mode::Blank:
            SendWhole(BlankBody(), type, response);
            return;
        case Mode::Trickle:
            SendTrickle(document.parts.Whole(), type, behaviour.interval, stop, response);
            return;
        case Mode::Large:
            SendLarge(std::move(document.parts), type, behaviour.sizeMb, behaviour.interval, stop, response);
            return;
        case Mode::Authoriz:
            SendWhole(std::string(kAuthorizedPage), kHtmlContentType, response);
            return;
        case Mode::FarChallenge:
            response.status = 407;
            response.set_header("Proxy-Authenticate", std::string(kProxyChallenge));
            SendWhole(std::string(kTunnelCredentialsPage), kHtmlContentType, response);
            return;

    }
}

}  // namespace ow::sample
