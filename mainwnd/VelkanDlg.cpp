#include "mainwnd/VelkanDlg.h"

#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/DialogLanguage.h"
#include "app/InfoIni.h"
#include "app/Language.h"
#include "app/ProjectFile.h"
#include "app/ProjectPath.h"
#include "app/ReplyCallbacks.h"
#include "app/UiStrings.h"
#include "connect/MConnectDlg.h"
#include "connect/MSearchMachineDlg.h"
#include "controls/CGdipButton.h"
#include "controls/PopupPageHost.h"
#include "platform/ui/ControlIds.h"
#include "platform/ui/Fonts.h"
#include "mainwnd/InputNames.h"
#include "mainwnd/InputStrip.h"
#include "mainwnd/MMainDlg.h"
#include "mainwnd/MainMessages.h"
#include "mainwnd/MainTexts.h"
#include "mainwnd/PageEventRules.h"
#include "mainwnd/ReplyPump.h"
#include "mainwnd/ShownTextLog.h"
#include "mainwnd/Velkan_PrograssDlg.h"
#include "pages/MCropDlg.h"
#include "pages/OperatorNotices.h"
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
#include "app/CommLink.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/SerialPortWatcher.h"
#include "platform/ui/KeyReleaseFilter.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/UserMessages.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <wx/dcbuffer.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

int ScreenDpi = 96;

namespace {
const wxColour TextOff(0xEB, 0xEB, 0xEB);
const wxColour TextOn(239, 156, 0);

// The main window as the language pass sees it: its own controls; pages and pop-ups take their
// texts in their own pass.
class MainLanguageDialog : public LanguageDialog {
 public:
  explicit MainLanguageDialog(wxDialog& window) : Window(window) {
    for (wxWindow* child : window.GetChildren())
      if (!child->IsTopLevel() && !dynamic_cast<MBaseDialog*>(child)) Children.push_back(child);
  }
  wxWindow* Find(int id) const {
    for (wxWindow* child : Children)
      if (ControlIdOf(child) == id) return child;
    return nullptr;
  }
  void SetCaption(const std::string& text) override { Window.SetTitle(wxString::FromUTF8(text)); }
  size_t ChildCount() const override { return Children.size(); }
  int ChildControlId(size_t child) const override { return ControlIdOf(Children[child]); }
  bool ChildIsEdit(size_t child) const override { return Children[child]->IsKindOf(wxCLASSINFO(wxTextCtrl)); }
  bool ChildIsVisible(size_t child) const override { return Children[child]->IsShown(); }
  void ShowChild(size_t child, bool show) override { Children[child]->Show(show); }
  void SetChildText(size_t child, const std::string& text) override {
    Children[child]->SetLabel(wxString::FromUTF8(text));
  }

 private:
  wxDialog& Window;
  std::vector<wxWindow*> Children;
};

}  // namespace

VelkanDlg::VelkanDlg()
    : wxDialog(nullptr, wxID_ANY, ProductCaption, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxMINIMIZE_BOX | wxMAXIMIZE_BOX | wxRESIZE_BORDER |
                   wxCLIP_CHILDREN) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  if (const wxIconBundle icons = LoadIconResource(MainIconId); !icons.IsEmpty()) SetIcons(icons);
  LogFont title;
  title.Height = 17;
  title.Weight = 700;
  TitleFont = FontFromLogFont(title);
  OnInitDialog();
}

VelkanDlg::~VelkanDlg() {
  PortWatcher.reset();
  KeyReleaseFilter::Remove();
  Timers.KillTimer(TitleBlinkTimer);
  Timers.KillTimer(BusyWatchdogTimer);
}

