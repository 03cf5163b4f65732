// The main window's page management: page buttons, floating pages and the events pages post.
#include "mainwnd/VelkanDlg.h"

#include "app/InfoIni.h"
#include "app/MachineAtWork.h"
#include "app/Language.h"
#include "app/ProjectFile.h"
#include "app/ProjectPath.h"
#include "connect/MConnectDlg.h"
#include "connect/MSearchMachineDlg.h"
#include "mainwnd/MMainDlg.h"
#include "platform/ui/PageEvents.h"
#include "mainwnd/PageEventRules.h"
#include "platform/ui/ShownTexts.h"
#include "pages/MKeyerDlg.h"
#include "pages/MLogoDlg.h"
#include "pages/MMediaPlayerDlg.h"
#include "pages/MMiscDlg.h"
#include "pages/MOutputDlg.h"
#include "pages/MPIPDlg.h"
#include "pages/MSubTitleDlg.h"
#include "pages/MSwitcherDlg.h"
#include "pages/MTaskDlg.h"
#include "pages/MTstPatternDlg.h"
#include "pages/MVideoSettingDlg.h"
#include "pages/Velk_FeatherDlg.h"
#include "platform/os/SerialPortWatcher.h"

void VelkanDlg::ShowPage(int index, bool toggle) { Pages.ShowPage(index, toggle); }

void VelkanDlg::OnPageButtonClicked(int index) { Pages.OnPageButton(index); }

void VelkanDlg::ShowPageWindow(int index, bool show) {
  if (index < 0 || index >= PageCount) return;
  DockedPages[index]->ShowPage(show);
  std::vector<std::string> shown;
  for (MBaseDialog* page : DockedPages)
    if (page->IsShown()) shown.push_back(page->PageTitle.ToStdString(wxConvUTF8));
  if (shown.empty()) shown.push_back("none");
  RecordShownTexts("page", shown);
}

void VelkanDlg::SetPageButtonLit(int index, bool lit) {
  if (index < 0 || index >= PageCount) return;
  PageButtonCtrls[index]->SetTextColour(lit ? 0x009CEF : 0xEBEBEB);
  PageButtonCtrls[index]->Refresh();
  PageButtonCtrls[index]->Update();
}

void VelkanDlg::SetPageButtonChecked(int index, bool checked) {
  if (index < 0 || index >= PageCount) return;
  PageButtonCtrls[index]->SetChecked(checked);
}

void VelkanDlg::SetFloatingWindow(MBaseDialog* page, intptr_t argument) {
  const bool show = FloatingWindowShownAfter(page->IsShown(), argument);
  if (show) {
    LayoutPageArea();
    page->ShowPage(true);
  } else {
    page->ShowPage(false);
  }
  // The page lies over the working area, which stays where it is (it was made first).
  std::vector<std::string> shown;
  for (MBaseDialog* p : FloatingPages())
    if (p->IsShown()) shown.push_back(p->PageTitle.ToStdString(wxConvUTF8));
  if (shown.empty()) shown.push_back("none");
  RecordShownTexts("floating", shown);
}

LRESULT VelkanDlg::OnPageClosed(WPARAM, LPARAM) {
  Pages.OnPageClosed();
  return 0;
}

