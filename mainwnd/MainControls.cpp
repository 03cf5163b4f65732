#include "mainwnd/MainControls.h"

#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/CMyEdit.h"
#include "controls/MBaseDialog.h"
#include "controls/NumericEdit.h"
#include "controls/OperatorNotices.h"
#include "mainwnd/MainTexts.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/KeyReleaseFilter.h"

#include <wx/checkbox.h>
#include <wx/popupwin.h>
#include <wx/textctrl.h>
#include <wx/window.h>

namespace {
constexpr int FirstSlotId = 1223, PresetsId = 1237, TemplatesId = 1238, LoadId = 1246, SaveId = 1236;
constexpr int LeftRowIds[4] = {1247, 1248, 1249, 1250};
constexpr int TopRowIds[4] = {1446, 1447, 1448, 1449};
constexpr int VideoWindowId = 1564;
// The template's DP, DP-L and DP-R input buttons and the hidden DP split box.
constexpr int DpButtonIds[3] = {1210, 1215, 1212};
constexpr int DpSplitBoxId = 1344;
// The TOP buttons are narrow and tall: their captions read downwards.
constexpr LayoutSize TopButtonSize{28, 70};
constexpr int RightRowIds[4] = {1466, 1467, 1468, 1469};
constexpr int TakeId = 1451, LockOutputId = 1472, FreezeId = 1601, NameEditorId = 44929;
constexpr COLORREF TextOff = 0xEBEBEB, TextOn = 0x009CEF, BankOff = 0xD5D5D5;
// Layer names in the record kept for the window tests (not the buttons' captions).
const char* const LayerCaptions[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};

LayoutSize SizeOf(const CGdipButton* b) {
  const wxSize s = b->GetBestSize();
  return {s.x, s.y};
}
void Place(CGdipButton* b, const LayoutRect& r) { b->SetSize(r.Left, r.Top, r.Width(), r.Height()); }
wxRect ToWx(const LayoutRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }
bool Inside(const LayoutRect& r, int x, int y) { return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom; }
}  // namespace

