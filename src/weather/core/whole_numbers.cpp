#include "weather/core/whole_numbers.h"

#include <cmath>

namespace ow {

long RoundedWhole(double value) { return std::lround(value); }

std::string WholeNumber(double value) { return std::to_string(RoundedWhole(value)); }

std::string SignedWholeNumber(double value) {
    const long whole = RoundedWhole(value);
    std::string text = std::to_string(whole);
    if (whole > 0) text.insert(text.begin(), '+');
    return text;
}

}  // namespace ow
