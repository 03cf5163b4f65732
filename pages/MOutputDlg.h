#pragma once
// The output resolution, timing and layer window page.
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MOutputDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 117;
  MOutputDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateResolution() {}
  void UpdateLayer() {}
  void UpdateLayerButtons() {}
  void ShowLayer(int /*layer*/) {}
};
