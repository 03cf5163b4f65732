#include "controls/SkinBackdrop.h"

#include <wx/dcmemory.h>

#include "controls/DrawingAids.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/WxColour.h"

constexpr int PageBackgroundBitmapId = 106;

void DrawSkinBackground(wxDC& dc, const wxSize& clientSize, const wxRect& area, const wxPoint& at) {
    // Kept for the program's life (never destroyed after wx has shut down).
    static const wxImage& source = *new wxImage(LoadImageResource(ResourceType::Bitmap, PageBackgroundBitmapId));
    static wxBitmap& scaled = *new wxBitmap;
    if (!source.IsOk() || clientSize.x <= 0 || clientSize.y <= 0) {
        // Without the picture the page stays plain dark.
        FillSolidRect(dc, wxRect(at, area.GetSize()), ColourFromRef(KitPalette::Dark));
        return;
    }
    if (!scaled.IsOk() || scaled.GetSize() != clientSize)
        scaled = wxBitmap(source.Scale(clientSize.x, clientSize.y, wxIMAGE_QUALITY_NORMAL));
    wxMemoryDC source_dc(scaled);
    dc.Blit(at.x, at.y, area.width, area.height, &source_dc, area.x, area.y);
}

void PaintParentBackdrop(wxWindow* self, wxDC& dc) {
    const wxSize size = self->GetClientSize();
    wxPoint offset(0, 0);
    for (wxWindow* w = self; w; w = w->GetParent()) {
        if (w != self) {
            if (auto* backdrop = dynamic_cast<SkinBackdrop*>(w)) {
                backdrop->PaintBackdrop(dc, wxRect(offset, size), wxPoint(0, 0));
                return;
            }
        }
        if (w->IsTopLevel())
            break;
        offset += w->GetPosition();
    }
    // No skinned window behind: the plain colour of the window the control sits on.
    wxWindow* parent = self->GetParent();
    FillSolidRect(dc, wxRect(size), parent ? parent->GetBackgroundColour() : ColourFromRef(KitPalette::Dark));
}
