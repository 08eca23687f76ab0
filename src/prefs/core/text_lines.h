#pragma once
// Plain-text files as lists of lines: the settings file and the town lists
// are read with any of the three line ends and written back with CR LF.
#include <string>
#include <string_view>
#include <vector>

namespace ow {

using StringList = std::vector<std::string>;

// CR LF, LF or CR end a line; a last line without a line end still counts,
// and a line end at the very end adds no empty line. Every other byte
// (NUL included) stays in its line.
StringList SplitLines(std::string_view bytes);

// Every line followed by CR LF.
std::string JoinLinesCrLf(const StringList& lines);

}  // namespace ow
