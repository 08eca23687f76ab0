#include "display/win32/kept_forecast_file.h"

#include "common/win32/debug_log.h"
#include "common/win32/plugin_files.h"

namespace ow {

std::optional<std::string> KeptForecastFile::Read() {
    return ReadPluginFile(kKeptForecastFileName, kKeptForecastFileLimit);
}

bool KeptForecastFile::Write(std::string_view bytes) { return WritePluginFileAtomically(kKeptForecastFileName, bytes); }

void KeptForecastFile::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

}  // namespace ow
