#include "mainwnd/Velkan_PrograssDlg.h"

#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

Velkan_PrograssDlg::Velkan_PrograssDlg(wxWindow* owner)
    : wxDialog(owner, wxID_ANY, wxString(), wxDefaultPosition, wxSize(360, 110),
               wxCAPTION | wxFRAME_FLOAT_ON_PARENT | wxFRAME_NO_TASKBAR),
      Animation(this) {
  SetBackgroundColour(wxColour(0x40, 0x40, 0x40));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  Bar = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(300, 12));
  Label = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxSize(320, -1),
                           wxALIGN_CENTRE_HORIZONTAL | wxST_NO_AUTORESIZE);
  Label->SetForegroundColour(wxColour(0xEB, 0xEB, 0xEB));
  Label->SetFont(wxFont(wxFontInfo(10).Bold().FaceName("Liberation Sans")));
  sizer->Add(Bar, 0, wxALL | wxALIGN_CENTRE_HORIZONTAL, 16);
  sizer->Add(Label, 0, wxLEFT | wxRIGHT | wxBOTTOM | wxEXPAND, 16);
  SetSizer(sizer);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Bar->Pulse(); });
  // The box is closed only by the main dialog.
  Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& e) { e.Veto(); });
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& e) {
    if (e.GetKeyCode() != WXK_ESCAPE && e.GetKeyCode() != WXK_RETURN) e.Skip();
  });
}

void Velkan_PrograssDlg::SetText(const std::string& text) {
  const wxString t = wxString::FromUTF8(text);
  SetTitle(t);
  Label->SetLabel(t);
}

void Velkan_PrograssDlg::ShowBox(bool show) {
  if (show) {
    CentreOnParent();
    Show(true);
    Animation.Start(100);
  } else {
    Animation.Stop();
    Hide();
  }
}
