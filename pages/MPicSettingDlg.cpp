#include "pages/MPicSettingDlg.h"

#include <wx/dc.h>

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "platform/ui/ShownTexts.h"
#include "pages/PageLook.h"
#include "pages/PictureSettingsLogic.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
// Rows of the value edits: label, top of the row.
struct EditRow {
    int EditId;
    const char* Label;
    int Top;
};
constexpr EditRow EditRows[] = {
    {IdBrightLevelEdit, "Bright Level", 132}, {IdGammaEdit, "Gamma", 156},
    {IdBrightnessEdit, "Brightness", 194},    {IdContrastEdit, "Contrast", 218},
    {IdSaturationEdit, "Saturation", 242},    {IdHueEdit, "Hue", 266},
    {IdSharpnessEdit, "Sharpness(\u226424)", 290},
    {IdRedEdit, "Red", 364},                  {IdGreenEdit, "Green", 388},
    {IdBlueEdit, "Blue", 412},
};
constexpr int LabelX = 18, SliderX = 106, SliderW = 122, EditX = 232, EditW = 40, RowH = 20, OnOffX = 273;
// Everything fits the docked page area of the 728-pixel main window (526 px high).
constexpr int PictureModeGroupTop = 90, ColourGroupTop = 322;
}  // namespace

MPicSettingDlg::MPicSettingDlg() : MBaseDialog(IDD, true) {}
MPicSettingDlg::~MPicSettingDlg() = default;

void MPicSettingDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[68]);
  InitButtons();
  InitGroupBoxes();
  InitDropLists();
  InitSliders();
  OnClicked(IdScopeDvi, [this] { OnBnClickedDvi(); });
  OnClicked(IdScopeAll, [this] { OnBnClickedAll(); });
  OnClicked(IdGammaOnOff, [this] { OnBnClickedGammaOnOff(); });
  OnClicked(IdBrightLevelOnOff, [this] { OnBnClickedBrightLevelOnOff(); });
  OnClicked(IdResetColour, [this] { OnBnClickedReset(); });
  OnClicked(IdResetPicture, [this] { OnBnClickedResetPicture(); });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  // Enter and Esc name the key, not an edit: nothing on this page answers them.
  OnMsg(MEditKeyDown, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  OnMsg(MDropListSelChanged, [this](WPARAM w, LPARAM l) -> LRESULT {
    OnDropListSelChanged(static_cast<int>(w), static_cast<int>(l));
    return 0;
  });
  SetChildFonts();
}

void MPicSettingDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
}

void MPicSettingDlg::InitButtons() {
  const DeviceState& s = GetDeviceState();
  for (int i = 0; i < 4; ++i) {
    static const char* const captions[] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
    auto* b = new CGdipButton(this, IdLayerMain + i, captions[i], wxRect(8 + 76 * i, 30, 72, 26));
    b->LoadStdImage(113);
    b->LoadAltImage(114);
    b->SetFont(ControlFont);
    b->SetCheckOnClick(true);
    b->SetChecked(static_cast<uint32_t>(i) == Layer);
    b->SetTextColour(static_cast<uint32_t>(i) == Layer ? PageTextOn : PageTextOff);
    OnClicked(IdLayerMain + i, [this, i] { OnBnClickedLayer(IdLayerMain + i); });
    LayerButtons[i] = b;
  }
  DviButton = new CGdipButton(this, IdScopeDvi, "DVI", wxRect(8, 60, 150, 24));
  AllButton = new CGdipButton(this, IdScopeAll, "ALL", wxRect(164, 60, 72, 24));
  for (CGdipButton* b : {DviButton, AllButton}) {
    b->LoadStdImage(115);
    b->LoadAltImage(116);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOnLightFace);
  }
  const uint8_t scope = s.LayerPictureDefaults[4 * Input + Layer].Scope;
  DviButton->SetChecked(scope == 0);
  AllButton->SetChecked(scope == 1);
  BrightLevelOnOff = new CGdipButton(this, IdBrightLevelOnOff, "0ff", wxRect(OnOffX, 132, 34, RowH));
  GammaOnOff = new CGdipButton(this, IdGammaOnOff, "0ff", wxRect(OnOffX, 156, 34, RowH));
  for (CGdipButton* b : {BrightLevelOnOff, GammaOnOff}) {
    b->LoadStdImage(129);
    b->LoadAltImage(147);
    b->SetToggle(true);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOff);
  }
  ResetButton = new CGdipButton(this, IdResetColour, "Reset", wxRect(216, 442, 88, 24));
  ResetPictureButton = new CGdipButton(this, IdResetPicture, "Reset Picture Settings", wxRect(50, 474, 220, 26));
  for (CGdipButton* b : {ResetButton, ResetPictureButton}) {
    b->LoadStdImage(115);
    b->SetFont(ControlFont);
    b->SetTextColour(PageTextOnLightFace);
  }
}

