#pragma once
// Conversions between the kit's layout rectangles and wx rectangles, and small rectangle helpers.
#include <wx/gdicmn.h>

#include "controls/logic/KitLayout.h"

inline KitRect ToKitRect(const wxRect& r) { return {r.GetLeft(), r.GetTop(), r.GetRight() + 1, r.GetBottom() + 1}; }
inline wxRect ToWxRect(const KitRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }
// The rectangle grown by `by` pixels on every side.
inline wxRect Grown(wxRect rect, int by) {
    rect.Inflate(by);
    return rect;
}
