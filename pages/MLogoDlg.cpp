#include "pages/MLogoDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
constexpr COLORREF PreviewFill = 0x00AEFF;
constexpr int NormalId = 1318, LogoId = 1315, OnOffId = 1165, LogoTopId = 1500, LogoBorderId = 1497;
constexpr int NoticeId = 1491;
constexpr int FirstSlotId = 1395, FirstSaveLoadId = 1412, FirstClearId = 1420;
constexpr int EditIds[4] = {1356, 1357, 1365, 1367};
constexpr int UsageGroupId = 1390, FilesGroupId = 1391, OperateGroupId = 1392, ClearGroupId = 1393,
              PositionGroupId = 1389, SettingGroupId = 1394;
constexpr uint8_t NormalUsage = 0, LogoUsage = 1;
constexpr uint32_t Pip3 = 3;

wxRect ToWx(const PagePreviewRect& r) { return wxRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
uint16_t Low16(int v) { return static_cast<uint16_t>(v); }
}  // namespace

MLogoDlg::MLogoDlg() : MBaseDialog(IDD, true) {}

void MLogoDlg::EnsureControls() {
  if (!Built) OnInitDialog();
}

void MLogoDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  CreateCaptionButtons(false);
  auto button = [this](int id, const wxString& caption, const wxRect& rect, int stdImage, int altImage) {
    auto* b = new CGdipButton(this, id, caption, rect);
    b->LoadStdImage(stdImage);
    if (altImage) b->LoadAltImage(altImage);
    b->SetTextColour(PageTextOff);
    return b;
  };
  AddGroupBox(UsageGroupId, wxRect(6, 30, 308, 56), wxString::FromUTF8(UiStrings[8]));
  NormalButton = button(NormalId, "Normal", wxRect(14, 50, 90, 28), 129, 147);
  LogoButton = button(LogoId, "Logo", wxRect(110, 50, 90, 28), 129, 147);
  OnOffButton = button(OnOffId, "ON/OFF", wxRect(216, 50, 90, 28), 129, 147);
  // The usage buttons mark the usage like radio buttons.
  NormalButton->SetCheckOnClick(true);
  LogoButton->SetCheckOnClick(true);
  OnOffButton->SetToggle(true);
  OnClicked(NormalId, [this] { OnBnClickedNormal(); });
  OnClicked(LogoId, [this] { OnBnClickedLogo(); });
  OnClicked(OnOffId, [this] { OnBnClickedOnOff(); });

  AddGroupBox(FilesGroupId, wxRect(6, 92, 308, 50), wxString::FromUTF8(UiStrings[11]));
  AddGroupBox(OperateGroupId, wxRect(6, 148, 308, 50), wxString::FromUTF8(UiStrings[12]));
  AddGroupBox(ClearGroupId, wxRect(6, 204, 308, 50), wxString::FromUTF8(UiStrings[10]));
  for (int k = 0; k < LogoSlotCount; ++k) {
    const int x = 12 + 75 * k;
    SlotButtons[k] = button(FirstSlotId + k, wxString::Format("LOGO%d", k + 1), wxRect(x, 112, 71, 24), 144, 148);
    SaveLoadButtons[k] = button(FirstSaveLoadId + k, wxString::FromUTF8(UiStrings[81]), wxRect(x, 168, 71, 24), 144, 0);
    ClearButtons[k] = button(FirstClearId + k, "O", wxRect(x, 224, 71, 24), 144, 0);
    OnClicked(FirstSlotId + k, [this, k] { OnBnClickedLogoSlot(k); });
    OnClicked(FirstSaveLoadId + k, [this, k] { OnBnClickedSaveLoad(k); });
    OnClicked(FirstClearId + k, [this, k] { OnBnClickedClear(k); });
  }

  AddGroupBox(PositionGroupId, wxRect(6, 260, 308, 50), wxString::FromUTF8(UiStrings[9]));
  LogoTopButton = button(LogoTopId, "Logo Top", wxRect(14, 278, 96, 24), 129, 147);
  LogoBorderButton = button(LogoBorderId, "Logo Border", wxRect(116, 278, 110, 24), 129, 147);
  LogoTopButton->SetToggle(true);
  LogoBorderButton->SetToggle(true);
  OnClicked(LogoTopId, [this] { OnBnClickedLogoTop(); });
  OnClicked(LogoBorderId, [this] { OnBnClickedLogoBorder(); });
  Pip3OffNotice = new SkinStatic(this, NoticeId, wxString::FromUTF8(UiStrings[55]), wxRect(232, 281, 80, 18));
  Pip3OffNotice->Hide();

  const wxRect setting(6, 316, 308, 150);
  AddGroupBox(SettingGroupId, setting, wxString::FromUTF8(UiStrings[97]));
  const char* const labels[4] = {"H start :", "V start :", "Width :", "Height :"};
  const int labelIds[4] = {LabelId::HStart, LabelId::VStart, LabelId::Width, LabelId::Height};
  for (int i = 0; i < 4; ++i) {
    const int y = 338 + 28 * i;
    new SkinStatic(this, labelIds[i], labels[i], wxRect(12, y + 2, 62, 18));
    Edits[i] = new oRealEdit(this, EditIds[i], wxRect(76, y, 70, 22));
    Edits[i]->SetRange(true, i < 2 ? 0.0f : 8.0f, 9999.0f, "%d", i < 2 ? 0.0f : 8.0f);
  }
  // The preview takes the right half of the "Setting" box.
  LogoPreviewBox = {setting.x + setting.width / 2, setting.y + 25, setting.GetRight() + 1 - 30,
                    setting.GetBottom() + 1 - 15};
  LogoPreviewRect = LogoPreviewBox;
  SetChildFonts();
  OnMsg(MEditValueChanged, [this](WPARAM id, LPARAM) {
    OnEditValueChanged(static_cast<int>(id));
    return 0;
  });
}

