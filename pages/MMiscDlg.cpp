#include "pages/MMiscDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MMiscDlg::MMiscDlg() : MBaseDialog(IDD, true) {}

void MMiscDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[79]);
  Refresh();
}
