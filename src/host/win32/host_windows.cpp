#include "host/win32/host_windows.h"

#include "common/win32/module_instance.h"
#include "common/win32/window_text.h"
#include "display/win32/chat_input.h"
#include "display/win32/status_bar_writer.h"

namespace ow {

void HostWindows::SetMainWindow(std::int32_t window) {
    main_ = reinterpret_cast<HWND>(static_cast<std::intptr_t>(window));
}

void HostWindows::FindPageControl() {
    if (main_ != nullptr) pageControl_ = FindWindowExA(main_, nullptr, "TPageControl", nullptr);
}

std::int32_t HostWindows::PluginIcon() {
    if (!icon_) {
        icon_.reset(static_cast<HICON>(LoadImageA(ModuleInstance(), "MAINICON", IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
    }
    return static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(icon_.get()));
}

bool HostWindows::WriteStatusBar(int section, std::string_view message) {
    return ow::WriteStatusBar(main_, section, message);
}

void HostWindows::FocusChatInput() {
    if (ChatInputThere()) SetFocus(chatInput_);
}

bool HostWindows::Find() {
    chatInput_ = FindChatInput(pageControl_);  // remembered even when none was found
    return chatInput_ != nullptr;
}

std::string HostWindows::Text() { return ChatInputThere() ? ReadWindowText(chatInput_) : std::string(); }

void HostWindows::Replace(const std::string& text) {
    if (ChatInputThere()) WriteChatInput(chatInput_, text);
}

}  // namespace ow
