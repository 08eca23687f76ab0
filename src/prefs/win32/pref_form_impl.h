#pragma once
// The form's private state, shared by the files that make up PrefForm.
#include <windows.h>

#include <functional>
#include <iterator>
#include <string_view>
#include <vector>

#include "prefs/win32/about_picture.h"
#include "prefs/win32/control_subclass.h"
#include "prefs/win32/dialog_keys.h"
#include "prefs/win32/popup_menu.h"
#include "prefs/win32/pref_control_ids.h"
#include "prefs/win32/pref_form.h"
#include "prefs/win32/pref_layout.h"

namespace ow {

// Window ids of the pages, by page index.
inline constexpr int kPageIds[] = {pref_id::tsOptions, pref_id::TabSheet1, pref_id::tsAbout};
inline constexpr int kPageCount = static_cast<int>(std::size(kPageIds));

struct PrefForm::Impl final : ControlHook, DialogKeyTarget {
    HINSTANCE module = nullptr;
    PrefFormEvents events;
    std::vector<std::string_view> sourceNames;  // the source box's items
    UniqueGdiObject font;
    AboutPicture about;  // AboutBitmap
    PopupMenu menu;      // PopupMenu
    ControlSubclasses subclasses;
    UniqueWindow window;  // destroyed first, explicitly, by ~PrefForm
    PrefWindows controls;
    HWND savedFocus = nullptr;  // the control that had the focus when the form lost it
    bool destroyed = false;     // Destroy has run: the object holds only memory

    HWND Item(int id) const { return controls.Item(id); }
    HWND ActivePageWindow() const;

    void Create();
    // Destroys the windows and gives back every system object (font,
    // bitmap, menu, window classes). Once only.
    void Destroy();

    // Runs an event's handler, when there is one. Nothing thrown may cross
    // a window procedure back into the system, so it ends here.
    template <class... Signature, class... Args>
    static void Fire(const std::function<void(Signature...)>& handler, Args... args) {
        if (!handler) return;
        try {
            handler(args...);
        } catch (...) {
        }
    }

    void ShowPage(int index);  // shows the page window of a pcPages index
    void PaintAbout();         // PaintAbout: AboutBitmap onto the About page
    void RestoreFocus();
    void VisibilityAfterMouseUp(int controlId);  // cbScrollMouseUp, cbUseProxyMouseUp, cbProxyAuthMouseUp
    bool Ticked(int id) const;
    void SetPartShown(PrefPart part, bool shown);

    // Messages of the form and its containers (pages, gbProxy).
    static LRESULT CALLBACK FormProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK ContainerProc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    static Impl* From(HWND window);  // the form of the form's or a container's window
    LRESULT FormMessage(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    // WM_COMMAND, WM_NOTIFY and WM_CTLCOLOR* of any control; true when handled.
    bool ControlMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    void Command(int id, int code);

    // ControlHook
    bool BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void AfterControl(HWND control, UINT msg, WPARAM wp, LPARAM lp) override;

    // DialogKeyTarget
    std::vector<HWND> TabStops() const override;
    void PressButton(int id) override;
    void StepPage(int delta) override;
};

}  // namespace ow
