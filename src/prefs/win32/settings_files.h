#pragma once
// The settings file and town lists in the plugins folder beside the host's
// executable, the message boxes, the log and the update timer.
#include <functional>

#include "prefs/core/settings_store.h"

namespace ow {

class SettingsFiles final : public SettingsStore {
public:
    explicit SettingsFiles(std::function<void(std::int64_t)> startUpdateTimer)
        : startUpdateTimer_(std::move(startUpdateTimer)) {}

    std::optional<std::string> ReadFile(std::string_view fileName) override;
    bool WriteFileAtomically(std::string_view fileName, std::string_view bytes) override;
    void ShowMessageBox(std::string_view caption, std::string_view text) override;
    void WriteDebugLog(std::string_view message) override;
    void StartUpdateTimer(std::int64_t intervalMs) override;

    // <directory of the running program>\plugins\<fileName>
    static std::string PathOf(std::string_view fileName);

private:
    std::function<void(std::int64_t)> startUpdateTimer_;
};

}  // namespace ow
