// Feeds arbitrary documents to the extractions. A first byte 'J' hands the
// rest to the Open-Meteo extraction; any other picks the source index for
// ExtractWeatherLine, the rest being the document. Every line must come out
// without a crash or a stray read. A source's line must equal what the literal
// step-by-step rules give; an Open-Meteo line must have one of its three shapes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "common/cp1251.h"
#include "literal_extract.h"
#include "weather/core/extract_weather_line.h"
#include "weather/core/open_meteo_extract.h"
#include "weather/core/open_meteo_fields.h"
#include "weather/core/open_meteo_texts.h"

namespace {
// The two sources the literal rules know, and indices that name no source
// and must give an empty line (Open-Meteo has the 'J' road).
constexpr int kSources[] = {ow::kGismeteoSource, ow::kWundergroundSource, -1, 1000};
constexpr std::uint8_t kOpenMeteoSelector = 'J';

// The literal rules are quadratic; keep them to documents they finish quickly.
constexpr std::size_t kLiteralLimit = 1 << 16;

using namespace ow::open_meteo;
constexpr auto kTown = ow::Cp1251(u8"Санкт-Петербург");

bool IsErrorLine(std::string_view line) {
    if (!line.starts_with(kErrorOpening) || line.size() > kErrorOpening.size() + kReasonShown) return false;
    for (const char c : line.substr(kErrorOpening.size())) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

// The town, then only figures, punctuation, the degree sign and Russian
// letters: nothing of the document's own text gets through.
bool IsWeatherLine(std::string_view line) {
    const std::string opening = kTown.str() + kNowOpening.str();
    if (!line.starts_with(opening) || !line.ends_with('.') || line.size() > opening.size() + 256) return false;
    for (const char c : line.substr(opening.size())) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::string_view(" +-.,%/0123456789\xB0").find(c) == std::string_view::npos && byte < 0xC0) return false;
    }
    return true;
}

void CheckOpenMeteo(std::string_view document) {
    const std::string line = ow::ExtractOpenMeteoLine(document, kTown);
    if (line != kNoWeatherData.view() && !IsErrorLine(line) && !IsWeatherLine(line)) std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::string_view document(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] == kOpenMeteoSelector) {
        CheckOpenMeteo(document);
        return 0;
    }
    const int source = kSources[data[0] % std::size(kSources)];

    const std::string line = ow::ExtractWeatherLine(document, source);
    if (document.size() <= kLiteralLimit &&
        line != ow::literal::ExtractWeatherLine(document, source)) {
        std::abort();
    }
    return 0;
}