void MPicSettingDlg::InitGroupBoxes() {
  AddGroupBox(IdGroupPictureMode, wxRect(11, PictureModeGroupTop, 298, 226), wxString::FromUTF8(UiStrings[0]));
  AddGroupBox(IdGroupColourTemperature, wxRect(11, ColourGroupTop, 298, 116), wxString::FromUTF8(UiStrings[1]));
}

void MPicSettingDlg::InitDropLists() {
  PictureModeList = MakePageDropList(this, PictureModeListId, wxRect(80, PictureModeGroupTop + 16, 160, 20));
  ColourTemperatureList =
      MakePageDropList(this, ColourTemperatureListId, wxRect(80, ColourGroupTop + 16, 160, 20));
  FillDropLists();
}

void MPicSettingDlg::FillDropLists() {
  const DeviceState& s = GetDeviceState();
  CDropList* modes = PictureModeList->GetList();
  modes->ResetContent();
  for (int i = 0; i < 8; ++i) {
    const int at = modes->AddString(wxString::FromUTF8(UiStrings[57 + i]));
    modes->SetItemData(at, i);
  }
  CDropList* temps = ColourTemperatureList->GetList();
  temps->ResetContent();
  for (int i = 0; i < static_cast<int>(s.ColourTemperaturePresets.size()); ++i) {
    const int at = temps->AddString(wxString::FromUTF8(s.ColourTemperaturePresets[i].Name));
    temps->SetItemData(at, i);
  }
}

void MPicSettingDlg::InitSliders() {
  const DeviceState& s = GetDeviceState();
  const LayerPictureDefault& d = s.LayerPictureDefaults[4 * Input + Layer];
  // Start values in the order of PictureEdits.
  const float starts[10] = {static_cast<float>(s.PictureResetValues.BrightLevel), 0.0f,
                            static_cast<float>(d.Brightness), static_cast<float>(d.Contrast),
                            static_cast<float>(d.Saturation), static_cast<float>(d.Hue),
                            static_cast<float>(d.Sharpness), static_cast<float>(d.Red),
                            static_cast<float>(d.Green), static_cast<float>(d.Blue)};
  for (size_t i = 0; i < PictureEdits.size(); ++i) {
    const PictureEditSpec& spec = PictureEdits[i];
    const EditRow& row = EditRows[i];
    new SkinStatic(this, LabelId::PictureRowFirst + static_cast<int>(i), wxString::FromUTF8(row.Label),
                   wxRect(LabelX, row.Top + 2, SliderX - LabelX, 16));
    auto* slider = new oBitmapSlider(this, spec.SliderId, wxRect(SliderX, row.Top, SliderW, RowH));
    slider->SetBitmapChannel(159, 163);
    slider->SetBitmapThumb(161);
    auto* edit = new oSliderEdit(this, spec.EditId, wxRect(EditX, row.Top, EditW, RowH));
    edit->AttachSlider(slider);
    // Bright level and gamma start switched off.
    const bool enabled = i >= 2;
    edit->SetRange(enabled, spec.Min, spec.Max, spec.Format, starts[i]);
    slider->Enable(enabled);
  }
  new SkinStatic(this, IdGammaRangeLabel, "(0~5.0)  ", wxRect(EditX - 20, 177, 70, 14));
}

