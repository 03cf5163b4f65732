#include "pages/MCropDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MCropDlg::MCropDlg() : MBaseDialog(IDD, true) {}

void MCropDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[70]);
  Refresh();
}