LRESULT VelkanDlg::OnPageEvent(WPARAM code, LPARAM argument) {
  DeviceState& state = GetDeviceState();
  switch (code) {
    case EvShowSubPage: {
      const auto* request = reinterpret_cast<const SubPageRequest*>(argument);
      if (!request) break;
      SubPageVisibility v = SubPageVisibilityFor(request->Index, request->Show);
      auto apply = [](MBaseDialog* page, const std::optional<bool>& shown) {
        if (shown) page->ShowPage(*shown);
      };
      apply(Misc, v.Misc);
      // A sub-page whose mode forbids it is not shown (its tab is off).
      if (v.Keyer && *v.Keyer && !Keyer->IsThisEnabled()) v.Keyer.reset();
      if (v.TestPattern && *v.TestPattern && !TestPattern->IsThisEnabled()) v.TestPattern.reset();
      apply(Keyer, v.Keyer);
      apply(TestPattern, v.TestPattern);
      apply(Task, v.Task);
      apply(SubTitle, v.SubTitle);
      break;
    }
    case EvSwitcherMode:
      SwitcherModeCopy = static_cast<uint32_t>(argument);
      SwitcherModeShown = argument != 0;
      ShowIndicators();
      break;
    case EvPipChanged: {
      const auto layer = PipLayerVisibility(argument, argument >= 0 && argument < 3
                                                          ? state.LayerWindow[argument + 1].Enable
                                                          : 0,
                                            state.LogoSettings.Pip3Usage, state.LogoSettings.Enable);
      if (layer) {
        MainArea->ShowLayerByState(layer->Layer);
        MainArea->UpdateLayerRect(layer->Layer);
        Controls->MarkLayerButton(layer->Layer, layer->Shown);
      }
      Pip->UpdateLayerLabels();
      break;
    }
    case EvMosaicMode: {
      MainArea->RelayoutByWorkMode();
      Keyer->UpdateFromDevice();
      Feather->UpdateFromDevice();
      ApplyModeView();
      break;
    }
    case EvMosaicArrangement:
      MainArea->ArrangeOutputFrames(static_cast<uint32_t>(argument));
      break;
    case EvPreviewResolution:
      MainArea->SetPreviewResolution(static_cast<int>(argument));
      break;
    case EvLinkChanged:
      if (state.NetworkConnected) {
        NetworkLinkShown = true;
        // A network link replaces the serial one.
        Connect->OnBnClickedComDisconnect();
      } else {
        NetworkLinkShown = false;
        state.MultiMachineMode = 0;
      }
      // Multi-machine mode works over the network only.
      Switcher->OnInitDialog();
      if (!state.NetworkConnected) Switcher->MultiMachineButton->SetChecked(false);
      Switcher->MultiMachineButton->Enable(state.NetworkConnected != 0);
      Switcher->MultiMachineButton->SetDisabledLook(state.NetworkConnected == 0);
      RecordDisabled();
      ShowIndicators();
      break;
    case EvMachineSearchWindow:
      SetFloatingWindow(SearchMachine, argument);
      break;
    case EvVideoSettingWindow:
      SetFloatingWindow(VideoSetting, argument);
      break;
    case EvMediaPlayerWindow:
      SetFloatingWindow(MediaPlayer, argument);
      break;
    case EvFeatherWindow:
      SetFloatingWindow(Feather, argument);
      break;
    case EvFeatherChanged:
      if (argument != 0 && argument != 1) break;
      // Feathering may go off elsewhere than on its page (Set Data): the page shows it off too.
      if (argument == 0) Feather->ShowSwitchedOff();
      ApplyModeView();
      break;
    case EvLoopOutSource:
      if (argument >= 0 && argument < 8) LoopOut->MoveAround(static_cast<int>(argument), InputIcons()[argument]);
      break;
    case EvDpSplitCheck:
      Controls->SetDpSplitCheck(argument != 0);
      break;
    case ShowTopButtons:
      Controls->ShowTopButtons(argument != 0);
      break;
    case EvConnectionIndicator:
      SetConnectionIndicator(argument != 0);
      break;
    case EvCurrentMachineIp: {
      const auto* ip = reinterpret_cast<const std::string*>(argument);
      if (ip) Connect->SetDestinationIp(*ip);
      break;
    }
    default:
      // The crop notice has no effect in this window.
      break;
  }
  return 0;
}

LRESULT VelkanDlg::OnLayerWindowChanged(WPARAM side, LPARAM layer) {
  if (layer < 0 || layer >= LayerCount) return 0;
  if (side == LayerRectToCanvas) MainArea->UpdateLayerRect(static_cast<int>(layer));
  else if (side == LayerRectToPages) Output->ShowLayer(static_cast<int>(layer));
  if (layer == 3) Logo->ResetCaptureFrame();
  return 0;
}

LRESULT VelkanDlg::OnDeviceChange(WPARAM event, LPARAM deviceType) {
  constexpr LPARAM PortDevice = 3;
  if ((event == SerialPortArrived || event == SerialPortRemoved) && deviceType == PortDevice && !Closing)
    Connect->OnSerialDeviceChange(static_cast<unsigned>(event));
  return 1;
}

LRESULT VelkanDlg::OnLanguageChanged(WPARAM language, LPARAM) {
  if (language == 0) InitLanguage(LanguageEnglish);
  else if (language == 1) InitLanguage(LanguageChinese);
  else return 0;
  ApplyLanguageTexts();
  return 0;
}

LRESULT VelkanDlg::OnProjectFile(WPARAM operation, LPARAM pathArgument) {
  const auto* path = reinterpret_cast<const std::string*>(pathArgument);
  ProjectLoadResult opened = ProjectLoadResult::Loaded;
  std::string savedTo, saveFailure;
  bool saveFailed = false;
  if (path) {
    if (operation == ProjectOpen) {
      opened = ReadProjectFile(*path);
      // Only a file read as a project becomes the current one: another program's file, or one
      // that could not be read, would be written over at close, and the project in use would
      // go unsaved.
      if (opened == ProjectLoadResult::Loaded) {
        ProjectFilePath = *path;
        SaveProjectFilePath(ProjectFilePath);
      }
    } else if (operation == ProjectSave) {
      savedTo = *path;
      EnsureProjectFile(savedTo);
      saveFailed = !WriteProjectFile(savedTo, &saveFailure);
    } else if (operation == ProjectNew) {
      ProjectFilePath = *path;
      EnsureProjectFile(ProjectFilePath);
      SaveProjectFilePath(ProjectFilePath);
    }
  }
  Busy.ShowBusy(false, {});
  // What went wrong is told once the busy box is gone, so no watchdog counts the operator's
  // reading time as the device's.
  if (saveFailed) TellSaveFailed(savedTo, saveFailure);
  if (opened != ProjectLoadResult::Loaded) TellProjectNotLoaded(opened == ProjectLoadResult::NoKeys, *path);
  return 0;
}

