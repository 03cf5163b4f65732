#include "pages/MTaskDlg.h"

#include "app/UiStrings.h"

MTaskDlg::MTaskDlg() : MBaseDialog(IDD, true) {}

void MTaskDlg::ApplyLanguage() { SetPageTitle(UiStrings[78]); }
