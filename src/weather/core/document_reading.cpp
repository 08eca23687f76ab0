#include "weather/core/document_reading.h"

#include <utility>

namespace ow {

DocumentReading::DocumentReading(std::string document, const WeatherSource& source, std::string townName)
    : document_(std::move(document)), source_(source), townName_(std::move(townName)) {}

void DocumentReading::Run() noexcept {
    try {
        kind_ = ClassifyBody(document_);
        if (kind_ == BodyKind::Document) line_ = source_.extract(document_, townName_);
        // A copy, so that the long line's memory goes here and now.
        if (line_.size() > kMaxWeatherLineBytes) line_ = line_.substr(0, kMaxWeatherLineBytes);
        failed_ = false;
    } catch (...) {
        failed_ = true;
    }
    std::string().swap(document_);
}

}  // namespace ow