MainControls::MainControls(wxWindow& window, MainControlsHost& host) : Window(window), Host(host) {
  for (int i = 0; i < PresetSlotCount; ++i) {
    Slots[i] = MakeButton(FirstSlotId + i, MainDialogText(FirstSlotId + i), 172, 173);
    Slots[i]->SetTextColour(PresetTextPlain);
    // A checked slot (used preset) shows the lit face; its handler sets the state right after.
    Slots[i]->SetCheckOnClick(true);
    Window.Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnPresetButton(i); }, FirstSlotId + i);
  }
  Presets = MakeButton(PresetsId, MainDialogText(PresetsId), 131, 132);
  Templates = MakeButton(TemplatesId, MainDialogText(TemplatesId), 131, 132);
  Presets->SetCheckOnClick(true);
  Templates->SetCheckOnClick(true);
  Presets->SetChecked(true);
  Presets->SetTextColour(TextOn);
  Load = MakeButton(LoadId, MainDialogText(LoadId), 129, 0);
  Save = MakeButton(SaveId, MainDialogText(SaveId), 129, 0);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPresetsBank(); }, PresetsId);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTemplatesBank(); }, TemplatesId);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnLoadPreset(); }, LoadId);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnSavePreset(); }, SaveId);

  for (int i = 0; i < 4; ++i) {
    LeftRow[i] = MakeButton(LeftRowIds[i], MainDialogText(LeftRowIds[i]), 144, 148);
    RightRow[i] = MakeButton(RightRowIds[i], MainDialogText(RightRowIds[i]), 144, 148);
    RightRow[i]->Hide();
    for (CGdipButton* b : {LeftRow[i], RightRow[i]}) b->SetToggle(true);
    if (i > 0) {
      Window.Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnLayerButton(false, i); }, LeftRowIds[i]);
      Window.Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnLayerButton(true, i); }, RightRowIds[i]);
    }
  }
  // MAIN is always on in plain mode.
  LeftRow[0]->SetToggle(false);
  LeftRow[0]->SetCheckOnClick(true);
  LeftRow[0]->SetChecked(true);
  LeftRow[0]->Enable(false);
  Take = MakeButton(TakeId, MainDialogText(TakeId), 169, 0);
  Take->Hide();
  LockOutput = MakeButton(LockOutputId, MainDialogText(LockOutputId), 145, 146);
  LockOutput->SetToggle(true);
  LockOutput->SetChecked(true);
  LockOutput->Hide();
  Freeze = MakeButton(FreezeId, MainDialogText(FreezeId), 144, 148);
  Freeze->SetToggle(true);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnTake(); }, TakeId);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnFreeze(); }, FreezeId);
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnLockOutput(); }, LockOutputId);
  // The TOP buttons lie over the working area, whose video views are native windows; a pop-up
  // of their own keeps them in front.
  TopPanel = new wxPopupWindow(&Window, wxBORDER_NONE);
  TopPanel->SetBackgroundColour(wxColour(0x1E, 0x1E, 0x1E));
  LogFont vertical;
  vertical.Height = 15;
  vertical.Weight = 700;
  const wxFont verticalFont = FontFromLogFont(vertical);
  for (int i = 0; i < 4; ++i) {
    TopRow[i] = new CGdipButton(TopPanel, TopRowIds[i], MainDialogText(TopRowIds[i]), wxRect(0, 0, 10, 10));
    TopRow[i]->LoadStdImage(144);
    TopRow[i]->SetTextColour(TextOff);
    TopRow[i]->SetFont(verticalFont);
    TopRow[i]->SetVerticalCaption(true);
    TopRow[i]->Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { OnTopButton(i); });
  }
  for (int i = 0; i < 3; ++i) {
    DpButtons[i] = MakeButton(DpButtonIds[i], MainDialogText(DpButtonIds[i]), 144, 148);
    DpButtons[i]->Hide();
    Window.Bind(wxEVT_BUTTON, [this, i](wxCommandEvent&) { SelectInput(DpButtonInputs[i]); }, DpButtonIds[i]);
  }
  DpSplitBox = new wxCheckBox(&Window, DpSplitBoxId, wxString());
  DpSplitBox->Hide();
  VideoWindow = MakeButton(VideoWindowId, wxString(), 1560, 0);
  VideoWindow->SetToolTipText(wxString::FromUTF8(UiStrings[137]));
  Window.Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Host.ShowVideoWindow(); }, VideoWindowId);

  Names = LoadPresetNames(InfoIniPath);
  LoadInputRemarks(InfoIniPath, GetDeviceState());
  Layout();
  UpdatePresetButtons();
  RecordShown();
}

CGdipButton* MainControls::MakeButton(int id, const wxString& caption, int stdImage, int altImage) {
  auto* b = new CGdipButton(&Window, id, caption, wxRect(0, 0, 10, 10));
  b->LoadStdImage(stdImage);
  if (altImage) b->LoadAltImage(altImage);
  b->SizeToImage();
  b->SetTextColour(TextOff);
  return b;
}

void MainControls::Layout() {
  const LayoutRect c = Host.Client();
  const LayoutRect wa = Host.WorkArea();
  const BottomRowLayout row = BottomRowRects(c, SizeOf(Presets), SizeOf(Slots[0]), SizeOf(Load));
  Place(Presets, row.Presets);
  Place(Templates, row.Templates);
  Place(Load, row.Load);
  Place(Save, row.Save);
  for (int i = 0; i < PresetSlotCount; ++i) Place(Slots[i], row.Slots[i]);
  const auto left = LeftLayerRowRects(wa, c, SizeOf(LeftRow[0]));
  const auto right = RightLayerRowRects(wa, c, SizeOf(RightRow[0]));
  for (int i = 0; i < 4; ++i) {
    Place(LeftRow[i], left[i]);
    Place(RightRow[i], right[i]);
  }
  const LayoutRect take = CentredControlRect(wa, c, SizeOf(Take));
  Place(Take, take);
  Place(Freeze, FreezeRect(take));
  Place(LockOutput, CentredControlRect(wa, c, SizeOf(LockOutput)));
  // The input buttons stand on their inputs' icons.
  const auto icons = Host.InputIcons();
  for (int i = 0; i < 3; ++i) Place(DpButtons[i], icons[DpButtonInputs[i]]);
  PlaceTopPanel();
}

