#pragma once
// The program's one top-level window: the page column, the input strip, the working area and
// every page, the busy box, and the router that shows device replies where they belong.
#include "app/MainDialogInterface.h"
#include "controls/ShownGeometry.h"
#include "controls/SkinBackdrop.h"
#include "mainwnd/BusyBoxState.h"
#include "mainwnd/MainControls.h"
#include "mainwnd/SyncControls.h"
#include "mainwnd/LoopOutGroup.h"
#include "mainwnd/StatusIndicators.h"
#include "mainwnd/MainLayout.h"
#include "mainwnd/PageSwitcher.h"
#include "mainwnd/ReplyRouter.h"
#include "mainwnd/SyncControls.h"
#include "platform/ui/Messages.h"
#include "platform/ui/Timers.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>

class CGdipButton;
class MBaseDialog;
class MMainDlg;
class MPicSettingDlg;
class MOutputDlg;
class MCropDlg;
class MMosaicDlg;
class MPIPDlg;
class MLogoDlg;
class MKeyerDlg;
class MEdidDlg;
class MVgaDlg;
class MTstPatternDlg;
class MTaskDlg;
class MMiscDlg;
class MSwitcherDlg;
class MSubTitleDlg;
class MVideoSettingDlg;
class MMediaPlayerDlg;
class MConnectDlg;
class MSearchMachineDlg;
class Velk_FeatherDlg;
class Velkan_PrograssDlg;
class PopupPageHost;
class SerialPortWatcher;

// The screen's horizontal pixels per inch, read once when the main window opens.
extern int ScreenDpi;

inline constexpr int TitleBlinkTimer = 0xAAA0;
inline constexpr int BusyWatchdogTimer = 0xAAA1;
inline constexpr char ProductCaption[] = "Z81 ZedarEzuzovizu";