void MLogoDlg::ApplyLanguage() {
  EnsureControls();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[73]);
  SetControlText(UsageGroupId, wxString::FromUTF8(UiStrings[8]));
  SetControlText(PositionGroupId, wxString::FromUTF8(UiStrings[9]));
  SetControlText(ClearGroupId, wxString::FromUTF8(UiStrings[10]));
  SetControlText(FilesGroupId, wxString::FromUTF8(UiStrings[11]));
  SetControlText(OperateGroupId, wxString::FromUTF8(UiStrings[12]));
  SetControlText(SettingGroupId, wxString::FromUTF8(UiStrings[97]));
  const bool logo = GetDeviceState().LogoSettings.Pip3Usage == LogoUsage;
  for (CGdipButton* b : SaveLoadButtons) b->SetLabel(wxString::FromUTF8(UiStrings[logo ? 80 : 81]));
  ShowSlotMarks();
  Refresh();
}

// ---- helpers ----

PictureRect MLogoDlg::EditValues() const {
  return {static_cast<int>(Edits[0]->Value()), static_cast<int>(Edits[1]->Value()),
          static_cast<int>(Edits[2]->Value()), static_cast<int>(Edits[3]->Value())};
}

void MLogoDlg::ShowEditValues(const PictureRect& r) {
  Edits[0]->SetValue(static_cast<float>(r.X));
  Edits[1]->SetValue(static_cast<float>(r.Y));
  Edits[2]->SetValue(static_cast<float>(r.Width));
  Edits[3]->SetValue(static_cast<float>(r.Height));
}

void MLogoDlg::SetCaptureFrame(uint32_t slot, const PictureRect& r, bool onPip3) {
  DeviceState& state = GetDeviceState();
  if (slot >= LogoSlotCount) return;
  const LayerWindow& pip = state.LayerWindow[Pip3];
  LogoCaptureRect& frame = state.LogoCaptureFrame[slot];
  frame.X = Low16(onPip3 ? pip.X + r.X : r.X);
  frame.Y = Low16(onPip3 ? pip.Y + r.Y : r.Y);
  frame.Width = Low16(r.Width);
  frame.Height = Low16(r.Height);
}

void MLogoDlg::RemovePendingFrame() {
  DeviceState& state = GetDeviceState();
  if (!state.LogoFramePending) return;
  SendLogo(3, 0);
  state.LogoFramePending = 0;
}

void MLogoDlg::SendLogo(uint8_t subCode, uint8_t argument) {
  DeviceState& state = GetDeviceState();
  state.SendCommand(CmdLogo, subCode, argument);
  ShownRecord = state.LogoSettings;
}

void MLogoDlg::ShowBusy() { SendBusyBox(*this, true, UiStrings[65]); }

