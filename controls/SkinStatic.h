#pragma once
// A static text in the dark skin: transparent over the page, ordinary text in 0xD5D5D5, the
// highlighted ids (and the current language choice) in the accent; when disabled it sits on the
// dark brush. The colour is worked out at every paint, so it follows Enable and language changes.
#include <optional>

#include <wx/control.h>

#include "platform/ui/ColourRef.h"
#include "platform/ui/ControlIds.h"

// The static whose id this holds is painted in the accent (the chosen language on the system page).
extern int CurrentLanguageStaticId;

class SkinStatic : public wxControl, public ControlIdentity {
public:
    SkinStatic(wxWindow* parent, int id, const wxString& text, const wxRect& rect, long align = wxALIGN_LEFT);
    void SetLabel(const wxString& label) override;
    bool Enable(bool enable = true) override;

    // Fixed colours instead of the page rules (the busy box's title).
    std::optional<COLORREF> FixedTextColour, FixedBackground;

private:
    void OnPaint(wxPaintEvent& event);
    wxSize DoGetBestSize() const override;
    long Align;
};
