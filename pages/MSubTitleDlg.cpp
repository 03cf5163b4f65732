#include "pages/MSubTitleDlg.h"

#include "app/UiStrings.h"

MSubTitleDlg::MSubTitleDlg() : MBaseDialog(IDD, false) {}

void MSubTitleDlg::ApplyLanguage() { SetPageTitle(std::string()); }
