#include "pages/MOutputDlg.h"

#include "app/UiStrings.h"

MOutputDlg::MOutputDlg() : MBaseDialog(IDD, true) {}

void MOutputDlg::ApplyLanguage() { SetPageTitle(UiStrings[69]); }
