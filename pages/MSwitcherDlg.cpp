#include "pages/MSwitcherDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MSwitcherDlg::MSwitcherDlg() : MBaseDialog(IDD, true) {}

void MSwitcherDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[98]);
  Refresh();
}
