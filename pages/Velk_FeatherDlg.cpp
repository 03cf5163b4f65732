#include "pages/Velk_FeatherDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

Velk_FeatherDlg::Velk_FeatherDlg() : MBaseDialog(IDD, true) {}

void Velk_FeatherDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[159]);
  Refresh();
}
