#pragma once
// The last good forecast's file in the plugins folder, and the debug log.
#include "display/core/last_good_forecast.h"

namespace ow {

class KeptForecastFile final : public KeptForecastStore {
public:
    std::optional<std::string> Read() override;
    bool Write(std::string_view bytes) override;
    void WriteDebugLog(std::string_view message) override;
};

}  // namespace ow
