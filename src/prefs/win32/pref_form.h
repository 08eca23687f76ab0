#pragma once
// The plug-in's one form, TfPref: the preferences window, and the hidden
// owner of the plug-in's window timers and popup menu. It only shows the
// controls and reports what the user did; the steps each event runs live
// with the plug-in module.
#include <windows.h>

#include <functional>
#include <memory>

#include "common/weather_source.h"
#include "common/win32/unique_handle.h"
#include "prefs/core/pref_controls.h"
#include "prefs/core/pref_window.h"

namespace ow {

struct PrefFormEvents {
    std::function<void(UINT_PTR timerId)> onTimer;  // WM_TIMER on the form's window
    std::function<void()> onQueryEndSession;        // WM_QUERYENDSESSION (answered 1 by the form)
    std::function<void()> onShow;                   // FormShow: the window went from hidden to shown
    std::function<void()> onTest;                   // bTestClick (button or Enter)
    std::function<void()> onOk;                     // bOkClick
    std::function<void()> onCancel;                 // bCancelClick (button or Esc)
    std::function<void()> onCloseQuery;             // FormCloseQuery (a close request: the form then hides)
    std::function<void()> onResourceChange;         // cbResourceChange
    std::function<void()> onFindPlace;              // the place search's button beside cbTowns
    std::function<void(int tag)> onMenuItem;        // MenuItemClick, by the item's tag
};

class PrefForm : public PrefControls, public PrefWindow {
public:
    // `sources` fill the source box, item index = source index.
    PrefForm(HINSTANCE module, PrefFormEvents events, WeatherSources sources);
    ~PrefForm() override;
    PrefForm(const PrefForm&) = delete;
    PrefForm& operator=(const PrefForm&) = delete;

    HWND window() const;
    // Destroys the window and its controls and gives back every system
    // object of the form now; the object stays, holding only memory, until
    // it is deleted.
    void DestroyNow();
    // PrefWindow; Show runs onShow when the window was hidden.
    void Show() override;
    void Hide() override;
    void SelectPage(int index) override;
    bool Visible() const;
    // Opens the popup menu with its top-left corner at a screen point; the
    // chosen item arrives through onMenuItem.
    void OpenPopupMenu(POINT screenPoint);

    // PrefControls: the controls the settings operations read and write.
    int ResourceIndex() const override;
    void SetResourceIndex(int index) override;
    void SetTownItems(const StringList& names) override;
    void ClearTownItems() override;
    void ClearTownText() override;
    int TownIndex() const override;
    void SetTownIndex(int index) override;
    std::string TownText() const override;
    int PeriodIndex() const override;
    void SetPeriodIndex(int index) override;
    int BarSectionValue() const override;
    void SetBarSectionValue(int value) override;
    int ScrollSpeed() const override;
    void SetScrollSpeed(int position) override;
    bool IsChecked(PrefCheckBox box) const override;
    void SetChecked(PrefCheckBox box, bool checked) override;
    std::string EditText(PrefEdit edit) const override;
    void SetEditText(PrefEdit edit, std::string_view text) override;
    void SetTestText(std::string_view text) override;
    void SetShown(PrefPart part, bool shown) override;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ow
