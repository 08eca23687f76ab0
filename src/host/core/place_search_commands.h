#pragma once
// What the place search's window does: a search in the background of the
// messenger's thread (the download hands its waits to a worker while the
// thread's messages run), its places listed, the chosen one added to the
// town list. A search may be repeated or abandoned at any moment; an answer
// that comes after that is dropped.
#include <functional>
#include <string>
#include <vector>

#include "common/found_place.h"
#include "common/working_values.h"
#include "prefs/core/place_search_view.h"
#include "prefs/core/settings_ops.h"
#include "weather/core/place_search.h"

namespace ow {

using PlaceFinder = std::function<PlaceSearchResult(const std::string& name, const WorkingValues& values)>;

inline constexpr auto kSearchingText = Cp1251(u8"Идёт поиск…");
inline constexpr auto kChoosePlaceText = Cp1251(u8"Выберите место");

class PlaceSearchCommands {
public:
    PlaceSearchCommands(SettingsModel& settings, PlaceSearchView& view, PlaceFinder finder)
        : settings_(settings), view_(view), finder_(std::move(finder)) {}

    void FindPlaceClick();  // the button beside the town box: the window opens
    void SearchClick();     // its button, or Enter in the name box
    void ChooseClick();     // its choose button, Enter or a double click in the list
    // The window closed, or the preferences hidden: the window hides, and a
    // search under way is abandoned, its answer dropped.
    void Close();

private:
    SettingsModel& settings_;
    PlaceSearchView& view_;
    PlaceFinder finder_;
    std::vector<FoundPlace> places_;  // the listed places, by row
    int search_ = 0;                  // the latest search; an answer for an earlier one is late
};

}  // namespace ow
