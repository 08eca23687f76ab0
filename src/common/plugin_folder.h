#pragma once
// The plug-in's files live in this folder below the directory of the host's
// executable; the core names them by their bare names.
#include <string_view>

namespace ow {
inline constexpr std::string_view kPluginsFolder = "plugins";
}  // namespace ow
