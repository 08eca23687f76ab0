#include "weather/core/compass_point.h"

#include <array>
#include <cmath>
#include <cstddef>

#include "common/cp1251.h"

namespace ow {

namespace {
constexpr std::u8string_view kUtf8Points[] = {u8"С", u8"СВ", u8"В", u8"ЮВ", u8"Ю", u8"ЮЗ", u8"З", u8"СЗ"};
constexpr std::size_t kPointCount = std::size(kUtf8Points);
constexpr double kFullCircle = 360;
constexpr double kSector = kFullCircle / kPointCount;

consteval std::array<Cp1251Text<2>, kPointCount> InCp1251() {
    std::array<Cp1251Text<2>, kPointCount> points{};
    for (std::size_t i = 0; i < kPointCount; ++i) points[i] = Cp1251In<2>(kUtf8Points[i]);
    return points;
}
constexpr auto kPoints = InCp1251();
}  // namespace

std::string_view CompassPoint(double degrees) {
    double angle = std::fmod(degrees, kFullCircle);  // exact, with the sign of `degrees`
    if (angle < 0) angle += kFullCircle;
    // Each point owns the sector centred on it; 360 itself comes back to С.
    const auto sector = static_cast<std::size_t>(std::floor((angle + kSector / 2) / kSector));
    return kPoints[sector % kPointCount].view();
}

}  // namespace ow
