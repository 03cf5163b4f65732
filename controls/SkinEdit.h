#pragma once
// The text edit of the dark skin that every kit edit derives from: accent text on the dark
// background, no native border, and a 2-pixel frame drawn by the page round it (accent when
// enabled, dark when disabled).
#include <wx/textctrl.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/ControlIds.h"

class SkinEdit : public wxTextCtrl, public EditFrameSource, public ControlIdentity {
public:
    SkinEdit(wxWindow* parent, int id, const wxRect& rect, long style = 0);
    bool Enable(bool enable = true) override;

    int FrameWidth() const override { return FrameWidthPixels; }
    COLORREF CurrentFrameColour() const override { return IsEnabled() ? FrameColour : DisabledFrameColour; }

    int FrameWidthPixels = 2;
    COLORREF FrameColour;
    COLORREF DisabledFrameColour;

protected:
    // The parent repaints the frame round the edit.
    void RefreshFrame();
};
