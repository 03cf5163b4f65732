#include "platform/ui/Fonts.h"

#include <cmath>
#include <cstdlib>

std::string MapFontFace(std::string_view face) {
    if (face.empty() || face == "Arial" || face == "MS Sans Serif" || face == "MS Shell Dlg" ||
        face == "Microsoft Sans Serif")
        return "Liberation Sans";
    return std::string(face);
}

int LogHeightToEmPixels(int height) {
    if (height < 0)
        return -height;
    if (height == 0)
        return 12;
    return std::max(1, static_cast<int>(std::lround(height * 0.895)));
}

static wxFont Styled(wxFontInfo info, const LogFont& font) {
    info.FaceName(MapFontFace(font.Face)).Family(wxFONTFAMILY_SWISS).Italic(font.Italic);
    wxFont result(info);
    result.SetNumericWeight(font.Weight > 0 ? font.Weight : 400);
    return result;
}

wxFont FontFromLogFont(const LogFont& font) {
    return Styled(wxFontInfo(wxSize(0, LogHeightToEmPixels(font.Height))), font);
}

wxFont PointFontFromLogFont(const LogFont& font) {
    double points = std::abs(font.Height) / 10.0;
    return Styled(wxFontInfo(points > 0 ? points : 8.0), font);
}