void MainControls::PlaceTopPanel() {
  const auto top = TopButtonRects(Host.Client(), TopButtonSize);
  const wxPoint origin = Window.ClientToScreen(wxPoint(top[0].Left, top[0].Top));
  TopPanel->SetSize(origin.x, origin.y, top[0].Width(), top[3].Bottom - top[0].Top);
  for (int i = 0; i < 4; ++i)
    Place(TopRow[i], {0, top[i].Top - top[0].Top, top[i].Width(), top[i].Bottom - top[0].Top});
}

void MainControls::PlaceVideoButton(const LayoutRect& syncGroup) {
  Place(VideoWindow, VideoWindowButtonRect(syncGroup, SizeOf(VideoWindow)));
}

void MainControls::ApplyLanguage() {
  VideoWindow->SetToolTipText(wxString::FromUTF8(UiStrings[137]));
  Window.RefreshRect(wxRect(0, Host.Client().Bottom - 100, 4000, 100));
}

// ---- presets and templates ----

void MainControls::OnPresetButton(int slot) {
  if (slot < 0 || slot >= PresetSlotCount) return;
  Row.Click(slot);
  const DeviceState& s = GetDeviceState();
  ShowLitSlot(true);
  Slots[slot]->SetChecked(Row.Bank() == PresetBank::Templates || s.PresetUsed[slot] == 1);
  RecordShown();
}

void MainControls::ShowLitSlot(bool markedRed) {
  const DeviceState& s = GetDeviceState();
  for (int i = 0; i < PresetSlotCount; ++i)
    Slots[i]->SetTextColour(i == Row.Lit()                      ? PresetTextSelected
                            : markedRed && s.PresetUsed[i] == 2 ? PresetTextMarked
                                                                : PresetTextPlain);
}

void MainControls::UpdatePresetButtons() {
  if (Row.Bank() == PresetBank::Presets) {
    const auto looks = PresetSlotLooks(GetDeviceState().PresetUsed, Row.Lit(), PresetBank::Presets);
    for (int i = 0; i < PresetSlotCount; ++i) {
      Slots[i]->SetChecked(looks[i].Checked);
      Slots[i]->SetTextColour(looks[i].Text);
    }
  }
  Host.PresetStatesChanged();
  RecordShown();
}

void MainControls::OnPresetsBank() {
  Row.ShowPresets(GetDeviceState().SwitcherSettings.Mode);
  Presets->SetChecked(true);
  Presets->SetTextColour(TextOn);
  Save->Show();
  Templates->SetChecked(false);
  Templates->SetTextColour(BankOff);
  UpdatePresetButtons();
  ShowLitSlot(false);
  RepaintNames();
  RecordShown();
}

void MainControls::OnTemplatesBank() {
  Row.ShowTemplates();
  Templates->SetChecked(true);
  Templates->SetTextColour(TextOn);
  Save->Hide();
  Presets->SetChecked(false);
  Presets->SetTextColour(BankOff);
  for (CGdipButton* b : Slots) b->SetChecked(true);
  ShowLitSlot(false);
  RepaintNames();
  RecordShown();
}

void MainControls::OnLoadPreset() {
  if (Row.Lit() < 0) return;  // nothing lit: nothing to load
  LoadSlotNow(Row.Lit(), Row.Bank());
}

