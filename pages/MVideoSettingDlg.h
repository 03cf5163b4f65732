#pragma once
// The preview encoder settings page (floats over the working area).
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MVideoSettingDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1533;
  MVideoSettingDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice() {}
};
