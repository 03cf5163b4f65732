#include "pages/MMosaicDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/DrawingAids.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

namespace {
constexpr int OnOffId = 1165, ResetId = 1163;
constexpr int FirstLayerButtonId = 1142;
constexpr int AutomaticGroupId = 1140, ManualGroupId = 1146;
constexpr int EditIds[6] = {1148, 1149, 1152, 1153, 1156, 1007};
// Pictures of the cells 0..7 and the two marks.
constexpr int CellPictureIds[ArrangementCellCount] = {1503, 1504, 1511, 1512, 186, 124, 123, 122};
constexpr int MarkChosenId = 125, MarkOtherId = 126;
const wxRect ButtonFrame(6, 30, 308, 104);

// The per-layer array of one geometry value.
uint32_t* ValuesOf(MosaicSettings& m, MosaicEdit e) {
  switch (e) {
    case MosaicEdit::HStart: return m.HStart;
    case MosaicEdit::VStart: return m.VStart;
    case MosaicEdit::Width: return m.Width;
    case MosaicEdit::Height: return m.Height;
    case MosaicEdit::HTotal: return m.HTotal;
    case MosaicEdit::VTotal: return m.VTotal;
  }
  return m.HStart;
}
}  // namespace

MMosaicDlg::MMosaicDlg() : MBaseDialog(IDD, true) {
  // Start values of the page until the first refresh.
  MosaicOn = GetDeviceState().MosaicPageValue0 != 0;
}

void MMosaicDlg::EnsureControls() {
  if (!Built) OnInitDialog();
}

void MMosaicDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  CreateCaptionButtons(false);
  OnOffButton = new CGdipButton(this, OnOffId, "ON/OFF", wxRect(14, 38, 96, 28));
  OnOffButton->LoadStdImage(129);
  OnOffButton->LoadAltImage(147);
  OnOffButton->SetToggle(true);
  OnOffButton->SetTextColour(PageTextOff);
  OnClicked(OnOffId, [this] { OnBnClickedOnOff(); });
  for (int i = 0; i < PanelModeCount; ++i) {
    const PanelModeRow& row = PanelModes()[i];
    const int x = 14 + 98 * ((i + 1) % 3), y = 38 + 32 * ((i + 1) / 3);
    auto* b = new CGdipButton(this, row.ControlId, row.Caption, wxRect(x, y, 94, 28));
    b->LoadStdImage(129);
    b->LoadAltImage(147);
    b->SetCheckOnClick(true);
    b->SetTextColour(PageTextOff);
    PanelButtons[i] = b;
    OnClicked(row.ControlId, [this, i] { OnBnClickedPanelMode(i); });
  }
  ArrangementBox = wxRect(6, 142, 308, 112);
  AddGroupBox(AutomaticGroupId, ArrangementBox, wxString::FromUTF8(UiStrings[5]));
  AddGroupBox(ManualGroupId, wxRect(6, 262, 308, 190), wxString::FromUTF8(UiStrings[6]));
  static const char* const layerNames[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
  for (int layer = 0; layer < 4; ++layer) {
    auto* b = new CGdipButton(this, FirstLayerButtonId + layer, layerNames[layer],
                              wxRect(12 + 75 * layer, 282, 71, 28));
    b->LoadStdImage(144);
    b->LoadAltImage(148);
    b->SetCheckOnClick(true);
    LayerButtons[layer] = b;
    OnClicked(FirstLayerButtonId + layer, [this, layer] { OnBnClickedLayer(layer); });
  }
  const char* const labels[6] = {"H start :", "V start :", "Width :", "Height :", "H total :", "V total :"};
  const int labelIds[6] = {LabelId::HStart, LabelId::VStart, LabelId::Width,
                           LabelId::Height, LabelId::HTotal, LabelId::VTotal};
  for (int i = 0; i < 6; ++i) {
    const int x = i % 2 ? 164 : 12, y = 318 + 28 * (i / 2);
    new SkinStatic(this, labelIds[i], labels[i], wxRect(x, y + 2, 66, 18));
    Edits[i] = new oRealEdit(this, EditIds[i], wxRect(x + 68, y, 72, 22));
    Edits[i]->SetRange(true, 0, 9999, "%d", 0);
  }
  ResetButton = new CGdipButton(this, ResetId, "Reset", wxRect(112, 410, 96, 28));
  ResetButton->LoadStdImage(129);
  ResetButton->SetTextColour(PageTextOff);
  OnClicked(ResetId, [this] { OnBnClickedReset(); });
  SetChildFonts();
  OnMsg(MEditValueChanged, [this](WPARAM id, LPARAM) {
    OnEditValueChanged(static_cast<int>(id));
    return 0;
  });
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
    OnLButtonDown(e.GetX(), e.GetY());
    e.Skip();
  });
  LoadPanelImages();
  MarkLayerButtons(LayerButtons, SelectedLayer);
  ShowLayerValues();
  ShowMosaicOn(MosaicOn);
}