void MainControls::LoadSlotNow(int slot, PresetBank bank) {
  DeviceState& s = GetDeviceState();
  if (s.TestPattern) Host.HideTestPatternPage();
  if (SendSlotLoad(slot, bank)) Row.Loaded(s.SwitcherSettings.Mode);
}

bool MainControls::SendSlotLoad(int slot, PresetBank bank) {
  switch (LoadPresetSlot(GetDeviceState(), bank, slot)) {
    case PresetLoad::NothingSelected: return false;
    case PresetLoad::EmptySlot:
      ShowOperatorMessage(&Window, UiStrings[36]);
      return false;
    case PresetLoad::Sent: break;
  }
  Host.OpenBusy(UiStrings[65]);
  return true;
}

bool MainControls::ConfirmSave() {
  return AskOperator(&Window, UiStrings[37], UiStrings[38]);
}

void MainControls::OnSavePreset() {
  // Only the lit slot is saved to; the box names no slot, so what is lit must not change meanwhile.
  const int slot = Row.Lit();
  if (slot < 0) return;
  if (!ConfirmSave() || Row.Lit() != slot) return;
  SaveSlotNow(slot);
}

void MainControls::SaveSlotNow(int slot) {
  if (!SavePresetSlot(GetDeviceState(), Row.Bank(), slot)) return;
  Slots[slot]->SetChecked(true);
  Host.PresetStatesChanged();
  RecordShown();
}

// ---- names ----

void MainControls::RefreshSwitcherMode() {
  NameBank = RefreshNameBank(GetDeviceState());
  RepaintNames();
  RecordShown();
}

void MainControls::RepaintNames() {
  const LayoutRect c = Host.Client();
  Window.RefreshRect(wxRect(Presets->GetPosition().x, c.Bottom - 95, c.Right - 40 - Presets->GetPosition().x, 95));
}

void MainControls::DrawPresetNames(wxDC& dc) {
  if (Row.Bank() != PresetBank::Presets) return;
  dc.SetTextForeground(wxColour(239, 156, 0));
  dc.SetFont(Window.GetFont());
  for (int i = 0; i < PresetSlotCount; ++i) {
    const std::string& name = Names[NameBank][i];
    if (name.empty()) continue;
    const wxRect r = Slots[i]->GetRect();
    const wxRect area = ToWx(PresetNameRect({r.x, r.y, r.GetRight() + 1, r.GetBottom() + 1}));
    wxDCClipper clip(dc, area);
    dc.DrawLabel(wxString::FromUTF8(name), area, wxALIGN_CENTER);
  }
}

bool MainControls::OnLeftDoubleClick(int x, int y) {
  for (int i = 0; i < PresetSlotCount; ++i) {
    const wxRect r = Slots[i]->GetRect();
    const LayoutRect area = PresetNameRect({r.x, r.y, r.GetRight() + 1, r.GetBottom() + 1});
    if (Row.Bank() == PresetBank::Presets && Inside(area, x, y)) {
      PresetInEdit = i;
      NameBankInEdit = NameBank;
      InputInEdit = -1;
      OpenEditor(area, Names[NameBank][i]);
      return true;
    }
  }
  const auto icons = Host.InputIcons();
  const DeviceState& s = GetDeviceState();
  for (int i = 0; i < InputIconCount; ++i) {
    if (!s.InputTable[i].Present) continue;
    const LayoutRect area = InputRemarkRect(icons[i]);
    if (Inside(area, x, y)) {
      InputInEdit = i;
      PresetInEdit = -1;
      OpenEditor(area, s.InputTable[i].Remark);
      return true;
    }
  }
  return false;
}

void MainControls::OpenEditor(const LayoutRect& where, const std::string& text) {
  if (!NameEditor) {
    NameEditor = new CMyEdit(&Window, NameEditorId, ToWx(where), wxTE_CENTRE);
    NameEditor->SetMaxLength(NameEditLimit);
  }
  NameEditor->SetSize(ToWx(where));
  NameEditor->ChangeValue(wxString::FromUTF8(text));
  NameEditor->Show();
  NameEditor->SetFocus();
  NameEditor->SelectAll();
}