void VelkanDlg::ApplyModeView() {
  const ModeView v = Controls->ApplyModeView();
  MainArea->EnableLayerCells(v.LockOutputChecked, true);
  EnablePageButton(PageIndex::Mosaic, v.MosaicButtonEnabled);
  EnablePageButton(PageIndex::Switcher, v.SwitcherButtonEnabled);
  EnablePageButton(PageIndex::Pip, v.PipButtonEnabled);
  EnablePageButton(PageIndex::Logo, v.LogoKeyerEnabled);
  EnableMiscTab(1, v.LogoKeyerEnabled);
  EnableMiscTab(2, v.TestPatternEnabled);
  if (v.CaptionPageHidden) SubTitle->ShowPage(false);
  RecordDisabled();
}

void VelkanDlg::EnablePageButton(PageIndex page, bool enable) {
  const int index = static_cast<int>(page);
  CGdipButton* button = PageButtonCtrls[index];
  button->Enable(enable);
  button->SetDisabledLook(!enable);
  // A page its mode forbids goes as a click on its button would take it.
  if (!enable && Pages.CurrentPage() == index) ShowPage(index, true);
  RecordDisabled();
}

void VelkanDlg::EnableMiscTab(int tab, bool enable) {
  Misc->OnInitDialog();
  if (tab < 0 || tab >= SubPageCount || !Misc->SubPageTabs[tab]) return;
  Misc->SubPageTabs[tab]->Enable(enable);
  Misc->SubPageTabs[tab]->SetDisabledLook(!enable);
  // The tab's page follows it: a forbidden one is hidden (a test pattern goes off with it).
  MBaseDialog* page = tab == 1 ? static_cast<MBaseDialog*>(Keyer) : tab == 2 ? static_cast<MBaseDialog*>(TestPattern) : nullptr;
  if (page) {
    if (!enable && page->IsShown()) page->ShowPage(false);
    page->Enable(enable);
    if (!enable) Misc->SubPageForbidden(tab);
  }
  RecordDisabled();
}

// What the operator cannot use now, for the window tests: "disabled: <control> ...".
void VelkanDlg::RecordDisabled() {
  std::vector<std::string> off;
  for (CGdipButton* b : PageButtonCtrls)
    if (b && !b->IsThisEnabled()) off.push_back(b->GetLabel().ToStdString(wxConvUTF8));
  for (CGdipButton* tab : Misc->SubPageTabs)
    if (tab && !tab->IsThisEnabled()) off.push_back("MISC " + tab->GetLabel().ToStdString(wxConvUTF8));
  if (!Keyer->IsThisEnabled()) off.push_back("keyer page");
  if (!TestPattern->IsThisEnabled()) off.push_back("test pattern page");
  if (Switcher->MultiMachineButton && !Switcher->MultiMachineButton->IsEnabled()) off.push_back("Multi-Machine");
  if (off.empty()) off.push_back("none");
  RecordShownTexts("disabled", off);
}

void VelkanDlg::OnMachineAtWorkChanged() {
  const MachineAtWork& atWork = CurrentMachineAtWork();
  // The preview starts afresh: no picture of one machine is decoded or shown as another's.
  MainArea->MachineAtWorkChanged(atWork.Link != WorkLink::None);
  SearchMachine->FollowMachineAtWork();
  switch (atWork.Link) {
    case WorkLink::None:
      // Nothing names the machine that left: the indicator goes dark until one is chosen.
      SetConnectionIndicator(false);
      break;
    case WorkLink::Serial:
      NetworkLinkShown = false;
      ShowIndicators();
      break;
    case WorkLink::Network:
      if (!GetDeviceState().NetworkConnected) {
        // A network machine chosen after the serial link: the network link is the one in use.
        GetDeviceState().NetworkConnected = 1;
        OnPageEvent(EvLinkChanged, 0);
      }
      break;
  }
  RecordShownTexts("at work", {atWork.Link == WorkLink::Network ? atWork.Ip
                               : atWork.Link == WorkLink::Serial ? std::string("serial")
                                                                  : std::string("none")});
}

void VelkanDlg::ShowWorkingLinkStatus(bool up) { SetConnectionIndicator(up); }

void VelkanDlg::CloseSerialLink() { Connect->OnBnClickedComDisconnect(); }