void MMosaicDlg::LoadPanelImages() {
  for (int cell = 0; cell < ArrangementCellCount; ++cell) LoadPngResource(CellPictureIds[cell], CellPictures[cell]);
  LoadPngResource(MarkChosenId, MarkChosen);
  LoadPngResource(MarkOtherId, MarkOther);
  const int markW = MarkChosen.IsOk() ? MarkChosen.GetWidth() : 12;
  const int markH = MarkChosen.IsOk() ? MarkChosen.GetHeight() : 12;
  CellAreas = LayOutCells(ArrangementBox.x, ArrangementBox.y, markW, markH);
}

void MMosaicDlg::ApplyLanguage() {
  EnsureControls();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[71]);
  SetControlText(AutomaticGroupId, wxString::FromUTF8(UiStrings[5]));
  SetControlText(ManualGroupId, wxString::FromUTF8(UiStrings[6]));
  Refresh();
}

void MMosaicDlg::ShowMosaicOn(bool on) {
  EnsureControls();
  MosaicOn = on;
  OnOffButton->SetChecked(on);
  OnOffButton->Refresh();
  for (int i = 0; i < PanelModeCount; ++i) {
    PanelButtons[i]->SetChecked(static_cast<uint32_t>(i) == PanelIndex);
    PanelButtons[i]->SetTextColour(static_cast<uint32_t>(i) == PanelIndex ? PageTextOn : PageTextOff);
    PanelButtons[i]->Enable(on);
    PanelButtons[i]->Refresh();
  }
  ResetButton->Enable(on);
  for (oRealEdit* e : Edits) e->Enable(on);
  RefreshRect(ArrangementBox);
}

void MMosaicDlg::ShowLayerValues() {
  MosaicSettings& m = GetDeviceState().MosaicSettings;
  for (int i = 0; i < 6; ++i)
    Edits[i]->SetValue(static_cast<float>(ValuesOf(m, static_cast<MosaicEdit>(i))[SelectedLayer]));
}

void MMosaicDlg::ClearCellMarks() {
  CellSelected.fill(false);
  RefreshRect(ArrangementBox);
}

void MMosaicDlg::ShowBusy() {
  SendBusyBox(*this, true, UiStrings[65]);
}

int MMosaicDlg::CheckedPanel() const {
  for (int i = 0; i < PanelModeCount; ++i)
    if (PanelButtons[i]->IsChecked()) return i;
  return -1;
}

void MMosaicDlg::UpdateFromDevice(int32_t argument) {
  EnsureControls();
  if (argument != 3) return;
  DeviceState& state = GetDeviceState();
  // A mode the page does not know shows as off; the marked panel stays.
  const uint32_t mode = ShownMosaicMode(state.MosaicSettings.Mode);
  if (mode != 0) PanelIndex = mode - 1;
  ShowMosaicOn(mode != 0);
  ShowLayerValues();
  SendMsg(OwnerWindow(), MPageEvent, EvMosaicMode, static_cast<LPARAM>(mode));
  ClearCellMarks();
  // A reported cell of another mode is drawn (and kept) as this mode's first arrangement, so the
  // frames, the layers' bindings and the preview quadrants all follow one arrangement.
  CellIndex = ShownArrangement(mode, state.MosaicSettings.Arrangement);
  if (CellIndex < NoArrangementCell) {
    state.MosaicCell = CellIndex;
    state.MosaicSettings.Arrangement = CellIndex;
    CellSelected[CellIndex] = true;
  }
  PostMsg(OwnerWindow(), MPageEvent, EvMosaicArrangement, CellIndex);
  RefreshRect(ArrangementBox);
}

void MMosaicDlg::OnBnClickedOnOff() {
  DeviceState& state = GetDeviceState();
  ShowMosaicOn(OnOffButton->IsChecked());
  MosaicSettings& m = state.MosaicSettings;
  m.Mode = MosaicOn ? PanelIndex + 1 : 0;
  if (m.Mode == 5) {
    // Four panels need PIP-3 as a layer.
    state.LogoSettings.Pip3Usage = 0;
    PostMsg(OwnerWindow(), MLogoLayerChanged, 1, 0);
  }
  state.SendCommand(CmdQueryKeyer, 1);
  state.SendCommand(CmdQueryKeyer, 3);
  state.MosaicReset = 0;
  state.SendCommand(CmdMosaic, SelectedLayer, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvMosaicMode, static_cast<LPARAM>(m.Mode));
  if (MosaicOn) {
    ClearCellMarks();
    PostMsg(OwnerWindow(), MPageEvent, EvMosaicArrangement, EntryCellOf(m.Mode));
    CellIndex = NoArrangementCell;
    state.MosaicCell = NoArrangementCell;
    ShowBusy();
    for (int layer = 0; layer < LayerCount; ++layer) state.SendCommand(CmdQuery56, layer);
  }
  state.SendCommand(CmdQuery57);
  for (int layer = 0; layer < LayerCount; ++layer) state.SendCommand(CmdQuery54, layer);
  RefreshRect(ArrangementBox);
}

