// Device replies reach the main window here: the busy box, the refresh steps and the calls the
// reply callbacks make on the window.
#include "mainwnd/VelkanDlg.h"

#include <map>

#include "app/Language.h"
#include "app/MachineAtWork.h"
#include "app/UiStrings.h"
#include "controls/OperatorNotices.h"
#include "connect/MSearchMachineDlg.h"
#include "mainwnd/MMainDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "mainwnd/Velkan_PrograssDlg.h"
#include "pages/MCropDlg.h"
#include "pages/MEdidDlg.h"
#include "pages/MKeyerDlg.h"
#include "pages/MLogoDlg.h"
#include "pages/MMediaPlayerDlg.h"
#include "pages/MMiscDlg.h"
#include "pages/MMosaicDlg.h"
#include "pages/MOutputDlg.h"
#include "pages/MPIPDlg.h"
#include "pages/MPicSettingDlg.h"
#include "pages/MSubTitleDlg.h"
#include "pages/MSwitcherDlg.h"
#include "pages/MTaskDlg.h"
#include "pages/MTstPatternDlg.h"
#include "pages/MVgaDlg.h"
#include "pages/MVideoSettingDlg.h"
#include "pages/Velk_FeatherDlg.h"

LRESULT VelkanDlg::OnShowBusy(WPARAM busy, LPARAM text) {
  const auto* t = reinterpret_cast<const std::string*>(text);
  Busy.ShowBusy(busy != 0, t ? *t : std::string());
  return 0;
}

void VelkanDlg::ShowBusy(bool show, const std::string& text) { Busy.ShowBusy(show, text); }

void VelkanDlg::NoteDeviceAnswer() { Busy.NoteDeviceHeard(); }

void VelkanDlg::EndDeviceWaits(bool up) {
  if (!up) Busy.LinkLost();
  EndWaitsBehindBox();
}

void VelkanDlg::OperationSent(uint32_t operations, uint32_t records) {
  Busy.OperationSent(operations, records);
  // A box opened by the same click waits for it; a later one does not.
  CallAfter([this] { Busy.ForgetSentOperation(); });
}

bool VelkanDlg::OperationAnswered(uint8_t operation) { return Busy.OperationAnswered(operation); }

bool VelkanDlg::AnswersEndedWait(uint8_t operation) { return Busy.AnswersEndedWait(operation); }

bool VelkanDlg::RecordAnswered(uint32_t slot) { return Busy.RecordAnswered(slot); }

void VelkanDlg::EnableMainWindow(bool enable) {
  Enable(enable);
  RecordShownTexts("main window", {enable ? "enabled" : "disabled"});
}

void VelkanDlg::RaiseMainWindow() { Raise(); }

void VelkanDlg::SetBusyText(const std::string& text) { BusyBox->SetText(text); }

void VelkanDlg::ShowBusyWindow(bool show) {
  // For the tests: how many times the box came up and went, which the history's last twenty
  // lines cannot tell once they repeat.
  static unsigned shownTimes = 0, closedTimes = 0;
  if (show != BusyBox->BoxShown()) ++(show ? shownTimes : closedTimes);
  BusyBox->ShowBox(show);
  // The shown box took the keyboard; hidden, it hands it back, or the preset shortcuts would go
  // unheard until the operator clicks the main window.
  if (!show) {
    const wxWindow* focus = wxWindow::FindFocus();
    if (!focus || wxGetTopLevelParent(const_cast<wxWindow*>(focus)) == BusyBox) SetFocus();
  }
  BusyHistory.push_back(show ? "shown: " + BusyBox->GetTitle().ToStdString(wxConvUTF8) : std::string("hidden"));
  if (BusyHistory.size() > 20) BusyHistory.erase(BusyHistory.begin());
  RecordShownTexts("busy", BusyHistory);
  RecordShownTexts("busy boxes", {"shown " + std::to_string(shownTimes), "closed " + std::to_string(closedTimes)});
}

bool VelkanDlg::BusyWindowShown() const { return BusyBox->BoxShown(); }

void VelkanDlg::StartWatchdog(uint32_t ms) {
  ++WatchdogStarts;
  Timers.SetTimer(BusyWatchdogTimer, ms);
}

void VelkanDlg::StopWatchdog() { Timers.KillTimer(BusyWatchdogTimer); }

int VelkanDlg::Enter(wxDialog* dialog) {
  if (dialog != this) Busy.OperatorBoxShown(true);
  return wxID_NONE;
}

void VelkanDlg::Exit(wxDialog* dialog) {
  if (dialog != this) Busy.OperatorBoxShown(false);
}

void VelkanDlg::TellNoAnswer(bool deviceHeard) {
  // Not from inside the timer: the box runs its own loop.
  CallAfter([this, deviceHeard] {
    if (!Closing)
      ShowOperatorMessage(this, deviceHeard ? LanguageText("XIDS_NoAnswerInTime") : UiStrings[39], UiStrings[38]);
  });
}

