#include "pages/MSwitcherDlg.h"

#include "app/UiStrings.h"

MSwitcherDlg::MSwitcherDlg() : MBaseDialog(IDD, true) {}

void MSwitcherDlg::ApplyLanguage() { SetPageTitle(UiStrings[98]); }