void VelkanDlg::OnInitDialog() {
  const wxSize ppi = wxGetDisplayPPI();
  if (ppi.x > 0) ScreenDpi = ppi.x;
  const LayoutSize size = MainWindowSizeForDpi(ScreenDpi, ppi.y > 0 ? ppi.y : ScreenDpi);
  SetMinSize(wxSize(MinMainWidth, MinMainHeight));
  SetSize(size.Width, size.Height);

  Messages.On(MPageEvent, [this](WPARAM w, LPARAM l) { return OnPageEvent(w, l); });
  Messages.On(MPageClosed, [this](WPARAM w, LPARAM l) { return OnPageClosed(w, l); });
  Messages.On(MShowBusy, [this](WPARAM w, LPARAM l) { return OnShowBusy(w, l); });
  Messages.On(MLanguageChanged, [this](WPARAM w, LPARAM l) { return OnLanguageChanged(w, l); });
  Messages.On(MProjectFile, [this](WPARAM w, LPARAM l) { return OnProjectFile(w, l); });
  Messages.On(MLayerWindowChanged, [this](WPARAM w, LPARAM l) { return OnLayerWindowChanged(w, l); });
  Messages.On(MRebuildCanvas, [this](WPARAM, LPARAM) {
    MainArea->RebuildCanvas();
    return LRESULT{0};
  });
  Messages.On(MLogoLayerChanged, [this](WPARAM w, LPARAM) {
    MainArea->UpdateLogoLayer(static_cast<uint32_t>(w));
    return LRESULT{0};
  });
  Bind(wxEVT_CLOSE_WINDOW, &VelkanDlg::OnCloseWindow, this);
  Bind(wxEVT_PAINT, &VelkanDlg::OnPaint, this);
  Bind(wxEVT_SIZE, &VelkanDlg::OnSize, this);
  Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
    PlacePopupPages(true);
    e.Skip();
  });
  Bind(wxEVT_CHAR_HOOK, &VelkanDlg::OnCharHook, this);
  Bind(wxEVT_LEFT_DOWN, &VelkanDlg::OnMouseDown, this);
  Bind(wxEVT_LEFT_DCLICK, &VelkanDlg::OnMouseDoubleClick, this);
  Messages.On(MSelectLayer, [this](WPARAM w, LPARAM l) { return OnSelectLayer(w, l); });
  Messages.On(MLayerSourceChanged, [this](WPARAM w, LPARAM l) {
    ApplyLayerSettings(static_cast<int>(w), l != 0);
    return LRESULT(0);
  });
  Messages.On(MEditKeyDown, [this](WPARAM key, LPARAM) {
    if (Controls) Controls->OnRenameEditDone(static_cast<int>(key));
    return LRESULT(0);
  });
  Messages.On(MTestPatternSwitched, [this](WPARAM, LPARAM on) {
    MainArea->SetLayerCellsFrameFlag(on != 0);
    if (Controls) Controls->EnableLayerButtons(on == 0);
    return LRESULT(0);
  });

  CreatePages();
  SetupButtons();
  Controls.reset(new MainControls(*this, static_cast<MainControlsHost&>(*this)));
  Sync = std::make_unique<SyncControls>(*this);
  Indicators = std::make_unique<StatusIndicators>(*this);
  LoopOut = std::make_unique<LoopOutGroup>(*this, ClientLayoutRect());
  LoopOut->MoveAround(0, InputIcons()[0]);  // until the device names its loop-out input
  ShowIndicators();
  Messages.On(MDropListSelChanged, [this](WPARAM id, LPARAM index) {
    Sync->OnDropListSelChanged(static_cast<int>(id), static_cast<int>(index));
    return LRESULT(0);
  });
  // The preset shortcuts are read on key release, whichever of this window's controls has the focus.
  KeyReleaseFilter::Install([this](const wxKeyEvent& key) {
    if (Controls && !Closing && IsEnabled()) Controls->OnKeyRelease(key);
  });
  // The reply slots are bound before any connection is made; replies reach this thread
  // through the notifier.
  RegisterReplyCallbacks();
  StartReplyPump();
  ApplyLanguageTexts();
  SetTitle(ProductCaption);

  ProjectFilePath = LoadProjectFilePath();
  EnsureProjectFile(ProjectFilePath);
  // A file made just now (or left empty) holds nothing and changes nothing.
  ReadProjectFile(ProjectFilePath);
  LayoutPageArea();
  Timers.SetTimer(TitleBlinkTimer, 5000);
  // Serial ports plugged in or pulled out reach this window as the system's device-change message.
  Messages.On(MDeviceChange, [this](WPARAM w, LPARAM l) { return OnDeviceChange(w, l); });
  PortWatcher = std::make_unique<SerialPortWatcher>(GetAppDirectory(), ListSerialPorts,
                                                    [this](unsigned event) { PostMsg(this, MDeviceChange, event, 3); });
}

