#include "pages/MOutputDlg.h"


#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/Language.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/DrawingAids.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

namespace {

constexpr int ResolutionGroupId = 1321;
constexpr int RotateGroupId = 1118;
constexpr int RotatePreviewId = 1126;
constexpr int RotatePictureId = 121;
constexpr int FullScreenId = 1117, HalfId = 1188, QuarterId = 1201;
constexpr int MoreId = 1328, ApplyId = 1075;
constexpr int FirstLayerButtonId = 1105;
constexpr int WindowEditIds[4] = {1356, 1357, 1365, 1367};

// Item data of the polarity lists: the polarity byte sent and stored, one mapping for refresh,
// pick and Apply alike.
constexpr long PolarityNegative = 0;
constexpr long PolarityPositive = 1;

// Where the controls sit (page pixels).
constexpr int LayerFrameTop = 234, LayerFrameBottom = 366;
const wxRect RotatePreviewRect(240, 392, 70, 70);

void ApplyFlip(wxImage& image, RotateFlip step) {
  switch (step) {
    case RotateFlip::RotateNoneFlipNone: break;
    case RotateFlip::Rotate90FlipNone: image = image.Rotate90(true); break;
    case RotateFlip::Rotate270FlipNone: image = image.Rotate90(false); break;
    case RotateFlip::Rotate180FlipNone: image = image.Rotate180(); break;
    case RotateFlip::RotateNoneFlipX: image = image.Mirror(true); break;
    case RotateFlip::Rotate180FlipX: image = image.Mirror(false); break;
  }
}

LayerRect WindowOf(const LayerWindow& w) { return {w.X, w.Y, w.Width, w.Height}; }
}  // namespace

MOutputDlg::MOutputDlg() : MBaseDialog(IDD, true) {}

void MOutputDlg::EnsureControls() {
  if (!Built) OnInitDialog();
}

void MOutputDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  CreateCaptionButtons(false);
  InitGroupBoxes();
  InitDropLists();
  InitButtons();
  InitEdits();
  SetChildFonts();
  OnMsg(MDropListSelChanged, [this](WPARAM id, LPARAM index) {
    OnDropListSelChanged(static_cast<int>(id), static_cast<int>(index));
    return 0;
  });
  OnMsg(MEditValueChanged, [this](WPARAM id, LPARAM) {
    OnEditValueChanged(static_cast<int>(id));
    return 0;
  });
  OnMsg(MRefreshRotate, [this](WPARAM turn, LPARAM send) {
    const uint32_t layer = SelectedLayer;
    ShowRotate(RotateCodeOf(GetDeviceState().LayerWindow[layer].Rotation), turn != 0, send != 0);
    return 0;
  });
  SelectResolution(10, false);
  // The rotate preview: the unturned picture is kept, the shown one is made from it.
  LoadPngResource(RotatePictureId, RotateOriginal);
  Rotated = RotateOriginal;
  ShowLayer(0);
}

void MOutputDlg::InitGroupBoxes() {
  AddGroupBox(ResolutionGroupId, wxRect(6, 30, 308, 198), wxString::FromUTF8(UiStrings[2]));
  AddGroupBox(RotateGroupId, wxRect(6, 374, 308, 100), wxString::FromUTF8(UiStrings[3]));
}

void MOutputDlg::InitDropLists() {
  auto make = [this](int id, const wxRect& rect) { return MakePageDropList(this, id, rect); };
  ResolutionList = make(OutputResolutionListId, wxRect(14, 47, 200, 24));
  FillResolutionList();
  HPolarityList = make(OutputHPolarityListId, wxRect(76, 200, 70, 22));
  VPolarityList = make(OutputVPolarityListId, wxRect(232, 200, 70, 22));
  for (CDropButton* list : {HPolarityList, VPolarityList}) {
    CDropList* items = list->GetList();
    items->SetItemData(items->AddString("N(-)"), PolarityNegative);
    items->SetItemData(items->AddString("P(+)"), PolarityPositive);
    list->SetCurSel(0);
    TimingGroup.push_back(list);
  }
}

void MOutputDlg::FillResolutionList() {
  DeviceState& state = GetDeviceState();
  state.ResolutionTable[CustomResolutionRow].Name = UiStrings[96];
  CDropList* items = ResolutionList->GetList();
  items->ResetContent();
  for (uint32_t row = 0; row < state.ResolutionTable.size(); ++row)
    items->SetItemData(items->AddString(wxString::FromUTF8(state.ResolutionTable[row].Name)), row);
  ResolutionList->SetCurSel(static_cast<int>(ResolutionRowOf(state.OutputTiming.ResolutionIndex)));
}

