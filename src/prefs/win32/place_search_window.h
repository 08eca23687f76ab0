#pragma once
// The place search's small window of the plug-in's own: a name box, a search
// button, the list of places found and a line that says what happened.
// Owned by the preferences window; closing it only hides it.
#include <windows.h>

#include <functional>
#include <vector>

#include "common/win32/unique_handle.h"
#include "prefs/core/place_search_view.h"
#include "prefs/win32/control_subclass.h"
#include "prefs/win32/dialog_keys.h"

namespace ow {

inline constexpr char kPlaceSearchClass[] = "OwPlaceSearch";

// Window ids of its controls.
namespace place_search_id {
inline constexpr int kLabel = 1;
inline constexpr int kNameBox = 2;
inline constexpr int kSearch = 3;
inline constexpr int kList = 4;
inline constexpr int kStatus = 5;
inline constexpr int kChoose = 6;
inline constexpr int kClose = 7;
}  // namespace place_search_id

// What the user asked of the window.
enum class PlaceSearchAction {
    kSearch,  // the search button, or Enter in the name box
    kChoose,  // the choose button, Enter or a double click in the list
    kClose,   // the close button, Esc or the title bar's close box
};
using PlaceSearchEvents = std::function<void(PlaceSearchAction)>;

class PlaceSearchWindow final : public PlaceSearchView, private ControlHook, private DialogKeyTarget {
public:
    PlaceSearchWindow(HINSTANCE module, HWND owner, PlaceSearchEvents events);
    ~PlaceSearchWindow() override { DestroyNow(); }
    PlaceSearchWindow(const PlaceSearchWindow&) = delete;
    PlaceSearchWindow& operator=(const PlaceSearchWindow&) = delete;

    // Destroys the window and gives back its system objects now; the object
    // stays, holding only memory.
    void DestroyNow();

    // PlaceSearchView
    void Open() override;
    void Close() override;
    std::string QueryText() const override;
    void SetStatus(std::string_view text) override;
    void SetRows(const StringList& rows) override;
    int SelectedRow() const override;

private:
    HWND Item(int id) const { return id > 0 && id <= place_search_id::kClose ? controls_[id] : nullptr; }
    void Fire(PlaceSearchAction action) const;
    static LRESULT CALLBACK Proc(HWND window, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT Message(HWND window, UINT msg, WPARAM wp, LPARAM lp);

    // ControlHook
    bool BeforeControl(HWND control, UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void AfterControl(HWND, UINT, WPARAM, LPARAM) override {}
    // DialogKeyTarget
    std::vector<HWND> TabStops() const override;
    void PressButton(int id) override;
    void StepPage(int) override {}

    HINSTANCE module_;
    HWND owner_;
    PlaceSearchEvents events_;
    UniqueGdiObject font_;
    ControlSubclasses subclasses_;
    UniqueWindow window_;  // destroyed before the subclass records
    HWND controls_[place_search_id::kClose + 1] = {};  // by id
    bool destroyed_ = false;
};

}  // namespace ow
