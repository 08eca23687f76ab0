#include "host/core/place_search_commands.h"

#include "prefs/core/found_places.h"
#include "weather/core/place_search_request.h"

namespace ow {

void PlaceSearchCommands::FindPlaceClick() { view_.Open(); }

void PlaceSearchCommands::SearchClick() {
    const int search = ++search_;
    places_.clear();
    view_.SetRows({});
    const auto name = PlaceQueryName(view_.QueryText());
    if (!name) return view_.SetStatus(kPlaceNameTooShortText);
    view_.SetStatus(kSearchingText);
    PlaceSearchResult result = finder_(*name, settings_.WindowProxyValues());
    // Finalised meanwhile (the window may be gone), abandoned, or overtaken
    // by a newer search: the answer goes nowhere.
    if (result.cancelled || search != search_) return;
    if (result.places.empty()) return view_.SetStatus(result.text);
    places_ = std::move(result.places);
    StringList rows;
    for (const FoundPlace& place : places_) rows.push_back(PlaceRowText(place));
    view_.SetRows(rows);
    view_.SetStatus(kChoosePlaceText);
}

void PlaceSearchCommands::ChooseClick() {
    const int row = view_.SelectedRow();
    if (row < 0 || static_cast<std::size_t>(row) >= places_.size()) return;
    const FoundPlace place = places_[static_cast<std::size_t>(row)];
    // False after a failed write, whose message box may have run anything.
    if (!settings_.ChooseFoundPlace(place)) return;
    Close();
}

void PlaceSearchCommands::Close() {
    ++search_;
    view_.Close();
}

}  // namespace ow
