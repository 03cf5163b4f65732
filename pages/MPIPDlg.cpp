#include "pages/MPIPDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "platform/ui/PageEvents.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

namespace {
constexpr int GroupTop = 34, GroupStep = 118, GroupHeight = 104;
}  // namespace

MPIPDlg::MPIPDlg() : MBaseDialog(IDD, true) {}

void MPIPDlg::EnsureControls() {
  if (!Built) OnInitDialog();
}

void MPIPDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  CreateCaptionButtons(false);
  static const char* const groupNames[PipCount] = {"PIP-1", "PIP-2", "PIP-3"};
  for (int pip = 0; pip < PipCount; ++pip) {
    const int top = GroupTop + GroupStep * pip;
    AddGroupBox(PipGroupIds[pip], wxRect(6, top, 308, GroupHeight), groupNames[pip]);
    // Buttons.
    auto* onOff = new CGdipButton(this, PipOnOffIds[pip], "ON/OFF", wxRect(16, top + 24, 86, 28));
    onOff->LoadStdImage(129);
    onOff->LoadAltImage(147);
    onOff->SetToggle(true);
    onOff->SetTextColour(PageTextOff);
    OnOffButtons[pip] = onOff;
    OnClicked(PipOnOffIds[pip], [this, pip] { SetPipOn(pip, true); });
    // Input list.
    new SkinStatic(this, LabelId::Input, "Input :", wxRect(116, top + 29, 56, 18));
    InputLists[pip] = MakePageDropList(this, PipInputListIds[pip], wxRect(172, top + 26, 132, 24));
    // Alpha edit and its slider.
    new SkinStatic(this, LabelId::Alpha, "Alpha :", wxRect(16, top + 66, 56, 18));
    auto* slider = new oBitmapSlider(this, -1, wxRect(76, top + 66, 160, 20));
    slider->SetBitmapChannel(159, 163);
    slider->SetBitmapThumb(161);
    auto* edit = new oSliderEdit(this, PipAlphaEditIds[pip], wxRect(248, top + 64, 56, 22));
    edit->SetRange(true, 0, 64, "%d", 64);
    edit->AttachSlider(slider);
    AlphaEdits[pip] = edit;
    AlphaSliders[pip] = slider;
  }
  SetChildFonts();
  OnMsg(MEditValueChanged, [this](WPARAM id, LPARAM) {
    OnEditValueChanged(static_cast<int>(id));
    return 0;
  });
  OnMsg(MDropListSelChanged, [this](WPARAM id, LPARAM index) {
    OnDropListSelChanged(static_cast<int>(id), static_cast<int>(index));
    return 0;
  });
  FillInputLists();
  // Until the device answers, each group shows what the state holds, without telling anyone.
  const DeviceState& state = GetDeviceState();
  for (int pip = 0; pip < PipCount; ++pip) {
    const LayerWindow& layer = state.LayerWindow[pip + 1];
    DropListSelectByData(InputLists[pip], layer.Source);
    AlphaEdits[pip]->SetValue(layer.Alpha);
    OnOffButtons[pip]->SetChecked(layer.Enable != 0);
    EnablePipControls(pip, layer.Enable != 0);
  }
}

void MPIPDlg::ApplyLanguage() {
  EnsureControls();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[72]);
  Refresh();
}

void MPIPDlg::EnablePipControls(int index, bool on) {
  AlphaEdits[index]->Enable(on);
  AlphaSliders[index]->Enable(on);
  InputLists[index]->Enable(on);
}

void MPIPDlg::SetPipOn(int index, bool send) {
  EnsureControls();
  if (index < 0 || index >= PipCount) return;
  DeviceState& state = GetDeviceState();
  LayerWindow& layer = state.LayerWindow[index + 1];
  if (PipSwitchRefused(state, index)) {
    // The click already flipped the button: show the layer's real state again.
    OnOffButtons[index]->SetChecked(layer.Enable != 0);
    OnOffButtons[index]->Refresh();
    return;
  }
  const bool on = OnOffButtons[index]->IsChecked();
  EnablePipControls(index, on);
  layer.Enable = on ? 1 : 0;
  if (send) state.SendCommand(CmdPipEnable, index);
  SendMsg(OwnerWindow(), MPageEvent, EvPipChanged, index);
}

