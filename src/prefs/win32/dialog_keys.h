#pragma once
// Enter, Esc and Tab as a dialog box treats them, for a window whose keys
// arrive through a plain message loop with no IsDialogMessage: the form
// calls this from its controls' key messages.
#include <windows.h>

#include <vector>

namespace ow {

// What the keys act on.
class DialogKeyTarget {
public:
    virtual ~DialogKeyTarget() = default;
    // The controls that can take the focus now, in Tab order.
    virtual std::vector<HWND> TabStops() const = 0;
    // Runs the click of a push button, by id.
    virtual void PressButton(int id) = 0;
    // Ctrl+Tab: the next (+1) or previous (-1) page.
    virtual void StepPage(int delta) = 0;
};

struct DialogButtons {
    int defaultButton;  // pressed by Enter unless another push button has the focus
    int cancelButton;   // pressed by Esc
    const int* pushButtons;
    int pushButtonCount;
};

// A WM_KEYDOWN that reached `from`; true when the key was used. Keys for an
// open combo box list are left to it.
bool HandleDialogKey(DialogKeyTarget& target, const DialogButtons& buttons, HWND from, WPARAM key);

// The WM_CHAR those keys leave behind (a single-line edit would beep at
// it); true when it is to be dropped.
bool IsDialogKeyChar(HWND from, WPARAM ch);

// Gives a control the focus as Tab does: an edit's text is selected.
void FocusTabStop(HWND control);

}  // namespace ow