bool MainControls::IsNameEditor(const wxWindow* w) const { return w && w == NameEditor; }

bool MainControls::OwnedByMainWindow(wxWindow* w) const {
  if (!w) return true;  // no window of this program has the focus: the keys came to this one
  for (wxWindow* top = wxGetTopLevelParent(w); top;) {
    if (top == &Window) return true;
    top = top->GetParent() ? wxGetTopLevelParent(top->GetParent()) : nullptr;
  }
  return false;
}

void MainControls::OnRenameEditDone(int key) {
  if (!NameEditor || !NameEditor->IsShown()) return;
  NameEditor->Hide();
  const std::string text = NameEditor->GetValue().ToStdString(wxConvUTF8);
  if (key == 13) {
    if (InputInEdit >= 0) {
      SaveInputRemark(InfoIniPath, GetDeviceState(), InputInEdit, text);
      Host.RepaintInputIcon(InputInEdit);
    } else if (PresetInEdit >= 0) {
      // The name belongs where it was typed, whatever bank the switcher mode shows by now.
      SavePresetName(InfoIniPath, Names, static_cast<int>(NameBankInEdit), PresetInEdit, text);
    }
  }
  InputInEdit = PresetInEdit = -1;
  RepaintNames();
  RecordShown();
}

// ---- input icons ----

bool MainControls::OnLeftDown(int x, int y) {
  const auto input = InputIconAt(Host.InputIcons(), GetDeviceState(), x, y);
  if (!input) return false;
  // What is typed on a page goes to the input it was typed for, before the layer takes another.
  MBaseDialog::CommitEditsOfEveryPage();
  Window.SetFocus();
  SelectInput(*input);
  return true;
}

// The buttons choose as the icons do: the layer's source becomes the input (a button that only
// resent the old source would change nothing on the device).
void MainControls::SelectInput(int input) {
  const auto choice = ChooseInputForLayer(GetDeviceState(), input, CurrentLayerCopy);
  if (!choice) return;
  Host.ApplyLayer(choice->Layer, true);
  Host.RepaintInputIcon(choice->OldSource);
  Host.RepaintInputIcon(input);
}

void MainControls::SetDpSplitCheck(bool checked) {
  DpSplitBox->SetValue(checked);
  ShowDpSplitButtons();
}

void MainControls::ShowDpSplitButtons() {
  const auto shown = DpSplitButtonsShown(DpSplitBox->GetValue());
  for (int i = 0; i < 3; ++i) DpButtons[i]->Show(shown[i]);
  RecordShown();
}

// ---- layer rows, TAKE, Freeze, Lock Output ----

void MainControls::OnLayerButton(bool rightRow, int layer) {
  CGdipButton* button = rightRow ? RightRow[layer] : LeftRow[layer];
  bool on = button->IsChecked();
  DeviceState& s = GetDeviceState();
  if (layer == 3) {
    const auto& logo = s.LogoSettings;
    if (!rightRow && logo.Pip3Usage == 1) {
      // PIP-3 carries the logo: the button is lit while any logo slot holds a picture, and
      // the logo page switches it; no layer command goes out.
      on = false;
      for (uint8_t valid : logo.SlotValid) on = on || valid != 0;
      button->SetChecked(on);
      if (on) Host.Pip3Switched(on);
      RecordShown();
      return;
    }
    Host.Pip3Switched(on);
    if (!rightRow && logo.Pip3Usage != 0) {
      RecordShown();
      return;
    }
  }
  SetPipLayerEnabled(s, layer, on);
  Host.LayerEnableChanged(layer);
  RecordShown();
}

void MainControls::OnTake() {
  SendTake(GetDeviceState());
  Host.OpenBusy(UiStrings[65]);
}

