#pragma once
// Measurements as the weather line writes them: whole numbers, rounded half
// away from zero. The callers keep values far inside the range of long.
#include <string>

namespace ow {

long RoundedWhole(double value);

// "746", "-3".
std::string WholeNumber(double value);

// "+3", "-3", "0": a sign unless it rounds to zero (-0.4 gives "0").
std::string SignedWholeNumber(double value);

}  // namespace ow