// Captions and colours of the slot buttons and their "Clear" buttons.
void MLogoDlg::ShowSlotMarks() {
  const DeviceState& state = GetDeviceState();
  for (uint32_t k = 0; k < LogoSlotCount; ++k) {
    ClearButtons[k]->SetLabel(LogoSlotHolds(state, k) ? wxString::FromUTF8(UiStrings[10]) : wxString("O"));
    SlotButtons[k]->SetTextColour(LogoSlotColour(state, k));
    SlotButtons[k]->Refresh();
  }
}

void MLogoDlg::SetUsage(uint8_t usage) {
  NormalButton->SetChecked(usage == NormalUsage);
  LogoButton->SetChecked(usage == LogoUsage);
  NormalButton->SetTextColour(usage == NormalUsage ? PageTextOn : PageTextOff);
  LogoButton->SetTextColour(usage == LogoUsage ? PageTextOn : PageTextOff);
  NormalButton->Refresh();
  LogoButton->Refresh();
}

void MLogoDlg::SetOnOff(bool on) {
  OnOffButton->SetChecked(on);
  OnOffButton->SetTextColour(on ? PageTextOn : PageTextOff);
  OnOffButton->Refresh();
}

// ---- refresh ----

void MLogoDlg::OnLogoRecord() {
  EnsureControls();
  UpdateFromDevice(!LogoRecordMovesPage(ShownRecord, GetDeviceState().LogoSettings));
}

void MLogoDlg::UpdateFromDevice(bool keepOperatorPlace) {
  EnsureControls();
  DeviceState& state = GetDeviceState();
  LogoSettings& l = state.LogoSettings;
  SetUsage(l.Pip3Usage);
  LogoTopButton->SetChecked(l.Position == 0);
  LogoBorderButton->SetChecked(l.Border != 0);
  if (l.CurrentSlot >= LogoSlotCount) l.CurrentSlot = 0;
  if (!keepOperatorPlace || PageSlot >= LogoSlotCount) {
    PageSlot = l.CurrentSlot;
    state.LogoShownSlot = l.CurrentSlot;
  }
  SetOnOff(l.Enable != 0);
  ShowSlotMarks();
  if (l.Pip3Usage == LogoUsage)
    for (uint32_t k = 0; k < LogoSlotCount; ++k) {
      SaveLoadButtons[k]->Enable(k == PageSlot);
      SlotButtons[k]->Enable(LogoSlotHolds(state, k));
    }
  ShowUsage(l.Pip3Usage, keepOperatorPlace);
  ShownRecord = l;
  PostMsg(OwnerWindow(), MLogoLayerChanged, 1, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvPipChanged, 2);
}

void MLogoDlg::ShowUsage(uint8_t usage, bool keepOperatorPlace) {
  EnsureControls();
  DeviceState& state = GetDeviceState();
  LogoSettings& l = state.LogoSettings;
  const LayerWindow& pip = state.LayerWindow[Pip3];
  if (usage == LogoUsage) {
    NormalButton->SetChecked(false);
    if (state.LogoShownSlot >= LogoSlotCount) state.LogoShownSlot = 0;
    const uint32_t s = state.LogoShownSlot;
    // A stored position that would leave the output starts again at its edge.
    if (l.HPos[s] + l.Width[s] > state.OutputTiming.HActive) l.HPos[s] = 0;
    if (l.VPos[s] + l.Height[s] > state.OutputTiming.VActive) l.VPos[s] = 0;
    const PictureRect stored{l.HPos[s], l.VPos[s], l.Width[s], l.Height[s]};
    const PictureRect shown = keepOperatorPlace ? EditValues() : stored;
    SetCaptureFrame(s, shown, false);
    ShowEditValues(shown);
    for (uint32_t k = 0; k < LogoSlotCount; ++k) {
      const bool fits = LogoSlotFits(state, k);
      SaveLoadButtons[k]->SetLabel(wxString::FromUTF8(UiStrings[80]));
      SaveLoadButtons[k]->Enable(fits && k == s);
      ClearButtons[k]->Enable(fits && k == s);
      SlotButtons[k]->Enable(fits);
    }
    if (LogoSlotHolds(state, s)) OnOffButton->Enable(true);
    Edits[0]->Enable(true);
    Edits[1]->Enable(true);
    Edits[2]->Enable(false);
    Edits[3]->Enable(false);
    Pip3OffNotice->Hide();
  } else {
    LogoButton->SetChecked(false);
    SetOnOff(false);
    if (!keepOperatorPlace) ShowEditValues({0, 0, Pip3Extent(pip.Width), Pip3Extent(pip.Height)});
    SetCaptureFrame(PageSlot, EditValues(), true);
    for (uint32_t k = 0; k < LogoSlotCount; ++k) {
      SaveLoadButtons[k]->SetLabel(wxString::FromUTF8(UiStrings[81]));
      SaveLoadButtons[k]->Enable(k == PageSlot);
      SlotButtons[k]->Enable(true);
    }
    OnOffButton->Enable(false);
    for (oRealEdit* e : Edits) e->Enable(true);
    Pip3OffNotice->Show(pip.Enable == 0);
    EnableCaptureControls(pip.Enable != 0);
  }
  UpdateLogoPreview(usage);
}

