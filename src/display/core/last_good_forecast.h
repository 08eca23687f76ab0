#pragma once
// The last good forecast and what a failed refresh shows with it: the
// failure text as it is, then "; последний прогноз ", the age, ": " and the
// line the last successful refresh of the same source and town gave, while
// that line is under a day old. Kept in memory and in a file of its own, so
// the first failure after a restart still finds it.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/core/kept_forecast.h"

namespace ow {

// The kept forecast's file and the debug log.
class KeptForecastStore {
public:
    virtual ~KeptForecastStore() = default;
    // The file's bytes, at most kKeptForecastFileLimit + 1 of them; none when
    // there is no file.
    virtual std::optional<std::string> Read() = 0;
    // Replaces the file in one step; on false the old file is untouched.
    virtual bool Write(std::string_view bytes) = 0;
    virtual void WriteDebugLog(std::string_view message) = 0;
};

class LastGoodForecast {
public:
    explicit LastGoodForecast(KeptForecastStore& store) : store_(store) {}

    // After every refresh that ran to its end, with the source and town it
    // asked for and `now` in seconds since 1970 UTC. A forecast is kept
    // (memory first, then the file) and none is returned. Any other outcome
    // returns the text to show in its place when the kept forecast is of the
    // same source and town and between 0 and 24 hours old (a time ahead of
    // `now` is stale), none otherwise: `text` is shown as it is then.
    std::optional<std::string> AfterRefresh(int sourceIndex, std::string_view townCode, std::string_view text,
                                            bool forecast, std::int64_t now);

private:
    void Keep(KeptForecast forecast);
    // The kept forecast; the file is read the first time one is needed.
    const std::optional<KeptForecast>& Kept();

    KeptForecastStore& store_;
    std::optional<KeptForecast> kept_;
    bool looked_ = false;  // the file was read, or a newer forecast kept
};

}  // namespace ow
