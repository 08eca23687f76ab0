#pragma once
// The messenger's windows as the plug-in finds them (its main window, the page
// control that holds the chat input, the chat input last targeted) and the
// plug-in's icon, which lives as long as the plug-in runs.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "common/win32/unique_handle.h"
#include "host/core/menu_commands.h"

namespace ow {

class HostWindows final : public ChatInput {
public:
    void SetMainWindow(std::int32_t window);
    // The first "TPageControl" among the main window's children; looked up
    // once, at initialisation.
    void FindPageControl();
    // The handle of the icon resource "MAINICON", loaded the first time.
    std::int32_t PluginIcon();
    // Destroys the icon; the next PluginIcon loads it again.
    void ReleasePluginIcon() { icon_.reset(); }

    // Into a section of the host's "TStatusBar", looked up anew each time.
    bool WriteStatusBar(int section, std::string_view message);
    // Back to the chat input last targeted, if it is still there.
    void FocusChatInput();

    // ChatInput
    bool Find() override;
    std::string Text() override;
    void Replace(const std::string& text) override;

private:
    bool ChatInputThere() const { return chatInput_ != nullptr && IsWindow(chatInput_); }

    HWND main_ = nullptr;
    HWND pageControl_ = nullptr;
    HWND chatInput_ = nullptr;
    UniqueIcon icon_;
};

}  // namespace ow
