#include "display/win32/chat_input.h"

namespace ow {

HWND FindChatInput(HWND hostPageControl) {
    if (hostPageControl == nullptr || !IsWindow(hostPageControl)) return nullptr;
    HWND sheet = FindWindowExA(hostPageControl, nullptr, "TTabSheet", nullptr);
    if (sheet == nullptr) return nullptr;
    if (HWND memo = FindWindowExA(sheet, nullptr, "TMemo", nullptr)) return memo;
    HWND panel = FindWindowExA(sheet, nullptr, "TPanel", nullptr);
    return panel != nullptr ? FindWindowExA(panel, nullptr, "TMemo", nullptr) : nullptr;
}

void WriteChatInput(HWND input, const std::string& text) {
    SetWindowTextA(input, text.c_str());
    SetFocus(input);
    const auto end = static_cast<WPARAM>(text.size());
    SendMessageA(input, EM_SETSEL, end, static_cast<LPARAM>(end));
}

}  // namespace ow
