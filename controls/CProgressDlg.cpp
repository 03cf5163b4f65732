#include "controls/CProgressDlg.h"

#include <algorithm>

#include <wx/dcclient.h>

#include "controls/KitGeometry.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WxColour.h"

CProgressDlg::CProgressDlg(wxWindow* owner, const wxSize& size)
    : wxDialog(owner, wxID_ANY, wxString(), wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_NO_TASKBAR) {
    SetBackgroundColour(ColourFromRef(KitPalette::BusyBox));
    CreateControls();
}

void CProgressDlg::CreateControls() {
    LogFont font;
    font.Height = 15;
    font.Weight = 700;
    TitleFont = FontFromLogFont(font);
    const wxSize client = GetClientSize();
    const ProgressBoxLayout layout = LayoutProgressBox(client.x, client.y);
    if (!Title) {
        Title = new SkinStatic(this, wxID_ANY, "TEST", ToWxRect(layout.Title), wxALIGN_CENTER_HORIZONTAL);
        Title->SetFont(TitleFont);
        Title->FixedTextColour = KitPalette::TextBright;
        Title->FixedBackground = KitPalette::ListBackground;
    }
    if (!Animation) {
        Animation = new CPictureEx(this, wxID_ANY, ToWxRect(layout.Animation));
        if (Animation->Load(BusyAnimationId)) {
            // Centred in its slot.
            const wxRect slot = ToWxRect(layout.Animation);
            const wxSize size = Animation->CanvasSize();
            Animation->Move(slot.x + (slot.width - size.x) / 2, slot.y + (slot.height - size.y) / 2);
        }
    }
    if (!Progress) {
        Progress = new wxGauge(this, WindowIdFor(ProgressId), 100, ToWxRect(layout.Bar).GetPosition(), ToWxRect(layout.Bar).GetSize());
        Progress->Hide();
    }
}

void CProgressDlg::SetTitleText(const wxString& text) {
    if (!Title)
        return;
    // The middle third holds a short text; a longer one widens the title about the centre, up
    // to the box's margins, so that it stays on one line wherever it fits.
    const wxSize client = GetClientSize();
    const wxRect third = ToWxRect(LayoutProgressBox(client.x, client.y).Title);
    wxClientDC dc(this);
    dc.SetFont(TitleFont);
    const int wanted = dc.GetTextExtent(text).x + 4;
    const int width = std::clamp(wanted, third.width, std::max(third.width, client.x - 2 * TitleMargin));
    Title->SetSize(third.x + (third.width - width) / 2, third.y, width, third.height);
    Title->SetLabel(text);
}
