#pragma once
// The picture settings page (brightness, contrast, colour, picture mode per layer and input).
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MPicSettingDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 110;
  MPicSettingDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice() {}
  void UpdateLayerButtons() {}
};
