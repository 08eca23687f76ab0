// Feeds arbitrary documents to ExtractWeatherLine. The first byte picks the
// source index; the rest is the document. The line must come out without a
// crash or a stray read, and equal what the literal step-by-step rules give.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "literal_extract.h"
#include "weather/core/extract_weather_line.h"

namespace {
// Both sources, and indices that must give an empty line.
constexpr int kSources[] = {ow::kGismeteoSource, ow::kWundergroundSource, 2, -1};

// The literal rules are quadratic; keep them to documents they finish quickly.
constexpr std::size_t kLiteralLimit = 1 << 16;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const int source = kSources[data[0] % std::size(kSources)];
    const std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::string line = ow::ExtractWeatherLine(document, source);
    if (document.size() <= kLiteralLimit &&
        line != ow::literal::ExtractWeatherLine(document, source)) {
        std::abort();
    }
    return 0;
}
