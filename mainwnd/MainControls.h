#pragma once
// The main window's own device controls: the layer rows, TAKE, Freeze, Lock Output, the
// preset row with its bank buttons, Load, Save and the slot names, the input icons' clicks, the
// name editor and the preset shortcuts. The rules are in MainControlsLogic; this class owns the
// buttons and turns clicks and keys into those rules.
#include "mainwnd/ControlsLayout.h"
#include "mainwnd/MainControlsLogic.h"

#include <array>
#include <functional>
#include <set>
#include <string>

#include <wx/dc.h>
#include <wx/event.h>

class CGdipButton;
class CMyEdit;
class wxCheckBox;
class wxWindow;

// What the controls need from the main dialog.
class MainControlsHost {
 public:
  virtual ~MainControlsHost() = default;
  // Opens the busy box with a text (the device's answer closes it).
  virtual void OpenBusy(const std::string& text) = 0;
  // ApplyLayerSettings of the main dialog.
  virtual void ApplyLayer(int layer, bool send) = 0;
  virtual void RepaintInputIcon(int input) = 0;
  // A PIP layer was switched on or off: the canvas and the PIP page follow.
  virtual void LayerEnableChanged(int layer) = 0;
  virtual void LockOutputChanged(bool locked) = 0;
  // PIP-3 switched from a layer button: the logo page follows (it may carry the logo).
  virtual void Pip3Switched(bool on) = 0;
  // The preset slots' states changed: the schedule page's preset list follows.
  virtual void PresetStatesChanged() = 0;
  // Ctrl+S: the project is saved to its current path.
  virtual void SaveProjectShortcut() = 0;
  // The test-pattern page gives the output back before a preset loads.
  virtual void HideTestPatternPage() = 0;
  // TOP-M..TOP-3: the layer's cell comes to the top of the canvas.
  virtual void BringLayerToTop(int layer) = 0;
  // The video-window button: the preview window opens.
  virtual void ShowVideoWindow() = 0;
  virtual LayoutRect WorkArea() const = 0;
  virtual LayoutRect Client() const = 0;
  virtual std::array<LayoutRect, InputIconCount> InputIcons() const = 0;
};

class MainControls {
 public:
  MainControls(wxWindow& window, MainControlsHost& host);

  void Layout();
  // Reply-driven refreshes.
  void UpdatePresetButtons();
  // The layer rows, TAKE and Lock Output as the device's modes, Lock Output's check and a
  // running test pattern give them; returns that view for the working area and the page buttons.
  ModeView ApplyModeView();
  void RefreshSwitcherMode();
  void FreezeButtonFromState();
  // Off while a test pattern holds the output; back on, each as the switcher mode allows.
  void EnableLayerButtons(bool enable);
  // A PIP layer shown or hidden elsewhere: its button follows (plain mode: left row; PGM/PVW:
  // right row, lit only while the layer is on preview).
  void MarkLayerButton(int layer, bool on);
  // The TOP buttons appear from the canvas's "Top Set" item and go after a choice or a while.
  void ShowTopButtons(bool show);
  // The hidden DP split box: checked, the DP-L and DP-R buttons stand in for the DP button.
  void SetDpSplitCheck(bool checked);
  void ShowDpSplitButtons();
  // The video-window button sits beside the Sync Mode group.
  void PlaceVideoButton(const LayoutRect& syncGroup);
  void ApplyLanguage();
  // The small pop-up that holds the TOP buttons (its controls take the main window's texts).
  wxWindow* TopButtonsWindow() const { return TopPanel; }

  // Mouse and keys of the main window.
  bool OnLeftDown(int x, int y);
  bool OnLeftDoubleClick(int x, int y);
  // A key let go, with the keys that were down with it.
  void OnKeyRelease(const wxKeyEvent& event, const std::set<int>& heldWith);
  // MEditKeyDown from the name editor: 13 saves, 27 cancels.
  void OnRenameEditDone(int key);
  bool IsNameEditor(const wxWindow* w) const;
  // The window, or a pop-up it owns (directly or through another pop-up).
  bool OwnedByMainWindow(wxWindow* w) const;

  void DrawPresetNames(wxDC& dc);
  uint32_t LayerCopy() const { return CurrentLayerCopy; }
  void SetLayerCopy(uint32_t layer) { CurrentLayerCopy = layer; }

 private:
  CGdipButton* MakeButton(int id, const wxString& caption, int stdImage, int altImage);
  void OnPresetButton(int slot);
  void OnPresetsBank();
  void OnTemplatesBank();
  void OnLoadPreset();
  // The slot buttons' text colours: the lit slot in the accent, the others plain (or, in the
  // Presets bank when the device's states are shown, red where marked).
  void ShowLitSlot(bool markedRed);
  void OnSavePreset();
  void LoadSlotNow(int slot, PresetBank bank);
  // The load itself: its commands and the busy box, or "Preset is Invalid" for an empty slot.
  bool SendSlotLoad(int slot, PresetBank bank);
  bool ConfirmSave();
  void SaveSlotNow(int slot);
  void OnLayerButton(bool rightRow, int layer);
  // An input icon or input button chose an input for the current layer.
  void SelectInput(int input);
  void ApplyLayerButtonEnables();
  void OnTake();
  void OnFreeze();
  void OnLockOutput();
  void OnTopButton(int layer);
  void PlaceTopPanel();
  void RepaintNames();
  void RecordShown();
  void OpenEditor(const LayoutRect& where, const std::string& text);

  wxWindow& Window;
  MainControlsHost& Host;
  std::array<CGdipButton*, PresetSlotCount> Slots{};
  std::array<CGdipButton*, 4> LeftRow{}, RightRow{};
  CGdipButton *Presets = nullptr, *Templates = nullptr, *Load = nullptr, *Save = nullptr;
  CGdipButton *Take = nullptr, *Freeze = nullptr, *LockOutput = nullptr;
  std::array<CGdipButton*, 4> TopRow{};
  wxWindow* TopPanel = nullptr;  // the pop-up that holds the TOP buttons
  CGdipButton* VideoWindow = nullptr;
  std::array<CGdipButton*, 3> DpButtons{};  // DP, DP-L, DP-R
  wxCheckBox* DpSplitBox = nullptr;
  bool TestPatternHolds = false;
  CMyEdit* NameEditor = nullptr;
  PresetRowChoice Row;  // the shown bank and its lit slot
  uint32_t NameBank = 0;
  uint32_t CurrentLayerCopy = 0;
  int PresetInEdit = -1, InputInEdit = -1;
  // The names' bank the open editor was opened for: a switcher change meanwhile must not move it.
  uint32_t NameBankInEdit = 0;
  PresetNameTable Names;
};
