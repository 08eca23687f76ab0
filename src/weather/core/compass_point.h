#pragma once
// Wind directions as the weather line names them.
#include <string_view>

namespace ow {

// The nearest of the eight points (С, СВ, В, ЮВ, Ю, ЮЗ, З, СЗ; code page 1251)
// to a finite direction in degrees, any multiple of 360 off; a direction
// halfway between two points takes the later one clockwise.
std::string_view CompassPoint(double degrees);

}  // namespace ow
