#pragma once
// Transparent kit controls show the skin behind them: they ask the nearest window that paints
// a backdrop (a page or the main dialog) to paint the part under them, then draw their face.
#include <wx/dc.h>
#include <wx/window.h>

class SkinBackdrop {
public:
    virtual ~SkinBackdrop() = default;
    // Paints the backdrop of `area` (in this window's client coordinates) at the DC's origin
    // shifted so that `area`'s top-left lands on `at`.
    virtual void PaintBackdrop(wxDC& dc, const wxRect& area, const wxPoint& at) = 0;
};

// Paints what lies behind `self` into `dc` (in self's client coordinates). Falls back to the
// dark page colour when no ancestor paints a backdrop.
void PaintParentBackdrop(wxWindow* self, wxDC& dc);

// The page background (bitmap resource 106) stretched to a size. One scaled copy is kept and
// shared: pages of one size reuse it, so no page holds a full-size bitmap of its own.
void DrawSkinBackground(wxDC& dc, const wxSize& clientSize, const wxRect& area, const wxPoint& at);
