#include "pages/MLogoDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MLogoDlg::MLogoDlg() : MBaseDialog(IDD, true) {}

void MLogoDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[73]);
  Refresh();
}