bool VelkanDlg::EndWaitsBehindBox() {
  bool told = false;
  for (MBaseDialog* page : AllPages()) told = page->EndWaitForDevice() || told;
  return told;
}

namespace {
// A connection status that says the working link itself is up (another machine's says nothing
// about the machine at work).
bool WorkingLinkCameUp() {
  const MachineAnswer& answer = LastMachineAnswer();
  return answer.Connected && IsWorkingLinkReport(answer.Id);
}

// For the window tests: how many records of each reply slot the windows have taken, one line a slot.
void CountRecordShown(uint32_t slot) {
  static std::map<uint32_t, unsigned> taken;
  ++taken[slot];
  std::vector<std::string> lines;
  for (const auto& [s, n] : taken) lines.push_back(std::to_string(s) + " " + std::to_string(n));
  RecordShownTexts("device records", lines);
}
}  // namespace

void VelkanDlg::OnDeviceReply(uint32_t slot, int32_t argument) {
  // Slot 0 with the link down is the library's own report, and another machine's PING answer
  // says nothing of the machine at work: neither is the device heard.
  const bool otherMachinesPing = slot == 23 && !IsSerialLinkOpen() && !IsWorkingLinkReport(LastMachineAnswer().Id);
  if (!otherMachinesPing && (slot != 0 || WorkingLinkCameUp())) Busy.NoteDeviceHeard();
  const auto steps = RefreshStepsForSlot(slot);
  for (RefreshStep step : steps) RunRefreshStep(step, argument);
  if (!steps.empty()) CountRecordShown(slot);
}

void VelkanDlg::RunRefreshStep(RefreshStep step, int32_t argument) {
  using S = RefreshStep;
  DeviceState& state = GetDeviceState();
  switch (step) {
    case S::SearchRefreshMachinesAuto: SearchMachine->RefreshMachines(true); break;
    case S::SearchRefreshMachines: SearchMachine->RefreshMachines(false); break;
    case S::SearchAddFoundMachine: SearchMachine->AddFoundMachine(); break;
    case S::MainCheckPreviewState: MainArea->CheckPreviewState(); break;
    case S::FullStateRefresh:
      for (RefreshStep s : FullStateRefreshSteps()) RunRefreshStep(s, argument);
      break;
    case S::WorkModeRefresh:
      for (RefreshStep s : WorkModeRefreshSteps()) RunRefreshStep(s, argument);
      break;
    case S::PostGrabColorReady: CallAfter([this] { TestPattern->OnGrabColorReady(); }); break;
    case S::TestPatternMachineRead:
      // Only the working machine's own link that came up: one that went down may still lead to a
      // machine that shows it, and another machine's link says nothing about this one.
      if (WorkingLinkCameUp()) TestPattern->OnMachineStateRead();
      break;
    case S::InvalidateSignalInputButton: InvalidateInputButton(static_cast<int>(state.SignalInput)); break;
    case S::InvalidateEachInputButton:
      for (int i = 0; i < InputRowCount; ++i) InvalidateInputButton(i);
      break;
    case S::ApplyEachLayer:
      for (int layer = 0; layer < LayerCount; ++layer) ApplyLayerSettings(layer, false);
      break;
    case S::CropUpdateFromDevice: Crop->UpdateFromDevice(); break;
    case S::CropUpdateLayerButtons: Crop->UpdateLayerButtons(); break;
    case S::VgaUpdateFromDevice: Vga->UpdateFromDevice(); break;
    case S::VgaUpdateInputSource0: Vga->UpdateInputSource(0); break;
    case S::EdidSyncSelection: Edid->SyncSelection(); break;
    case S::EdidFillInputList: Edid->FillInputList(); break;
    case S::TaskUpdateSchedule: Task->UpdateSchedule(); break;
    case S::TaskUpdateMachineTime: Task->UpdateMachineTime(); break;
    case S::PicUpdateFromDevice: PicSetting->UpdateFromDevice(); break;
    case S::PicUpdateLayerButtons: PicSetting->UpdateLayerButtons(); break;
    case S::OutputUpdateResolution: Output->UpdateResolution(); MainArea->RebuildCanvas(); break;
    case S::OutputUpdateLayer: Output->UpdateLayer(); break;
    case S::OutputUpdateLayerButtons: Output->UpdateLayerButtons(); break;
    case S::LayerRectToCanvasArgument: OnLayerWindowChanged(LayerRectToCanvas, argument); break;
    case S::LayerRectToCanvasEachLayer:
      for (int layer = 0; layer < LayerCount; ++layer) OnLayerWindowChanged(LayerRectToCanvas, layer);
      break;
    case S::MosaicUpdateFromDeviceArgument: Mosaic->UpdateFromDevice(argument); break;
    case S::MosaicUpdateFromDevice3: Mosaic->UpdateFromDevice(3); break;
    case S::PipUpdateFromDevice: Pip->UpdateFromDevice(); break;
    case S::PipUpdateLayerLabels: Pip->UpdateLayerLabels(); break;
    case S::PipFillInputLists: Pip->FillInputLists(); break;
    case S::LogoUpdateFromDevice: Logo->UpdateFromDevice(); break;
    case S::LogoRecordArrived: Logo->OnLogoRecord(); break;
    case S::LogoUpdateUsageControls: Logo->UpdateUsageControls(); break;
    case S::KeyerUpdateFromDevice: Keyer->UpdateFromDevice(); break;
    case S::UpdatePresetButtons: Controls->UpdatePresetButtons(); break;
    case S::MiscUpdateLoopOutSource: Misc->UpdateLoopOutSource(); break;
    case S::MiscUpdateSystemInfo: Misc->UpdateSystemInfo(); break;
    case S::MiscUpdateExtSourceButtons: Misc->UpdateExtSourceButtons(); break;
    case S::SwitcherUpdateFromDevice: Switcher->UpdateFromDevice(); break;
    case S::SubTitleUpdateFromDeviceArgument: SubTitle->UpdateFromDevice(argument); break;
    case S::FeatherUpdateFromDevice: Feather->UpdateFromDevice(); break;
    case S::FreezeButtonFromState: Controls->FreezeButtonFromState(); break;
    case S::HideExtensionCardControls: Sync->ShowExtensionCard(false); break;
    case S::PlaceOptionInputRect: break;
    case S::FillSyncSourceList: Sync->FillLists(); break;
    case S::UpdateSyncLists: Sync->UpdateSyncLists(); break;
    case S::MainRelayoutByWorkMode: MainArea->RelayoutByWorkMode(); break;
    case S::MainRelayout: MainArea->Relayout(); break;
    case S::ApplySwitcherModeButtons: ApplyModeView(); break;
    case S::InvalidateInputStrip: InvalidateInputStrip(); break;
    case S::RefreshSwitcherMode: Controls->RefreshSwitcherMode(); break;
    case S::CropChangedEventAll: OnPageEvent(EvCropChanged, 0xFFFF); break;
    case S::MediaUpdateDiskButtons: MediaPlayer->UpdateDiskButtons(); break;
  }
}

