#include "pages/MMediaPlayerDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/PageLanguage.h"
#include "pages/PageLook.h"

MMediaPlayerDlg::MMediaPlayerDlg() : MBaseDialog(IDD, true) {}

void MMediaPlayerDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[151]);
  // InitButtons: OK and Return beside the arrows' cross, switch below; the disks on top.
  struct Key {
    int Id;
    const char* Text;
    wxRect Rect;
  };
  const Key keys[] = {
      {1575, "OK", wxRect(120, 130, 80, 36)},        {1576, "Return", wxRect(220, 200, 80, 32)},
      {1577, "切换", wxRect(20, 200, 80, 32)},       {1578, "上", wxRect(120, 84, 80, 36)},
      {1579, "下", wxRect(120, 176, 80, 36)},        {1580, "左", wxRect(30, 130, 80, 36)},
      {1581, "右", wxRect(210, 130, 80, 36)},
  };
  for (size_t i = 0; i < 7; ++i) {
    auto* b = new CGdipButton(this, keys[i].Id, wxString::FromUTF8(keys[i].Text), keys[i].Rect);
    b->LoadStdImage(114);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
    const int id = keys[i].Id;
    OnClicked(id, [this, id] { OnBnClickedKey(id); });
    KeyButtons[i] = b;
  }
  const char* disks[] = {"UDISK1", "UDISK2"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new CGdipButton(this, IdUdisk1 + i, disks[i], wxRect(40 + 130 * i, 36, 110, 30));
    b->LoadStdImage(113);
    b->LoadAltImage(114);
    b->SetCheckOnClick(true);   // the chosen disk shows lit
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
    OnClicked(IdUdisk1 + i, [this, i] { OnBnClickedUDisk(IdUdisk1 + i); });
    DiskButtonsShown[i] = b;
  }
  SetChildFonts();
  UpdateDiskButtons();
}

void MMediaPlayerDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[151]);
  Refresh();
}

void MMediaPlayerDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

DiskButtons MMediaPlayerDlg::CurrentDiskButtons() const {
  DiskButtons b;
  for (int i = 0; i < 2; ++i) b[i] = {DiskButtonsShown[i]->IsEnabled(), DiskButtonsShown[i]->IsChecked()};
  return b;
}

void MMediaPlayerDlg::UpdateDiskButtons() {
  OnInitDialog();
  const DeviceState& s = GetDeviceState();
  const DiskButtons b = UpdatedDiskButtons(s.InputCardType[6], s.InputCardType[7], CurrentDiskButtons());
  for (int i = 0; i < 2; ++i) {
    DiskButtonsShown[i]->Enable(b[i].Enabled);
    DiskButtonsShown[i]->SetDisabledLook(!b[i].Enabled);
    DiskButtonsShown[i]->SetChecked(b[i].Checked);
  }
}

void MMediaPlayerDlg::OnBnClickedUDisk(int id) {
  const int index = id - IdUdisk1;
  if (index < 0 || index > 1) return;
  for (CGdipButton* b : DiskButtonsShown) b->SetChecked(false);
  DiskButtonsShown[index]->SetChecked(true);
}

void MMediaPlayerDlg::OnBnClickedKey(int id) {
  const uint8_t key = MediaKeyCode(id);
  if (key == 0) return;
  GetDeviceState().SendCommand(CmdMediaPlayerKey, key, ChosenDisk(CurrentDiskButtons()));
}