void VelkanDlg::CreatePages() {
  PicSetting = new MPicSettingDlg;
  Output = new MOutputDlg;
  Crop = new MCropDlg;
  Mosaic = new MMosaicDlg;
  Pip = new MPIPDlg;
  Logo = new MLogoDlg;
  Keyer = new MKeyerDlg;
  Edid = new MEdidDlg;
  Vga = new MVgaDlg;
  TestPattern = new MTstPatternDlg;
  Task = new MTaskDlg;
  Misc = new MMiscDlg;
  Connect = new MConnectDlg;
  SearchMachine = new MSearchMachineDlg;
  Switcher = new MSwitcherDlg;
  SubTitle = new MSubTitleDlg;
  VideoSetting = new MVideoSettingDlg;
  MediaPlayer = new MMediaPlayerDlg;
  Feather = new Velk_FeatherDlg;
  MBaseDialog* const all[] = {PicSetting, Output, Crop,   Mosaic,   Pip,      Logo,         Keyer,
                              Edid,       Vga,    TestPattern, Task, Misc,     Connect,      SearchMachine,
                              Switcher,   SubTitle, VideoSetting, MediaPlayer, Feather};
  const LayoutRect popup = PopupPageRect(ScreenRect(), Scale(), false);
  for (MBaseDialog* page : all) {
    if (page == Keyer || page == TestPattern || page == Task || page == SubTitle) {
      // Pop-up pages live in a borderless window of their own, owned by the main window.
      auto* host = new PopupPageHost(this, wxRect(popup.Left, popup.Top, popup.Width(), popup.Height()));
      host->HostPage(*page);
      PopupHosts.push_back(host);
    } else {
      page->Create(this, wxRect(0, 0, 320, 400));
    }
    page->Hide();
    const bool closeButton = page != Keyer && page != Task && page != TestPattern && page != Feather &&
                             page != MediaPlayer && page != VideoSetting && page != SearchMachine &&
                             page != Connect;
    if (closeButton) page->CreateCaptionButtons(false);
  }
  Connect->OnInitDialog();
  SearchMachine->OnInitDialog();
  BusyBox = new Velkan_PrograssDlg(this);
  MainArea = new MMainDlg(this);
  DockedPages = {PicSetting, Output, Mosaic, Switcher, Pip, Crop, Logo, Edid, Vga, Misc, Connect};
}

void VelkanDlg::SetupButtons() {
  const LayoutRect client = ClientLayoutRect();
  for (int i = 0; i < PageCount; ++i) {
    const LayoutRect r = PageButtonRect(client, i);
    auto* button = new CGdipButton(this, PageButtons[i].ControlId, PageButtons[i].Caption,
                                   wxRect(r.Left, r.Top, r.Width(), r.Height()));
    button->LoadStdImage(113);
    button->LoadAltImage(114);
    button->SetCheckOnClick(true);
    button->SetTextColour(0xEBEBEB);
    button->SetFont(TitleFont);
    Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnPageButtonClicked(i); }, PageButtons[i].ControlId);
    PageButtonCtrls[i] = button;
  }
  // The VGA adjustment page opens only while a VGA input is in use.
  PageButtonCtrls[static_cast<int>(PageIndex::Vga)]->Enable(false);
}

