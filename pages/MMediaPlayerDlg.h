#pragma once
// The media player remote page (floats over the working area).
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MMediaPlayerDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1563;
  MMediaPlayerDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateDiskButtons() {}
};
