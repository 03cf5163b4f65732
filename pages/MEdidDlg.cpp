#include "pages/MEdidDlg.h"

#include "app/UiStrings.h"

MEdidDlg::MEdidDlg() : MBaseDialog(IDD, true) {}

void MEdidDlg::ApplyLanguage() { SetPageTitle(UiStrings[75]); }
