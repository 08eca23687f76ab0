#pragma once
// AboutBitmap: the About page's picture, an 8-bit palette bitmap stored in
// the module as the raw-data resource "ABOUT", with the version, our credit
// lines and the weather data's credit drawn onto it once.
#include <windows.h>

#include <string_view>

#include "common/win32/unique_handle.h"

namespace ow {

// Our own addresses, shown on the picture; short enough that the bold
// lines end inside its 308 pixels.
inline constexpr std::string_view kAuthorWebAddress = "http://weather.ostix.example";
inline constexpr std::string_view kAuthorEmail = "weather@ostix.example";
// The forecast of the Open-Meteo source is theirs, and the places its search
// finds are GeoNames' (through Open-Meteo's geocoding), both under CC BY 4.0,
// which asks for this credit.
inline constexpr std::string_view kWeatherDataCredit = "data: Open-Meteo.com, GeoNames, CC BY 4.0";

class AboutPicture {
public:
    // Reads the resource; without it (or with a damaged one) the picture
    // stays empty and painting does nothing.
    bool Load(HINSTANCE module);
    // Draws the version and the three credit lines in white, no background.
    void DrawTexts(std::string_view version);
    // Copies the whole picture to the top-left corner of the window, through
    // its device context.
    void PaintOn(HWND window) const;
    // Deletes the picture; painting does nothing afterwards.
    void Release() { bitmap_.reset(); }

private:
    UniqueGdiObject bitmap_;
    int width_ = 0;
    int height_ = 0;
};

}  // namespace ow
