#include "pages/MKeyerDlg.h"

#include "app/UiStrings.h"

MKeyerDlg::MKeyerDlg() : MBaseDialog(IDD, true) {}

void MKeyerDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[74]);
  Refresh();
}