void MLogoDlg::EnableCaptureControls(bool enable) {
  EnsureControls();
  const DeviceState& state = GetDeviceState();
  for (oRealEdit* e : Edits) e->Enable(enable);
  for (uint32_t k = 0; k < LogoSlotCount; ++k) {
    SaveLoadButtons[k]->Enable(enable && k == PageSlot);
    ClearButtons[k]->Enable(enable && LogoSlotFits(state, k) && k == PageSlot);
    SlotButtons[k]->Enable(enable);
  }
}

void MLogoDlg::UpdateUsageControls() {
  EnsureControls();
  const DeviceState& state = GetDeviceState();
  const bool logo = state.LogoSettings.Pip3Usage == LogoUsage;
  bool allowed = true;
  if (state.SwitcherSettings.Mode != 0) {
    const bool onProgram = state.SwitcherSettings.OnProgram[Pip3] != 0;
    allowed = !onProgram;
    const bool capture = logo ? !onProgram : !onProgram && state.LayerWindow[Pip3].Enable != 0;
    EnableCaptureControls(capture);
    if (logo) {
      Edits[2]->Enable(false);
      Edits[3]->Enable(false);
    }
  } else {
    ShowUsage(state.LogoSettings.Pip3Usage);
  }
  for (CGdipButton* b : {NormalButton, LogoButton, LogoTopButton, LogoBorderButton}) b->Enable(allowed);
}

void MLogoDlg::ResetCaptureFrame() {
  EnsureControls();
  const DeviceState& state = GetDeviceState();
  if (state.LogoSettings.Pip3Usage != NormalUsage) return;
  const LayerWindow& pip = state.LayerWindow[Pip3];
  ShowEditValues({0, 0, Pip3Extent(pip.Width), Pip3Extent(pip.Height)});
  UpdateLogoPreview(NormalUsage);
}

void MLogoDlg::UpdateLogoPreview(uint8_t usage) {
  const DeviceState& state = GetDeviceState();
  const PictureRect r = EditValues();
  int refW, refH;
  if (usage == LogoUsage) {
    refW = state.OutputTiming.HActive;
    refH = state.OutputTiming.VActive;
    if (r.Width > refW || r.Height > refH) return;
  } else {
    refW = Pip3Extent(state.LayerWindow[Pip3].Width);
    refH = Pip3Extent(state.LayerWindow[Pip3].Height);
  }
  LogoPreviewRect = ScaledPreviewRect(LogoPreviewBox, refW, refH, r);
  RefreshRect(ToWx(LogoPreviewBox).Inflate(2));
}

// ---- operator actions ----

void MLogoDlg::OnBnClickedNormal() {
  DeviceState& state = GetDeviceState();
  if (state.LogoSettings.Pip3Usage == NormalUsage) {
    SetUsage(NormalUsage);
    return;
  }
  state.LogoSettings.Enable = 0;
  state.LogoSettings.Pip3Usage = NormalUsage;
  SetUsage(NormalUsage);
  SendLogo(4, 0);
  ShowUsage(NormalUsage);
  PostMsg(OwnerWindow(), MLogoLayerChanged, 1, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvPipChanged, 2);
  RemovePendingFrame();
}

