#include "pages/MVgaDlg.h"

#include "app/UiStrings.h"

MVgaDlg::MVgaDlg() : MBaseDialog(IDD, true) {}

void MVgaDlg::ApplyLanguage() { SetPageTitle(UiStrings[76]); }
