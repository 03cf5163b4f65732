#include "pages/MLogoDlg.h"

#include "app/UiStrings.h"

MLogoDlg::MLogoDlg() : MBaseDialog(IDD, true) {}

void MLogoDlg::ApplyLanguage() { SetPageTitle(UiStrings[73]); }