void VelkanDlg::PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length) {
  MainArea->PushPreviewPacket(channel, data, length);
}

void VelkanDlg::UpdateVideoEncoderPage() { VideoSetting->UpdateFromDevice(); }

void VelkanDlg::ShowEdidApplyResult() { Edid->ShowApplyResult(); }

void VelkanDlg::ShowVgaResult() { Vga->ShowResult(); }

void VelkanDlg::OnCaptionChunkAck() { SubTitle->OnCaptionChunkAck(); }

void VelkanDlg::StartCaptionUpload(bool accepted) { SubTitle->StartCaptionUpload(accepted); }

void VelkanDlg::EnableCaptionPage() { SubTitle->OnSaveResult(); }

void VelkanDlg::FillPipInputLists() { Pip->FillInputLists(); }

void VelkanDlg::InvalidateInputButton(int input) {
  if (input < 0 || input >= InputRowCount) return;
  const LayoutRect r = InputButtonArea(ClientLayoutRect(), Scale(), GetDeviceState(), input);
  RefreshRect(wxRect(r.Left, r.Top, r.Width(), r.Height()));
}

void VelkanDlg::UpdatePortSwitchRule() { Sync->UpdatePortSwitchRule(); }

void VelkanDlg::FillEdidInputList() { Edid->FillInputList(); }

void VelkanDlg::EnableSyncControls(bool enable) { Sync->ShowExtensionCard(enable); }

void VelkanDlg::UpdateExtSourceButtons() { Misc->UpdateExtSourceButtons(); }

void VelkanDlg::ApplyLayerSettings(int layer, bool send) {
  if (layer < 0 || layer >= LayerCount) return;
  DeviceState& state = GetDeviceState();
  MainArea->UpdateLayerLabel(layer);
  if (PicSetting->Layer == static_cast<uint32_t>(layer)) PicSetting->UpdateFromDevice();
  if (Crop->SelectedLayer == static_cast<uint32_t>(layer)) {
    Crop->SourceRow = state.GetLayerInputIndex(static_cast<uint32_t>(layer));
    Crop->UpdateInputSource();
    Crop->UpdateFromDevice();
  }
  Vga->UpdateInputSource(layer);
  // The VGA adjustment page is offered only while some layer shows a VGA input.
  const bool vga = AnyLayerShowsVga(GetDeviceState());
  PageButtonCtrls[static_cast<int>(PageIndex::Vga)]->Enable(vga);
  if (!vga && Vga->IsShown()) ShowPage(static_cast<int>(PageIndex::Vga), true);
  if (layer >= 1) Pip->SelectInput(layer - 1, state.LayerWindow[layer].Source);
  if (send) SendLayerSource(state, layer);
  InvalidateInputStrip();
}

void VelkanDlg::InvalidateInputStrip() {
  const LayoutRect c = ClientLayoutRect();
  RefreshRect(wxRect(75, 0, std::max(1, c.Right - 24 - 75), 106));
}

void VelkanDlg::EndSignalSwitchWait() { Sync->EndSignalSwitchWait(); }
