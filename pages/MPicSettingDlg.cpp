#include "pages/MPicSettingDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MPicSettingDlg::MPicSettingDlg() : MBaseDialog(IDD, true) {}

void MPicSettingDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[68]);
  Refresh();
}
