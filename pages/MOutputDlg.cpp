#include "pages/MOutputDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MOutputDlg::MOutputDlg() : MBaseDialog(IDD, true) {}

void MOutputDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[69]);
  Refresh();
}
