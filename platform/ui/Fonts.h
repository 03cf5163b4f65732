#pragma once
// Fonts described the way the windows describe them (a LOGFONT's height, weight and face),
// turned into fonts that exist here: Arial and MS Sans Serif become Liberation Sans.
#include <string>
#include <string_view>

#include <wx/font.h>

struct LogFont {
    int Height = 0;       // > 0: cell height in pixels; < 0: character height; for point fonts tenths of a point
    int Weight = 400;     // 400 normal, 700 bold
    bool Italic = false;
    std::string Face = "Arial";
};

// The installed face that stands in for a face the windows name.
std::string MapFontFace(std::string_view face);
// The em size in pixels for a LOGFONT height (a cell height holds about 0.895 em in Arial's metrics).
int LogHeightToEmPixels(int height);

wxFont FontFromLogFont(const LogFont& font);        // height in pixels
wxFont PointFontFromLogFont(const LogFont& font);   // height in tenths of a point
