#include "pages/MEdidDlg.h"

#include "app/UiStrings.h"

MEdidDlg::MEdidDlg() : MBaseDialog(IDD, true) {}

void MEdidDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[75]);
  Refresh();
}
