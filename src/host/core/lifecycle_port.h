#pragma once
// What the plug-in's event handling needs from the rest of the plug-in. The
// Win32 module implements it; the native tests record the calls.
#include <cstdint>
#include <string_view>

namespace ow {

class LifecyclePort {
public:
    virtual ~LifecyclePort() = default;
    virtual void WriteDebugLog(std::string_view message) = 0;
    virtual bool FormExists() const = 0;
    virtual void CreateForm() = 0;  // hidden
    virtual void FreeForm() = 0;
    virtual void SetHostMainWindow(std::int32_t window) = 0;
    virtual std::int32_t LoadPluginIcon() = 0;        // handle of the icon resource
    virtual std::int32_t ClickCallbackAddress() = 0;  // address of PMB
    virtual void FindHostPageControl() = 0;
    virtual void LoadSettings() = 0;
    virtual void ApplySettings() = 0;
    virtual void ShowStatusText(std::string_view text) = 0;
    virtual void StopTimers() = 0;
    virtual void CloseInternetHandles() = 0;
    virtual void SelectFirstPage() = 0;
    virtual void ShowForm() = 0;
};

}  // namespace ow
