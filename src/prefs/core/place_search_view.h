#pragma once
// The place search's small window as its commands use it. The Win32 side is
// a window of the plug-in's own; the unit tests use a fake.
#include <string>
#include <string_view>

#include "prefs/core/text_lines.h"

namespace ow {

class PlaceSearchView {
public:
    virtual ~PlaceSearchView() = default;
    // Shown in front of the preferences, the name box focused; the last
    // search's name and places stay.
    virtual void Open() = 0;
    virtual void Close() = 0;  // hidden
    virtual std::string QueryText() const = 0;  // the name box, code page 1251
    virtual void SetStatus(std::string_view text) = 0;
    // Replaces the list's rows; the first, if any, is selected.
    virtual void SetRows(const StringList& rows) = 0;
    virtual int SelectedRow() const = 0;  // kNoItem when none
};

}  // namespace ow
