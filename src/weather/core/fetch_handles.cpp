#include "weather/core/fetch_handles.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace ow {

FetchHandles::FetchHandles(InternetPort& port, FetchRegistry& registry) : port_(port), registry_(registry) {
    registry_.Enter(this);
}

FetchHandles::~FetchHandles() {
    Close();
    registry_.Leave(this);
}

void FetchHandles::CloseUrl() {
    // Forget each handle before closing it, so nothing can close it twice.
    if (const HInternet url = std::exchange(url_, kNoInternetHandle)) port_.Close(url);
}

void FetchHandles::CloseRequest() {
    CloseUrl();
    if (const HInternet connection = std::exchange(connection_, kNoInternetHandle)) port_.Close(connection);
}

void FetchHandles::Close() {
    CloseRequest();
    if (const HInternet internet = std::exchange(internet_, kNoInternetHandle)) port_.Close(internet);
}

void FetchHandles::Cancel() {
    cancelled_ = true;
    Close();
}

void FetchRegistry::CloseAll() {
    // By index: the list is only read here, and no allocation can fail during finalisation.
    for (std::size_t i = active_.size(); i > 0; --i) active_[i - 1]->Cancel();
}

void FetchRegistry::Enter(FetchHandles* handles) { active_.push_back(handles); }

void FetchRegistry::Leave(FetchHandles* handles) {
    // Downloads end in reverse order of their start, so this is normally the last.
    const auto it = std::find(active_.rbegin(), active_.rend(), handles);
    if (it != active_.rend()) active_.erase(std::next(it).base());
}

}  // namespace ow
