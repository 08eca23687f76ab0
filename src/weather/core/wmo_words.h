#pragma once
// The words the weather line gives a WMO weather interpretation code.
#include <optional>
#include <string_view>

namespace ow {

// The words for `code`, in code page 1251; none for a number that is not one
// of the table's codes (a fraction, a code the table lacks, anything not finite).
std::optional<std::string_view> WmoWords(double code);

}  // namespace ow
