#include "display/core/last_good_forecast.h"

#include <utility>

#include "common/cp1251.h"
#include "display/core/forecast_age.h"

namespace ow {

namespace {

constexpr std::string_view kAfterFailure = "; ";
constexpr auto kLastForecastOpening = Cp1251(u8"последний прогноз ");
constexpr std::string_view kBeforeLine = ": ";

std::string LogLine(std::string_view what) { return std::string(what) + std::string(kKeptForecastFileName); }

}  // namespace

std::optional<std::string> LastGoodForecast::AfterRefresh(int sourceIndex, std::string_view townCode,
                                                           std::string_view text, bool forecast, std::int64_t now) {
    if (forecast) {
        Keep(KeptForecast{sourceIndex, std::string(townCode), std::string(text), now});
        return std::nullopt;
    }
    const auto& kept = Kept();
    if (!kept || kept->sourceIndex != sourceIndex || kept->townCode != townCode) return std::nullopt;
    const auto age = AgeText(now - kept->fetchedAt);
    if (!age) return std::nullopt;
    std::string shown(text);
    if (!shown.empty()) shown.append(kAfterFailure);
    shown.append(kLastForecastOpening.view()).append(*age).append(kBeforeLine).append(kept->line);
    return shown;
}

void LastGoodForecast::Keep(KeptForecast forecast) {
    const std::string bytes = EncodeKeptForecast(forecast);
    kept_ = std::move(forecast);
    looked_ = true;
    // Memory keeps the line whatever becomes of the file.
    if (bytes.size() > kKeptForecastFileLimit || !store_.Write(bytes)) {
        store_.WriteDebugLog(LogLine("Last forecast not saved: "));
    }
}

const std::optional<KeptForecast>& LastGoodForecast::Kept() {
    if (!looked_) {
        looked_ = true;
        if (const auto bytes = store_.Read()) {
            kept_ = DecodeKeptForecast(*bytes);
            if (!kept_) store_.WriteDebugLog(LogLine("Last forecast file ignored: "));
        }
    }
    return kept_;
}

}  // namespace ow
