#include "pages/MMediaPlayerDlg.h"

#include "app/UiStrings.h"

MMediaPlayerDlg::MMediaPlayerDlg() : MBaseDialog(IDD, true) {}

void MMediaPlayerDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[151]);
  Refresh();
}
