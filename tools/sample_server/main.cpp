// sample_server: the project's stand-in for the two weather hosts and for an
// HTTP proxy in front of them, on loopback only. It serves the Gismeteo
// informer at /text/<code>-2.JS and the Weather Underground feed at
// /auto/rss_full/global/stations/<code>.xml for the towns of the shipped town
// lists (or Irkutsk 30710, Moscow 27612, Saint Petersburg 26063 and
// Novosibirsk 29634 when a list is missing), to origin-form requests with any
// Host and to proxy-form requests ("GET http://informer.gismeteo.ru/... HTTP/1.1";
// other hosts get 502). Documents depend only on the code and the date.
// Flags: --port N (0, the default, picks a free port), --port-file PATH
// (written once listening, holds just the port number), --log PATH (appends
// each recorded request), --auth USER:PASS (proxy requests need
// "Proxy-Authorization: Basic ..." or get 407), --mode NAME with
// --interval-ms N and --size-mb N, --bind ADDR (loopback only, default
// 127.0.0.1), --data-dir DIR (town lists, default the repository's data/),
// --date YYYY-MM-DD (default 2026-12-08), --max-seconds N (ends itself after N
// seconds, default 3600). It prints "listening on 127.0.0.1:PORT" and stops on
// SIGTERM, SIGINT or /__control/quit. Modes: normal, refuse, close-mid-body,
// empty, blank, trickle (one byte per interval, default 20 ms), large (size_mb
// MiB, default 64), authoriz, slow-start (headers after the interval, default
// 2000 ms), pause-mid-body (half the body, a pause of the interval, the rest;
// default 2000 ms), hold-close (no answer for the interval, then the
// connection closes without a byte; default 2000 ms). Control endpoints,
// never recorded or challenged:
// /__control/mode?name=NAME[&interval_ms=N][&size_mb=N],
// /__control/auth?credentials=USER:PASS (empty value: off), /__control/requests
// (text/plain: each recorded request's line and headers as received, in
// arrival order, then an empty line), /__control/clear, /__control/quit,
// /__control/ping.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "command_line.h"
#include "sample_server.h"

namespace {

using ow::sample::CommandLine;
using ow::sample::SampleServer;

// Written beside the target and renamed, so a reader never sees half a number.
bool WritePortFile(const std::string& path, int port) {
    const std::string partial = path + ".partial";
    {
        std::ofstream file(partial, std::ios::binary | std::ios::trunc);
        file << port;
        if (!file) return false;
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    return !error;
}

// Serves until a signal, a quit request or the end of the allowed lifetime.
void Serve(SampleServer& server, const sigset_t& stopSignals, int maxSeconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(maxSeconds);
    const timespec slice{0, 200 * 1000 * 1000};
    while (!server.WaitForStopRequest(std::chrono::milliseconds(0))) {
        if (sigtimedwait(&stopSignals, nullptr, &slice) > 0) return;
        if (std::chrono::steady_clock::now() >= deadline) {
            std::cerr << "sample_server: --max-seconds reached, stopping\n";
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    const auto line = ow::sample::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc),
                                                   OW_SHIPPED_DATA_DIR, &error);
    if (!line) {
        std::cerr << "sample_server: " << error << "\n" << ow::sample::kUsage;
        return 2;
    }
    if (line->help) {
        std::cout << ow::sample::kUsage;
        return 0;
    }

    // Blocked before any thread starts, so only the wait below receives them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    SampleServer server(line->config);
    for (auto source : {ow::sample::Source::Informer, ow::sample::Source::Feed})
        if (!server.TownListFromFile(source) && !line->config.dataDir.empty())
            std::cerr << "sample_server: no " << ow::sample::TownListFileName(source) << " in "
                      << line->config.dataDir << ", serving the built-in towns\n";
    if (!server.Start(&error)) {
        std::cerr << "sample_server: " << error << "\n";
        return 1;
    }
    if (!line->portFile.empty() && !WritePortFile(line->portFile, server.port())) {
        std::cerr << "sample_server: cannot write " << line->portFile << "\n";
        server.Stop();
        return 1;
    }
    std::cout << "listening on " << line->config.bindAddress << ":" << server.port() << std::endl;

    Serve(server, stopSignals, line->maxSeconds);
    server.Stop();
    return 0;
}