void MLogoDlg::OnBnClickedLogo() {
  DeviceState& state = GetDeviceState();
  if (state.LogoSettings.Pip3Usage == LogoUsage) {
    SetUsage(LogoUsage);
    return;
  }
  state.LogoSettings.Enable = 0;
  state.LogoSettings.Pip3Usage = LogoUsage;
  if (state.LogoSettings.CurrentSlot >= LogoSlotCount) state.LogoSettings.CurrentSlot = 0;
  state.LogoShownSlot = state.LogoSettings.CurrentSlot;
  SetUsage(LogoUsage);
  SendLogo(4, 0);
  ShowUsage(LogoUsage);
  PostMsg(OwnerWindow(), MLogoLayerChanged, 1, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvPipChanged, 2);
  RemovePendingFrame();
}

void MLogoDlg::OnBnClickedLogoSlot(int slot) {
  if (slot < 0 || slot >= LogoSlotCount) return;
  DeviceState& state = GetDeviceState();
  state.LogoShownSlot = static_cast<uint8_t>(slot);
  PageSlot = static_cast<uint32_t>(slot);
  ShowUsage(state.LogoSettings.Pip3Usage);
  if (state.LogoSettings.Border && state.LogoFramePending == 1) SendLogo(3, 1);
  if (state.LogoSettings.Pip3Usage == LogoUsage) {
    PostMsg(OwnerWindow(), MLayerWindowChanged, LayerRectToCanvas, static_cast<LPARAM>(Pip3));
    PositionChanged = PageSlot != state.LogoSettings.CurrentSlot;
  }
}

void MLogoDlg::OnEditValueChanged(int controlId) {
  if (!IsShown()) return;
  int edited = -1;
  for (int i = 0; i < 4; ++i)
    if (EditIds[i] == controlId) edited = i;
  if (edited < 0) return;
  DeviceState& state = GetDeviceState();
  const bool logo = state.LogoSettings.Pip3Usage == LogoUsage;
  const LayerWindow& pip = state.LayerWindow[Pip3];
  const int limitW = logo ? state.OutputTiming.HActive : Pip3Extent(pip.Width);
  const int limitH = logo ? state.OutputTiming.VActive : Pip3Extent(pip.Height);
  ShowEditValues(ClampLogoEdit(EditValues(), static_cast<LogoEdit>(edited), logo, limitW, limitH));
  UpdateLogoPreview(state.LogoSettings.Pip3Usage);
  SetCaptureFrame(PageSlot, EditValues(), !logo);
  if (state.LogoSettings.Border) {
    SendLogo(3, 1);
    state.LogoFramePending = 1;
  } else {
    SendLogo(3, 0);
    state.LogoFramePending = 0;
  }
  if (logo) PositionChanged = true;
}

void MLogoDlg::OnBnClickedSaveLoad(int slot) {
  if (slot < 0 || slot >= LogoSlotCount) return;
  DeviceState& state = GetDeviceState();
  LogoSettings& l = state.LogoSettings;
  const PictureRect r = EditValues();
  if (l.Pip3Usage == NormalUsage) {
    const std::optional<uint32_t> card = Pip3CardSlot(state.LayerWindow[Pip3].Source);
    if (!card || state.InputSignalPresent[*card] == 0) {
      ShowOperatorMessage(this, UiStrings[160], UiStrings[38]);
      return;
    }
    l.SlotValid[slot] = 1;
    ClearButtons[slot]->SetLabel(wxString::FromUTF8(UiStrings[10]));
    ClearButtons[slot]->Enable(static_cast<uint32_t>(slot) == PageSlot);
    SlotButtons[slot]->SetTextColour(SlotStoredColour);
    SlotButtons[slot]->Refresh();
    SetCaptureFrame(PageSlot, r, true);
    l.HPos[slot] = 0;
    l.VPos[slot] = 0;
    l.Width[slot] = Low16(r.Width);
    l.Height[slot] = Low16(r.Height);
    SendLogo(3, 0);
    state.LogoFramePending = 0;
    SendLogo(2, 0);
  } else {
    if (l.CurrentSlot < LogoSlotCount) SlotButtons[l.CurrentSlot]->SetTextColour(SlotStoredColour);
    SlotButtons[slot]->SetTextColour(SlotCurrentColour);
    l.HPos[slot] = Low16(r.X);
    l.VPos[slot] = Low16(r.Y);
    l.Width[slot] = Low16(r.Width);
    l.Height[slot] = Low16(r.Height);
    l.CurrentSlot = static_cast<uint8_t>(slot);
    SendLogo(3, 0);
    state.LogoFramePending = 0;
    SendLogo(1, 0);
    PostMsg(OwnerWindow(), MLayerWindowChanged, LayerRectToCanvas, static_cast<LPARAM>(Pip3));
    PositionChanged = false;
  }
  ShowBusy();
}

