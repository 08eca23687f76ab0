#include "common/win32/window_text.h"

#include <vector>

namespace ow {

std::string ReadWindowText(HWND window) {
    if (window == nullptr) return {};
    std::string partial;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
        if (length <= 0) return {};
        // Room for one more byte than announced shows whether the text grew.
        std::vector<char> buffer(static_cast<std::size_t>(length) + 2, '\0');
        const int copied = GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
        partial.assign(buffer.data(), copied > 0 ? static_cast<std::size_t>(copied) : 0);
        if (copied <= length) return partial;
    }
    return partial;  // a window that keeps announcing too little: what it gave last
}

}  // namespace ow