void MPIPDlg::ShowPipOn(int index) {
  EnsureControls();
  if (index < 0 || index >= PipCount) return;
  const DeviceState& state = GetDeviceState();
  const bool on = state.LayerWindow[index + 1].Enable != 0;
  OnOffButtons[index]->SetChecked(on);
  OnOffButtons[index]->Refresh();
  if (state.SwitcherSettings.Mode == 0) {
    AlphaEdits[index]->Enable(on);
    AlphaSliders[index]->Enable(on);
  }
  InputLists[index]->Enable(on);
}

void MPIPDlg::SelectInput(int index, uint32_t source) {
  EnsureControls();
  if (index < 0 || index >= PipCount) return;
  std::lock_guard<std::recursive_mutex> hold(ListLock);
  DropListSelectByData(InputLists[index], source);
}

void MPIPDlg::OnEditValueChanged(int controlId) {
  const int pip = PipOfAlphaEdit(controlId);
  if (pip < 0) return;
  DeviceState& state = GetDeviceState();
  state.LayerWindow[pip + 1].Alpha = static_cast<uint8_t>(AlphaEdits[pip]->Value());
  state.SendCommand(CmdPipEnable, pip);
}

void MPIPDlg::OnDropListSelChanged(int listId, int index) {
  const int pip = PipOfInputList(listId);
  if (pip < 0) return;
  CDropList* items = InputLists[pip]->GetList();
  if (index < 0 || index >= items->GetCount()) return;
  const long input = items->GetItemData(index);
  if (input < 0 || input >= InputRowCount) return;
  GetDeviceState().LayerWindow[pip + 1].Source = static_cast<uint8_t>(input);
  PostMsg(OwnerWindow(), MLayerSourceChanged, static_cast<WPARAM>(pip + 1), 1);
}

void MPIPDlg::FillInputLists() {
  EnsureControls();
  std::lock_guard<std::recursive_mutex> hold(ListLock);
  const std::vector<PipInputItem> items = PipInputItems(GetDeviceState().InputTable);
  for (CDropButton* list : InputLists) {
    CDropList* entries = list->GetList();
    entries->ResetContent();
    for (const PipInputItem& item : items) entries->SetItemData(entries->AddString(wxString::FromUTF8(item.Name)), item.Input);
    list->Refresh();
  }
}

void MPIPDlg::UpdateFromDevice() {
  EnsureControls();
  std::lock_guard<std::recursive_mutex> hold(ListLock);
  const DeviceState& state = GetDeviceState();
  for (int pip = 0; pip < PipCount; ++pip) {
    const LayerWindow& layer = state.LayerWindow[pip + 1];
    DropListSelectByData(InputLists[pip], layer.Source);
    AlphaEdits[pip]->SetValue(layer.Alpha);
    OnOffButtons[pip]->SetChecked(layer.Enable != 0);
    OnOffButtons[pip]->Refresh();
    if (pip == 2) InputLists[pip]->Enable(state.LogoSettings.Pip3Usage != 1);
    SetPipOn(pip, false);
    PostMsg(OwnerWindow(), MLayerSourceChanged, static_cast<WPARAM>(pip + 1), 0);
  }
}

void MPIPDlg::UpdateLayerLabels() {
  EnsureControls();
  const std::array<PipGroupEnables, PipCount> plan = PipEnablesForMode(GetDeviceState());
  for (int pip = 0; pip < PipCount; ++pip) {
    const PipGroupEnables& e = plan[pip];
    if (e.OnOff) OnOffButtons[pip]->Enable(*e.OnOff);
    if (e.Alpha) {
      AlphaEdits[pip]->Enable(*e.Alpha);
      AlphaSliders[pip]->Enable(*e.Alpha);
    }
    if (e.List) InputLists[pip]->Enable(*e.List);
    if (e.Caption) SetControlText(PipGroupIds[pip], wxString::FromUTF8(*e.Caption));
  }
  RefreshRect(wxRect(0, GroupTop - 10, GetClientSize().x, GroupStep * PipCount + 10));
}
