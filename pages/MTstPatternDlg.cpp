#include "pages/MTstPatternDlg.h"

#include <cmath>

#include <wx/dc.h>

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "platform/ui/PageEvents.h"
#include "pages/PageLook.h"
#include "pages/TestPatternLogic.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"

namespace {
const wxRect PatternGroupRect(11, 10, 298, 116);
const wxRect GrabGroupRect(11, 136, 298, 178);
}  // namespace

MTstPatternDlg::MTstPatternDlg() : MBaseDialog(IDD, true) {}

void MTstPatternDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  // InitButtons
  PatternButton = MakePageButton(this, IdPatternOnOff, "0ff", wxRect(22, 32, 64, 26), 129, 147);
  PatternButton->SetToggle(true);
  MakePageButton(this, IdPatternPrevious, "<<", wxRect(96, 32, 44, 26), 129, 0);
  MakePageButton(this, IdPatternNext, ">>", wxRect(146, 32, 44, 26), 129, 0);
  for (int id = IdPatternFirstHidden; id <= IdPatternLastHidden; ++id) {
    CGdipButton* b = MakePageButton(this, id, "", wxRect(22, 32, 20, 20), 129, 0);
    b->SetLabel(wxString::Format("%d", id - IdPatternFirstHidden + 3));
    b->Hide();
  }
  GrabButton = MakePageButton(this, IdPixelGrab, "Pixel Grab", wxRect(22, 158, 100, 26), 128, 130);
  GrabButton->SetToggle(true);
  auto* caption = MakePageButton(this, IdCaptionSettings, "Caption Settings", wxRect(22, 324, 276, 30), 113, 0);
  caption->SetTextColour(PageTextOff);
  // InitEdits
  new SkinStatic(this, IdGrabHLabel, "H Start : ", wxRect(22, 198, 70, 16));
  new SkinStatic(this, IdGrabVLabel, "V Start : ", wxRect(22, 226, 70, 16));
  const DeviceState& s = GetDeviceState();
  HEdit = new oRealEdit(this, IdGrabH, wxRect(96, 196, 64, 20));
  HEdit->SetRange(false, -1, 9999, "%d", GrabPosition(s, 0));
  VEdit = new oRealEdit(this, IdGrabV, wxRect(96, 224, 64, 20));
  VEdit->SetRange(false, -1, 9999, "%d", GrabPosition(s, 1));
  // InitGroupBoxes
  AddGroupBox(IdPatternGroup, PatternGroupRect, wxString::FromUTF8(UiStrings[20]));
  AddGroupBox(IdGrabGroup, GrabGroupRect, wxString::FromUTF8(UiStrings[21]));
  // InitSliders
  auto* slider = new oBitmapSlider(this, IdPatternSlider, wxRect(22, 76, 276, 24));
  slider->SetBitmapChannel(159, 163);
  slider->SetBitmapThumb(161);
  slider->SetBackgroundBitmap(168);
  NumberEdit = new oSliderEdit(this, IdPatternNumber, wxRect(236, 34, 52, 20));
  NumberEdit->AttachSlider(slider);
  NumberEdit->SetRange(false, FirstPattern, LastPattern, "%d", FirstPattern);
  slider->Enable(false);

  const wxRect g = GrabGroupRect;
  SwatchRect = wxRect(wxPoint(g.x + g.width / 2, g.y + 25), wxPoint(g.GetRight() + 1 - 30 - 1, g.GetBottom() + 1 - 15 - 1));
  const int textTop = VEdit->GetRect().GetBottom() + 1 + 15;
  GrabTextRect = wxRect(wxPoint(g.x + 10, textTop), wxPoint(g.GetRight() + 1 - 10 - 1, g.GetBottom()));

  OnClicked(IdPatternOnOff, [this] { OnBnClickedPattern(IdPatternOnOff); });
  OnClicked(IdPatternPrevious, [this] { OnBnClickedPattern(IdPatternPrevious); });
  OnClicked(IdPatternNext, [this] { OnBnClickedPattern(IdPatternNext); });
  OnClicked(IdPixelGrab, [this] { OnBnClickedPixelGrab(); });
  OnClicked(IdCaptionSettings, [this] { OnBnClickedCaptionSettings(); });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  OnMsg(MGrabColorReady, [this](WPARAM, LPARAM) -> LRESULT {
    OnGrabColorReady();
    return 0;
  });
  SetChildFonts();
  EnablePatternControls(false);
}

void MTstPatternDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  if (CSxGroupBox* g = FindGroupBox(IdPatternGroup)) g->SetText(wxString::FromUTF8(UiStrings[20]));
  if (CSxGroupBox* g = FindGroupBox(IdGrabGroup)) g->SetText(wxString::FromUTF8(UiStrings[21]));
  Refresh();
}

void MTstPatternDlg::EnablePatternControls(bool on) {
  NumberEdit->Enable(on);
  if (NumberEdit->GetSlider()) NumberEdit->GetSlider()->Enable(on);
  for (int id : {IdPatternPrevious, IdPatternNext})
    if (wxWindow* w = FindControl(this, id)) w->Enable(on);
}

