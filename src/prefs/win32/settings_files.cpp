#include "prefs/win32/settings_files.h"

#include <windows.h>

#include "common/win32/debug_log.h"
#include "common/win32/plugin_files.h"

namespace ow {

std::optional<std::string> SettingsFiles::ReadFile(std::string_view fileName) { return ReadPluginFile(fileName); }

bool SettingsFiles::WriteFileAtomically(std::string_view fileName, std::string_view bytes) {
    return WritePluginFileAtomically(fileName, bytes);
}

void SettingsFiles::ShowMessageBox(std::string_view caption, std::string_view text) {
    MessageBoxA(nullptr, std::string(text).c_str(), std::string(caption).c_str(), MB_OK);
}

void SettingsFiles::WriteDebugLog(std::string_view message) { ow::WriteDebugLog(message); }

}  // namespace ow
