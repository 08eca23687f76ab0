#pragma once
// How the server answers weather requests: properly, or in one of the ways a
// broken server or network answers.
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ow::sample {

enum class Mode {
    Normal,        // the document
    Refuse,        // read the request, close without a byte
    CloseMidBody,  // announce the full length, send half, close
    Empty,         // 200 with an empty body
    Blank,         // 200 with a body of spaces, CR LF and tabs
    Trickle,       // the document one byte per interval
    Large,         // a valid document of sizeMb MiB, made as it is sent; with an interval, a pause after half
    Authoriz,      // 200 with an ordinary page that says "authorized"
    SlowStart,     // wait one interval, then the document
    PauseMidBody,  // announce the full length, send half, wait one interval, send the rest
    HoldClose,     // read the request, wait one interval, close without a byte
    // The Open-Meteo source only; the others get their usual document.
    Example,        // a fixed forecast: snow at -2.6 degrees, then an overcast day
    ApiError,       // 400 with the API's error object
    NotJson,        // 200 with an HTML page
    SlowHandshake,  // TLS only: wait one interval before the server's first handshake byte
    // Hostile ends of a proxied request:
    FarChallenge,   // every weather request gets 407 with a Basic proxy challenge, inside TLS too
    RefuseTunnel,   // the proxy answers CONNECT with 502 and a well-formed forecast as its page
};

struct Behaviour {
    Mode mode = Mode::Normal;
    std::chrono::milliseconds interval{0};  // trickle, slow-start, pause-mid-body, hold-close, slow-handshake, large
    std::size_t sizeMb = 64;                // large
};

inline constexpr std::size_t kMaxSizeMb = 4096;
inline constexpr long kMaxIntervalMs = 600000;

std::optional<Mode> ParseMode(std::string_view name);
std::string_view ModeName(Mode mode);
std::chrono::milliseconds DefaultInterval(Mode mode);

// A behaviour from its textual parts; an empty interval or size takes the
// default. On failure returns none and says why in error.
std::optional<Behaviour> MakeBehaviour(std::string_view modeName, std::string_view intervalMs,
                                       std::string_view sizeMb, std::string* error);

// "mode=trickle interval_ms=20 size_mb=64"
std::string DescribeBehaviour(const Behaviour& behaviour);

}  // namespace ow::sample
