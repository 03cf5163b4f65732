#include "controls/DrawingAids.h"

#include <wx/arrstr.h>

#include "controls/logic/GradientBands.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/WxColour.h"

void FillGradientRect(wxDC& dc, const wxRect& rect, COLORREF from, COLORREF to, int bandHeight) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    for (const GradientBand& band : GradientBands(rect.GetTop(), rect.GetTop() + rect.GetHeight(), from, to, bandHeight)) {
        if (band.Bottom <= band.Top)
            continue;
        dc.SetBrush(wxBrush(ColourFromRef(band.Colour)));
        dc.DrawRectangle(rect.GetLeft(), band.Top, rect.GetWidth() + 1, band.Bottom - band.Top);
    }
}

bool LoadPngResource(int id, wxImage& image) {
    image = LoadImageResource(ResourceType::Png, id);
    return image.IsOk();
}

bool DrawImageInRect(const wxImage& image, wxDC& dc, const wxRect* rect) {
    if (!rect || !image.IsOk() || rect->IsEmpty())
        return false;
    if (image.GetWidth() == rect->GetWidth() && image.GetHeight() == rect->GetHeight())
        dc.DrawBitmap(wxBitmap(image), rect->GetPosition(), true);
    else
        dc.DrawBitmap(wxBitmap(image.Scale(rect->GetWidth(), rect->GetHeight(), wxIMAGE_QUALITY_BILINEAR)),
                      rect->GetPosition(), true);
    return true;
}

wxImage ApplyColourMatrixToImage(const wxImage& image, const ColourMatrix& matrix) {
    if (!image.IsOk())
        return image;
    wxImage copy = image.Copy();
    const auto count = static_cast<std::size_t>(copy.GetWidth()) * static_cast<std::size_t>(copy.GetHeight());
    ApplyColourMatrix(matrix, copy.GetData(), copy.HasAlpha() ? copy.GetAlpha() : nullptr, count);
    return copy;
}

void FillSolidRect(wxDC& dc, const wxRect& rect, const wxColour& colour) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(colour));
    dc.DrawRectangle(rect);
}

void DrawOutsideFrame(wxDC& dc, const wxRect& inner, int width, COLORREF colour) {
    if (width <= 0)
        return;
    wxRect outer = inner;
    outer.Inflate(width);
    const wxColour c = ColourFromRef(colour);
    FillSolidRect(dc, wxRect(outer.x, outer.y, outer.width, width), c);
    FillSolidRect(dc, wxRect(outer.x, outer.GetBottom() - width + 1, outer.width, width), c);
    FillSolidRect(dc, wxRect(outer.x, outer.y, width, outer.height), c);
    FillSolidRect(dc, wxRect(outer.GetRight() - width + 1, outer.y, width, outer.height), c);
}

void DrawFrame(wxDC& dc, const wxRect& rect) {
    dc.SetPen(wxPen(ColourFromRef(KitPalette::Frame), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(rect);
}

wxString WrapText(wxDC& dc, const wxString& text, int width) {
    wxString result, line;
    for (const wxString& paragraph : wxSplit(text, '\n', '\0')) {
        line.clear();
        for (const wxString& word : wxSplit(paragraph, ' ', '\0')) {
            const wxString candidate = line.empty() ? word : line + " " + word;
            if (!line.empty() && dc.GetTextExtent(candidate).x > width) {
                result += line + "\n";
                line = word;
            } else {
                line = candidate;
            }
        }
        result += line + "\n";
    }
    if (!result.empty())
        result.RemoveLast();
    return result;
}
