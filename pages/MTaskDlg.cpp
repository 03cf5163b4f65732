#include "pages/MTaskDlg.h"

#include "app/UiStrings.h"

MTaskDlg::MTaskDlg() : MBaseDialog(IDD, true) {}

void MTaskDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[78]);
  Refresh();
}
