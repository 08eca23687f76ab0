#pragma once
// What a forecast request asks for, read from its query parameters and
// checked the way the Open-Meteo API checks them; each refusal comes with
// the reason the API would give.
#include <map>
#include <string>
#include <vector>

#include "open_meteo_fields.h"
#include "time_zone.h"

namespace ow::sample {

struct OpenMeteoQuery {
    double latitude = 0;
    double longitude = 0;
    std::vector<CurrentField> current;  // in the order asked
    std::vector<DailyField> daily;
    WindUnit windUnit = kDefaultWindUnit;
    TimeZone zone = kGmt;  // timezone=auto finds the place's own
    int forecastDays = 7;
};

inline constexpr int kMaxForecastDays = 16;

// params: decoded, as httplib gives them. None, with the API's reason, when
// the API would answer 400.
std::optional<OpenMeteoQuery> ParseOpenMeteoQuery(const std::multimap<std::string, std::string>& params,
                                                  std::string* reason);

// A number as the API echoes it in its reasons: "91.0", "-90.5".
std::string ApiNumberText(double value);

}  // namespace ow::sample