void VelkanDlg::ApplyLanguageTexts() {
  LoadLanguageStrings();
  MainLanguageDialog self(*this);
  ApplyLanguageToDialog(self, MainDialogTemplateId);
  for (const ControlTooltip& tip : MainDialogTooltips)
    if (wxWindow* control = self.Find(tip.Id)) control->SetToolTip(wxString::FromUTF8(UiStrings[tip.UiString]));
  for (MBaseDialog* page : AllPages()) page->ApplyLanguage();
  if (MainArea) MainArea->ApplyPreviewLanguage();
  if (Controls) Controls->ApplyLanguage();
  if (Sync) Sync->ApplyLanguage();
  if (Indicators) Indicators->ApplyLanguage();
  RecordLanguageTexts();
  Refresh();
}

std::vector<MBaseDialog*> VelkanDlg::AllPages() const {
  return {PicSetting, Output, Mosaic,  Logo,          Keyer,    Edid,     Vga,          TestPattern,
          Task,       Misc,   Connect, SearchMachine, Switcher, SubTitle, VideoSetting, MediaPlayer,
          Feather,    Crop,   Pip};
}

// For the window tests: every text the language pass may change, with the template it belongs to.
void VelkanDlg::RecordLanguageTexts() {
  if (!std::getenv("VELKAN_SHOWN_TEXT")) return;
  std::vector<std::string> lines;
  auto add = [&lines](int templateId, const std::string& what, const wxString& text, bool shown) {
    std::string line = std::to_string(templateId) + " " + what + " " + text.utf8_string();
    for (size_t at = line.find('\n'); at != std::string::npos; at = line.find('\n', at)) line.replace(at, 1, "\\n");
    lines.push_back(line + (shown ? "" : " (hidden)"));
  };
  auto addChildren = [&add](int templateId, wxWindow& window) {
    for (wxWindow* child : window.GetChildren()) {
      const int id = ControlIdOf(child);
      if (id <= 0 || child->IsTopLevel() || dynamic_cast<MBaseDialog*>(child) ||
          child->IsKindOf(wxCLASSINFO(wxTextCtrl)) || child->GetLabel().empty())
        continue;
      add(templateId, std::to_string(id), child->GetLabel(), child->IsShown());
    }
  };
  addChildren(MainDialogTemplateId, *this);
  for (MBaseDialog* page : AllPages()) {
    add(page->TemplateId, "caption", page->GetLabel(), true);
    if (wxWindow* host = page->PopupHost()) add(page->TemplateId, "window", host->GetLabel(), true);
    addChildren(page->TemplateId, *page);
    for (CSxGroupBox* box : page->AllGroupBoxes())
      add(page->TemplateId, "box " + std::to_string(box->Id), box->GetText(), true);
  }
  RecordShownTexts("language", lines);
}

LayoutRect VelkanDlg::ClientLayoutRect() const {
  const wxSize c = GetClientSize();
  return {0, 0, c.x, c.y};
}

double VelkanDlg::Scale() const { return ScreenDpi / 96.0; }

void VelkanDlg::LayoutPageArea() {
  if (!MainArea) return;
  const LayoutRect client = ClientLayoutRect();
  const double s = Scale();
  auto place = [](wxWindow* w, const LayoutRect& r) {
    if (w && r.Width() > 0 && r.Height() > 0) w->SetSize(r.Left, r.Top, r.Width(), r.Height());
  };
  const LayoutRect docked = DockedPageRect(client, s);
  for (MBaseDialog* page : DockedPages) place(page, docked);
  // Video Setting, Media Player and Feathering stand beside the working area, which gives them
  // its right end: the canvas and its video views stay in view, cut off at the page's edge.
  const LayoutRect side = SideFloatingPageRect(client, s);
  LayoutRect area = WorkingAreaRect(client, s, Pages.CurrentPage() != NoPage);
  if (VideoSetting->IsShown() || MediaPlayer->IsShown() || Feather->IsShown()) area.Right = std::min(area.Right, side.Left);
  place(MainArea, area);
  place(SearchMachine, FloatingPageRect(client, s));
  for (wxWindow* page : {static_cast<wxWindow*>(VideoSetting), static_cast<wxWindow*>(MediaPlayer),
                         static_cast<wxWindow*>(Feather)})
    place(page, side);
  PlacePopupPages(false);
  if (Controls) Controls->Layout();
  if (Sync) Sync->Layout(client);
  if (Indicators) Indicators->Layout(client);
  if (Controls && Sync) Controls->PlaceVideoButton(Sync->GroupRect());
}