void MainControls::OnFreeze() {
  SendFreeze(GetDeviceState(), Freeze->IsChecked());
  RecordShown();
}

void MainControls::OnLockOutput() {
  Host.LockOutputChanged(LockOutput->IsChecked());
  RecordShown();
}

void MainControls::OnTopButton(int layer) {
  Host.BringLayerToTop(layer);
  ShowTopButtons(false);
}

void MainControls::ShowTopButtons(bool show) {
  if (show) PlaceTopPanel();
  TopPanel->Show(show);
  RecordShown();
}

void MainControls::FreezeButtonFromState() {
  Freeze->SetChecked(GetDeviceState().FreezeState != 0);
  RecordShown();
}

void MainControls::MarkLayerButton(int layer, bool on) {
  if (layer < 0 || layer >= LayerCount) return;
  const auto& sw = GetDeviceState().SwitcherSettings;
  if (sw.Mode == 0) LeftRow[layer]->SetChecked(on);
  else if (sw.Mode == 1) RightRow[layer]->SetChecked(on && sw.OnPreview[layer] != 0);
  RecordShown();
}

void MainControls::EnableLayerButtons(bool enable) {
  TestPatternHolds = !enable;
  ApplyLayerButtonEnables();
  RecordShown();
}

// A button is usable exactly when it looks usable.
void MainControls::ApplyLayerButtonEnables() {
  const ModeView look = ModeViewFor(GetDeviceState(), LockOutput->IsChecked(), TestPatternHolds);
  auto enable = [](CGdipButton* b, bool on) {
    b->Enable(on);
    b->SetDisabledLook(!on);
  };
  for (int i = 0; i < 4; ++i) {
    enable(LeftRow[i], look.Left[i].Enabled);
    enable(RightRow[i], look.Right[i].Enabled);
  }
  enable(Take, look.TakeEnabled);
}

ModeView MainControls::ApplyModeView() {
  const ModeView view = ModeViewFor(GetDeviceState(), LockOutput->IsChecked(), TestPatternHolds);
  auto apply = [](CGdipButton* b, const LayerButtonLook& l) {
    b->Show(l.Shown);
    b->SetChecked(l.Checked);
    b->SetTextColour(l.Text);
  };
  for (int i = 0; i < 4; ++i) {
    apply(LeftRow[i], view.Left[i]);
    apply(RightRow[i], view.Right[i]);
  }
  ApplyLayerButtonEnables();
  Take->Show(view.TakeShown);
  LockOutput->SetChecked(view.LockOutputChecked);
  LockOutput->Show(view.LockOutputShown);
  RecordShown();
  return view;
}

// ---- shortcuts ----

void MainControls::OnKeyRelease(const wxKeyEvent& event, const std::set<int>& heldWith) {
  const int key = event.GetKeyCode();
  // A chord's keys may come up in any order: Ctrl or S let go first still counts for the key
  // that was down with it.
  const bool ctrl = event.ControlDown() || heldWith.count(WXK_CONTROL) || heldWith.count(WXK_RAW_CONTROL);
  const bool sHeld = heldWith.count('S') != 0;
  wxWindow* focus = wxWindow::FindFocus();
  // The name editor keeps its keys; every other window of the program takes the shortcuts: this
  // one, its pages, and the pop-up pages it owns (a message box disables this window meanwhile).
  if (IsNameEditor(focus) || !OwnedByMainWindow(focus)) return;
  const bool typingLetters =
      dynamic_cast<const wxTextCtrl*>(focus) && !dynamic_cast<const NumericEditBase*>(focus);
  const Shortcut shortcut = ShortcutForKeyRelease(key, ctrl, sHeld, typingLetters);
  // What is being typed on a page goes first, to the input shown while it was typed: a load
  // would put another input there, a save or the project file would miss it.
  if (shortcut.Action != ShortcutAction::None)
    MBaseDialog::CommitEditsOfEveryPage();
  switch (shortcut.Action) {
    case ShortcutAction::None: break;
    case ShortcutAction::LoadPreset:
      // A preset's slot, so the Presets bank shows it lit. Unlike Load, the shortcut leaves a
      // running test pattern on and the per-mode slot as it was.
      if (Row.Bank() != PresetBank::Presets) OnPresetsBank();
      OnPresetButton(shortcut.Slot);
      SendSlotLoad(shortcut.Slot, PresetBank::Presets);
      break;
    case ShortcutAction::SavePreset:
      if (!ConfirmSave()) break;
      if (Row.Bank() != PresetBank::Presets) OnPresetsBank();
      OnPresetButton(shortcut.Slot);
      if (SavePresetSlot(GetDeviceState(), PresetBank::Presets, shortcut.Slot)) {
        Slots[shortcut.Slot]->SetChecked(true);
        Host.PresetStatesChanged();
      }
      RecordShown();
      break;
    case ShortcutAction::SaveProject: Host.SaveProjectShortcut(); break;
  }
}

