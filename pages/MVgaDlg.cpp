#include "pages/MVgaDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MVgaDlg::MVgaDlg() : MBaseDialog(IDD, true) {}

void MVgaDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[76]);
  Refresh();
}
