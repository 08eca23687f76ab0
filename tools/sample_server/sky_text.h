#pragma once
// Both documents name the sky from one list of nine conditions, each in its
// own language, in this order: clear, partly cloudy, mostly cloudy, overcast,
// light snow, snow, light rain, rain, fog.
#include <cstddef>

#include "forecast_model.h"

namespace ow::sample {

constexpr std::size_t SkyTextIndex(Sky sky, bool snow) {
    switch (sky) {
        case Sky::Clear: return 0;
        case Sky::PartlyCloudy: return 1;
        case Sky::MostlyCloudy: return 2;
        case Sky::Overcast: return 3;
        case Sky::LightPrecipitation: return snow ? 4 : 6;
        case Sky::Precipitation: return snow ? 5 : 7;
        case Sky::Fog: return 8;
    }
    return 0;
}

}  // namespace ow::sample
