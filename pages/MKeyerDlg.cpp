#include "pages/MKeyerDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MKeyerDlg::MKeyerDlg() : MBaseDialog(IDD, true) {}

void MKeyerDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[74]);
  Refresh();
}
