#include "pages/MVideoSettingDlg.h"

#include "app/UiStrings.h"

MVideoSettingDlg::MVideoSettingDlg() : MBaseDialog(IDD, true) {}

void MVideoSettingDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[134]);
  Refresh();
}
