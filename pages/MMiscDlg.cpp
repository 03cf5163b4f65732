#include "pages/MMiscDlg.h"

#include "app/UiStrings.h"

MMiscDlg::MMiscDlg() : MBaseDialog(IDD, true) {}

void MMiscDlg::ApplyLanguage() { SetPageTitle(UiStrings[79]); }