void MOutputDlg::InitButtons() {
  auto button = [this](int id, const wxString& caption, const wxRect& rect, int stdImage, int altImage) {
    auto* b = new CGdipButton(this, id, caption, rect);
    b->LoadStdImage(stdImage);
    if (altImage) b->LoadAltImage(altImage);
    b->SetTextColour(PageTextOff);
    return b;
  };
  MoreButton = button(MoreId, "More >", wxRect(222, 47, 86, 24), 174, 175);
  MoreButton->SetToggle(true);
  ApplyButton = button(ApplyId, "Apply", wxRect(222, 98, 86, 24), 174, 0);
  OnClicked(MoreId, [this] { OnBnClickedMore(); });
  OnClicked(ApplyId, [this] { OnBnClickedApply(); });

  static const char* const layerNames[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
  for (int layer = 0; layer < 4; ++layer) {
    LayerButtons[layer] =
        button(FirstLayerButtonId + layer, layerNames[layer], wxRect(12 + 75 * layer, 240, 71, 28), 144, 148);
    LayerButtons[layer]->SetCheckOnClick(true);
    OnClicked(FirstLayerButtonId + layer, [this, layer] { OnBnClickedLayer(layer); });
  }
  FullScreenButton = button(FullScreenId, "Full\nScreen", wxRect(12, 328, 96, 32), 172, 0);
  HalfButton = button(HalfId, "1/2", wxRect(112, 328, 96, 32), 172, 0);
  QuarterButton = button(QuarterId, "1/4", wxRect(212, 328, 96, 32), 172, 0);
  OnClicked(FullScreenId, [this] { OnBnClickedFullScreen(); });
  OnClicked(HalfId, [this] { OnBnClickedHalfQuarter(HalfId); });
  OnClicked(QuarterId, [this] { OnBnClickedHalfQuarter(QuarterId); });

  for (const RotateCodeRow& row : RotateCodes()) {
    const int column = row.Code % 3, line = row.Code / 3;
    auto* b = button(row.ControlId, wxString::FromUTF8(row.Caption),
                     wxRect(12 + 76 * column, 390 + 27 * line, 73, 24), 174, 175);
    b->SetCheckOnClick(true);
    RotateButtons[row.Code] = b;
    const int code = row.Code;
    OnClicked(row.ControlId, [this, code] { OnBnClickedRotate(code); });
  }
  RotatePreviewFrame = new SkinStatic(this, RotatePreviewId, wxString(), RotatePreviewRect);
  RotatePreviewFrame->Hide();
}

void MOutputDlg::InitEdits() {
  // Labels and edits of the resolution half: (label, edit) rows; the timing group's labels keep
  // the ids the language files name them by.
  struct Row {
    int LabelId;
    const char* Label;
    TimingEdit Edit;
    wxRect LabelRect, EditRect;
    bool Timing;
  };
  const Row rows[] = {
      {LabelId::HActive, "H active :", TimingEdit::HActive, {14, 76, 62, 18}, {78, 74, 62, 22}, false},
      {LabelId::VActive, "V active :", TimingEdit::VActive, {150, 76, 62, 18}, {214, 74, 62, 22}, false},
      {LabelId::Fps, "FPS :", TimingEdit::Fps, {14, 102, 62, 18}, {78, 100, 62, 22}, false},
      {1094, "H total :", TimingEdit::HTotal, {14, 130, 62, 18}, {78, 128, 62, 22}, true},
      {1095, "V total :", TimingEdit::VTotal, {170, 130, 62, 18}, {234, 128, 62, 22}, true},
      {1096, "H sync :", TimingEdit::HSync, {14, 154, 62, 18}, {78, 152, 62, 22}, true},
      {1097, "V sync :", TimingEdit::VSync, {170, 154, 62, 18}, {234, 152, 62, 22}, true},
      {1098, "Hbp :", TimingEdit::HBackPorch, {14, 178, 62, 18}, {78, 176, 62, 22}, true},
      {1099, "Vbp :", TimingEdit::VBackPorch, {170, 178, 62, 18}, {234, 176, 62, 22}, true},
  };
  DeviceState& state = GetDeviceState();
  for (const Row& row : rows) {
    auto* label = new SkinStatic(this, row.LabelId, row.Label, row.LabelRect);
    const int index = static_cast<int>(row.Edit);
    const TimingEditRange& range = TimingEditRanges[index];
    auto* edit = new oRealEdit(this, range.ControlId, row.EditRect);
    TimingEdits[index] = edit;
    // Start values until the first resolution choice replaces them.
    const CustomTimingValues& c = state.CustomTiming;
    const float start[TimingEditCount] = {float(c.HActive), float(c.VActive), float(c.FrameRateByte),
                                          float(c.HTotal),  float(c.VTotal),  float(c.HSync),
                                          float(c.VSync),   float(c.HBackPorch), float(c.VBackPorch)};
    edit->SetRange(true, range.Minimum, range.Maximum, range.Format, start[index]);
    if (row.Timing) {
      TimingGroup.push_back(label);
      TimingGroup.push_back(edit);
    }
  }
  TimingGroup.push_back(new SkinStatic(this, 1100, "H pol :", wxRect(14, 202, 62, 18)));
  TimingGroup.push_back(new SkinStatic(this, 1101, "V pol :", wxRect(170, 202, 62, 18)));

  const char* const windowLabels[4] = {"H start :", "V start :", "Width :", "Height :"};
  const int windowLabelIds[4] = {LabelId::HStart, LabelId::VStart, LabelId::Width, LabelId::Height};
  for (int i = 0; i < 4; ++i) {
    const int x = i % 2 ? 164 : 12, y = i < 2 ? 274 : 300;
    new SkinStatic(this, windowLabelIds[i], windowLabels[i], wxRect(x, y + 2, 66, 18));
    WindowEdits[i] = new oRealEdit(this, WindowEditIds[i], wxRect(x + 68, y, 72, 22));
    WindowEdits[i]->SetRange(true, i < 2 ? 0.0f : 1.0f, 9999.0f, "%d", 0.0f);
  }
  ShowTimingGroup(MoreButton->IsChecked());
}

bool MOutputDlg::TimingGroupShown() const { return MoreButton && MoreButton->IsChecked(); }

oRealEdit* MOutputDlg::Edit(int controlId) const {
  const int index = TimingEditIndexOf(controlId);
  if (index >= 0) return TimingEdits[index];
  for (int i = 0; i < 4; ++i)
    if (WindowEditIds[i] == controlId) return WindowEdits[i];
  return nullptr;
}

float MOutputDlg::EditValue(int controlId) const {
  const oRealEdit* edit = Edit(controlId);
  return edit ? edit->Value() : 0.0f;
}

void MOutputDlg::ShowTimingGroup(bool show) {
  for (wxWindow* w : TimingGroup) w->Show(show);
  Refresh();
}

// ---- resolution half ----

void MOutputDlg::SelectResolution(uint32_t index, bool send) {
  EnsureControls();
  DeviceState& state = GetDeviceState();
  // A stored index beyond the table is the custom timing; nothing is read past the table.
  const uint32_t row = ResolutionRowOf(index);
  const bool custom = row == CustomResolutionRow;
  OutputTiming& t = state.OutputTiming;
  const ResolutionEntry& entry = state.ResolutionTable[row];
  if (!custom) {
    t.ResolutionIndex = row;
    t.HActive = entry.Width;
    t.VActive = entry.Height;
    t.FrameRate = entry.FrameRate;
  }
  // Picking the custom row only shows its last values for editing: the output keeps its size
  // until Apply, so the canvas and the other pages go on using the size the device has.
  TimingEdits[0]->SetValue(entry.Width);
  TimingEdits[1]->SetValue(entry.Height);
  TimingEdits[2]->SetValue(static_cast<float>(entry.FrameRate) / 100.0f);
  TimingEdits[3]->SetValue(t.HTotal);
  TimingEdits[4]->SetValue(t.VTotal);
  TimingEdits[5]->SetValue(t.HSync);
  TimingEdits[6]->SetValue(t.VSync);
  TimingEdits[7]->SetValue(t.HBackPorch);
  TimingEdits[8]->SetValue(t.VBackPorch);
  DropListSelectByData(HPolarityList, t.HPolarity);
  DropListSelectByData(VPolarityList, t.VPolarity);
  MoreButton->SetChecked(false);
  MoreButton->Refresh();
  ShowTimingGroup(false);
  for (int i = 0; i < 3; ++i) TimingEdits[i]->Enable(custom);
  MoreButton->Enable(custom);
  ApplyButton->Enable(custom);
  ResolutionList->SetCurSel(static_cast<int>(row));
  if (send) {
    state.SendCommand(CmdOutputTiming);
    for (const QueuedCommand& c : ResolutionFollowUps(state, true)) state.SendCommand(c.Command, c.Argument);
  }
  if (!custom) PostMsg(OwnerWindow(), MRebuildCanvas, 0, 0);
}

void MOutputDlg::UpdateResolution() {
  EnsureControls();
  DeviceState& state = GetDeviceState();
  OutputTiming& t = state.OutputTiming;
  const bool custom = ResolutionRowOf(t.ResolutionIndex) == CustomResolutionRow;
  if (custom) {
    ResolutionEntry& row = state.ResolutionTable[CustomResolutionRow];
    row.Width = t.HActive;
    row.Height = t.VActive;
    row.FrameRate = t.FrameRate;
  }
  const uint16_t reportedRate = t.FrameRate;
  SelectResolution(t.ResolutionIndex, false);
  TimingEdits[0]->SetValue(t.HActive);
  TimingEdits[1]->SetValue(t.VActive);
  TimingEdits[2]->SetValue(static_cast<float>(reportedRate) / 100.0f);
  PostMsg(OwnerWindow(), MRebuildCanvas, 0, 0);
}

void MOutputDlg::OnBnClickedMore() { ShowTimingGroup(MoreButton->IsChecked()); }

uint8_t MOutputDlg::PolarityOf(CDropButton* list) const {
  const int at = list->GetCurSel();
  return static_cast<uint8_t>(at < 0 ? PolarityNegative : list->GetList()->GetItemData(at));
}

TimingValues MOutputDlg::ReadTimingEdits() const {
  TimingValues v;
  for (int i = 0; i < TimingEditCount; ++i) v.Value[i] = TimingEdits[i]->Value();
  return v;
}

void MOutputDlg::WriteTimingEdits(const TimingValues& values, const std::vector<TimingEdit>& which) {
  for (TimingEdit e : which) TimingEdits[static_cast<int>(e)]->SetValue(values[e]);
}

void MOutputDlg::OnBnClickedApply() {
  DeviceState& state = GetDeviceState();
  TimingValues v = ReadTimingEdits();
  // Typing checks one edit at a time; the whole timing is checked once more before it goes out,
  // on what the operator sees.
  if (!MakeTimingConsistent(v, TimingGroupShown())) {
    ShowOperatorMessage(this, LanguageText("XIDS_TimingRefused"), UiStrings[38]);
    return;
  }
  std::vector<TimingEdit> all;
  for (int i = 0; i < TimingEditCount; ++i) all.push_back(static_cast<TimingEdit>(i));
  WriteTimingEdits(v, all);

  OutputTiming& t = state.OutputTiming;
  ResolutionEntry& row = state.ResolutionTable[CustomResolutionRow];
  t.ResolutionIndex = CustomResolutionRow;
  t.HActive = row.Width = static_cast<uint16_t>(v.Whole(TimingEdit::HActive));
  t.VActive = row.Height = static_cast<uint16_t>(v.Whole(TimingEdit::VActive));
  t.FrameRate = row.FrameRate = static_cast<uint16_t>(FrameRateTimes100(v[TimingEdit::Fps]));
  t.HTotal = static_cast<uint16_t>(v.Whole(TimingEdit::HTotal));
  t.VTotal = static_cast<uint16_t>(v.Whole(TimingEdit::VTotal));
  t.HSync = static_cast<uint16_t>(v.Whole(TimingEdit::HSync));
  t.VSync = static_cast<uint16_t>(v.Whole(TimingEdit::VSync));
  t.HBackPorch = static_cast<uint16_t>(v.Whole(TimingEdit::HBackPorch));
  t.VBackPorch = static_cast<uint16_t>(v.Whole(TimingEdit::VBackPorch));
  t.HPolarity = PolarityOf(HPolarityList);
  t.VPolarity = PolarityOf(VPolarityList);
  state.CustomTiming.TimingPanelOpen = MoreButton->IsChecked() ? 1 : 0;
  state.SendCommand(CmdOutputTiming);
  for (const QueuedCommand& c : ResolutionFollowUps(state, false)) {
    state.SendCommand(c.Command, c.Argument);
    if (c.Command == CmdQuery54 && c.Argument == LayerCount - 1) PostMsg(OwnerWindow(), MRebuildCanvas, 0, 0);
  }
}

void MOutputDlg::OnDropListSelChanged(int listId, int index) {
  DeviceState& state = GetDeviceState();
  if (listId == OutputResolutionListId) {
    if (index < 0 || index >= ResolutionRowCount) return;
    SelectResolution(static_cast<uint32_t>(index), index != static_cast<int>(CustomResolutionRow));
  } else if (listId == OutputHPolarityListId) {
    state.OutputTiming.HPolarity = PolarityOf(HPolarityList);
  } else if (listId == OutputVPolarityListId) {
    state.OutputTiming.VPolarity = PolarityOf(VPolarityList);
  }
}

void MOutputDlg::OnEditValueChanged(int controlId) {
  if (!IsShown()) return;
  DeviceState& state = GetDeviceState();
  const int timing = TimingEditIndexOf(controlId);
  if (timing >= 0) {
    TimingValues v = ReadTimingEdits();
    const auto edited = static_cast<TimingEdit>(timing);
    OutputTiming& t = state.OutputTiming;
    switch (edited) {
      case TimingEdit::HSync: t.HSync = static_cast<uint16_t>(v.Whole(edited)); break;
      case TimingEdit::VSync: t.VSync = static_cast<uint16_t>(v.Whole(edited)); break;
      case TimingEdit::HBackPorch: t.HBackPorch = static_cast<uint16_t>(v.Whole(edited)); break;
      case TimingEdit::VBackPorch: t.VBackPorch = static_cast<uint16_t>(v.Whole(edited)); break;
      default: break;
    }
    WriteTimingEdits(v, CrossCheckTiming(v, edited, TimingGroupShown()));
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (WindowEditIds[i] != controlId) continue;
    LayerRect r{static_cast<int>(WindowEdits[0]->Value()), static_cast<int>(WindowEdits[1]->Value()),
                static_cast<int>(WindowEdits[2]->Value()), static_cast<int>(WindowEdits[3]->Value())};
    r = ClampLayerEdit(r, static_cast<LayerEdit>(i), OutputWidth(), OutputHeight());
    StoreLayerWindow(r, false);
    return;
  }
}

void MOutputDlg::ShowPage(bool show) {
  EnsureControls();
  // A row picked but not applied is forgotten.
  if (!show) SelectResolution(GetDeviceState().OutputTiming.ResolutionIndex, false);
  MBaseDialog::ShowPage(show);
}

void MOutputDlg::ApplyLanguage() {
  EnsureControls();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[69]);
  SetControlText(ResolutionGroupId, wxString::FromUTF8(UiStrings[2]));
  SetControlText(RotateGroupId, wxString::FromUTF8(UiStrings[3]));
  // New words only: a row picked but not applied yet (the custom one) stays picked.
  const int picked = ResolutionList->GetCurSel();
  FillResolutionList();
  if (picked >= 0 && picked < ResolutionList->GetList()->GetCount()) ResolutionList->SetCurSel(picked);
  Refresh();
}

