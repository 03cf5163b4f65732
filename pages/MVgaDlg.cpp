#include "pages/MVgaDlg.h"

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/PageLanguage.h"
#include "controls/SkinStatic.h"
#include "controls/OperatorNotices.h"
#include "pages/PageLook.h"
#include "pages/VgaAdjustLogic.h"
#include "platform/ui/UserMessages.h"

namespace {
// How far the ADC panel pushes the DDC section down.
constexpr int AdcPanelHeight = 150;
}  // namespace

MVgaDlg::MVgaDlg() : MBaseDialog(IDD, true) {}

void MVgaDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString::FromUTF8(UiStrings[76]);
  // Layout with the ADC panel shown; ShowAdcPanel(false) below folds it.
  AddGroupBox(IdVgaGroupDisplay, wxRect(11, 34, 298, 178), wxString::FromUTF8(UiStrings[17]));
  AddGroupBox(IdVgaGroupAdc, wxRect(11, 222, 298, 66 + AdcPanelHeight), wxString::FromUTF8(UiStrings[18]));
  AddGroupBox(IdVgaGroupDdc, wxRect(11, 298 + AdcPanelHeight, 298, 60), wxString::FromUTF8(UiStrings[19]));

  InputSource = new SkinStatic(this, IdVgaInputSource, "Input Source\n", wxRect(22, 52, 150, 34));
  MakePageButton(this, IdVgaAutoAdjust, "Auto Adjust", wxRect(186, 54, 112, 28), 129);
  const char* labels[] = {"Clock : ", "Phase : ", "H Position : ", "V Position : "};
  const int labelIds[] = {LabelId::Clock, LabelId::Phase, LabelId::HPosition, LabelId::VPosition};
  for (size_t i = 0; i < VgaDisplayEdits.size(); ++i) {
    const int top = 96 + 28 * static_cast<int>(i);
    new SkinStatic(this, labelIds[i], labels[i], wxRect(22, top + 2, 96, 16));
    auto* e = new oRealEdit(this, VgaDisplayEdits[i].Id, wxRect(124, top, 80, 20));
    e->SetRange(true, VgaDisplayEdits[i].Min, VgaDisplayEdits[i].Max, "%d", 0);
  }

  new SkinStatic(this, IdVgaCodeLabel, "Please Enter Password : ", wxRect(22, 240, 200, 16));
  new SkinStatic(this, LabelId::PasswordInput, "Input : ", wxRect(22, 262, 50, 16));
  CodeEdit = new oRealEdit(this, IdVgaCode, wxRect(74, 260, 70, 20));
  CodeEdit->SetRange(true, 0, 9999, "%d", 0);
  EnterButton = MakePageButton(this, IdVgaEnter, "enter", wxRect(152, 256, 64, 28), 129);
  AdcButton = MakePageButton(this, IdVgaAdcOnOff, "ON/OFF", wxRect(226, 256, 72, 28), 128, 130);
  AdcButton->SetToggle(true);
  AdcButton->Enable(false);
  AdcButton->SetDisabledLook(true);

  const struct { int LabelId; const char* Label; } adcLabels[] = {
      {1434, "Red Offset"}, {1436, "Green Offset"}, {1437, "Blue Offset"},
      {1435, "Red Gain"},   {1438, "Green Gain"},   {1439, "Blue Gain"}};
  for (size_t i = 0; i < VgaAdcEdits.size(); ++i) {
    const int column = static_cast<int>(i / 3), row = static_cast<int>(i % 3);
    const int x = 22 + 144 * column, top = 296 + 28 * row;
    AdcPanel.push_back(new SkinStatic(this, adcLabels[i].LabelId, adcLabels[i].Label, wxRect(x, top + 2, 78, 16)));
    auto* e = new oRealEdit(this, VgaAdcEdits[i].Id, wxRect(x + 80, top, 56, 20));
    e->SetRange(true, VgaAdcEdits[i].Min, VgaAdcEdits[i].Max, "%d", 0);
    AdcPanel.push_back(e);
  }
  AdcPanel.push_back(MakePageButton(this, IdVgaCalibrate, "Calibrate", wxRect(40, 384, 100, 28), 129));
  AdcPanel.push_back(MakePageButton(this, IdVgaRest, "Rest", wxRect(180, 384, 100, 28), 129));

  DdcButton = MakePageButton(this, IdVgaDdcOnOff, "ON/OFF", wxRect(124, 318 + AdcPanelHeight, 72, 28), 128, 130);
  DdcButton->SetToggle(true);

  OnClicked(IdVgaAutoAdjust, [this] { OnBnClickedAutoAdjust(); });
  OnClicked(IdVgaDdcOnOff, [this] { OnBnClickedDdcOnOff(); });
  OnClicked(IdVgaEnter, [this] { OnBnClickedEnter(); });
  OnClicked(IdVgaAdcOnOff, [this] { OnBnClickedAdcOnOff(); });
  OnClicked(IdVgaCalibrate, [this] { OnBnClickedCalibrate(); });
  OnClicked(IdVgaRest, [this] { OnBnClickedRest(); });
  OnMsg(MEditValueChanged, [this](WPARAM w, LPARAM) -> LRESULT {
    OnEditValueChanged(static_cast<int>(w));
    return 0;
  });
  SetChildFonts();
  ShowAdcPanel(false);
}