LayoutRect VelkanDlg::ScreenRect() const {
  const wxRect r = GetScreenRect();
  return {r.x, r.y, r.GetRight() + 1, r.GetBottom() + 1};
}

void VelkanDlg::PlacePopupPages(bool afterMove) {
  const LayoutRect r = PopupPageRect(ScreenRect(), Scale(), afterMove);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  // The keyer, test-pattern and schedule pages follow the window; the caption page stays where
  // the operator put it.
  for (PopupPageHost* host : PopupHosts)
    if (host != SubTitle->PopupHost()) host->SetSize(r.Left, r.Top, r.Width(), r.Height());
}

void VelkanDlg::OnSize(wxSizeEvent& event) {
  LayoutPageArea();
  Refresh();
  event.Skip();
}

// ---- pages ----

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
  // The search page covers the whole working area, which steps aside for it (its video views
  // are native windows, drawn above any sibling that is not). The other floating pages stand
  // beside it.
  LayoutPageArea();
  MainArea->Show(!SearchMachine->IsShown());
  std::vector<std::string> shown;
  for (MBaseDialog* p : {static_cast<MBaseDialog*>(SearchMachine), static_cast<MBaseDialog*>(VideoSetting),
                         static_cast<MBaseDialog*>(MediaPlayer), static_cast<MBaseDialog*>(Feather)})
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
      const SubPageVisibility v = SubPageVisibilityFor(request->Index, request->Show);
      auto apply = [](MBaseDialog* page, const std::optional<bool>& shown) {
        if (shown) page->ShowPage(*shown);
      };
      apply(Misc, v.Misc);
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
        MainArea->ShowLayer(layer->Layer, layer->Shown);
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
      const MosaicModeEffects m = MosaicModeEffectsFor(static_cast<uint32_t>(argument), state.SwitcherSettings.Mode);
      EnablePageButton(PageIndex::Switcher, m.KeyerButtonEnabled);
      if (m.LogoPipKeyerEnabled) {
        EnablePageButton(PageIndex::Logo, *m.LogoPipKeyerEnabled);
        EnablePageButton(PageIndex::Pip, *m.LogoPipKeyerEnabled);
        EnableMiscTab(1, *m.LogoPipKeyerEnabled);
        Keyer->Enable(*m.LogoPipKeyerEnabled);
      }
      RecordDisabled();
      Controls->ShowLockOutput(m.LockOutputShown, m.LockOutputForceChecked);
      LockOutputChanged(Controls->LockOutputChecked());
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
    case EvFeatherChanged: {
      const FeatherEnables e = FeatherEnablesFor(argument, state.MosaicSettings.Mode, state.SwitcherSettings.Mode);
      if (e.KeyerTab) EnableMiscTab(1, *e.KeyerTab);
      if (e.TestPatternTab) EnableMiscTab(2, *e.TestPatternTab);
      if (e.LogoButton) EnablePageButton(PageIndex::Logo, *e.LogoButton);
      if (e.PipButton) EnablePageButton(PageIndex::Pip, *e.PipButton);
      if (e.KeyerPage) Keyer->Enable(*e.KeyerPage);
      if (e.TestPatternPage) TestPattern->Enable(*e.TestPatternPage);
      RecordDisabled();
      break;
    }
    case EvLoopOutSource:
      if (argument >= 0 && argument < 8) LoopOut->MoveAround(static_cast<int>(argument), InputIcons()[argument]);
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
      // The DP split box and the crop notice have no effect in this window.
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
  if (path) {
    if (operation == ProjectOpen) {
      ProjectFilePath = *path;
      ReadProjectFile(ProjectFilePath);
      SaveProjectFilePath(ProjectFilePath);
    } else if (operation == ProjectSave) {
      std::string copy = *path;
      EnsureProjectFile(copy);
      std::string error;
      if (!WriteProjectFile(copy, &error)) TellSaveFailed(copy, error);
    } else if (operation == ProjectNew) {
      ProjectFilePath = *path;
      EnsureProjectFile(ProjectFilePath);
      SaveProjectFilePath(ProjectFilePath);
    }
  }
  Busy.ShowBusy(false, {});
  return 0;
}

