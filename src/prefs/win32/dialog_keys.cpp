#include "prefs/win32/dialog_keys.h"

#include <algorithm>

namespace ow {

namespace {

bool HasClass(HWND window, const char* className) {
    char name[32] = {};
    return window != nullptr && GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, className) == 0;
}

// The combo box `window` is, or whose text box it is.
HWND ComboOf(HWND window) {
    if (HasClass(window, "ComboBox")) return window;
    HWND parent = GetParent(window);
    return HasClass(parent, "ComboBox") ? parent : nullptr;
}

bool ComboListOpen(HWND window) {
    HWND combo = ComboOf(window);
    return combo != nullptr && SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
}

bool KeyDown(int key) { return (GetKeyState(key) & 0x8000) != 0; }

void MoveFocus(const DialogKeyTarget& target, HWND from, int step) {
    const std::vector<HWND> stops = target.TabStops();
    if (stops.empty()) return;
    const int count = static_cast<int>(stops.size());
    // A combo box's text box stands for the combo box.
    const auto at = std::find_if(stops.begin(), stops.end(),
                                 [from](HWND stop) { return stop == from || GetParent(from) == stop; });
    int next;
    if (at == stops.end()) {
        next = step > 0 ? 0 : count - 1;
    } else {
        next = (static_cast<int>(at - stops.begin()) + step + count) % count;
    }
    FocusTabStop(stops[static_cast<std::size_t>(next)]);
}

}  // namespace

bool HandleDialogKey(DialogKeyTarget& target, const DialogButtons& buttons, HWND from, WPARAM key) {
    switch (key) {
        case VK_RETURN: {
            if (ComboListOpen(from)) return false;
            const int focused = GetDlgCtrlID(from);
            const int* end = buttons.pushButtons + buttons.pushButtonCount;
            const bool onButton = std::find(buttons.pushButtons, end, focused) != end && HasClass(from, "Button");
            target.PressButton(onButton ? focused : buttons.defaultButton);
            return true;
        }
        case VK_ESCAPE:
            if (ComboListOpen(from)) return false;
            target.PressButton(buttons.cancelButton);
            return true;
        case VK_TAB:
            if (KeyDown(VK_MENU)) return false;
            if (KeyDown(VK_CONTROL)) {
                target.StepPage(KeyDown(VK_SHIFT) ? -1 : 1);
            } else {
                MoveFocus(target, from, KeyDown(VK_SHIFT) ? -1 : 1);
            }
            return true;
        default:
            return false;
    }
}

bool IsDialogKeyChar(HWND from, WPARAM ch) {
    return (ch == '\r' || ch == '\t' || ch == 0x1B) && !ComboListOpen(from);
}

void FocusTabStop(HWND control) {
    SetFocus(control);
    if (HasClass(control, "Edit")) SendMessageA(control, EM_SETSEL, 0, -1);
}

}  // namespace ow
