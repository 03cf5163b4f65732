#include "pages/MVideoSettingDlg.h"

#include "app/UiStrings.h"

MVideoSettingDlg::MVideoSettingDlg() : MBaseDialog(IDD, true) {}

void MVideoSettingDlg::ApplyLanguage() { SetPageTitle(UiStrings[134]); }