// ---- busy box ----

LRESULT VelkanDlg::OnShowBusy(WPARAM busy, LPARAM text) {
  const auto* t = reinterpret_cast<const std::string*>(text);
  Busy.ShowBusy(busy != 0, t ? *t : std::string());
  return 0;
}

void VelkanDlg::ShowBusy(bool show, const std::string& text) { Busy.ShowBusy(show, text); }

void VelkanDlg::EnableMainWindow(bool enable) { Enable(enable); }

void VelkanDlg::RaiseMainWindow() { Raise(); }

void VelkanDlg::SetBusyText(const std::string& text) { BusyBox->SetText(text); }

void VelkanDlg::ShowBusyWindow(bool show) {
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
}

bool VelkanDlg::BusyWindowShown() const { return BusyBox->IsShown(); }

void VelkanDlg::StartWatchdog(uint32_t ms) { Timers.SetTimer(BusyWatchdogTimer, ms); }

void VelkanDlg::StopWatchdog() { Timers.KillTimer(BusyWatchdogTimer); }

void VelkanDlg::TellNoAnswer() {
  // Not from inside the timer: the box runs its own loop.
  CallAfter([this] {
    if (!Closing) wxMessageBox(wxString::FromUTF8(UiStrings[39]), wxString::FromUTF8(UiStrings[38]), wxOK, this);
  });
}

// ---- timers and close ----

void VelkanDlg::OnTimer(int id) {
  if (id == TitleBlinkTimer) {
    SetTitle(wxString::FromUTF8(TitleText(TitleToggle, ProjectFilePath, ProductCaption)));
    TitleToggle = !TitleToggle;
  } else if (id == BusyWatchdogTimer) {
    // The timer is stopped after its own expiry has been handled, not inside it.
    CallAfter([this] {
      if (Timers.IsRunning(BusyWatchdogTimer)) Busy.OnWatchdog();
    });
  }
}

void VelkanDlg::OnCharHook(wxKeyEvent& event) {
  // The main window never closes on Enter or Esc.
  if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_ESCAPE) return;
  event.Skip();
}

void VelkanDlg::OnCloseWindow(wxCloseEvent&) {
  if (Closing) return;
  Closing = true;
  Timers.KillTimer(TitleBlinkTimer);
  Timers.KillTimer(BusyWatchdogTimer);
  KeyReleaseFilter::Remove();
  Logo->ShowPage(false);
  StopReplyPump();
  if (CommLink* link = GetCommLink()) link->Close();
  SaveProjectFilePath(ProjectFilePath);
  std::string error;
  if (!WriteProjectFile(ProjectFilePath, &error)) {
    std::fprintf(stderr, "velkan: the project could not be saved to %s\n", ProjectFilePath.c_str());
    TellSaveFailed(ProjectFilePath, error);
  }
  if (IsModal()) EndModal(wxID_CANCEL);
  else Hide();
}

// ---- painting ----

void VelkanDlg::SetConnectionIndicator(bool on) {
  ConnectionIndicator = on;
  ShowIndicators();
}

void VelkanDlg::PaintBackdrop(wxDC& dc, const wxRect& area, const wxPoint& at) {
  DrawSkinBackground(dc, GetClientSize(), area, at);
}

