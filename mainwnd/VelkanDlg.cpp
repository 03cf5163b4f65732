// The main window: construction, the language pass, layout, timers, painting and shutdown. Page
// events, device replies and the controls' requests are in the VelkanDlg*.cpp files beside this one.
#include "mainwnd/VelkanDlg.h"

#include "app/AppGlobals.h"
#include "app/CommLink.h"
#include "app/InfoIni.h"
#include "app/Language.h"
#include "app/ProjectFile.h"
#include "app/ProjectPath.h"
#include "app/ReplyCallbacks.h"
#include "app/UiStrings.h"
#include "connect/MConnectDlg.h"
#include "connect/MSearchMachineDlg.h"
#include "controls/MBaseDialog.h"
#include "controls/PopupPageHost.h"
#include "mainwnd/InputStrip.h"
#include "mainwnd/MAboutDlg.h"
#include "mainwnd/MMainDlg.h"
#include "mainwnd/MainTexts.h"
#include "mainwnd/ReplyPump.h"
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
#include "platform/os/AppDirectory.h"
#include "platform/os/SerialPortWatcher.h"
#include "platform/ui/KeyReleaseFilter.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/UserMessages.h"

#include <wx/dcbuffer.h>
#include <wx/textctrl.h>

int ScreenDpi = 96;

namespace {
const wxColour TextOff(0xEB, 0xEB, 0xEB);
const wxColour TextOn(239, 156, 0);

// The main window as the language pass sees it: its own controls, those of its own small
// pop-ups (the TOP buttons) and the Loop-Out group it draws; pages and pop-up pages take their
// texts in their own pass.
class MainLanguageDialog : public LanguageDialog {
 public:
  MainLanguageDialog(wxDialog& window, const std::vector<wxWindow*>& popups, LoopOutGroup* loopOut)
      : Window(window), LoopOut(loopOut) {
    for (wxWindow* child : window.GetChildren())
      if (!child->IsTopLevel() && !dynamic_cast<MBaseDialog*>(child)) Children.push_back(child);
    for (wxWindow* popup : popups)
      if (popup)
        for (wxWindow* child : popup->GetChildren()) Children.push_back(child);
  }
  wxWindow* Find(int id) const {
    for (wxWindow* child : Children)
      if (ControlIdOf(child) == id) return child;
    return nullptr;
  }
  void SetCaption(const std::string& text) override { Window.SetTitle(wxString::FromUTF8(text)); }
  size_t ChildCount() const override { return Children.size() + (LoopOut ? 1 : 0); }
  int ChildControlId(size_t child) const override {
    return child < Children.size() ? ControlIdOf(Children[child]) : LoopOutGroupId;
  }
  bool ChildIsEdit(size_t child) const override {
    return child < Children.size() && Children[child]->IsKindOf(wxCLASSINFO(wxTextCtrl));
  }
  bool ChildIsVisible(size_t child) const override { return child < Children.size() && Children[child]->IsShown(); }
  void ShowChild(size_t child, bool show) override {
    if (child < Children.size()) Children[child]->Show(show);
  }
  void SetChildText(size_t child, const std::string& text) override {
    if (child < Children.size()) Children[child]->SetLabel(wxString::FromUTF8(text));
    else LoopOut->SetTitle(wxString::FromUTF8(text));
  }

