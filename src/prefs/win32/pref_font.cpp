#include "prefs/win32/pref_font.h"

namespace ow {

static_assert(FontHeightForPoints(8) == -11 && FontHeightForPoints(9) == -12);

UniqueGdiObject CreateFormFont(int points, bool bold) {
    LOGFONTA font = {};
    font.lfHeight = FontHeightForPoints(points);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    lstrcpynA(font.lfFaceName, kFormFontFace, LF_FACESIZE);
    return UniqueGdiObject(CreateFontIndirectA(&font));
}

}  // namespace ow