void VelkanDlg::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const LayoutRect c = ClientLayoutRect();
  DrawSkinBackground(dc, GetClientSize(), wxRect(GetClientSize()), wxPoint(0, 0));
  // Separator lines between the page column, the input strip, the working area and the bottom row.
  dc.SetPen(wxPen(wxColour(0x14, 0x14, 0x14), 2));
  dc.DrawLine(c.Left + 75, c.Top, c.Left + 75, c.Bottom);
  dc.DrawLine(c.Right - 24, c.Top, c.Right - 24, c.Bottom);
  dc.DrawLine(c.Left + 75, c.Top + 105, c.Right - 24, c.Top + 105);
  dc.DrawLine(c.Left + 75, c.Bottom - 95, c.Right - 24, c.Bottom - 95);
  DrawInputStrip(dc, c);
  if (LoopOut) LoopOut->Draw(dc);
  if (Controls) Controls->DrawPresetNames(dc);
  if (Sync) Sync->DrawGroup(dc);
}

void VelkanDlg::DrawInputStrip(wxDC& dc, const LayoutRect&) {
  RecordShownTexts("inputs", ::DrawInputStrip(dc, InputIcons(), GetDeviceState()));
  RecordShownTexts("source", {CurrentSourceLine(GetDeviceState())});
}

void VelkanDlg::ShowIndicators() {
  if (Indicators) Indicators->Show(ConnectionIndicator, NetworkLinkShown, SwitcherModeShown);
}

// ---- the reply router ----

void VelkanDlg::OnDeviceReply(uint32_t slot, int32_t argument) {
  // Slot 0 with the link down is the library's own report, not an answer of the device.
  if (slot != 0 || GetDeviceState().LinkStatus != 0) Busy.NoteDeviceAnswer();
  for (RefreshStep step : RefreshStepsForSlot(slot)) RunRefreshStep(step, argument);
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
    case S::ApplySwitcherModeButtons:
      Controls->ApplySwitcherModeButtons();
      ApplySwitcherModePageButtons();
      break;
    case S::InvalidateInputStrip: InvalidateInputStrip(); break;
    case S::RefreshSwitcherMode: Controls->RefreshSwitcherMode(); break;
    case S::CropChangedEventAll: OnPageEvent(EvCropChanged, 0xFFFF); break;
    case S::MediaUpdateDiskButtons: MediaPlayer->UpdateDiskButtons(); break;
  }
}

// ---- what replies ask of the windows directly ----

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
  const auto rects = InputIconRects(ClientLayoutRect(), Scale());
  const LayoutRect& r = rects[input];
  RefreshRect(wxRect(r.Left - 16, r.Top - 2, r.Width() + 120, r.Height() + 40));
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

// ---- the main window's own controls ----

void VelkanDlg::InvalidateInputStrip() {
  const LayoutRect c = ClientLayoutRect();
  RefreshRect(wxRect(75, 0, std::max(1, c.Right - 24 - 75), 106));
}

void VelkanDlg::ApplySwitcherModePageButtons() {
  const SwitcherModeLook look = SwitcherModeLookFor(GetDeviceState());
  EnablePageButton(PageIndex::Mosaic, look.MosaicButtonEnabled);
  EnablePageButton(PageIndex::Pip, look.PipButtonEnabled);
  EnablePageButton(PageIndex::Logo, look.LogoKeyerEnabled);
  EnableMiscTab(1, look.LogoKeyerEnabled);
  Keyer->Enable(look.LogoKeyerEnabled);
  EnableMiscTab(2, look.TestPatternEnabled);
  TestPattern->Enable(look.TestPatternEnabled);
  if (look.CaptionPageHidden) SubTitle->ShowPage(false);
  if (look.LayerCellsLocked) MainArea->EnableLayerCells(true, false);
  RecordDisabled();
}

void VelkanDlg::EnablePageButton(PageIndex page, bool enable) {
  CGdipButton* button = PageButtonCtrls[static_cast<int>(page)];
  button->Enable(enable);
  button->SetDisabledLook(!enable);
  RecordDisabled();
}

void VelkanDlg::EnableMiscTab(int tab, bool enable) {
  Misc->OnInitDialog();
  if (tab < 0 || tab >= SubPageCount || !Misc->SubPageTabs[tab]) return;
  Misc->SubPageTabs[tab]->Enable(enable);
  Misc->SubPageTabs[tab]->SetDisabledLook(!enable);
  RecordDisabled();
}

