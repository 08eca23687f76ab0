#pragma once
// The settings file and town lists in the plugins folder beside the host's
// executable, the message boxes and the log.
#include "prefs/core/settings_store.h"

namespace ow {

class SettingsFiles final : public SettingsStore {
public:
    std::optional<std::string> ReadFile(std::string_view fileName) override;
    bool WriteFileAtomically(std::string_view fileName, std::string_view bytes) override;
    void ShowMessageBox(std::string_view caption, std::string_view text) override;
    void WriteDebugLog(std::string_view message) override;
};

}  // namespace ow
