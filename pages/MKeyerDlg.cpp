#include "pages/MKeyerDlg.h"

#include <chrono>
#include <thread>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "pages/KeyerPageLogic.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

MKeyerDlg::MKeyerDlg() : MBaseDialog(IDD, true) {}

void MKeyerDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString();   // a pop-up: background without title text

  // InitButtons
  OnOffButton = new CGdipButton(this, IdOnOff, "ON/OFF", wxRect(22, 66, 84, 28));
  ResetButton = new CGdipButton(this, IdReset, "Reset", wxRect(118, 66, 84, 28));
  for (CGdipButton* b : {OnOffButton, ResetButton}) {
    b->LoadStdImage(128);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
  }
  OnOffButton->LoadAltImage(130);
  OnOffButton->SetToggle(true);

  // InitEdits: three colour rows (low, high) and three gains.
  const char* colourRows[] = {"Red :", "Green :", "Blue :"};
  const int colourLabelIds[] = {LabelId::Red, LabelId::Green, LabelId::Blue};
  for (int row = 0; row < 3; ++row) {
    const int y = 180 + 30 * row;
    new SkinStatic(this, colourLabelIds[row], colourRows[row], wxRect(22, y + 3, 70, 18));
    for (int col = 0; col < 2; ++col) {
      const int i = 2 * row + col;
      ValueEdits[i] = new oRealEdit(this, ValueEditIds[i], wxRect(100 + 100 * col, y, 80, 22));
      ValueEdits[i]->SetRange(true, 0, 255, "%d", 0);
    }
  }
  new SkinStatic(this, LabelId::Low, "Low", wxRect(100, 160, 80, 16), wxALIGN_CENTER);
  new SkinStatic(this, LabelId::High, "High", wxRect(200, 160, 80, 16), wxALIGN_CENTER);
  const char* gainRows[] = {"Gain In :", "Gain Out :", "Gain Band :"};
  const int gainLabelIds[] = {LabelId::GainIn, LabelId::GainOut, LabelId::GainBand};
  const float gainMax[] = {64, 64, 255};
  for (int g = 0; g < 3; ++g) {
    const int y = 274 + 30 * g;
    new SkinStatic(this, gainLabelIds[g], gainRows[g], wxRect(22, y + 3, 90, 18));
    ValueEdits[6 + g] = new oRealEdit(this, ValueEditIds[6 + g], wxRect(120, y, 80, 22));
    ValueEdits[6 + g]->SetRange(true, 0, gainMax[g], "%d", 0);
  }

  InitDropLists();
  // InitGroupBoxes
  AddGroupBox(IdKeyerGroup, wxRect(10, 8, 300, 96), wxString::FromUTF8(UiStrings[13]));
  AddGroupBox(IdModeGroup, wxRect(10, 110, 300, 262), wxString::FromUTF8(UiStrings[14]));

  OnClicked(IdOnOff, [this] { OnBnClickedOnOff(); });
  OnClicked(IdReset, [this] { OnBnClickedReset(); });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  SetChildFonts();
  ShowKeyerOn(false, 0);
}

void MKeyerDlg::InitDropLists() {
  if (!TargetList) TargetList = MakePageDropList(this, KeyerTargetListId, wxRect(22, 32, 276, 22));
  if (!ModeList) ModeList = MakePageDropList(this, KeyerModeListId, wxRect(22, 118 + 14, 180, 22));
  const int target = TargetList->GetCurSel();
  const int mode = ModeList->GetCurSel();
  CDropList* t = TargetList->GetList();
  t->ResetContent();
  t->SetItemData(t->AddString(wxString::FromUTF8(UiStrings[152])), 0);
  t->SetItemData(t->AddString(wxString::FromUTF8(UiStrings[153])), 1);
  CDropList* m = ModeList->GetList();
  m->ResetContent();
  for (int i = 0; i < KeyerModeCount; ++i) m->SetItemData(m->AddString(wxString::FromUTF8(UiStrings[42 + i])), i);
  // A language change keeps what was chosen.
  TargetList->SetCurSel(target >= 0 ? target : 0);
  ModeList->SetCurSel(mode >= 0 ? mode : 0);
  t->SetItemDisabled(1, !Pip1KeyerSelectable(GetDeviceState().MosaicSettings.Mode));
}

void MKeyerDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  if (CSxGroupBox* g = FindGroupBox(IdKeyerGroup)) g->SetText(wxString::FromUTF8(UiStrings[13]));
  if (CSxGroupBox* g = FindGroupBox(IdModeGroup)) g->SetText(wxString::FromUTF8(UiStrings[14]));
  InitDropLists();
  Refresh();
}

void MKeyerDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

void MKeyerDlg::EnableRangeEdits(bool enable) {
  for (oRealEdit* e : ValueEdits) e->Enable(enable);
  Refresh();
}

void MKeyerDlg::ShowKeyerOn(bool on, uint32_t mode) {
  ResetButton->Enable(on);
  ResetButton->SetDisabledLook(!on);
  ModeList->Enable(on);
  EnableRangeEdits(mode == 0 && on);
}

void MKeyerDlg::UpdateFromDevice() {
  OnInitDialog();
  const DeviceState& s = GetDeviceState();
  const bool pip1 = Pip1KeyerSelectable(s.MosaicSettings.Mode);
  TargetList->GetList()->SetItemDisabled(1, !pip1);
  if (!pip1) {
    TargetList->SetCurSel(0);
    CurrentTarget = 0;
  }
  const int shown = TargetList->GetCurSel();
  if (!IsKeyerTarget(shown)) return;
  const KeyerSettings& k = s.KeyerSettings[shown];
  OnOffButton->SetChecked(k.Enable != 0);
  DropListSelectByData(ModeList, static_cast<long>(k.Mode));
  const KeyerValues v = KeyerValuesOf(k);
  for (size_t i = 0; i < v.size(); ++i) ValueEdits[i]->SetValue(v[i]);
  ShowKeyerOn(k.Enable != 0, k.Mode);
}

void MKeyerDlg::OnBnClickedOnOff() {
  DeviceState& s = GetDeviceState();
  const int t = CurrentTarget;
  if (!KeyerLayerOn(s, t)) {
    OnOffButton->SetChecked(false);
    ShowOperatorMessage(this, UiStrings[55], UiStrings[38]);
    return;
  }
  KeyerSettings& k = s.KeyerSettings[t];
  const bool on = OnOffButton->IsChecked();
  k.Enable = on ? 1 : 0;
  SendKeyer(s, t);
  ShowKeyerOn(on, k.Mode);
}

void MKeyerDlg::OnBnClickedReset() {
  DeviceState& s = GetDeviceState();
  KeyerSettings& k = s.KeyerSettings[CurrentTarget];
  ResetKeyerRange(k);
  const KeyerValues v = KeyerValuesOf(k);
  for (size_t i = 0; i < 6; ++i) ValueEdits[i]->SetValue(v[i]);
  ModeList->SetCurSel(0);
  EnableRangeEdits(true);
  SendKeyer(s, CurrentTarget);
}

void MKeyerDlg::OnDropListSelChanged(int listId, int index) {
  DeviceState& s = GetDeviceState();
  if (listId == KeyerModeListId) {
    CDropList* list = ModeList->GetList();
    if (index < 0 || index >= list->GetCount()) return;
    KeyerSettings& k = s.KeyerSettings[CurrentTarget];
    k.Mode = static_cast<uint32_t>(list->GetItemData(index));
    EnableRangeEdits(k.Mode == 0);
    SendKeyer(s, CurrentTarget);
    // The device needs a moment to switch modes before it reports the new range.
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    SendKeyerQuery(s, CurrentTarget);
  } else if (listId == KeyerTargetListId) {
    if (!IsKeyerTarget(index)) return;
    CurrentTarget = index;
    SendKeyerQuery(s, index);
  }
}

void MKeyerDlg::OnEditValueChanged(int id) {
  bool ours = false;
  for (int e : ValueEditIds) ours = ours || e == id;
  if (!ours) return;
  KeyerValues v{};
  for (size_t i = 0; i < v.size(); ++i) v[i] = ValueEdits[i]->Value();
  DeviceState& s = GetDeviceState();
  StoreKeyerValues(s.KeyerSettings[CurrentTarget], v);
  SendKeyer(s, CurrentTarget);
}