void MMosaicDlg::OnBnClickedPanelMode(int index) {
  if (index < 0 || index >= PanelModeCount) return;
  const uint32_t previous = PanelIndex;
  PanelIndex = static_cast<uint32_t>(index);
  for (int i = 0; i < PanelModeCount; ++i) {
    PanelButtons[i]->SetChecked(i == index);
    PanelButtons[i]->SetTextColour(i == index ? PageTextOn : PageTextOff);
    PanelButtons[i]->Refresh();
  }
  if (previous == PanelIndex) return;
  DeviceState& state = GetDeviceState();
  MosaicSettings& m = state.MosaicSettings;
  m.Mode = PanelIndex + 1;
  state.MosaicReset = 0;
  state.SendCommand(CmdMosaic, SelectedLayer, 0);
  SendMsg(OwnerWindow(), MPageEvent, EvMosaicMode, static_cast<LPARAM>(m.Mode));
  state.SendCommand(CmdQuery73);
  state.SendCommand(CmdQueryKeyer, 3);
  state.SendCommand(CmdQueryKeyer, 1);
  PostMsg(OwnerWindow(), MPageEvent, EvMosaicArrangement, EntryCellOf(m.Mode));
  ClearCellMarks();
  if (m.Mode == 5) {
    state.LogoSettings.Pip3Usage = 0;
    PostMsg(OwnerWindow(), MLogoLayerChanged, 1, 0);
  }
  state.MosaicCell = NoArrangementCell;
  CellIndex = NoArrangementCell;
  ShowBusy();
  RefreshRect(ArrangementBox);
}

void MMosaicDlg::OnLButtonDown(int x, int y) {
  if (!MosaicOn) return;
  const int panel = CheckedPanel();
  if (panel < 0) return;
  const uint32_t mode = static_cast<uint32_t>(panel) + 1;
  const std::optional<uint8_t> cell = HitArrangementCell(mode, CellAreas, x, y);
  if (!cell) return;
  const PanelModeRow& row = PanelModes()[panel];
  for (int c = row.FirstCell; c < row.FirstCell + row.CellCount; ++c) CellSelected[c] = c == *cell;
  RefreshRect(ArrangementBox);
  if (*cell == CellIndex) return;
  CellIndex = *cell;
  DeviceState& state = GetDeviceState();
  state.MosaicCell = *cell;
  state.MosaicSettings.Arrangement = *cell;
  state.SendCommand(CmdMosaic, 0, 1);
  ShowBusy();
  PostMsg(OwnerWindow(), MPageEvent, EvMosaicArrangement, *cell);
}

void MMosaicDlg::OnBnClickedLayer(int layer) {
  if (!SelectLayerButton(LayerButtons, SelectedLayer, layer)) return;
  ShowLayerValues();
}

void MMosaicDlg::OnBnClickedReset() {
  DeviceState& state = GetDeviceState();
  MosaicSettings& m = state.MosaicSettings;
  const uint32_t l = SelectedLayer;
  m.HStart[l] = 0;
  m.VStart[l] = 0;
  m.Width[l] = 1920;
  m.Height[l] = 1080;
  m.HTotal[l] = 1920;
  m.VTotal[l] = 1080;
  ShowLayerValues();
  state.MosaicReset = 1;
  state.SendCommand(CmdMosaic, l, 2);
  state.MosaicReset = 0;
}

void MMosaicDlg::OnEditValueChanged(int controlId) {
  if (!IsShown()) return;
  int edited = -1;
  for (int i = 0; i < 6; ++i)
    if (EditIds[i] == controlId) edited = i;
  if (edited < 0) return;
  DeviceState& state = GetDeviceState();
  MosaicSettings& m = state.MosaicSettings;
  const uint32_t l = SelectedLayer;
  MosaicGeometry v;
  for (int i = 0; i < 6; ++i) v.Value[i] = static_cast<int64_t>(Edits[i]->Value());
  v = ClampMosaicEdit(v, static_cast<MosaicEdit>(edited), m.HTotal[l], m.VTotal[l]);
  for (int i = 0; i < 6; ++i) {
    Edits[i]->SetValue(static_cast<float>(v.Value[i]));
    ValuesOf(m, static_cast<MosaicEdit>(i))[l] = static_cast<uint32_t>(Edits[i]->Value());
  }
  state.SendCommand(CmdMosaic, l, 2);
}

wxRect MMosaicDlg::ButtonFrameRect() { return ButtonFrame; }

void MMosaicDlg::PaintExtras(wxDC& dc) {
  DrawFrame(dc, ButtonFrame);
  const uint32_t mode = MosaicOn ? ShownMosaicMode(GetDeviceState().MosaicSettings.Mode) : 0;
  if (mode < 2) return;
  const PanelModeRow& row = PanelModes()[mode - 1];
  for (int cell = row.FirstCell; cell < row.FirstCell + row.CellCount; ++cell) {
    const CellRect& p = CellAreas[cell].Picture;
    wxRect picture(p.Left, p.Top, p.Width, p.Height);
    DrawImageInRect(CellPictures[cell], dc, &picture);
    const wxImage& mark = CellSelected[cell] ? MarkChosen : MarkOther;
    if (mark.IsOk()) dc.DrawBitmap(wxBitmap(mark), CellAreas[cell].Mark.Left, CellAreas[cell].Mark.Top, true);
  }
}
