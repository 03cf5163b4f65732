#include "pages/MPIPDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MPIPDlg::MPIPDlg() : MBaseDialog(IDD, true) {}

void MPIPDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[72]);
  Refresh();
}
