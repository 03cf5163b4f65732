#include "pages/MSwitcherDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "pages/SwitcherLogic.h"
#include "platform/ui/UserMessages.h"

MSwitcherDlg::MSwitcherDlg() : MBaseDialog(IDD, true) {}

void MSwitcherDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[98]);
  // InitButtons
  OnOffButton = new CGdipButton(this, IdSwitcherOnOff, "ON/OFF", wxRect(22, 56, 80, 28));
  MultiMachineButton = new CGdipButton(this, IdMultiMachine, "ON/OFF", wxRect(22, 226, 80, 28));
  for (CGdipButton* b : {OnOffButton, MultiMachineButton}) {
    b->LoadStdImage(128);
    b->LoadAltImage(130);
    b->SetToggle(true);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
  }
  const char* panels[] = {"Panel x 1", "Panel x 2"};
  for (int i = 0; i < 2; ++i) {
    auto* b = new CGdipButton(this, IdPanelX1 + i, panels[i], wxRect(22 + 142 * i, 98, 134, 28));
    b->LoadStdImage(115);
    b->LoadAltImage(116);
    b->SetCheckOnClick(true);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOnLightFace);
    OnClicked(IdPanelX1 + i, [this, i] { OnBnClickedPanel(IdPanelX1 + i); });
    PanelButtons[i] = b;
  }
  // InitGroupBoxes
  AddGroupBox(IdSwitcherGroup, wxRect(11, 34, 298, 148), wxString::FromUTF8(UiStrings[28]));
  AddGroupBox(IdMultiMachineGroup, wxRect(11, 194, 298, 76), wxString::FromUTF8(UiStrings[90]));
  // InitDropLists: the list sits between "Fade Duration :" and "sec".
  auto* fadeLabel = new SkinStatic(this, IdFadeLabel, "Fade Duration :", wxRect(22, 144, 104, 16));
  auto* unitLabel = new SkinStatic(this, IdFadeUnitLabel, "sec", wxRect(252, 144, 30, 16));
  const wxRect l = fadeLabel->GetRect(), u = unitLabel->GetRect();
  FadeList = MakePageDropList(this, FadeTimeListId, wxRect(l.GetRight() + 1 + 2, l.y - 2, u.x - 5 - (l.GetRight() + 1 + 2), 20));
  CDropList* list = FadeList->GetList();
  for (size_t i = 0; i < FadeTimeTexts.size(); ++i) list->SetItemData(list->AddString(FadeTimeTexts[i]), static_cast<long>(i));
  FadeList->SetCurSel(0);

  OnClicked(IdSwitcherOnOff, [this] { OnBnClickedOnOff(); });
  OnClicked(IdMultiMachine, [this] { OnBnClickedMultiMachine(); });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  SetChildFonts();
  OnOffButton->SetChecked(false);
  for (CGdipButton* b : PanelButtons) b->Enable(false);
  FadeList->Enable(false);
}

void MSwitcherDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[98]);
  if (CSxGroupBox* g = FindGroupBox(IdSwitcherGroup)) g->SetText(wxString::FromUTF8(UiStrings[28]));
  if (CSxGroupBox* g = FindGroupBox(IdMultiMachineGroup)) g->SetText(wxString::FromUTF8(UiStrings[90]));
  Refresh();
}

void MSwitcherDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

void MSwitcherDlg::ShowSwitcherOn(bool on) {
  OnOffButton->SetChecked(on);
  for (CGdipButton* b : PanelButtons) b->Enable(on);
  FadeList->Enable(on);
}

void MSwitcherDlg::PostModeEvents(uint32_t switcherArgument) {
  wxWindow* owner = OwnerWindow();
  PostMsg(owner, MPageEvent, EvSwitcherMode, static_cast<LPARAM>(switcherArgument));
  PostMsg(owner, MPageEvent, EvMosaicMode, static_cast<LPARAM>(GetDeviceState().MosaicSettings.Mode));
}

void MSwitcherDlg::SendKeyerQueries() {
  DeviceState& s = GetDeviceState();
  s.SendCommand(CmdQueryKeyer, 1);
  s.SendCommand(CmdQueryKeyer, 3);
}

void MSwitcherDlg::OnBnClickedOnOff() {
  const bool on = OnOffButton->IsChecked();
  ShowSwitcherOn(on);
  DeviceState& s = GetDeviceState();
  ApplySwitcherMode(s, SwitcherModeFor(on, CurrentPanel));
  SendBusyBox(*this, true, UiStrings[65]);
  s.SendCommand(CmdSwitcherMode);
  PostModeEvents(on ? 1 : 0);
  SendKeyerQueries();
}

void MSwitcherDlg::OnBnClickedPanel(int id) {
  const int index = id - IdPanelX1;
  if (index < 0 || index > 1) return;
  if (index == CurrentPanel) {
    // The click checked the button again; nothing else changes.
    PanelButtons[index]->SetChecked(true);
    return;
  }
  for (int j = 0; j < 2; ++j) PanelButtons[j]->SetChecked(j == index);
  CurrentPanel = index;
  DeviceState& s = GetDeviceState();
  ApplySwitcherMode(s, SwitcherModeFor(true, index));
  if (s.SwitcherSettings.Mode == 2) SendKeyerQueries();
  SendBusyBox(*this, true, UiStrings[65]);
  s.SendCommand(CmdSwitcherMode);
  PostModeEvents(1);
  s.SendCommand(CmdQuery63);
}

void MSwitcherDlg::OnBnClickedMultiMachine() {
  if (!ApplyMultiMachine(GetDeviceState(), MultiMachineButton->IsChecked())) {
    MultiMachineButton->SetChecked(false);
    ShowOperatorMessage(this, UiStrings[136], UiStrings[38]);
  }
}

void MSwitcherDlg::OnDropListSelChanged(int listId, int index) {
  if (listId != FadeTimeListId) return;
  CDropList* list = FadeList->GetList();
  if (index < 0 || index >= list->GetCount()) return;
  DeviceState& s = GetDeviceState();
  if (ApplyFadeChoice(s, list->GetItemData(index))) s.SendCommand(CmdSwitcherFade);
}

void MSwitcherDlg::UpdateFromDevice() {
  OnInitDialog();
  const DeviceState& s = GetDeviceState();
  const uint8_t mode = s.SwitcherSettings.Mode;
  ShowSwitcherOn(mode != 0);
  PanelButtons[0]->SetChecked(mode == 1);
  PanelButtons[1]->SetChecked(mode == 2);
  if (const auto panel = PanelOfMode(mode)) CurrentPanel = *panel;
  DropListSelectByData(FadeList, static_cast<long>(s.SwitcherSettings.FadeTime));
  PostMsg(OwnerWindow(), MPageEvent, EvSwitcherMode, mode);
}