// What the row shows, for the window tests: "presets: <slot> <name> used|empty|marked [selected]".
void MainControls::RecordShown() {
  const DeviceState& s = GetDeviceState();
  std::vector<std::string> lines;
  lines.push_back(std::string("bank ") + (Row.Bank() == PresetBank::Presets ? "Presets" : "Templates") +
                  " names " + std::to_string(NameBank));
  // The lit slots as the buttons show them (their caption in the accent): "lit 3", "lit none".
  std::string lit = "lit";
  for (int i = 0; i < PresetSlotCount; ++i)
    if (Slots[i]->GetTextColour() == PresetTextSelected) lit.append(" ").append(std::to_string(i + 1));
  lines.push_back(lit == "lit" ? "lit none" : lit);
  for (int i = 0; i < PresetSlotCount; ++i) {
    const uint8_t used = s.PresetUsed[i];
    std::string line = std::to_string(i + 1) + " " + Names[NameBank][i] + " " +
                       (used == 1 ? "used" : used == 2 ? "marked" : "empty");
    if (i == Row.Lit()) line += " selected";
    lines.push_back(line);
  }
  RecordShownTexts("presets", lines);
  std::vector<std::string> controls;
  for (int i = 0; i < 4; ++i)
    if (LeftRow[i]->IsShown())
      controls.push_back(std::string(LayerCaptions[i]) + (LeftRow[i]->IsChecked() ? " on" : " off"));
  controls.push_back(std::string("Freeze ") + (Freeze->IsChecked() ? "on" : "off"));
  if (Take->IsShown()) controls.push_back("TAKE shown");
  if (LockOutput->IsShown()) controls.push_back(std::string("Lock Output ") + (LockOutput->IsChecked() ? "on" : "off"));
  if (TopPanel->IsShown()) controls.push_back("TOP buttons shown");
  for (CGdipButton* b : DpButtons)
    if (b->IsShown()) controls.push_back(b->GetLabel().ToStdString(wxConvUTF8) + " button shown");
  RecordShownTexts("controls", controls);
  // Each shown layer button, as usable and as it looks: "left PIP-2 on disabled grey".
  std::vector<std::string> layers;
  for (int row = 0; row < 2; ++row)
    for (int i = 0; i < 4; ++i) {
      const CGdipButton* b = (row == 0 ? LeftRow : RightRow)[i];
      if (!b->IsShown()) continue;
      layers.push_back(std::string(row == 0 ? "left " : "right ") + LayerCaptions[i] +
                       (b->IsChecked() ? " on" : " off") + (b->IsEnabled() ? " enabled" : " disabled") +
                       (b->HasDisabledLook() || !b->IsEnabled() ? " grey" : " plain"));
    }
  if (Take->IsShown()) layers.push_back(std::string("TAKE") + (Take->IsEnabled() ? " enabled" : " disabled"));
  RecordShownTexts("layer buttons", layers);
}
