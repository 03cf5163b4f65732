#include "pages/MVideoSettingDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MVideoSettingDlg::MVideoSettingDlg() : MBaseDialog(IDD, true) {}

void MVideoSettingDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[134]);
  Refresh();
}
