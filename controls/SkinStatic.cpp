#include "controls/SkinStatic.h"

#include <wx/dcbuffer.h>

#include "controls/DrawingAids.h"
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
        FillSolidRect(dc, client, ColourFromRef(KitPalette::Dark));
        dc.SetTextForeground(ColourFromRef(KitPalette::SystemShadow));
    } else {
        if (FixedBackground) {
            FillSolidRect(dc, client, ColourFromRef(*FixedBackground));
        } else {
            PaintParentBackdrop(this, dc);
        }
        dc.SetTextForeground(ColourFromRef(FixedTextColour ? *FixedTextColour
                                                           : StaticTextColour(ControlId, CurrentLanguageStaticId)));
    }
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    // Like a dialog's static, the text wraps at word breaks; a block that fits is centred
    // vertically, a taller one starts at the top.
    const wxString wrapped = WrapText(dc, GetLabel(), client.width);
    const int height = dc.GetMultiLineTextExtent(wrapped).y;
    dc.DrawLabel(wrapped, client, static_cast<int>(Align) | (height <= client.height ? wxALIGN_CENTER_VERTICAL : wxALIGN_TOP));
}
