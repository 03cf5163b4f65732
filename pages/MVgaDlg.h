#pragma once
// The VGA adjustment page: clock, phase and position of the VGA input that feeds MAIN, with
// automatic adjustment, the DDC switch and, behind an access code, the ADC offsets and gains.
#include "controls/MBaseDialog.h"

#include <cstdint>
#include <vector>

class CGdipButton;
class oRealEdit;
class SkinStatic;

class MVgaDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 160;
  MVgaDlg();
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();
  void UpdateInputSource(int layer);
  void ShowResult();

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedAutoAdjust();
  void OnBnClickedDdcOnOff();
  void OnBnClickedEnter();
  void OnBnClickedAdcOnOff();
  void OnBnClickedCalibrate();
  void OnBnClickedRest();
  void OnEditValueChanged(int id);
  void ShowAdcPanel(bool show);
  bool AdcPanelShown() const { return AdcShown; }

 private:
  oRealEdit* Edit(int id);

  bool Built = false;
  bool AdcShown = true;   // the layout is made with the panel shown; the start hides it
  SkinStatic* InputSource = nullptr;
  CGdipButton* DdcButton = nullptr;
  CGdipButton* EnterButton = nullptr;
  CGdipButton* AdcButton = nullptr;
  oRealEdit* CodeEdit = nullptr;
  std::vector<wxWindow*> AdcPanel;
};