void MTstPatternDlg::SwitchPatternOff() {
  PatternButton->SetChecked(false);
  PatternButton->SetLabel("Off");
  EnablePatternControls(false);
  PatternNumber = 0;
  SendPattern(GetDeviceState(), 0);
  PostMsg(OwnerWindow(), MTestPatternSwitched, 0, 0);
}

void MTstPatternDlg::SetGrabOff() {
  GrabButton->SetChecked(false);
  HEdit->Enable(false);
  VEdit->Enable(false);
}

void MTstPatternDlg::ShowCaptionPage(bool show) {
  SubPageRequest request{CaptionSubPage, show};
  if (wxWindow* owner = OwnerWindow()) SendMsg(owner, MPageEvent, EvShowSubPage, reinterpret_cast<LPARAM>(&request));
}

void MTstPatternDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
  // A pattern never stays on the output behind a closed page.
  if (!show && PatternNumber != 0) SwitchPatternOff();
}

void MTstPatternDlg::OnBnClickedPattern(int id) {
  DeviceState& s = GetDeviceState();
  if (id == IdPatternOnOff) {
    const bool on = PatternButton->IsChecked();
    PatternButton->SetLabel(on ? "0n" : "0ff");
    EnablePatternControls(on);
    PatternNumber = on ? static_cast<uint32_t>(StepPattern(NumberEdit->Value(), 0)) : 0;
    SendPattern(s, PatternNumber);
    PostMsg(OwnerWindow(), MTestPatternSwitched, 0, PatternNumber != 0 ? 1 : 0);
    SetGrabOff();
    ShowCaptionPage(false);
  } else if (id == IdPatternPrevious || id == IdPatternNext) {
    const int next = StepPattern(NumberEdit->Value(), id == IdPatternNext ? 1 : -1);
    NumberEdit->SetValue(static_cast<float>(next));
    PatternNumber = static_cast<uint32_t>(next);
    SendPattern(s, PatternNumber);
  }
}

void MTstPatternDlg::OnBnClickedPixelGrab() {
  const bool on = GrabButton->IsChecked();
  HEdit->Enable(on);
  VEdit->Enable(on);
  SendPixelGrab(GetDeviceState(), on);
  if (on) {
    // The page then reads "Off": the pattern goes off on the machine too, and the layer
    // buttons it held are given back.
    if (PatternNumber != 0) {
      SwitchPatternOff();
    } else {
      PatternButton->SetChecked(false);
      PatternButton->SetLabel("Off");
      EnablePatternControls(false);
    }
    ShowCaptionPage(false);
  }
}

void MTstPatternDlg::OnMachineStateRead() {
  OnInitDialog();
  if (PatternNumber != 0 || GetDeviceState().TestPattern != 0) SwitchPatternOff();
}

void MTstPatternDlg::OnBnClickedCaptionSettings() {
  ShowCaptionPage(true);
  if (PatternNumber != 0 || PatternButton->IsChecked()) SwitchPatternOff();
  if (GrabButton->IsChecked()) {
    SetGrabOff();
    SendPixelGrab(GetDeviceState(), false);
  }
}

void MTstPatternDlg::OnEditValueChanged(int id) {
  if (!IsShown()) return;
  DeviceState& s = GetDeviceState();
  if (id == IdPatternNumber) {
    PatternNumber = static_cast<uint32_t>(StepPattern(NumberEdit->Value(), 0));
    SendPattern(s, PatternNumber);
    return;
  }
  if (id != IdGrabH && id != IdGrabV) return;
  const int axis = id == IdGrabH ? 0 : 1;
  oRealEdit* edit = axis == 0 ? HEdit : VEdit;
  const uint16_t active = axis == 0 ? s.OutputTiming.HActive : s.OutputTiming.VActive;
  const float typed = edit->Value();
  const uint16_t value = GrabPositionOnOutput(typed, active);
  if (static_cast<float>(value) != std::trunc(typed)) edit->SetValue(value);
  SetGrabPosition(s, axis, value);
  SendPixelGrab(s, true);
}

void MTstPatternDlg::OnGrabColorReady() {
  OnInitDialog();
  const GrabbedColour& c = GetDeviceState().GrabbedColour;
  Swatch = wxColour(static_cast<unsigned char>(c.Red & 0xFF), static_cast<unsigned char>(c.Green & 0xFF),
                    static_cast<unsigned char>(c.Blue & 0xFF));
  SwatchSet = true;
  RefreshRect(SwatchRect);
  RefreshRect(GrabTextRect);
}

void MTstPatternDlg::PaintExtras(wxDC& dc) {
  if (!SwatchSet) return;
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(Swatch));
  dc.DrawRectangle(SwatchRect);
  const GrabbedColour& c = GetDeviceState().GrabbedColour;
  dc.SetFont(ControlFont);
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  dc.SetTextForeground(ColourFromRef(PageTextOn));
  dc.DrawText(wxString::Format("R:%d   G:%d    B:%d", c.Red, c.Green, c.Blue), GrabTextRect.GetTopLeft());
}
