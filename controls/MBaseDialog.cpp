#include "controls/MBaseDialog.h"

#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>

namespace {
constexpr int TitleBarHeight = 26;
constexpr int CloseButtonId = 1002;
}  // namespace

MBaseDialog::MBaseDialog(int templateId, bool notifyOnClose) : Template(templateId), NotifyOnClose(notifyOnClose) {}

bool MBaseDialog::CreatePage(wxWindow* parent, bool withCloseButton) {
  if (!Create(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxCLIP_CHILDREN)) return false;
  Hide();
  SetExtraStyle(GetExtraStyle() | wxWS_EX_BLOCK_EVENTS);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetBackgroundColour(wxColour(16, 16, 16));
  SetForegroundColour(wxColour(213, 213, 213));
  Bind(wxEVT_PAINT, &MBaseDialog::OnPaint, this);
  Bind(wxEVT_SIZE, &MBaseDialog::OnSize, this);
  Bind(wxEVT_CHAR_HOOK, &MBaseDialog::OnCharHook, this);
  if (withCloseButton) {
    CloseButton = new wxButton(this, CloseButtonId, "x", wxPoint(0, 1), wxSize(24, 24), wxBORDER_NONE);
    CloseButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ClosePage(); });
  }
  OnInitDialog();
  return true;
}

void MBaseDialog::ShowPage(bool show) { Show(show); }

void MBaseDialog::ClosePage() {
  ShowPage(false);
  if (NotifyOnClose && GetParent()) PostMsg(GetParent(), MPageClosed, 0, 0);
}

void MBaseDialog::SetPageTitle(const std::string& title) {
  Title = title;
  Refresh();
}

void MBaseDialog::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxColour(16, 16, 16)));
  dc.DrawRectangle(0, 0, size.x, size.y);
  dc.GradientFillLinear(wxRect(0, 0, size.x, TitleBarHeight / 2), wxColour(0x53, 0x53, 0x53),
                        wxColour(0x2F, 0x2F, 0x2F), wxSOUTH);
  dc.GradientFillLinear(wxRect(0, TitleBarHeight / 2, size.x, TitleBarHeight / 2), wxColour(0x17, 0x17, 0x17),
                        wxColour(0x07, 0x07, 0x07), wxSOUTH);
  dc.SetFont(wxFont(wxFontInfo(11).Bold().FaceName("Liberation Sans")));
  dc.SetTextForeground(wxColour(239, 156, 0));
  const wxString title = wxString::FromUTF8(Title);
  const wxSize text = dc.GetTextExtent(title);
  dc.DrawText(title, size.x / 2 - text.x / 2, TitleBarHeight / 2 - text.y / 2);
  PaintExtras(dc);
}

void MBaseDialog::OnSize(wxSizeEvent& event) {
  if (CloseButton) CloseButton->SetPosition(wxPoint(GetClientSize().x - 24, 1));
  Refresh();
  event.Skip();
}

void MBaseDialog::OnCharHook(wxKeyEvent& event) {
  // A page never closes by the keyboard.
  if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_ESCAPE) return;
  event.Skip();
}
