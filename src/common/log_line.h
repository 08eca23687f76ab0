#pragma once
// One line of the debug log: "[" date [" " time] "] " message CR LF. The time
// is left out at exactly midnight (milliseconds are not looked at).
#include <string>
#include <string_view>

namespace ow {

inline constexpr std::string_view kDebugLogFile = ".\\ostix_weather_debug.log";

struct LogClock {
    std::string date;  // regional short date
    std::string time;  // regional long time
    int hour = 0, minute = 0, second = 0;
};

std::string FormatLogLine(const LogClock& clock, std::string_view message);

}  // namespace ow
