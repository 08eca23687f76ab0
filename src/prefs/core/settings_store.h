#pragma once
// What the settings operations need from the machine: the files below the
// host's "plugins" folder, the message box and the debug log. The Win32 side
// resolves the folder from the module file name of the running process; the
// core names files by their bare names.
#include <optional>
#include <string>
#include <string_view>

#include "common/plugin_folder.h"

namespace ow {

inline constexpr std::string_view kSettingsFileName = "ostixweather.ini";

class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The whole file, or nothing when it does not exist or cannot be read.
    virtual std::optional<std::string> ReadFile(std::string_view fileName) = 0;
    // Replaces the file in one step (a new file written beside it, then moved
    // over it). On false the old file is untouched.
    virtual bool WriteFileAtomically(std::string_view fileName, std::string_view bytes) = 0;
    // Modal, no owner window, OK button, no icon.
    virtual void ShowMessageBox(std::string_view caption, std::string_view text) = 0;
    virtual void WriteDebugLog(std::string_view message) = 0;
};

}  // namespace ow
