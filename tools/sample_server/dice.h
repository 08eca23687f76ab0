#pragma once
// Reproducible chance for the invented weather: the same seed gives the same
// rolls on every platform.
#include <cstdint>
#include <string_view>

namespace ow::sample {

// FNV-1a: a seed from a name.
constexpr std::uint64_t SeedOf(std::string_view text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

// splitmix64: small, well mixed and identical on every platform.
class Dice {
public:
    explicit Dice(std::uint64_t seed) : state_(seed) {}
    int Between(int low, int high) {  // inclusive
        const auto span = static_cast<std::uint64_t>(high - low + 1);
        return low + static_cast<int>(Next() % span);
    }

private:
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::uint64_t state_;
};

}  // namespace ow::sample
