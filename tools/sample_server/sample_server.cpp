#include "sample_server.h"

#include <filesystem>

#include "connect_endpoint.h"
#include "control_endpoint.h"
#include "dead_connection.h"
#include "open_meteo_endpoint.h"
#include "place_search_endpoint.h"
#include "request_target.h"
#include "weather/core/open_meteo_request.h"
#include "weather/core/place_search_request.h"
#include "weather/core/weather_sources.h"

namespace ow::sample {

SampleServer::SampleServer(ServerConfig config) : config_(std::move(config)) {
    site_.date = config_.date;
    for (int i = 0; i < kSourceCount; ++i) {
        const auto source = static_cast<Source>(i);
        bool fromFile = false;
        if (!config_.dataDir.empty()) {
            const auto path = std::filesystem::path(config_.dataDir) / TownListFileName(source);
            site_.towns[static_cast<std::size_t>(i)] = TownCatalog::Load(path.string(), source, &fromFile);
        } else {
            site_.towns[static_cast<std::size_t>(i)] = TownCatalog::BuiltIn(source);
        }
        fromFile_[static_cast<std::size_t>(i)] = fromFile;
    }
    settings_.SetBehaviour(config_.behaviour);
    settings_.SetCredentials(config_.credentials);
    settings_.SetCertificate(config_.certificate);
    http_ = std::make_unique<RecordingHttpServer>(shutdown_, [this](std::string_view head) {
        if (!IsControlHead(head)) log_.Record(head);
    });
    InstallRoutes();
    if (!config_.tlsDir.empty()) {
        tlsHttp_ = std::make_unique<RecordingHttpServer>(
            shutdown_, [this](std::string_view head) { log_.Record(head, kTlsMarker); });
        origin_ = std::make_unique<TlsOrigin>(identities_, settings_, shutdown_, handshakes_, *tlsHttp_);
        InstallTlsRoutes();
    }
}

namespace {

// The forecast the API gives the built-in town of the source it stands in
// for: the page of a refused tunnel, which must never be taken for one.
std::string BuiltInTownForecast(CalendarDate today) {
    for (const WeatherSource& source : TheWeatherSources()) {
        const std::string_view town = source.defaultTown;
        const auto url = source.url(town.substr(town.find('=') + 1));
        if (url && url->find(kOpenMeteoHost) != std::string::npos) return OpenMeteoDocumentFor(*url, today);
    }
    return {};
}

}  // namespace

SampleServer::~SampleServer() { Stop(); }

void SampleServer::InstallRoutes() {
    // The first matching route wins: control before everything else.
    http_->Get(R"(/__control/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        AnswerControlRequest(request, response,
                             ControlTargets{settings_, log_, handshakes_, [this] { RequestStop(); }});
    });
    // Absolute URIs arrive here too: httplib takes the whole target as the path.
    http_->Get(R"(.*)", [this](const httplib::Request& request, httplib::Response& response) {
        AnswerWeatherRequest(request, response, site_, settings_, shutdown_);
    });
    http_->AnswerConnectWith([this](ConnectionStream& stream) {
        return AnswerConnect(stream, settings_, origin_.get(), BuiltInTownForecast(site_.date));
    });
}

void SampleServer::InstallTlsRoutes() {
    tlsHttp_->Get(R"(.*)", [this](const httplib::Request& request, httplib::Response& response) {
        const Behaviour behaviour = settings_.behaviour();
        if (DropConnectionIfAsked(behaviour, shutdown_, response)) return;
        // One origin for both Open-Meteo hosts: the path tells them apart.
        if (ParseRequestTarget(request.target).path == kGeocodingPath)
            return AnswerPlaceSearchRequest(request, response, behaviour, shutdown_);
        AnswerOpenMeteoRequest(request, response, site_.date, behaviour, shutdown_);
    });
    tlsHttp_->HandConnectionsTo([this](int socket) { origin_->Serve(socket, {}); });
}

bool SampleServer::Start(std::string* error) {
    if (!config_.logPath.empty() && !log_.AppendTo(config_.logPath)) {
        *error = "cannot open the request log " + config_.logPath;
        return false;
    }
    if (origin_ && !identities_.Load(config_.tlsDir, error)) return false;
    if (config_.tlsPort && !origin_) {
        *error = "a TLS port needs a TLS folder";
        return false;
    }
    if (!listener_.Start(*http_, config_.bindAddress, config_.port, error)) return false;
    return !config_.tlsPort || tlsListener_.Start(*tlsHttp_, config_.bindAddress, *config_.tlsPort, error);
}

void SampleServer::RequestStop() {
    {
        std::lock_guard lock(stopMutex_);
        stopWanted_ = true;
    }
    stopRequested_.notify_all();
}

bool SampleServer::WaitForStopRequest(std::chrono::milliseconds timeout) {
    std::unique_lock lock(stopMutex_);
    return stopRequested_.wait_for(lock, timeout, [this] { return stopWanted_; });
}

void SampleServer::Stop() {
    RequestStop();
    shutdown_.Raise();
    listener_.Stop();
    tlsListener_.Stop();
}

}  // namespace ow::sample
