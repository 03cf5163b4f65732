#include "pages/MCropDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/DrawingAids.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
constexpr COLORREF PreviewFill = 0x00AEFF;
constexpr int FirstLayerButtonId = 1132;
constexpr int OnOffId = 1158, ResetId = 1162, InputCaptionId = 1182;
constexpr int EditIds[4] = {1137, 1005, 1012, 1017};

wxRect ToWx(const PagePreviewRect& r) { return wxRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top); }
}  // namespace

MCropDlg::MCropDlg() : MBaseDialog(IDD, true) {}

void MCropDlg::EnsureControls() {
  if (!Built) OnInitDialog();
}

void MCropDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  CreateCaptionButtons(false);
  static const char* const layerNames[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
  for (int layer = 0; layer < 4; ++layer) {
    auto* b = new CGdipButton(this, FirstLayerButtonId + layer, layerNames[layer],
                              wxRect(12 + 75 * layer, 40, 71, 28));
    b->LoadStdImage(144);
    b->LoadAltImage(148);
    b->SetCheckOnClick(true);
    LayerButtons[layer] = b;
    OnClicked(FirstLayerButtonId + layer, [this, layer] { OnBnClickedLayer(layer); });
  }
  InputCaption = new SkinStatic(this, InputCaptionId, "Input Source\n", wxRect(20, 80, 280, 40));
  OnOffButton = new CGdipButton(this, OnOffId, "ON/OFF", wxRect(60, 130, 86, 28));
  OnOffButton->LoadStdImage(129);
  OnOffButton->LoadAltImage(147);
  OnOffButton->SetToggle(true);
  ResetButton = new CGdipButton(this, ResetId, "Reset", wxRect(190, 130, 86, 28));
  ResetButton->LoadStdImage(129);
  for (CGdipButton* b : {OnOffButton, ResetButton}) b->SetTextColour(PageTextOff);
  OnClicked(OnOffId, [this] { OnBnClickedOnOff(); });
  OnClicked(ResetId, [this] { OnBnClickedReset(); });

  const char* const labels[4] = {"H start :", "V start :", "Width :", "Height :"};
  const int labelIds[4] = {LabelId::HStart, LabelId::VStart, LabelId::Width, LabelId::Height};
  for (int i = 0; i < 4; ++i) {
    const int y = 184 + 28 * i;
    new SkinStatic(this, labelIds[i], labels[i], wxRect(178, y + 2, 62, 18));
    Edits[i] = new oRealEdit(this, EditIds[i], wxRect(240, y, 66, 22));
    Edits[i]->SetRange(true, i < 2 ? 0.0f : 32.0f, 9999.0f, "%d", i < 2 ? 0.0f : 32.0f);
  }
  SetChildFonts();
  OnMsg(MEditValueChanged, [this](WPARAM id, LPARAM) {
    OnEditValueChanged(static_cast<int>(id));
    return 0;
  });
  UpdateInputSource();
  // The preview box hangs below the ON/OFF button.
  const wxRect button = OnOffButton->GetRect();
  PreviewBox = {button.x - 30, button.y + 50, button.x + 100, button.y + 150};
  SourceRow = GetDeviceState().GetLayerInputIndex(SelectedLayer);
  MarkLayerButtons(LayerButtons, SelectedLayer);
  SetCropOn(false);
  UpdateCropPreview();
}

void MCropDlg::ApplyLanguage() {
  EnsureControls();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[70]);
  Refresh();
}

::CropRect* MCropDlg::Record() {
  if (!SourceRow || *SourceRow >= InputRowCount) return nullptr;
  return &GetDeviceState().CropRect[4 * *SourceRow + SelectedLayer];
}

bool MCropDlg::FollowLayerInput() {
  // The edits are stored in the record the crop command is built from: the one of the input
  // the layer shows now.
  if (GetDeviceState().GetLayerInputIndex(SelectedLayer) == SourceRow) return false;
  ShowLayerInput();
  return true;
}

void MCropDlg::ShowLayerInput() {
  SourceRow = GetDeviceState().GetLayerInputIndex(SelectedLayer);
  ShowRecord();
  UpdateInputSource();
  const ::CropRect* r = Record();
  SetCropOn(r && r->Enable != 0);
  UpdateCropPreview();
}

void MCropDlg::ShowRecord() {
  const ::CropRect* r = Record();
  const ::CropRect none{};
  const ::CropRect& c = r ? *r : none;
  Edits[0]->SetValue(c.HStart);
  Edits[1]->SetValue(c.VStart);
  Edits[2]->SetValue(c.Width);
  Edits[3]->SetValue(c.Height);
}

void MCropDlg::RecordShown() const {
  const DeviceState& state = GetDeviceState();
  const uint8_t source = state.LayerWindow[SelectedLayer].Source;
  std::string line = "layer ";
  line.append(std::to_string(SelectedLayer)).append(" input ");
  line.append(source < InputRowCount
                  ? wxString::FromUTF8(state.InputTable[source].Name).Strip(wxString::both).utf8_string()
                  : std::string("none"));
  line.append(CropOn ? " on " : " off ");
  for (size_t i = 0; i < Edits.size(); ++i) {
    if (i) line.push_back(',');
    line.append(std::to_string(static_cast<int>(Edits[i]->Value())));
  }
  RecordShownTexts("crop", {line});
}

void MCropDlg::SetCropOn(bool on) {
  CropOn = on;
  OnOffButton->SetChecked(on);
  OnOffButton->Refresh();
  ResetButton->Enable(on);
  for (oRealEdit* e : Edits) e->Enable(on);
  RecordShown();
}

