#include "controls/CProgressDlg.h"

#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/WxColour.h"

static wxRect ToWx(const KitRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }

CProgressDlg::CProgressDlg(wxWindow* owner, const wxSize& size)
    : wxDialog(owner, wxID_ANY, wxString(), wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_NO_TASKBAR) {
    SetBackgroundColour(ColourFromRef(KitPalette::BusyBox));
    SetClientSize(size);
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
        Title = new SkinStatic(this, wxID_ANY, "TEST", ToWx(layout.Title), wxALIGN_CENTER_HORIZONTAL);
        Title->SetFont(TitleFont);
        Title->FixedTextColour = KitPalette::TextBright;
        Title->FixedBackground = KitPalette::ListBackground;
    }
    if (!Animation) {
        Animation = new CPictureEx(this, wxID_ANY, ToWx(layout.Animation));
        if (Animation->Load(BusyAnimationId)) {
            // Centred in its slot.
            const wxRect slot = ToWx(layout.Animation);
            const wxSize size = Animation->CanvasSize();
            Animation->Move(slot.x + (slot.width - size.x) / 2, slot.y + (slot.height - size.y) / 2);
        }
    }
    if (!Progress) {
        Progress = new wxGauge(this, WindowIdFor(ProgressId), 100, ToWx(layout.Bar).GetPosition(), ToWx(layout.Bar).GetSize());
        Progress->Hide();
    }
}

void CProgressDlg::SetTitleText(const wxString& text) {
    if (Title)
        Title->SetLabel(text);
}
