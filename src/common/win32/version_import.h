#pragma once
#include <string>

namespace ow {
// The version as the library's own exported GetVersion gives it, called
// through the import from ostixWeather.dll (so the file must bear that name).
std::string VersionFromOwnExport();
}  // namespace ow
