#include "behaviour.h"

#include <charconv>

namespace ow::sample {
namespace {

struct ModeEntry {
    Mode mode;
    std::string_view name;
};

constexpr ModeEntry kModes[] = {
    {Mode::Normal, "normal"},   {Mode::Refuse, "refuse"}, {Mode::CloseMidBody, "close-mid-body"},
    {Mode::Empty, "empty"},     {Mode::Blank, "blank"},   {Mode::Trickle, "trickle"},
    {Mode::Large, "large"},     {Mode::Authoriz, "authoriz"}, {Mode::SlowStart, "slow-start"},
    {Mode::PauseMidBody, "pause-mid-body"}, {Mode::HoldClose, "hold-close"},
    {Mode::Example, "example"}, {Mode::ApiError, "api-error"}, {Mode::NotJson, "not-json"},
    {Mode::SlowHandshake, "slow-handshake"}, {Mode::FarChallenge, "far-challenge"},
    {Mode::RefuseTunnel, "refuse-tunnel"},
};

std::optional<long> ParseCount(std::string_view text, long low, long high) {
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc{} || end != text.data() + text.size() || value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<Mode> ParseMode(std::string_view name) {
    for (const ModeEntry& entry : kModes)
        if (entry.name == name) return entry.mode;
    return std::nullopt;
}

std::string_view ModeName(Mode mode) {
    for (const ModeEntry& entry : kModes)
        if (entry.mode == mode) return entry.name;
    return "?";
}

std::chrono::milliseconds DefaultInterval(Mode mode) {
    const bool waitsOnce = mode == Mode::SlowStart || mode == Mode::PauseMidBody || mode == Mode::HoldClose ||
                           mode == Mode::SlowHandshake;
    if (mode == Mode::Large) return std::chrono::milliseconds(0);  // no pause unless asked
    return std::chrono::milliseconds(waitsOnce ? 2000 : 20);
}

std::optional<Behaviour> MakeBehaviour(std::string_view modeName, std::string_view intervalMs,
                                       std::string_view sizeMb, std::string* error) {
    const auto mode = ParseMode(modeName);
    if (!mode) {
        *error = "unknown mode: " + std::string(modeName);
        return std::nullopt;
    }
    Behaviour behaviour;
    behaviour.mode = *mode;
    behaviour.interval = DefaultInterval(*mode);
    if (!intervalMs.empty()) {
        const auto value = ParseCount(intervalMs, 0, kMaxIntervalMs);
        if (!value) {
            *error = "interval_ms must be 0 to " + std::to_string(kMaxIntervalMs);
            return std::nullopt;
        }
        behaviour.interval = std::chrono::milliseconds(*value);
    }
    if (!sizeMb.empty()) {
        const auto value = ParseCount(sizeMb, 1, static_cast<long>(kMaxSizeMb));
        if (!value) {
            *error = "size_mb must be 1 to " + std::to_string(kMaxSizeMb);
            return std::nullopt;
        }
        behaviour.sizeMb = static_cast<std::size_t>(*value);
    }
    return behaviour;
}

std::string DescribeBehaviour(const Behaviour& behaviour) {
    return "mode=" + std::string(ModeName(behaviour.mode)) +
           " interval_ms=" + std::to_string(behaviour.interval.count()) +
           " size_mb=" + std::to_string(behaviour.sizeMb);
}

}  // namespace ow::sample
