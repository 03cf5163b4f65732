#pragma once
// The system page: language, loop-out, project files, system information.
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MMiscDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 158;
  MMiscDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateLoopOutSource() {}
  void UpdateSystemInfo() {}
  void UpdateExtSourceButtons() {}
};
