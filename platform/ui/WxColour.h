#pragma once
// The one place where a COLORREF becomes a wx colour.
#include <wx/colour.h>

#include "platform/ui/ColourRef.h"

inline wxColour ColourFromRef(COLORREF c) {
    return wxColour(static_cast<unsigned char>(RefRed(c)), static_cast<unsigned char>(RefGreen(c)),
                    static_cast<unsigned char>(RefBlue(c)));
}
inline COLORREF RefFromColour(const wxColour& c) { return MakeColourRef(c.Red(), c.Green(), c.Blue()); }
