#include "controls/CSxGroupBox.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "platform/ui/WxColour.h"

static LogFont DefaultGroupFont() {
    LogFont font;
    font.Height = 80;
    font.Weight = 400;
    font.Face = "MS Sans Serif";
    return font;
}

CSxGroupBox::CSxGroupBox(int id, const wxRect& frameRect, const wxString& title, GroupAlign alignment)
    : Id(id), FrameRect(frameRect), Alignment(alignment), Title(title) {
    SetFont(nullptr);
}

void CSxGroupBox::SetFont(const LogFont* logFont) {
    Font = PointFontFromLogFont(logFont ? *logFont : DefaultGroupFont());
}

void CSxGroupBox::Draw(wxDC& dc) const {
    dc.SetFont(Font);
    const wxString title = wxString::FromUTF8(GroupBoxTitle(Title.utf8_string()));
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(title.empty() ? wxString("M") : title, &tw, &th);
    if (title.empty())
        tw = 0;
    const KitRect frame{FrameRect.GetLeft(), FrameRect.GetTop(), FrameRect.GetRight() + 1, FrameRect.GetBottom() + 1};
    const GroupBoxLayout layout = LayoutGroupBox(frame, tw, th, Alignment, TitleInset);
    const COLORREF first = Enabled ? FrameColour : DisabledFrameColour;
    const COLORREF second = Enabled ? FrameColour2 : DisabledFrameColour2;
    const int left = frame.Left, right = frame.Right - 1, bottom = frame.Bottom - 1, top = layout.LineY;

    auto outline = [&](COLORREF colour, int shift) {
        wxPen pen(ColourFromRef(colour), PenWidth);
        pen.SetCap(wxCAP_PROJECTING);
        dc.SetPen(pen);
        const int l = left + shift, t = top + shift, r = right + shift, b = bottom + shift;
        // From the end of the title round the frame back to its start: the title sits in a gap.
        if (tw > 0) {
            dc.DrawLine(layout.TitleRight, t, r, t);
            dc.DrawLine(l, t, layout.TitleLeft, t);
        } else {
            dc.DrawLine(l, t, r, t);
        }
        dc.DrawLine(r, t, r, b);
        dc.DrawLine(r, b, l, b);
        dc.DrawLine(l, b, l, t);
    };
    if (Flat) {
        outline(first, 0);
    } else {
        outline(second, PenWidth);
        outline(first, 0);
    }
    if (tw == 0)
        return;
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int y = top - th / 2;
    if (!Enabled) {
        // Greyed title: embossed in fixed colours.
        dc.SetTextForeground(ColourFromRef(KitPalette::SystemHighlight));
        dc.DrawText(title, layout.TitleLeft + 1, y + 1);
        dc.SetTextForeground(ColourFromRef(KitPalette::SystemShadow));
    } else {
        dc.SetTextForeground(ColourFromRef(TextColour));
    }
    dc.DrawText(title, layout.TitleLeft, y);
}

wxRect CSxGroupBox::TitleRect() const {
    const wxString title = wxString::FromUTF8(GroupBoxTitle(Title.utf8_string()));
    if (title.empty())
        return {};
    wxBitmap bitmap(1, 1);
    wxMemoryDC dc(bitmap);
    dc.SetFont(Font);
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(title, &tw, &th);
    const KitRect frame{FrameRect.GetLeft(), FrameRect.GetTop(), FrameRect.GetRight() + 1, FrameRect.GetBottom() + 1};
    const GroupBoxLayout layout = LayoutGroupBox(frame, tw, th, Alignment, TitleInset);
    return {layout.TitleLeft, layout.LineY - th / 2, tw, th};
}