// ---- layer half ----

// The layer windows live on the output the device has now.
int MOutputDlg::OutputWidth() const { return GetDeviceState().OutputTiming.HActive; }
int MOutputDlg::OutputHeight() const { return GetDeviceState().OutputTiming.VActive; }

void MOutputDlg::ShowLayerWindow(uint32_t layer) {
  const LayerWindow& w = GetDeviceState().LayerWindow[layer];
  WindowEdits[0]->SetValue(static_cast<float>(w.X));
  WindowEdits[1]->SetValue(static_cast<float>(w.Y));
  WindowEdits[2]->SetValue(static_cast<float>(w.Width));
  WindowEdits[3]->SetValue(static_cast<float>(w.Height));
  // The layer shown is the one whose button is lit.
  RecordShownTexts("output page", {"layer " + LayerButtons[layer]->GetLabel().ToStdString(wxConvUTF8) +
                                   " window " + std::to_string(w.X) + "," + std::to_string(w.Y) + " " +
                                   std::to_string(w.Width) + "x" + std::to_string(w.Height)});
}

void MOutputDlg::ShowLayer(int layer) {
  EnsureControls();
  if (layer < 0 || layer >= LayerCount) return;
  SelectedLayer = static_cast<uint32_t>(layer);
  ShowLayerWindow(SelectedLayer);
  ShowRotate(RotateCodeOf(GetDeviceState().LayerWindow[layer].Rotation), true, false);
  MarkLayerButtons(LayerButtons, SelectedLayer);
}

