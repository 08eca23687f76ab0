#include "command_line.h"

#include <charconv>
#include <string_view>

namespace ow::sample {

const char* const kUsage =
    "usage: sample_server [--port N] [--port-file PATH] [--log PATH] [--auth USER:PASS]\n"
    "                     [--mode NAME [--interval-ms N] [--size-mb N]] [--bind 127.0.0.1]\n"
    "                     [--data-dir DIR] [--date YYYY-MM-DD] [--max-seconds N]\n"
    "                     [--tls-dir DIR [--tls-port N] [--tls-port-file PATH]\n"
    "                      [--cert good|wrong-host|expired|unknown-ca]]\n";

namespace {

std::optional<int> ParseInt(std::string_view text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<int> ParsePort(const std::string& flag, std::string_view value, std::string* error) {
    const auto port = ParseInt(value, 0, 65535);
    if (!port) *error = flag + " must be 0 to 65535";
    return port;
}

// Loopback only: the server must never be reachable from elsewhere.
bool IsLoopback(std::string_view address) {
    if (address == "localhost" || address == "::1") return true;
    if (!address.starts_with("127.")) return false;
    int parts = 0;
    while (!address.empty()) {
        const auto dot = address.find('.');
        if (!ParseInt(address.substr(0, dot), 0, 255)) return false;
        ++parts;
        address = dot == std::string_view::npos ? std::string_view{} : address.substr(dot + 1);
    }
    return parts == 4;
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            const std::string& defaultDataDir, std::string* error) {
    CommandLine line;
    line.config.dataDir = defaultDataDir;
    std::string mode = "normal", intervalMs, sizeMb;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string flag = args[i], value;
        const bool hasInlineValue = flag.find('=') != std::string::npos;
        if (hasInlineValue) {
            value = flag.substr(flag.find('=') + 1);
            flag.resize(flag.find('='));
        }
        if (flag == "--help" || flag == "-h") {
            line.help = true;
            continue;
        }
        if (!hasInlineValue) {
            if (i + 1 >= args.size()) {
                *error = flag + " needs a value";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (flag == "--port") {
            const auto port = ParsePort(flag, value, error);
            if (!port) return std::nullopt;
            line.config.port = *port;
        } else if (flag == "--port-file") {
            line.portFile = value;
        } else if (flag == "--log") {
            line.config.logPath = value;
        } else if (flag == "--auth") {
            line.config.credentials = value;
        } else if (flag == "--mode") {
            mode = value;
        } else if (flag == "--interval-ms") {
            intervalMs = value;
        } else if (flag == "--size-mb") {
            sizeMb = value;
        } else if (flag == "--bind") {
            if (!IsLoopback(value)) {
                *error = "--bind takes a loopback address only";
                return std::nullopt;
            }
            line.config.bindAddress = value == "localhost" ? "127.0.0.1" : value;
        } else if (flag == "--data-dir") {
            line.config.dataDir = value;
        } else if (flag == "--date") {
            const auto date = ParseIsoDate(value);
            if (!date) {
                *error = "--date must be YYYY-MM-DD";
                return std::nullopt;
            }
            line.config.date = *date;
        } else if (flag == "--tls-dir") {
            line.config.tlsDir = value;
        } else if (flag == "--tls-port") {
            const auto port = ParsePort(flag, value, error);
            if (!port) return std::nullopt;
            line.config.tlsPort = *port;
        } else if (flag == "--tls-port-file") {
            line.tlsPortFile = value;
        } else if (flag == "--cert") {
            const auto certificate = ParseCertificate(value);
            if (!certificate) {
                *error = "--cert must be one of " + CertificateNames();
                return std::nullopt;
            }
            line.config.certificate = *certificate;
        } else if (flag == "--max-seconds") {
            const auto seconds = ParseInt(value, 1, 7 * 24 * 3600);
            if (!seconds) {
                *error = "--max-seconds must be 1 to 604800";
                return std::nullopt;
            }
            line.maxSeconds = *seconds;
        } else {
            *error = "unknown option " + flag;
            return std::nullopt;
        }
    }
    if (line.config.tlsDir.empty() && (line.config.tlsPort || !line.tlsPortFile.empty())) {
        *error = "--tls-port and --tls-port-file need --tls-dir";
        return std::nullopt;
    }
    if (!line.tlsPortFile.empty() && !line.config.tlsPort) {
        *error = "--tls-port-file needs --tls-port";
        return std::nullopt;
    }
    const auto behaviour = MakeBehaviour(mode, intervalMs, sizeMb, error);
    if (!behaviour) return std::nullopt;
    line.config.behaviour = *behaviour;
    return line;
}

}  // namespace ow::sample
