#include "controls/SkinBackdrop.h"

#include <wx/dcmemory.h>

#include "controls/logic/KitPalette.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/WxColour.h"

constexpr int PageBackgroundBitmapId = 106;

void DrawSkinBackground(wxDC& dc, const wxSize& clientSize, const wxRect& area, const wxPoint& at) {
    static wxImage source = LoadImageResource(ResourceType::Bitmap, PageBackgroundBitmapId);
    static wxBitmap scaled;
    if (!source.IsOk() || clientSize.x <= 0 || clientSize.y <= 0) {
        // Without the picture the page stays plain dark.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(ColourFromRef(KitPalette::Dark)));
        dc.DrawRectangle(wxRect(at, area.GetSize()));
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
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(parent ? parent->GetBackgroundColour() : ColourFromRef(KitPalette::Dark)));
    dc.DrawRectangle(wxRect(size));
}
