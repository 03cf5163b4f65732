#include "pages/MPIPDlg.h"

#include "app/UiStrings.h"

MPIPDlg::MPIPDlg() : MBaseDialog(IDD, true) {}

void MPIPDlg::ApplyLanguage() { SetPageTitle(UiStrings[72]); }
