#pragma once
// The window toolkit's default face, used by every control of the form and
// by the texts on the About picture.
#include <windows.h>

#include "common/win32/unique_handle.h"

namespace ow {

inline constexpr char kFormFontFace[] = "MS Sans Serif";

// Character height in pixels (negative: without internal leading) of a size
// in points; the form is laid out for 96 pixels per inch.
constexpr int FontHeightForPoints(int points) { return -(points * 96 + 36) / 72; }

inline constexpr int kFormFontPoints = 8;  // height -11

UniqueGdiObject CreateFormFont(int points, bool bold);

}  // namespace ow
