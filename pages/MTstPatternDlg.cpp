#include "pages/MTstPatternDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MTstPatternDlg::MTstPatternDlg() : MBaseDialog(IDD, true) {}

void MTstPatternDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(std::string());
  Refresh();
}
