#include "pages/MMediaPlayerDlg.h"

#include "app/UiStrings.h"

MMediaPlayerDlg::MMediaPlayerDlg() : MBaseDialog(IDD, true) {}

void MMediaPlayerDlg::ApplyLanguage() { SetPageTitle(UiStrings[151]); }