// What the operator cannot use now, for the window tests: "disabled: <control> ...".
void VelkanDlg::RecordDisabled() {
  std::vector<std::string> off;
  for (CGdipButton* b : PageButtonCtrls)
    if (b && !b->IsEnabled()) off.push_back(b->GetLabel().ToStdString(wxConvUTF8));
  for (CGdipButton* tab : Misc->SubPageTabs)
    if (tab && !tab->IsEnabled()) off.push_back("MISC " + tab->GetLabel().ToStdString(wxConvUTF8));
  if (!Keyer->IsThisEnabled()) off.push_back("keyer page");
  if (!TestPattern->IsThisEnabled()) off.push_back("test pattern page");
  if (Switcher->MultiMachineButton && !Switcher->MultiMachineButton->IsEnabled()) off.push_back("Multi-Machine");
  if (off.empty()) off.push_back("none");
  RecordShownTexts("disabled", off);
}

void VelkanDlg::OpenBusy(const std::string& text) { Busy.ShowBusy(true, text); }

void VelkanDlg::LayerEnableChanged(int layer) {
  if (layer < 1 || layer >= LayerCount) return;
  Pip->ShowPipOn(layer - 1);
  MainArea->ShowLayer(layer, GetDeviceState().LayerWindow[layer].Enable != 0);
  MainArea->Canvas()->Refresh();
}

void VelkanDlg::Pip3Switched(bool on) { Logo->OnPip3Switched(on); }

void VelkanDlg::PresetStatesChanged() { Task->FillPresetList(); }

void VelkanDlg::LockOutputChanged(bool locked) { MainArea->EnableLayerCells(locked, true); }

void VelkanDlg::BringLayerToTop(int layer) { MainArea->BringLayerToTop(layer); }

void VelkanDlg::ShowVideoWindow() { MainArea->ShowPreviewWindow(true); }

void VelkanDlg::SaveProjectShortcut() {
  const std::string path = ProjectFilePath;
  Busy.ShowBusy(true, UiStrings[65]);
  OnProjectFile(ProjectSave, reinterpret_cast<LPARAM>(&path));
}

void VelkanDlg::HideTestPatternPage() { TestPattern->ShowPage(false); }

LayoutRect VelkanDlg::WorkArea() const {
  return WorkingAreaRect(ClientLayoutRect(), Scale(), Pages.CurrentPage() != NoPage);
}

std::array<LayoutRect, 12> VelkanDlg::InputIcons() const {
  auto icons = InputIconRects(ClientLayoutRect(), Scale());
  PlaceOptionInput(icons, GetDeviceState());
  return icons;
}

void VelkanDlg::OnMouseDown(wxMouseEvent& event) {
  if (LoopOut && LoopOut->TitleStripHit(event.GetX(), event.GetY())) {
    ShowPage(static_cast<int>(PageIndex::Misc), false);
    return;
  }
  if (!Controls || !Controls->OnLeftDown(event.GetX(), event.GetY())) event.Skip();
}

void VelkanDlg::OnMouseDoubleClick(wxMouseEvent& event) {
  if (!Controls || !Controls->OnLeftDoubleClick(event.GetX(), event.GetY())) event.Skip();
}

LRESULT VelkanDlg::OnSelectLayer(WPARAM layer, LPARAM) {
  if (!Controls || layer >= LayerCount || layer == Controls->LayerCopy()) return 0;
  Controls->SetLayerCopy(static_cast<uint32_t>(layer));
  ApplyLayerSettings(static_cast<int>(layer), false);
  return 0;
}

void VelkanDlg::TellSaveFailed(const std::string& path, const std::string& error) {
  std::string text = UiStrings[67] + ": " + path;
  if (!error.empty()) text += "\n" + error;
  RecordShownTexts("project", {"save failed: " + path});
  ShowOperatorMessage(this, text, UiStrings[38]);
}
void VelkanDlg::EndSignalSwitchWait() { Sync->EndSignalSwitchWait(); }