void MOutputDlg::UpdateLayer() {
  EnsureControls();
  ShowLayerWindow(SelectedLayer);
  ShowRotate(RotateCodeOf(GetDeviceState().LayerWindow[SelectedLayer].Rotation), true, false);
}

void MOutputDlg::UpdateLayerButtons() {
  EnsureControls();
  if (const auto layer = ShowSwitcherLayerButtons(LayerButtons, GetDeviceState().SwitcherSettings))
    OnBnClickedLayer(*layer);
}

void MOutputDlg::OnBnClickedLayer(int layer) {
  if (!SelectLayerButton(LayerButtons, SelectedLayer, layer)) return;
  ShowLayerWindow(SelectedLayer);
  ShowRotate(RotateCodeOf(GetDeviceState().LayerWindow[layer].Rotation), true, false);
}

void MOutputDlg::StoreLayerWindow(const LayerRect& r, bool fullScreen) {
  DeviceState& state = GetDeviceState();
  LayerWindow& w = state.LayerWindow[SelectedLayer];
  w.X = r.X;
  w.Y = r.Y;
  w.Width = r.Width;
  w.Height = r.Height;
  if (fullScreen) state.LayerWindowExtra[SelectedLayer].FullScreen = 1;
  ShowLayerWindow(SelectedLayer);
  state.SendCommand(CmdLayerWindow, SelectedLayer);
  PostMsg(OwnerWindow(), MLayerWindowChanged, LayerRectToCanvas, static_cast<LPARAM>(SelectedLayer));
}

