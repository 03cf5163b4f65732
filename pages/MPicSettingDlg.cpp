#include "pages/MPicSettingDlg.h"

#include "app/UiStrings.h"

MPicSettingDlg::MPicSettingDlg() : MBaseDialog(IDD, true) {}

void MPicSettingDlg::ApplyLanguage() { SetPageTitle(UiStrings[68]); }
