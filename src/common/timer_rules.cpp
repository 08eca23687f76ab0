#include "common/timer_rules.h"

#include <algorithm>

namespace ow {

namespace {
constexpr int kSlowestScrollStepMs = 500;
}  // namespace

int ScrollIntervalFor(int speedPosition) {
    return kSlowestScrollStepMs / std::clamp(speedPosition, kScrollSpeedMin, kScrollSpeedMax);
}

int PeriodIndexFrom(int index) {
    return (index >= 0 && index < static_cast<int>(PeriodTable.size())) ? index : 0;
}

std::int64_t PeriodFor(int periodIndex) { return PeriodTable[static_cast<std::size_t>(PeriodIndexFrom(periodIndex))]; }

}  // namespace ow