void MLogoDlg::OnBnClickedClear(int slot) {
  if (slot < 0 || slot >= LogoSlotCount) return;
  DeviceState& state = GetDeviceState();
  ClearButtons[slot]->SetLabel("O");
  ClearButtons[slot]->Enable(false);
  SlotButtons[slot]->SetTextColour(SlotEmptyColour);
  SlotButtons[slot]->Refresh();
  state.LogoSettings.SlotValid[slot] = 0;
  SendLogo(0, slot);
  if (state.LogoSettings.Pip3Usage == LogoUsage) SaveLoadButtons[slot]->Enable(false);
}

void MLogoDlg::OnBnClickedOnOff() {
  DeviceState& state = GetDeviceState();
  LogoSettings& l = state.LogoSettings;
  const bool on = OnOffButton->IsChecked();
  if (state.SwitcherSettings.Mode != 0 && state.SwitcherSettings.OnProgram[Pip3]) {
    // The logo cannot change while PIP-3 is on the program side.
    SetOnOff(!on);
    return;
  }
  RemovePendingFrame();
  if (on && PositionChanged) {
    if (!AskOperator(this, UiStrings[99], UiStrings[38])) {
      if (l.CurrentSlot >= LogoSlotCount) l.CurrentSlot = 0;
      const uint32_t current = l.CurrentSlot;
      ShowEditValues({l.HPos[current], l.VPos[current], l.Width[current], l.Height[current]});
      ClearButtons[PageSlot]->Enable(false);
      SaveLoadButtons[PageSlot]->Enable(false);
      ClearButtons[current]->Enable(true);
      SaveLoadButtons[current]->Enable(true);
      PageSlot = current;
      state.LogoShownSlot = static_cast<uint8_t>(current);
      PostMsg(OwnerWindow(), MLayerWindowChanged, LayerRectToCanvas, static_cast<LPARAM>(Pip3));
      UpdateLogoPreview(l.Pip3Usage);
      SetOnOff(false);
      PositionChanged = false;
      return;
    }
    OnBnClickedSaveLoad(static_cast<int>(PageSlot));
  }
  SetOnOff(on);
  l.Enable = on ? 1 : 0;
  SendLogo(5, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvPipChanged, 2);
  if (on) ShowBusy();
}

void MLogoDlg::OnBnClickedLogoTop() {
  DeviceState& state = GetDeviceState();
  state.LogoSettings.Position = LogoTopButton->IsChecked() ? 0 : 1;
  SendLogo(6, 0);
}

void MLogoDlg::OnBnClickedLogoBorder() {
  DeviceState& state = GetDeviceState();
  state.LogoSettings.Border = LogoBorderButton->IsChecked() ? 1 : 0;
  SendLogo(7, 0);
}

void MLogoDlg::ShowPage(bool show) {
  EnsureControls();
  MBaseDialog::ShowPage(show);
  const DeviceState& state = GetDeviceState();
  if (!show) {
    RemovePendingFrame();
    return;
  }
  if (state.LogoSettings.Pip3Usage == NormalUsage) Pip3OffNotice->Show(state.LayerWindow[Pip3].Enable == 0);
  UpdateFromDevice();
  UpdateUsageControls();
}

void MLogoDlg::OnPip3Switched(bool on) {
  EnsureControls();
  const DeviceState& state = GetDeviceState();
  if (state.LogoSettings.Pip3Usage == NormalUsage) {
    EnableCaptureControls(on);
    RemovePendingFrame();
    Pip3OffNotice->Show(!on);
  } else {
    // The logo follows PIP-3.
    SetOnOff(on);
    OnBnClickedOnOff();
    Pip3OffNotice->Hide();
  }
}

void MLogoDlg::PaintExtras(wxDC& dc) {
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(ColourFromRef(PreviewFill)));
  dc.DrawRectangle(ToWx(LogoPreviewBox));
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(ToWx(LogoPreviewRect));
}