 private:
  wxDialog& Window;
  LoopOutGroup* LoopOut;
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
}

int VelkanDlg::ShowModal() {
  if (!Initialised) {
    Initialised = true;
    OnInitDialog();
  }
  return wxDialog::ShowModal();
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

  wxModalDialogHook::Register();
  Messages.On(MPageEvent, [this](WPARAM w, LPARAM l) { return OnPageEvent(w, l); });
  Messages.On(MPageClosed, [this](WPARAM w, LPARAM l) { return OnPageClosed(w, l); });
  Messages.On(MShowBusy, [this](WPARAM w, LPARAM l) { return OnShowBusy(w, l); });
  Messages.On(MBusyWaitTimedOut, [this](WPARAM, LPARAM) {
    Busy.OnWatchdog();
    return LRESULT{0};
  });
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
    PlacePopupPages();
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
  // The port switch group keeps clear of the shown inputs' icons and their labels.
  Sync = std::make_unique<SyncControls>(*this, [this] {
    const auto icons = InputIcons();
    int right = 0;
    for (int i = 0; i < InputIconCount; ++i)
      if (GetDeviceState().InputTable[i].Present) right = std::max(right, icons[i].Right + 20);
    return right;
  });
  Indicators = std::make_unique<StatusIndicators>(*this);
  LoopOut = std::make_unique<LoopOutGroup>(*this, ClientLayoutRect());
  LoopOut->MoveAround(0, InputIcons()[0]);  // until the device names its loop-out input
  ShowIndicators();
  Messages.On(MDropListSelChanged, [this](WPARAM id, LPARAM index) {
    Sync->OnDropListSelChanged(static_cast<int>(id), static_cast<int>(index));
    return LRESULT(0);
  });
  // The preset shortcuts are read on key release, whichever of this window's controls has the focus.
  KeyReleaseFilter::Install([this](const wxKeyEvent& key, const std::set<int>& heldWith) {
    if (Controls && !Closing && IsEnabled()) Controls->OnKeyRelease(key, heldWith);
  });
  BindAboutKey(*this);
  // The reply slots are bound before any connection is made; replies reach this thread
  // through the notifier.
  RegisterReplyCallbacks();
  StartReplyPump();
  ApplyLanguageTexts();
  SetTitle(ProductCaption);
  StartShownGeometry(this);

  ProjectFilePath = LoadProjectFilePath();
  EnsureProjectFile(ProjectFilePath);
  // A file made just now (or left empty) holds nothing and changes nothing; the windows show the
  // state all the same, as they do when the file cannot be read.
  if (ReadProjectFile(ProjectFilePath) == ProjectLoadResult::NotOpened) OnDeviceReply(2, 0);  // full state
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
  const LayoutRect popup = PopupPageRect(ScreenRect(), Scale());
  // Made before the pages, so that the floating pages lie above it: drawn over the canvas, and
  // the layer cells' video views (native windows) clipped out of their place while one is shown.
  MainArea = new MMainDlg(this);
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
  MainLanguageDialog self(*this, {Controls ? Controls->TopButtonsWindow() : nullptr}, LoopOut.get());
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
  if (Controls) addChildren(MainDialogTemplateId, *Controls->TopButtonsWindow());
  if (LoopOut) add(MainDialogTemplateId, "box " + std::to_string(LoopOutGroupId), LoopOut->Title(), true);
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
  place(MainArea, WorkingAreaRect(client, s, Pages.CurrentPage() != NoPage));
  for (MBaseDialog* page : FloatingPages()) place(page, FloatingPageRect(client, s));
  PlacePopupPages();
  if (Controls) Controls->Layout();
  if (Sync) Sync->Layout(client);
  if (Indicators) Indicators->Layout(client);
  if (Controls && Sync) Controls->PlaceVideoButton(Sync->GroupRect());
}

std::array<MBaseDialog*, 4> VelkanDlg::FloatingPages() const {
  return {SearchMachine, VideoSetting, MediaPlayer, Feather};
}

LayoutRect VelkanDlg::ScreenRect() const {
  const wxRect r = GetScreenRect();
  return {r.x, r.y, r.GetRight() + 1, r.GetBottom() + 1};
}

void VelkanDlg::PlacePopupPages() {
  const LayoutRect r = PopupPageRect(ScreenRect(), Scale());
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

void VelkanDlg::OnTimer(int id) {
  if (id == TitleBlinkTimer) {
    SetTitle(wxString::FromUTF8(TitleText(TitleToggle, ProjectFilePath, ProductCaption)));
    TitleToggle = !TitleToggle;
  } else if (id == BusyWatchdogTimer) {
    // The timer is stopped after its own expiry has been handled, not inside it; an answer that
    // started it again meanwhile keeps the box.
    CallAfter([this, starts = WatchdogStarts] {
      if (Timers.IsRunning(BusyWatchdogTimer) && starts == WatchdogStarts) Busy.OnWatchdog();
    });
  }
}

bool VelkanDlg::TryBefore(wxEvent& event) {
  // The button took the focus on its press; the edit's commit would otherwise wait behind the
  // click, and a page that the click hides would drop it.
  if (event.GetEventType() == wxEVT_BUTTON) MBaseDialog::CommitEditsOfEveryPage();
  return wxDialog::TryBefore(event);
}

void VelkanDlg::OnCharHook(wxKeyEvent& event) {
  // The main window never closes on Enter or Esc.
  if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_ESCAPE) return;
  event.Skip();
}

void VelkanDlg::OnCloseWindow(wxCloseEvent&) {
  if (Closing) return;
  // An open About box ends first; its loop runs inside this window's, so the close comes back
  // once that loop has returned.
  if (EndAboutBoxThenCloseOwner()) return;
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

void VelkanDlg::SetConnectionIndicator(bool on) {
  ConnectionIndicator = on;
  ShowIndicators();
}

std::vector<DrawnFrame> VelkanDlg::ShownFrames() const {
  std::vector<DrawnFrame> frames;
  auto add = [&](const CSxGroupBox& box) { frames.push_back({box.FrameRect, box.TitleRect(), box.GetText()}); };
  if (LoopOut) add(LoopOut->GroupBox());
  if (Sync)
    for (const CSxGroupBox* box : Sync->ShownGroupBoxes()) add(*box);
  return frames;
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
