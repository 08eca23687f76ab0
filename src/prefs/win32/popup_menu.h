#pragma once
// PopupMenu: the plug-in's command menu, opened from the host's icon.
#include <windows.h>

#include "common/win32/unique_handle.h"

namespace ow {

class PopupMenu {
public:
    PopupMenu();
    // Shows the menu with its top-left corner at a screen point, on behalf
    // of `owner`, and waits until it closes. The chosen item's tag, or -1
    // when the menu was dismissed.
    int Track(HWND owner, POINT screenPoint) const;
    // Destroys the menu; Track does nothing afterwards.
    void Release() { menu_.reset(); }

private:
    UniqueMenu menu_;
};

}  // namespace ow
