#pragma once
// The place search's small window of the plug-in's own: a name box, a search
// button, the list of places found and a line that says what happened.
// Owned by the preferences window; closing it only hides it.
#include <windows.h>

#include <functional>
#include <memory>

#include "prefs/core/place_search_view.h"

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

struct PlaceSearchEvents {
    std::function<void()> onSearch;  // the search button, or Enter in the name box
    std::function<void()> onChoose;  // the choose button, Enter or a double click in the list
    std::function<void()> onClose;   // the close button, Esc or the title bar's close box
};

class PlaceSearchWindow final : public PlaceSearchView {
public:
    PlaceSearchWindow(HINSTANCE module, HWND owner, PlaceSearchEvents events);
    ~PlaceSearchWindow() override;
    PlaceSearchWindow(const PlaceSearchWindow&) = delete;
    PlaceSearchWindow& operator=(const PlaceSearchWindow&) = delete;

    HWND window() const;
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
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace ow
