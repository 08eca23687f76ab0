#include "weather/core/open_meteo_extract.h"

#include <optional>

#include "weather/core/compass_point.h"
#include "weather/core/degree_sign.h"
#include "weather/core/open_meteo_answer.h"
#include "weather/core/open_meteo_texts.h"
#include "weather/core/whole_numbers.h"
#include "weather/core/wmo_words.h"

namespace ow {

namespace {
using namespace open_meteo;

constexpr double kMillimetresPerHectopascal = 0.750062;

// Parts after the first of a sentence each come after a comma.
void AppendPart(std::string& line, std::string_view part) { line.append(kPartSeparator).append(part); }

void AppendWords(std::string& line, const std::optional<double>& code) {
    if (!code) return;
    if (const auto words = WmoWords(*code)) AppendPart(line, *words);
}

// A sentence whose last part ends in a full stop ("рт. ст.") gets no second one.
void EndSentence(std::string& line) {
    if (line.back() != kSentenceEnd) line += kSentenceEnd;
}

void AppendWind(std::string& line, const std::optional<double>& speed, const std::optional<double>& direction) {
    if (!speed) return;
    if (RoundedWhole(*speed) == 0) {
        AppendPart(line, kCalm);
        return;
    }
    std::string wind(kWindOpening);
    if (direction) wind.append(CompassPoint(*direction)).append(kWordSpace);
    wind.append(WholeNumber(*speed)).append(kWindUnit);
    AppendPart(line, wind);
}

void AppendNow(std::string& line, const OpenMeteoAnswer::Current& now) {
    line.append(kNowOpening).append(SignedWholeNumber(*now[kTemperature])).append(kDegreeSign);
    AppendWords(line, now[kWeatherCode]);
    AppendWind(line, now[kWindSpeed], now[kWindDirection]);
    if (const auto& pressure = now[kPressure]) {
        AppendPart(line, WholeNumber(*pressure * kMillimetresPerHectopascal) + std::string(kPressureUnit));
    }
    if (const auto& humidity = now[kHumidity]) {
        AppendPart(line, std::string(kHumidityOpening) + WholeNumber(*humidity) + std::string(kHumidityUnit));
    }
    EndSentence(line);
}

void AppendTomorrow(std::string& line, const OpenMeteoAnswer::Daily& tomorrow) {
    if (!tomorrow[kDailyWeatherCode] || !tomorrow[kDailyLowest] || !tomorrow[kDailyHighest]) return;
    line.append(kTomorrowOpening).append(SignedWholeNumber(*tomorrow[kDailyLowest])).append(kRangeSeparator);
    line.append(SignedWholeNumber(*tomorrow[kDailyHighest])).append(kDegreeSign);
    AppendWords(line, tomorrow[kDailyWeatherCode]);
    EndSentence(line);
}

std::string ErrorLine(std::string_view reason) {
    std::string line(kErrorOpening);
    for (const char c : reason) line += c >= 0x20 && c <= 0x7E ? c : kUnshownByte;
    return line;
}
}  // namespace

std::string ExtractOpenMeteoLine(std::string_view document, std::string_view townName) {
    const auto answer = ReadOpenMeteoAnswer(document);
    if (answer && answer->error && answer->reason) return ErrorLine(*answer->reason);
    if (!answer || answer->error || !answer->now[kTemperature]) return kNoWeatherData.str();
    std::string line(townName);
    AppendNow(line, answer->now);
    AppendTomorrow(line, answer->tomorrow);
    return line;
}

}  // namespace ow
