#pragma once
// Making the weather line of a downloaded document: work for the download's
// own thread, since a document may be many megabytes and the messenger's
// thread must not stand still while it is searched.
#include <cstddef>
#include <string>

#include "common/weather_source.h"
#include "weather/core/fetch_classification.h"
#include "weather/core/internet_port.h"

namespace ow {

// A forecast's line is a few hundred characters; a document that gives more
// is no forecast, and a line of megabytes would hold the messenger's thread
// wherever it is copied or shown. The line is cut to this many bytes.
inline constexpr std::size_t kMaxWeatherLineBytes = 4096;

class DocumentReading final : public AsideWork {
public:
    DocumentReading(std::string document, const WeatherSource& source, std::string townName);

    // Classifies the document and, for a document, extracts its line (cut to
    // kMaxWeatherLineBytes); then frees the document. Running out of memory
    // leaves it a failure.
    void Run() noexcept override;

    bool failed() const { return failed_; }
    BodyKind kind() const { return kind_; }
    const std::string& line() const { return line_; }

private:
    std::string document_;
    const WeatherSource& source_;
    std::string townName_;
    bool failed_ = true;
    BodyKind kind_ = BodyKind::Blank;
    std::string line_;
};

}  // namespace ow
