#include "pages/MMosaicDlg.h"

#include "app/UiStrings.h"
#include "controls/PageLanguage.h"

MMosaicDlg::MMosaicDlg() : MBaseDialog(IDD, true) {}

void MMosaicDlg::ApplyLanguage() {
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[71]);
  Refresh();
}
