#include "controls/SkinEdit.h"

#include "controls/KitGeometry.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/WxColour.h"

SkinEdit::SkinEdit(wxWindow* parent, int id, const wxRect& rect, long style)
    : wxTextCtrl(parent, WindowIdFor(id), wxString(), rect.GetPosition(), rect.GetSize(), style | wxBORDER_NONE),
      ControlIdentity(id), FrameColour(KitPalette::Accent), DisabledFrameColour(KitPalette::Dark) {
    SetBackgroundColour(ColourFromRef(KitPalette::Dark));
    SetForegroundColour(ColourFromRef(KitPalette::Accent));
}

bool SkinEdit::Enable(bool enable) {
    const bool changed = wxTextCtrl::Enable(enable);
    RefreshFrame();
    return changed;
}

void SkinEdit::RefreshFrame() {
    if (wxWindow* parent = GetParent())
        parent->RefreshRect(Grown(GetRect(), FrameWidthPixels + 1));
}
