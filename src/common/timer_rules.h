#pragma once
// How the preferences' choices become timer intervals: the ticker's speed
// and the update period.
#include <array>
#include <cstdint>

namespace ow {

inline constexpr int kScrollSpeedMin = 1;  // tbScrSpeed range
inline constexpr int kScrollSpeedMax = 5;

// Ticker interval: 500 div the tbScrSpeed position (500, 250, 166, 125 or
// 100 ms), the position taken into the track bar's range so the divisor is
// never zero.
int ScrollIntervalFor(int speedPosition);

// Update intervals in ms, indexed by the item index of cbPeriod.
inline constexpr std::array<std::int64_t, 4> PeriodTable = {1800000, 3600000, 21600000, 43200000};

// A stored "autoupdate" outside the rows of PeriodTable is row 0.
int PeriodIndexFrom(int index);
// The interval of a cbPeriod item index; no item (-1) or any index outside
// the table gives row 0, half an hour.
std::int64_t PeriodFor(int periodIndex);

}  // namespace ow