oRealEdit* MVgaDlg::Edit(int id) { return FindKitControl<oRealEdit>(this, id); }

void MVgaDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  PageTitle = wxString::FromUTF8(UiStrings[76]);
  const int groups[] = {IdVgaGroupDisplay, IdVgaGroupAdc, IdVgaGroupDdc};
  for (int i = 0; i < 3; ++i)
    if (CSxGroupBox* g = FindGroupBox(groups[i])) g->SetText(wxString::FromUTF8(UiStrings[17 + i]));
  Refresh();
}

void MVgaDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
  // The ADC panel stays unlocked only while the page is in view.
  if (!show && AdcButton->IsEnabled()) OnBnClickedAdcOnOff();
}

void MVgaDlg::UpdateFromDevice() {
  OnInitDialog();
  const VgaSettings& v = GetDeviceState().VgaSettings;
  Edit(IdVgaClock)->SetValue(static_cast<float>(v.Clock));
  Edit(IdVgaPhase)->SetValue(static_cast<float>(v.Phase));
  Edit(IdVgaHPosition)->SetValue(v.HPosition);
  Edit(IdVgaVPosition)->SetValue(v.VPosition);
  for (size_t i = 0; i < VgaAdcEdits.size(); ++i) Edit(VgaAdcEdits[i].Id)->SetValue(v.Adc[i]);
}

void MVgaDlg::UpdateInputSource(int layer) {
  OnInitDialog();
  DeviceState& s = GetDeviceState();
  const VgaSourceView v = ComputeVgaSource(s, layer);
  // The access code belongs to MAIN's VGA input: refreshing another layer after MAIN (as every
  // full state does, layer by layer) must not lock it again.
  const bool codeUsable = ComputeVgaSource(s, 0).CodeEnabled;
  CodeEdit->Enable(codeUsable);
  EnterButton->Enable(codeUsable);
  if (!v.IsVga) return;
  SendVgaQuery(s, v.Slot);
  s.VgaSettings.Input = v.Slot;
  InputSource->SetLabel("Input Source\n" + wxString::FromUTF8(s.InputTable[v.Slot].Name));
  RefreshRect(InputSource->GetRect().Inflate(2));
}

void MVgaDlg::ShowResult() {
  const bool ok = GetDeviceState().OperationStatus.Result != 0;
  ShowOperatorMessage(this, UiStrings[34] + " " + UiStrings[ok ? 66 : 67]);
}

void MVgaDlg::OnBnClickedAutoAdjust() {
  DeviceState& s = GetDeviceState();
  SendVgaAutoAdjust(s);
  SendBusyBox(*this, true, UiStrings[65]);
}

void MVgaDlg::OnBnClickedDdcOnOff() { SendVgaDdc(GetDeviceState(), DdcButton->IsChecked()); }

void MVgaDlg::OnBnClickedEnter() {
  if (!VgaAccessCodeMatches(CodeEdit->Value())) {
    ShowOperatorMessage(this, UiStrings[35]);
    return;
  }
  AdcButton->SetDisabledLook(false);
  AdcButton->Enable(true);
  AdcButton->SetChecked(true);
  ShowAdcPanel(true);
  EnterButton->Enable(false);
}

void MVgaDlg::OnBnClickedAdcOnOff() {
  ShowAdcPanel(false);
  AdcButton->SetDisabledLook(true);
  AdcButton->Enable(false);
  CodeEdit->SetValue(0);
  EnterButton->Enable(true);
}

void MVgaDlg::OnBnClickedCalibrate() {
  SendVgaCalibrate(GetDeviceState());
  SendBusyBox(*this, true, UiStrings[65]);
}

void MVgaDlg::OnBnClickedRest() { SendVgaReset(GetDeviceState()); }

void MVgaDlg::OnEditValueChanged(int id) {
  const auto section = VgaSectionOfEdit(id);
  if (!section) return;
  // The command carries what every edit of the section shows, not only the one committed.
  DeviceState& s = GetDeviceState();
  for (const VgaEditSpec& spec : VgaEditsOf(*section))
    if (oRealEdit* edit = Edit(spec.Id)) ApplyVgaEdit(s.VgaSettings, spec.Id, edit->Value());
  SendVgaSet(s, *section);
}

void MVgaDlg::ShowAdcPanel(bool show) {
  for (wxWindow* w : AdcPanel) w->Show(show);
  // The layout moves only when the panel really changes, so a repeated call cannot pull the
  // DDC section off the page.
  if (show == AdcShown) return;
  AdcShown = show;
  const int shift = show ? AdcPanelHeight : -AdcPanelHeight;
  CSxGroupBox* adc = FindGroupBox(IdVgaGroupAdc);
  if (adc) adc->FrameRect.height += shift;
  if (CSxGroupBox* ddc = FindGroupBox(IdVgaGroupDdc)) ddc->FrameRect.y += shift;
  DdcButton->Move(DdcButton->GetPosition() + wxPoint(0, shift));
  if (adc) {
    wxRect area = adc->FrameRect;
    area.Inflate(10, 0);
    area.y -= 10;
    area.height += 10 + 350;
    RefreshRect(area);
  }
}