void MOutputDlg::OnBnClickedFullScreen() { StoreLayerWindow(FullScreenWindow(OutputWidth(), OutputHeight()), true); }

void MOutputDlg::OnBnClickedHalfQuarter(int controlId) {
  const LayerRect current = WindowOf(GetDeviceState().LayerWindow[SelectedLayer]);
  StoreLayerWindow(controlId == QuarterId ? QuarterWindow(current, OutputWidth(), OutputHeight())
                                          : HalfWindow(current, OutputWidth(), OutputHeight()),
                   false);
}

void MOutputDlg::OnBnClickedRotate(int code) {
  if (RotateCodeOf(GetDeviceState().LayerWindow[SelectedLayer].Rotation) == code &&
      GetDeviceState().LayerWindow[SelectedLayer].Rotation < RotateCodeCount) {
    // Already this code: only the button marks are put right again.
    SetRotate(code, false);
    return;
  }
  ShowRotate(code, true, true);
}

void MOutputDlg::ShowRotate(int code, bool /*turn*/, bool send) {
  code = RotateCodeOf(static_cast<uint32_t>(code));
  // The shown picture is always made from the unturned one, so it can never drift from the code.
  LastRotateSteps = RotateSteps(RotateShown, code);
  Rotated = RotateOriginal;
  if (Rotated.IsOk())
    for (RotateFlip step : RotateCodes()[code].TurnTo) ApplyFlip(Rotated, step);
  RotateShown = code;
  RefreshRect(RotatePreviewRect);
  SetRotate(code, send);
}