oSliderEdit* MPicSettingDlg::Edit(int id) const {
  return FindKitControl<oSliderEdit>(const_cast<MPicSettingDlg*>(this), id);
}

void MPicSettingDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[68]);
  if (CSxGroupBox* g = FindGroupBox(IdGroupPictureMode)) g->SetText(wxString::FromUTF8(UiStrings[0]));
  if (CSxGroupBox* g = FindGroupBox(IdGroupColourTemperature)) g->SetText(wxString::FromUTF8(UiStrings[1]));
  DeviceState& s = GetDeviceState();
  s.ColourTemperaturePresets[ColourTemperatureUser].Name = UiStrings[42];
  FillDropLists();
  // The refilled lists show what the last refresh showed: a preset mode's colour temperature
  // reads User, whatever the layer's record holds.
  const PictureView v = ComputePictureView(s, Layer, Input);
  DropListSelectByData(PictureModeList, static_cast<long>(v.PictureModeItem));
  DropListSelectByData(ColourTemperatureList, static_cast<long>(v.ColourTemperatureItem));
  RecordListCaptions();
  Refresh();
}

void MPicSettingDlg::RecordListCaptions() const {
  auto line = [](const char* what, const CDropButton* list) {
    return std::string(what) + " " + std::to_string(list->GetCurSel()) + " " +
           list->GetLabel().Strip(wxString::both).utf8_string();
  };
  RecordShownTexts("picture lists", {line("mode", PictureModeList), line("colour temperature", ColourTemperatureList)});
  const oSliderEdit* brightness = Edit(IdBrightnessEdit);
  RecordShownTexts("picture input", {"layer " + std::to_string(Layer) + " " +
                                     DviButton->GetLabel().Strip(wxString::both).utf8_string() + " brightness " +
                                     std::to_string(brightness ? static_cast<int>(brightness->Value()) : 0)});
}

void MPicSettingDlg::FollowLayerInput() {
  // An edit is stored in the record the picture command is built from: that of the input the
  // layer shows now.
  const DeviceState& s = GetDeviceState();
  const uint32_t row = PictureRecordRow(s, Layer, Input);
  if (row == Input) return;
  Input = row;
  const PictureView v = ComputePictureView(s, Layer, Input);
  if (v.DviCaption) DviButton->SetLabel(wxString::FromUTF8(*v.DviCaption));
}

void MPicSettingDlg::ShowOnOff(CGdipButton* button, oSliderEdit* edit, bool on, float value) {
  button->SetChecked(on);
  button->SetLabel(on ? "0n" : "0ff");
  if (!edit) return;
  edit->SetValue(value);
  edit->Enable(on);
  if (edit->GetSlider()) edit->GetSlider()->Enable(on);
}

void MPicSettingDlg::UpdateFromDevice() {
  OnInitDialog();
  DeviceState& s = GetDeviceState();
  const PictureView v = ComputePictureView(s, Layer, Input);
  DropListSelectByData(PictureModeList, static_cast<long>(v.PictureModeItem));
  BrightLevelOn = v.BrightLevelOn;
  GammaOn = v.GammaOn;
  ShowOnOff(BrightLevelOnOff, Edit(IdBrightLevelEdit), v.BrightLevelOn, v.BrightLevel);
  ShowOnOff(GammaOnOff, Edit(IdGammaEdit), v.GammaOn, v.Gamma);
  if (v.Input) Input = *v.Input;
  for (size_t i = 0; i < v.Values.size(); ++i)
    if (oSliderEdit* e = Edit(PictureEdits[i + 2].EditId)) e->SetValue(v.Values[i]);
  DropListSelectByData(ColourTemperatureList, static_cast<long>(v.ColourTemperatureItem));
  DviButton->SetChecked(!v.ApplyToAll);
  AllButton->SetChecked(v.ApplyToAll);
  if (v.DviCaption) DviButton->SetLabel(wxString::FromUTF8(*v.DviCaption));
  EnableAdjustments(v.AdjustmentsEnabled);
  RecordListCaptions();
  Refresh();
}

