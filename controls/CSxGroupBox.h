#pragma once
// A titled group frame, drawn by its page rather than being a child window (a child window over
// the grouped controls would take their clicks). The title is the box's current text, so a
// language change shows at the next paint.
#include <wx/dc.h>
#include <wx/font.h>
#include <wx/string.h>

#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/Fonts.h"

class CSxGroupBox {
public:
    CSxGroupBox(int id, const wxRect& frameRect, const wxString& title, GroupAlign alignment = GroupAlign::Left);

    // A null LOGFONT stands for the default (MS Sans Serif, 8 points).
    void SetFont(const LogFont* logFont);
    void SetText(const wxString& title) { Title = title; }
    const wxString& GetText() const { return Title; }
    void Enable(bool enable) { Enabled = enable; }
    void Draw(wxDC& dc) const;
    // Where the title is drawn (empty without a title).
    wxRect TitleRect() const;

    int Id;
    wxRect FrameRect;              // in the page's client coordinates
    COLORREF FrameColour = KitPalette::SystemShadow;
    COLORREF FrameColour2 = KitPalette::SystemHighlight;
    COLORREF DisabledFrameColour = KitPalette::SystemShadow;
    COLORREF DisabledFrameColour2 = KitPalette::SystemHighlight;
    int PenWidth = 1;
    COLORREF TextColour = 0;
    GroupAlign Alignment;
    int TitleInset = 8;
    bool Flat = true;              // one frame line; otherwise etched with both colours
    bool Enabled = true;

private:
    wxString Title;
    wxFont Font;
};
