#include "prefs/win32/popup_menu.h"

#include <string>
#include <string_view>

#include "prefs/win32/pref_control_ids.h"
#include "prefs/win32/pref_form.h"
#include "prefs/win32/pref_texts.h"

namespace ow {

namespace {

constexpr int kSeparator = -1;

struct MenuItem {
    int tag;
    std::string_view caption;
};

// mRefresh, mCopy, N3, mOptions, n4, mAbout.
constexpr MenuItem kItems[] = {
    {kMenuRefresh, pref_text::kMenuRefresh},
    {kMenuInsert, pref_text::kMenuInsert},
    {kSeparator, {}},
    {kMenuOptions, pref_text::kMenuOptions},
    {kSeparator, {}},
    {kMenuAbout, pref_text::kMenuAbout},
};

}  // namespace

PopupMenu::PopupMenu() : menu_(CreatePopupMenu()) {
    for (const auto& item : kItems) {
        if (item.tag == kSeparator) {
            AppendMenuA(menu_.get(), MF_SEPARATOR, 0, nullptr);
        } else {
            AppendMenuA(menu_.get(), MF_STRING, static_cast<UINT_PTR>(pref_id::kMenuCommandBase + item.tag),
                        std::string(item.caption).c_str());
        }
    }
}

int PopupMenu::Track(HWND owner, POINT at) const {
    if (!menu_) return -1;
    // A menu opened for a window that is not in the foreground would not
    // close when the user clicks elsewhere; the posted message lets the
    // next one open at once.
    HWND before = GetForegroundWindow();
    SetForegroundWindow(owner);
    const BOOL command = TrackPopupMenu(menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD,
                                        at.x, at.y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    // A hidden owner keeps no keyboard input: the window the user came from
    // gets it back.
    if (!IsWindowVisible(owner) && GetForegroundWindow() == owner && before != nullptr && before != owner &&
        IsWindow(before)) {
        SetForegroundWindow(before);
    }
    const int tag = static_cast<int>(command) - pref_id::kMenuCommandBase;
    for (const auto& item : kItems) {
        if (item.tag != kSeparator && item.tag == tag) return tag;
    }
    return -1;
}

}  // namespace ow
