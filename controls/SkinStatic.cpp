#include "controls/SkinStatic.h"

#include <wx/dcbuffer.h>

#include "controls/SkinBackdrop.h"
#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/WxColour.h"

int CurrentLanguageStaticId = 1251;

SkinStatic::SkinStatic(wxWindow* parent, int id, const wxString& text, const wxRect& rect, long align)
    : wxControl(parent, WindowIdFor(id), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE), ControlIdentity(id),
      Align(align) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(text);
    Bind(wxEVT_PAINT, &SkinStatic::OnPaint, this);
}

void SkinStatic::SetLabel(const wxString& label) {
    wxControl::SetLabel(label);
    Refresh();
}

bool SkinStatic::Enable(bool enable) {
    const bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

wxSize SkinStatic::DoGetBestSize() const { return GetTextExtent(GetLabel()) + wxSize(4, 2); }

void SkinStatic::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxRect client(GetClientSize());
    if (!IsEnabled()) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(ColourFromRef(KitPalette::Dark)));
        dc.DrawRectangle(client);
        dc.SetTextForeground(ColourFromRef(KitPalette::SystemShadow));
    } else {
        if (FixedBackground) {
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(ColourFromRef(*FixedBackground)));
            dc.DrawRectangle(client);
        } else {
            PaintParentBackdrop(this, dc);
        }
        dc.SetTextForeground(ColourFromRef(FixedTextColour ? *FixedTextColour
                                                           : StaticTextColour(ControlId, CurrentLanguageStaticId)));
    }
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.DrawLabel(GetLabel(), client, static_cast<int>(Align) | wxALIGN_CENTER_VERTICAL);
}
