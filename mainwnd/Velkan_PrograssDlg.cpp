#include "mainwnd/Velkan_PrograssDlg.h"

#include "app/AppGlobals.h"
#include "platform/ui/ResourceImages.h"

Velkan_PrograssDlg::Velkan_PrograssDlg(wxWindow* owner) : CProgressDlg(owner) {
  if (const wxIconBundle icons = LoadIconResource(MainIconId); !icons.IsEmpty()) SetIcons(icons);
  // The box is closed only by the main dialog, never by a key.
  Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& e) { e.Veto(); });
  Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& e) {
    if (e.GetKeyCode() != WXK_ESCAPE && e.GetKeyCode() != WXK_RETURN) e.Skip();
  });
}

void Velkan_PrograssDlg::SetText(const std::string& text) {
  const wxString t = wxString::FromUTF8(text);
  SetTitle(t);
  SetTitleText(t);
}

void Velkan_PrograssDlg::ShowBox(bool show) {
  // The animation runs while the box is up, so a long wait never looks like a hang.
  Shown = show;
  if (show) {
    // A stale "shown" from a late map event would make Show(true) do nothing.
    if (IsShown()) Hide();
    CentreOnParent();
    Show(true);
    Raise();
    Animation->Draw();
  } else {
    Animation->Stop();
    Hide();
  }
}
