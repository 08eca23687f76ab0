#pragma once
// The WMO weather interpretation code (as Open-Meteo reports it) of a day of
// the invented weather: its sky, with snow when the day stays below freezing,
// freezing drizzle or rain around zero and thunder on warm wet days.
#include "forecast_model.h"

namespace ow::sample {

// roll: any number, picks among the codes that fit the day equally well.
int WmoWeatherCode(const DayForecast& day, int roll);

}  // namespace ow::sample
