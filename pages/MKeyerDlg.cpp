#include "pages/MKeyerDlg.h"

#include "app/UiStrings.h"

MKeyerDlg::MKeyerDlg() : MBaseDialog(IDD, true) {}

void MKeyerDlg::ApplyLanguage() { SetPageTitle(UiStrings[74]); }
