#include "user_input.h"

#include <commctrl.h>

namespace wine_tests::user_input {

namespace {
constexpr DWORD kDeliveryMs = 50;
}  // namespace

void PressKey(host::HostEmulator& emu, WPARAM key, HWND target) {
    if (target == nullptr) target = GetFocus();
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(target, WM_KEYDOWN, key, scan | 1);
    PostMessageA(target, WM_KEYUP, key, scan | 1 | (1 << 30) | (1u << 31));
    emu.Pump(kDeliveryMs);
}

void Click(host::HostEmulator& emu, HWND window, POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, where);
    PostMessageA(window, WM_LBUTTONUP, 0, where);
    emu.Pump(kDeliveryMs);
}

void Click(host::HostEmulator& emu, HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    Click(emu, window, POINT{r.right / 2, r.bottom / 2});
}

void ClickTab(host::HostEmulator& emu, HWND tabs, int page) {
    RECT r = {};
    SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(page), reinterpret_cast<LPARAM>(&r));
    Click(emu, tabs, POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void Type(host::HostEmulator& emu, const std::string& text) {
    for (char c : text) PostMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(c), 1);
    emu.Pump(kDeliveryMs);
}

}  // namespace wine_tests::user_input
