#include "sample_server.h"

#include <filesystem>

#include "control_endpoint.h"

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
    http_ = std::make_unique<RecordingHttpServer>(shutdown_, [this](std::string_view head) {
        if (!IsControlHead(head)) log_.Record(head);
    });
    InstallRoutes();
}

SampleServer::~SampleServer() { Stop(); }

void SampleServer::InstallRoutes() {
    // The first matching route wins: control before everything else.
    http_->Get(R"(/__control/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        AnswerControlRequest(request, response, ControlTargets{settings_, log_, [this] { RequestStop(); }});
    });
    // Absolute URIs arrive here too: httplib takes the whole target as the path.
    http_->Get(R"(.*)", [this](const httplib::Request& request, httplib::Response& response) {
        AnswerWeatherRequest(request, response, site_, settings_, shutdown_);
    });
}

bool SampleServer::Start(std::string* error) {
    if (!config_.logPath.empty() && !log_.AppendTo(config_.logPath)) {
        *error = "cannot open the request log " + config_.logPath;
        return false;
    }
    if (config_.port == 0) {
        port_ = http_->bind_to_any_port(config_.bindAddress);
    } else {
        port_ = http_->bind_to_port(config_.bindAddress, config_.port) ? config_.port : -1;
    }
    if (port_ <= 0) {
        *error = "cannot listen on " + config_.bindAddress + ":" + std::to_string(config_.port);
        return false;
    }
    serving_ = std::thread([this] { http_->listen_after_bind(); });
    // httplib's stop() does nothing until the accept loop runs, so a stop that
    // came earlier would be lost.
    for (int waited = 0; !http_->is_running(); ++waited) {
        if (waited == 5000) {
            *error = "the accept loop did not start";
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
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
    if (!serving_.joinable()) return;
    http_->stop();
    serving_.join();
}

}  // namespace ow::sample