void MPicSettingDlg::EnableAdjustments(bool on) {
  auto enable = [this](int id, bool e) {
    if (oSliderEdit* edit = Edit(id)) {
      edit->Enable(e);
      if (edit->GetSlider()) edit->GetSlider()->Enable(e);
    }
  };
  enable(IdBrightLevelEdit, on && BrightLevelOn);
  enable(IdGammaEdit, on && GammaOn);
  for (int id : {IdBrightnessEdit, IdContrastEdit, IdSharpnessEdit, IdSaturationEdit, IdHueEdit}) enable(id, on);
  for (CGdipButton* b : {BrightLevelOnOff, GammaOnOff}) {
    b->Enable(on);
    b->SetDisabledLook(!on);
  }
  ColourTemperatureList->Enable(on);
  EnableRgbControls(on);
}

void MPicSettingDlg::EnableRgbControls(bool on) {
  for (int id : {IdRedEdit, IdGreenEdit, IdBlueEdit})
    if (oSliderEdit* edit = Edit(id)) {
      edit->Enable(on);
      if (edit->GetSlider()) edit->GetSlider()->Enable(on);
    }
}

void MPicSettingDlg::OnEditValueChanged(int id) {
  // A commit while the page is hidden comes from no operator.
  if (!IsShown()) return;
  oSliderEdit* edit = Edit(id);
  if (!edit) return;
  FollowLayerInput();
  DeviceState& s = GetDeviceState();
  switch (ApplyPictureEdit(s, Layer, Input, id, edit->Value())) {
    case PictureEditEffect::None: return;
    case PictureEditEffect::PictureModeUser: DropListSelectByData(PictureModeList, PictureModeUser); break;
    case PictureEditEffect::ColourTemperatureUser:
      DropListSelectByData(ColourTemperatureList, ColourTemperatureUser);
      break;
  }
  SendPicture(s, Layer);
  // For the window tests: how many picture commands the operator's edits sent, and the value shown.
  ++EditCommandsSent;
  if (const oSliderEdit* brightness = Edit(IdBrightnessEdit))
    RecordShownTexts("picture", {"sent " + std::to_string(EditCommandsSent) + " brightness " +
                                 std::to_string(static_cast<int>(brightness->Value()))});
}

void MPicSettingDlg::OnDropListSelChanged(int listId, int index) {
  DeviceState& s = GetDeviceState();
  if (listId == PictureModeListId) {
    if (index < 0 || index > static_cast<int>(PictureModeUser)) return;
    s.PictureMode = static_cast<uint32_t>(index);
    EnableAdjustments(index == static_cast<int>(PictureModeUser));
  } else if (listId == ColourTemperatureListId) {
    if (index < 0 || index > static_cast<int>(ColourTemperatureUser)) return;
    FollowLayerInput();
    ApplyColourTemperatureChoice(s, Layer, Input, static_cast<uint32_t>(index));
    EnableRgbControls(index == static_cast<int>(ColourTemperatureUser));
  } else {
    return;
  }
  SendPicture(s, Layer);
  UpdateFromDevice();
}

void MPicSettingDlg::OnBnClickedBrightLevelOnOff() {
  const bool on = BrightLevelOnOff->IsChecked();
  BrightLevelOnOff->SetLabel(on ? "0n" : "0ff");
  oSliderEdit* edit = Edit(IdBrightLevelEdit);
  edit->Enable(on);
  if (edit->GetSlider()) edit->GetSlider()->Enable(on);
  DropListSelectByData(PictureModeList, PictureModeUser);
  DeviceState& s = GetDeviceState();
  ApplyBrightLevelSwitch(s, on, edit->Value());
  SendPicture(s, Layer);
}