class VelkanDlg : public wxDialog,
                  public MainDialogInterface,
                  public SkinBackdrop,
                  public DrawnFrameSource,
                  private PageHost,
                  private BusyBoxHost,
                  private MainControlsHost,
                  private wxModalDialogHook {
 public:
  VelkanDlg();
  ~VelkanDlg() override;

  // Initialises the window (once) as it starts to run, when TheMainDialog already names it, so
  // that the project read at start reaches every window; then runs it modally.
  int ShowModal() override;

  // ---- MainDialogInterface: what the core asks of the windows ----
  void OnDeviceReply(uint32_t slot, int32_t argument) override;
  void ShowBusy(bool show, const std::string& text) override;
  void NoteDeviceAnswer() override;
  void EndDeviceWaits(bool up) override;
  void OperationSent(uint32_t operations, uint32_t records) override;
  bool AnswersEndedWait(uint8_t operation) override;
  bool RecordAnswered(uint32_t slot) override;
  bool OperationAnswered(uint8_t operation) override;
  void PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length) override;
  void UpdateVideoEncoderPage() override;
  void ShowEdidApplyResult() override;
  void ShowVgaResult() override;
  void OnCaptionChunkAck() override;
  void StartCaptionUpload(bool accepted) override;
  void EnableCaptionPage() override;
  void FillPipInputLists() override;
  void InvalidateInputButton(int input) override;
  void UpdatePortSwitchRule() override;
  void FillEdidInputList() override;
  void EnableSyncControls(bool enable) override;
  void UpdateExtSourceButtons() override;
  void ApplyLayerSettings(int layer, bool sendCommand) override;
  void EndSignalSwitchWait() override;
  // The one notice that another machine (or the serial link, or none) is at work: the tiles, the
  // connection indicators and the windows that show a machine's pictures follow from here.
  void OnMachineAtWorkChanged() override;
  void ShowWorkingLinkStatus(bool up) override;
  void CloseSerialLink() override;

  // The skin behind the main window's own controls.
  void PaintBackdrop(wxDC& dc, const wxRect& area, const wxPoint& at) override;
  // The group boxes of the input strip and the top right, for the geometry record.
  std::vector<DrawnFrame> ShownFrames() const override;

  // Shows docked page index (0..10); with toggle set, the shown page's button hides it.
  void ShowPage(int index, bool toggle);
  int CurrentPage() const { return Pages.CurrentPage(); }
  const std::string& ProjectPath() const { return ProjectFilePath; }
  bool ConnectionIndicatorOn() const { return ConnectionIndicator; }

  // Page events and the other messages of the pages (handled through the message map too).
  LRESULT OnPageEvent(WPARAM code, LPARAM argument);
  LRESULT OnPageClosed(WPARAM, LPARAM);
  LRESULT OnShowBusy(WPARAM busy, LPARAM text);
  LRESULT OnLanguageChanged(WPARAM language, LPARAM);
  LRESULT OnProjectFile(WPARAM operation, LPARAM path);
  LRESULT OnLayerWindowChanged(WPARAM side, LPARAM layer);
  // A serial port arrived or left.
  LRESULT OnDeviceChange(WPARAM event, LPARAM deviceType);

 private:
  void OnInitDialog();
  void CreatePages();
  void SetupButtons();
  void ApplyLanguageTexts();
  std::vector<MBaseDialog*> AllPages() const;
  void RecordLanguageTexts();
  void LayoutPageArea() override;
  void RunRefreshStep(RefreshStep step, int32_t argument);
  void OnTimer(int id);
  void OnCloseWindow(wxCloseEvent& event);
  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnCharHook(wxKeyEvent& event);
  // A click of the window's own buttons (page buttons, Load, Save, TAKE, ...) acts after what is
  // being typed on a page.
  bool TryBefore(wxEvent& event) override;
  void DrawInputStrip(wxDC& dc, const LayoutRect& client);
  // The indicators at the right edge follow the link, its type and the switcher mode.
  void ShowIndicators();
  void OnPageButtonClicked(int index);
  void SetConnectionIndicator(bool on);
  void SetFloatingWindow(MBaseDialog* page, intptr_t argument);
  // Search, Video Setting, Media Player, Feathering: they lie over the working area.
  std::array<MBaseDialog*, 4> FloatingPages() const;
  LayoutRect ClientLayoutRect() const;
  LayoutRect ScreenRect() const;
  void PlacePopupPages();
  double Scale() const;

  // PageHost
  void ShowPageWindow(int index, bool show) override;
  void SetPageButtonLit(int index, bool lit) override;
  void SetPageButtonChecked(int index, bool checked) override;

  // BusyBoxHost
  void EnableMainWindow(bool enable) override;
  void RaiseMainWindow() override;
  void SetBusyText(const std::string& text) override;
  void ShowBusyWindow(bool show) override;
  bool BusyWindowShown() const override;
  void StartWatchdog(uint32_t ms) override;
  void StopWatchdog() override;
  void TellNoAnswer(bool deviceHeard) override;
  // Every modal box of the program (a message, a question): the busy box's watchdog waits.
  int Enter(wxDialog* dialog) override;
  void Exit(wxDialog* dialog) override;
  bool EndWaitsBehindBox() override;

  // MainControlsHost
  void OpenBusy(const std::string& text) override;
  void ApplyLayer(int layer, bool send) override { ApplyLayerSettings(layer, send); }
  void RepaintInputIcon(int input) override { InvalidateInputButton(input); }
  void LayerEnableChanged(int layer) override;
  void LockOutputChanged(bool locked) override;
  void Pip3Switched(bool on) override;
  void PresetStatesChanged() override;
  void SaveProjectShortcut() override;
  void HideTestPatternPage() override;
  void BringLayerToTop(int layer) override;
  void ShowVideoWindow() override;
  LayoutRect WorkArea() const override;
  LayoutRect Client() const override { return ClientLayoutRect(); }
  std::array<LayoutRect, 12> InputIcons() const override;
  void OnMouseDown(wxMouseEvent& event);
  void OnMouseDoubleClick(wxMouseEvent& event);
  LRESULT OnSelectLayer(WPARAM layer, LPARAM);
  // A save that failed is told to the operator.
  void TellSaveFailed(const std::string& path, const std::string& error);
  // A file chosen to open that was not taken as the project: it holds no key, or it could not be
  // read. The project in use stays.
  void TellProjectNotLoaded(bool noKeys, const std::string& path);
  void InvalidateInputStrip();
  // The main controls, the working area's layers and frames and the page buttons as the device's
  // modes give them: run on every way into or out of a mode.
  void ApplyModeView();
  // Enables or disables a page button, with its disabled look; a page whose button goes off is
  // hidden as its button would hide it, and takes no clicks.
  void EnablePageButton(PageIndex page, bool enable);
  // The MISC page's sub-page tabs (1 Keyer, 2 TEST PATTERN); a tab that goes off hides its page.
  void EnableMiscTab(int tab, bool enable);
  void RecordDisabled();

  MessageMap Messages{this};
  TimerTable Timers{this, [this](int id) { OnTimer(id); }};
  PageSwitcher Pages{*this};
  BusyBoxState Busy{*this};

  std::unique_ptr<MainControls> Controls;
  std::unique_ptr<SyncControls> Sync;
  std::unique_ptr<StatusIndicators> Indicators;
  std::unique_ptr<LoopOutGroup> LoopOut;
  MMainDlg* MainArea = nullptr;
  MPicSettingDlg* PicSetting = nullptr;
  MOutputDlg* Output = nullptr;
  MCropDlg* Crop = nullptr;
  MMosaicDlg* Mosaic = nullptr;
  MPIPDlg* Pip = nullptr;
  MLogoDlg* Logo = nullptr;
  MKeyerDlg* Keyer = nullptr;
  MEdidDlg* Edid = nullptr;
  MVgaDlg* Vga = nullptr;
  MTstPatternDlg* TestPattern = nullptr;
  MTaskDlg* Task = nullptr;
  MMiscDlg* Misc = nullptr;
  MSwitcherDlg* Switcher = nullptr;
  MSubTitleDlg* SubTitle = nullptr;
  MVideoSettingDlg* VideoSetting = nullptr;
  MMediaPlayerDlg* MediaPlayer = nullptr;
  MConnectDlg* Connect = nullptr;
  Velkan_PrograssDlg* BusyBox = nullptr;
  MSearchMachineDlg* SearchMachine = nullptr;
  Velk_FeatherDlg* Feather = nullptr;

  std::array<MBaseDialog*, PageCount> DockedPages{};
  std::vector<PopupPageHost*> PopupHosts;
  std::array<CGdipButton*, PageCount> PageButtonCtrls{};
  wxFont TitleFont;
  bool NetworkLinkShown = true;     // connection-type indicator B (network) rather than A (serial)
  bool SwitcherModeShown = false;   // the switcher-mode indicator
  bool ConnectionIndicator = false;
  bool TitleToggle = false;
  bool Closing = false;
  bool Initialised = false;
  uint32_t SwitcherModeCopy = 0;
  std::string ProjectFilePath;
  unsigned WatchdogStarts = 0;  // a watchdog expiry that a later start overtook closes nothing
  std::vector<std::string> BusyHistory;  // the busy box's last openings and closings, for tests
  // Last, so that it stops posting before anything else of the window goes.
  std::unique_ptr<SerialPortWatcher> PortWatcher;
};
