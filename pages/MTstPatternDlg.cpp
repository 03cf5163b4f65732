#include "pages/MTstPatternDlg.h"

#include "app/UiStrings.h"

MTstPatternDlg::MTstPatternDlg() : MBaseDialog(IDD, true) {}

void MTstPatternDlg::ApplyLanguage() { SetPageTitle(std::string()); }
