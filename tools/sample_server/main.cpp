// sample_server: the project's stand-in for the weather hosts and for an
// HTTP proxy in front of them, on loopback only. It serves the Gismeteo
// informer at /text/<code>-2.JS and the Weather Underground feed at
// /auto/rss_full/global/stations/<code>.xml for the towns of the shipped town
// lists (or Irkutsk 30710, Moscow 27612, Saint Petersburg 26063 and
// Novosibirsk 29634 when a list is missing), to origin-form requests with any
// Host and to proxy-form requests ("GET http://informer.gismeteo.ru/... HTTP/1.1";
// other hosts get 502). Documents depend only on the code and the date.
//
// It also stands in for the Open-Meteo forecast API (api.open-meteo.com,
// GET /v1/forecast?latitude=..&longitude=..&current=..&daily=..
// &wind_speed_unit=..&timezone=..&forecast_days=..): any coordinates in range
// get a JSON forecast of the nearest grid point (1/16 degree), plausible for
// the latitude and the season and fixed by the coordinates and the date;
// current may name temperature_2m, relative_humidity_2m, weather_code,
// surface_pressure, wind_speed_10m, wind_direction_10m, daily weather_code,
// temperature_2m_max, temperature_2m_min; wind_speed_unit kmh (the API's
// default), ms, mph or kn; timezone auto, GMT or a zone name; forecast_days
// 0 to 16 (default 7). A bad or missing latitude or longitude, an unknown
// variable, unit, zone or day count gets 400 {"error":true,"reason":"..."}
// worded as the API words it. This document is served over HTTPS (with
// --tls-dir): on a port of its own (--tls-port; tests give it 443 in a network
// namespace where the host name is 127.0.0.1) and through the proxy port's
// tunnels ("CONNECT api.open-meteo.com:443 HTTP/1.1", host in any case, then
// TLS inside). The plain port serves it too, at /v1/forecast in origin form and
// at http://api.open-meteo.com/v1/forecast in proxy form. CONNECT to port 443
// of that host needs the proxy credentials when they are set (407 with
// "Proxy-Authenticate: Basic realm=..." and a page that names no
// authorisation), then gets "200 Connection established"; other ports get 403,
// other hosts (and every host without --tls-dir) 502; the connection stays open
// after an answer that opens no tunnel. The TLS origin presents the
// certificate chosen at each handshake (--cert or /__control/tls): good (for
// api.open-meteo.com and 127.0.0.1, from the test authority), wrong-host,
// expired or unknown-ca. Sessions are never resumed.
//
// It also stands in for Open-Meteo's geocoding API
// (geocoding-api.open-meteo.com, GET /v1/search?name=..&count=..&language=..
// &format=json) from a small gazetteer (place_gazetteer.cpp): the places whose
// Russian or English name starts with the name (Latin and Cyrillic in any
// case, two characters at least), most populous first, at most count (1 to
// 100, default 10), named in Russian for language=ru (in their own script
// where they have no Russian name: Georgian, Arabic, Chinese), in English
// otherwise; namesakes in several countries (Москва, Ивановка, Париж). No place
// found: the object without "results"; a bad count or format: 400 with the
// error object. It is served as the forecast is: over HTTPS on the TLS port
// (the path tells the two hosts apart), through CONNECT tunnels to port 443 of
// its host (the certificates name both hosts), and on the plain port at
// /v1/search in origin form and at http://geocoding-api.open-meteo.com in
// proxy form. The modes act on it as on the forecast (api-error: 400 with an
// error object; slow-start: a late answer).
//
// Flags: --port N (0, the default, picks a free port), --port-file PATH
// (written once listening, holds just the port number), --log PATH (appends
// each recorded request), --auth USER:PASS (proxy requests and CONNECT need
// "Proxy-Authorization: Basic ..." or get 407), --mode NAME with
// --interval-ms N and --size-mb N, --bind ADDR (loopback only, default
// 127.0.0.1), --data-dir DIR (town lists, default the repository's data/),
// --date YYYY-MM-DD (default 2026-12-08), --max-seconds N (ends itself after N
// seconds, default 3600), --tls-dir DIR (what tools/scripts/test_ca.sh DIR
// writes; without it there is no TLS), --tls-port N (the HTTPS origin's own
// port, 0 picks a free one; needs --tls-dir), --tls-port-file PATH (written
// once listening, holds just that port number; needs --tls-port), --cert NAME
// (the first certificate, default good). It prints "listening on
// 127.0.0.1:PORT" (and "tls listening on 127.0.0.1:PORT" with --tls-port) and
// stops on SIGTERM, SIGINT or /__control/quit.
//
// Modes, for every source (for Open-Meteo inside TLS too): normal, refuse (read
// the request, close without a byte), close-mid-body, empty, blank, trickle
// (one byte per interval, default 20 ms), large (size_mb MiB, default 64; the
// JSON carries a long hourly array after its last member; with interval_ms,
// a pause that long after the first half), authoriz,
// slow-start (headers after the interval, default 2000 ms), pause-mid-body
// (half the body, a pause of the interval, the rest; default 2000 ms),
// hold-close (no answer for the interval, then the connection closes without
// a byte; default 2000 ms). For Open-Meteo only (the others serve their usual
// documents in them): example (a fixed forecast: now -2.6 degrees, code 73,
// wind 3.4 m/s (in the unit asked) from 225 degrees, 995.2 hPa, 87 %; daily max [-1.8, -3.1],
// min [-8.3, -7.5], codes [73, 3]), api-error (400 with an error object),
// not-json (200 with an HTML page), slow-handshake (the TLS handshake waits
// the interval, default 2000 ms, before the server reads the client's hello).
// Hostile ends of a proxied request: far-challenge (every weather request,
// inside TLS too, gets 407 with "Proxy-Authenticate: Basic realm=..."),
// refuse-tunnel (the proxy answers every CONNECT that would open a tunnel
// with 502 and, as its page, the forecast of the source's built-in town).
// Inside TLS a refused or broken answer ends without close_notify. CONNECT
// itself is always answered.
//
// Control endpoints on the plain port, never recorded or challenged:
// /__control/mode?name=NAME[&interval_ms=N][&size_mb=N],
// /__control/auth?credentials=USER:PASS (empty value: off),
// /__control/tls[?cert=NAME] ("ok cert=NAME started=N completed=N failed=N":
// the TLS handshakes begun, finished and failed since the start or the last
// clear), /__control/requests (text/plain: each recorded request's line and
// headers as received, in arrival order, then an empty line; the line of a
// request that arrived inside TLS, directly or through a tunnel, starts with
// "TLS ", a CONNECT is recorded as it came), /__control/clear (the record and
// the handshake counts), /__control/quit, /__control/ping.
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <utility>

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
    const std::pair<const std::string&, int> portFiles[] = {{line->portFile, server.port()},
                                                            {line->tlsPortFile, server.tlsPort()}};
    for (const auto& [path, port] : portFiles) {
        if (!path.empty() && !WritePortFile(path, port)) {
            std::cerr << "sample_server: cannot write " << path << "\n";
            server.Stop();
            return 1;
        }
    }
    std::cout << "listening on " << line->config.bindAddress << ":" << server.port() << std::endl;
    if (server.tlsPort() > 0)
        std::cout << "tls listening on " << line->config.bindAddress << ":" << server.tlsPort() << std::endl;

    Serve(server, stopSignals, line->maxSeconds);
    server.Stop();
    return 0;
}
