#include "pages/MCropDlg.h"

#include "app/UiStrings.h"

MCropDlg::MCropDlg() : MBaseDialog(IDD, true) {}

void MCropDlg::ApplyLanguage() { SetPageTitle(UiStrings[70]); }