void MPicSettingDlg::OnBnClickedGammaOnOff() {
  const bool on = GammaOnOff->IsChecked();
  GammaOnOff->SetLabel(on ? "0n" : "0ff");
  oSliderEdit* edit = Edit(IdGammaEdit);
  edit->Enable(on);
  if (edit->GetSlider()) edit->GetSlider()->Enable(on);
  DropListSelectByData(PictureModeList, PictureModeUser);
  DeviceState& s = GetDeviceState();
  ApplyGammaSwitch(s, on, edit->Value());
  SendPicture(s, Layer);
}

void MPicSettingDlg::OnBnClickedDvi() {
  DviButton->SetChecked(true);
  AllButton->SetChecked(false);
  GetDeviceState().ApplyToAllInputs[Layer] = 0;
}

void MPicSettingDlg::OnBnClickedAll() {
  AllButton->SetChecked(true);
  DviButton->SetChecked(false);
  GetDeviceState().ApplyToAllInputs[Layer] = 1;
}

void MPicSettingDlg::SetLayerCaptionColours(uint32_t oldLayer) {
  LayerButtons[oldLayer]->SetTextColour(PageTextOff);
  LayerButtons[Layer]->SetTextColour(PageTextOn);
}

void MPicSettingDlg::OnBnClickedLayer(int id) {
  if (id < IdLayerMain || id >= IdLayerMain + 4) return;
  const uint32_t old = Layer;
  LayerButtons[old]->SetChecked(false);
  Layer = static_cast<uint32_t>(id - IdLayerMain);
  LayerButtons[Layer]->SetChecked(true);
  if (Layer == old) return;
  const DeviceState& s = GetDeviceState();
  DviButton->SetChecked(s.ApplyToAllInputs[Layer] == 0);
  AllButton->SetChecked(s.ApplyToAllInputs[Layer] == 1);
  UpdateFromDevice();
  SetLayerCaptionColours(old);
}

void MPicSettingDlg::OnBnClickedReset() {
  DropListSelectByData(ColourTemperatureList, ColourTemperatureUser);
  SendColourReset(GetDeviceState(), Layer);
}

void MPicSettingDlg::OnBnClickedResetPicture() { SendPictureReset(GetDeviceState(), Layer); }

void MPicSettingDlg::UpdateLayerButtons() {
  OnInitDialog();
  const auto looks = LayerButtonLooks(GetDeviceState().SwitcherSettings);
  for (int i = 0; i < 4; ++i) {
    CGdipButton* b = LayerButtons[i];
    if (looks[i].Caption) b->SetLabel(wxString::FromUTF8(*looks[i].Caption));
    switch (looks[i].State) {
      case LayerButtonState::Unchanged: break;
      case LayerButtonState::ProgramDisabled:
        b->Enable(false);
        b->SetDisabledLook(true);
        break;
      case LayerButtonState::PreviewSelect:
        b->Enable(true);
        b->SetDisabledLook(false);
        OnBnClickedLayer(IdLayerMain + i);
        break;
      case LayerButtonState::Enabled:
      case LayerButtonState::PreviewEnabled:
        b->Enable(true);
        b->SetDisabledLook(false);
        break;
    }
  }
}

void MPicSettingDlg::PaintExtras(wxDC& dc) {
  // Two offset 1-pixel rectangles from the layer row down to the colour group.
  const wxRect main = LayerButtons[0] ? LayerButtons[0]->GetRect() : wxRect();
  const wxRect reset = ResetButton ? ResetButton->GetRect() : wxRect();
  if (!LayerButtons[0] || !ResetButton) return;
  const int left = 5, right = GetClientSize().x - 5;
  const int top = main.GetBottom() + 1 - 2, bottom = reset.GetBottom() + 1 - 14;
  if (right <= left || bottom <= top) return;
  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  dc.SetPen(wxPen(ColourFromRef(0x1E1E1E)));
  dc.DrawRectangle(left, top, right - left, bottom - top);
  dc.DrawRectangle(left + 1, top + 1, right - left, bottom - top);
}
