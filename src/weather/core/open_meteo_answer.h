#pragma once
// The few values of an Open-Meteo answer the weather line needs, read from
// the document as it streams past.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "weather/core/open_meteo_fields.h"

namespace ow {

struct OpenMeteoAnswer {
    // Indexed by open_meteo::CurrentField; each value within its bounds.
    using Current = std::array<std::optional<double>, open_meteo::kCurrentFieldCount>;
    // Indexed by open_meteo::DailyField: the second element of each array.
    using Daily = std::array<std::optional<double>, open_meteo::kDailyFieldCount>;

    Current now;
    Daily tomorrow;
    bool error = false;                 // "error": true
    std::optional<std::string> reason;  // the first kReasonShown bytes of a string "reason"
};

// None unless the document is one JSON object (within ReadJson's limits).
// Only the top-level members "current", "daily", "error" and "reason" count;
// of a key given twice in one object the last wins, for "current" and
// "daily" the whole block.
std::optional<OpenMeteoAnswer> ReadOpenMeteoAnswer(std::string_view document);

}  // namespace ow
