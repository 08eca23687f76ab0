#pragma once
// The status-bar display's port: the host's status bar and chat input, the
// current form's test controls and window timers, and the download.
#include <functional>
#include <optional>
#include <string>

#include "display/core/display_port.h"
#include "host/win32/form_lifetime.h"
#include "host/win32/host_windows.h"

namespace ow {

class FormDisplayPort final : public DisplayPort {
public:
    using Download = std::function<std::optional<std::string>(const std::string& townCode)>;
    FormDisplayPort(const FormLifetime& forms, HostWindows& host, Download download)
        : forms_(forms), host_(host), download_(std::move(download)) {}

    bool WriteStatusBar(int section, std::string_view message) override;
    void SetTestText(std::string_view text) override;
    bool TestScrollTicked() override;
    int TestSpeedPosition() override;
    void SetTimer(int id, std::uint32_t intervalMs) override;
    void KillTimer(int id) override;
    std::optional<std::string> FetchWeather(const std::string& townCode) override;
    void FocusChatInput() override;

private:
    const FormLifetime& forms_;
    HostWindows& host_;
    Download download_;
};

}  // namespace ow
