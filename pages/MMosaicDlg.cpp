#include "pages/MMosaicDlg.h"

#include "app/UiStrings.h"

MMosaicDlg::MMosaicDlg() : MBaseDialog(IDD, true) {}

void MMosaicDlg::ApplyLanguage() { SetPageTitle(UiStrings[71]); }