void MOutputDlg::SetRotate(int code, bool send) {
  DeviceState& state = GetDeviceState();
  state.LayerWindow[SelectedLayer].Rotation = static_cast<uint32_t>(code);
  if (send) state.SendCommand(CmdLayerWindow, SelectedLayer);
  for (int i = 0; i < RotateCodeCount; ++i) {
    RotateButtons[i]->SetChecked(i == code);
    RotateButtons[i]->SetTextColour(i == code ? PageTextOn : PageTextOff);
    RotateButtons[i]->Refresh();
  }
}

wxRect MOutputDlg::RotateFrame() const { return RotatePreviewRect; }

std::vector<wxRect> MOutputDlg::PageFrames() const {
  return {wxRect(6, LayerFrameTop, 308, LayerFrameBottom - LayerFrameTop)};
}

void MOutputDlg::PaintExtras(wxDC& dc) {
  DrawFrame(dc, wxRect(6, LayerFrameTop, 308, LayerFrameBottom - LayerFrameTop));
  if (!Rotated.IsOk()) return;
  const wxRect frame = RotateFrame();
  const int left = frame.x + frame.width / 2 - Rotated.GetWidth() / 2;
  const int top = frame.y + frame.height / 2 - Rotated.GetHeight() / 2;
  dc.DrawBitmap(wxBitmap(Rotated), left, top, true);
}
