#pragma once
// The logo page.
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MLogoDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 164;
  MLogoDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice() {}
  void UpdateUsageControls() {}
  void ResetCaptureFrame() {}
};
