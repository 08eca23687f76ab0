#pragma once
// What the status-bar display remembers between timer ticks.
#include <string>

namespace ow {

inline constexpr int kScrollRestPosition = -5;

struct DisplayState {
    std::string CachedWeatherLine;  // last text produced by a download
    int ScrollPosition = 0;         // ticker position; kScrollRestPosition at rest
    std::string ScrollText;         // tail shown by the last ticker step
    bool TestMode = false;          // preferences window open: ticker writes to eTest
};

}  // namespace ow
