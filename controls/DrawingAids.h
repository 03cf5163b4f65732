#pragma once
// Drawing helpers shared by the kit, the pages and the main dialog.
#include <wx/dc.h>
#include <wx/image.h>

#include "controls/logic/ColourMatrix.h"
#include "platform/ui/ColourRef.h"

// Title-bar gradient: bands of `bandHeight` rows from `from` to `to`. An empty rectangle paints nothing.
void FillGradientRect(wxDC& dc, const wxRect& rect, COLORREF from, COLORREF to, int bandHeight = 1);
// The PNG resource `id`; false (image left invalid) when the program carries none.
bool LoadPngResource(int id, wxImage& image);
// Draws the whole image scaled into `rect`; false when the rectangle or the image is missing.
bool DrawImageInRect(const wxImage& image, wxDC& dc, const wxRect* rect);
// A copy of the image with the colour matrix applied to every pixel (alpha kept as the matrix says).
wxImage ApplyColourMatrixToImage(const wxImage& image, const ColourMatrix& matrix);
// Fills a rectangle with one colour, no outline.
void FillSolidRect(wxDC& dc, const wxRect& rect, const wxColour& colour);
// The text broken at spaces into lines no wider than `width` (a word wider than that stays whole).
wxString WrapText(wxDC& dc, const wxString& text, int width);
// A rectangle outline `width` pixels wide just outside `inner` (the frame round a kit edit).
void DrawOutsideFrame(wxDC& dc, const wxRect& inner, int width, COLORREF colour);
// A 3-D frame in the page frame colour round a region.
void DrawFrame(wxDC& dc, const wxRect& rect);
