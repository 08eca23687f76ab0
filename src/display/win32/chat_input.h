#pragma once
#include <windows.h>

#include <string>

namespace ow {
// The chat input of the host: a "TMemo" on the first "TTabSheet" of its page
// control, directly or inside that sheet's first "TPanel". Null when absent.
HWND FindChatInput(HWND hostPageControl);
// Replaces the input's text, focuses it and puts the caret at the end.
void WriteChatInput(HWND input, const std::string& text);
}  // namespace ow
