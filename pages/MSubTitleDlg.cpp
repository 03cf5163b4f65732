#include "pages/MSubTitleDlg.h"

#include "app/UiStrings.h"

MSubTitleDlg::MSubTitleDlg() : MBaseDialog(IDD, false) {}

void MSubTitleDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(std::string());
  Refresh();
}