void MCropDlg::SendCropChanged() {
  if (SourceRow) SendMsg(OwnerWindow(), MPageEvent, EvCropChanged, CropEventArgument(*SourceRow, SelectedLayer));
}

void MCropDlg::UpdateFromDevice() {
  EnsureControls();
  // The layer may show another input since the last refresh.
  ShowLayerInput();
  SendCropChanged();
}

void MCropDlg::UpdateInputSource() {
  EnsureControls();
  const DeviceState& state = GetDeviceState();
  const uint8_t source = state.LayerWindow[SelectedLayer].Source;
  wxString text = "Input Source\n";
  if (source < InputRowCount) text += wxString::FromUTF8(state.InputTable[source].Name);
  InputCaption->SetLabel(text);
  RefreshRect(InputCaption->GetRect().Inflate(1));
}

void MCropDlg::UpdateLayerButtons() {
  EnsureControls();
  if (const auto layer = ShowSwitcherLayerButtons(LayerButtons, GetDeviceState().SwitcherSettings))
    OnBnClickedLayer(*layer);
}

void MCropDlg::OnBnClickedLayer(int layer) {
  if (!SelectLayerButton(LayerButtons, SelectedLayer, layer)) return;
  ShowLayerInput();
}

void MCropDlg::OnBnClickedOnOff() {
  // The click is for the layer's crop: kept across a move to the layer's new input.
  const bool on = OnOffButton->IsChecked();
  FollowLayerInput();
  ::CropRect* r = Record();
  if (!r) {
    // A layer whose source names no input has no crop to switch.
    SetCropOn(false);
    return;
  }
  SetCropOn(on);
  r->Enable = CropOn ? 1 : 0;
  GetDeviceState().SendCommand(CmdCrop, SelectedLayer, 0);
  SendCropChanged();
}

void MCropDlg::OnBnClickedReset() {
  FollowLayerInput();
  if (!CropOn || !Record()) return;
  GetDeviceState().SendCommand(CmdCrop, SelectedLayer, 1);
}

void MCropDlg::OnEditValueChanged(int controlId) {
  if (!IsShown()) return;
  int edited = -1;
  for (int i = 0; i < 4; ++i)
    if (EditIds[i] == controlId) edited = i;
  if (edited < 0) return;
  // The typed value goes with the new input's other three values, not the old input's.
  const float typed = Edits[edited]->Value();
  if (FollowLayerInput()) Edits[edited]->SetValue(typed);
  ::CropRect* r = Record();
  if (edited < 0 || !r) return;
  PictureRect c{static_cast<int>(Edits[0]->Value()), static_cast<int>(Edits[1]->Value()),
                static_cast<int>(Edits[2]->Value()), static_cast<int>(Edits[3]->Value())};
  c = ClampCropEdit(c, static_cast<CropEdit>(edited), r->SourceWidth, r->SourceHeight);
  Edits[0]->SetValue(static_cast<float>(c.X));
  Edits[1]->SetValue(static_cast<float>(c.Y));
  Edits[2]->SetValue(static_cast<float>(c.Width));
  Edits[3]->SetValue(static_cast<float>(c.Height));
  // What the edits hold (their own ranges applied) is what is stored and sent.
  r->HStart = static_cast<uint16_t>(Edits[0]->Value());
  r->VStart = static_cast<uint16_t>(Edits[1]->Value());
  r->Width = static_cast<uint16_t>(Edits[2]->Value());
  r->Height = static_cast<uint16_t>(Edits[3]->Value());
  UpdateCropPreview();
  RecordShown();
  GetDeviceState().SendCommand(CmdCrop, SelectedLayer, 0);
  SendCropChanged();
}

void MCropDlg::UpdateCropPreview() {
  const ::CropRect* r = Record();
  const PictureRect c{static_cast<int>(Edits[0]->Value()), static_cast<int>(Edits[1]->Value()),
                      static_cast<int>(Edits[2]->Value()), static_cast<int>(Edits[3]->Value())};
  PreviewCrop = ScaledPreviewRect(PreviewBox, r ? r->SourceWidth : 0, r ? r->SourceHeight : 0, c);
  RefreshRect(ToWx(PreviewBox).Inflate(2));
}

wxRect MCropDlg::InputFrame() const {
  // Its lines pass clear of the buttons above and within it, so no line runs across a button.
  const wxRect main = LayerButtons[0]->GetRect(), onOff = OnOffButton->GetRect();
  const int top = main.GetBottom() + 1 + 4, bottom = onOff.GetBottom() + 1 + 8;
  return wxRect(10, top, GetClientSize().x - 20, bottom - top);
}

std::vector<wxRect> MCropDlg::PageFrames() const {
  const wxRect frame = InputFrame();
  return {wxRect(frame.x, frame.y, frame.width + 1, frame.height + 1)};
}

void MCropDlg::PaintExtras(wxDC& dc) {
  // Frame round the input caption, drawn twice, the second one pixel down and right.
  const wxRect frame = InputFrame();
  DrawFrame(dc, frame);
  DrawFrame(dc, wxRect(frame.x + 1, frame.y + 1, frame.width, frame.height));
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(ColourFromRef(PreviewFill)));
  dc.DrawRectangle(ToWx(PreviewBox));
  dc.SetPen(*wxBLACK_PEN);
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.DrawRectangle(ToWx(PreviewCrop));
}
