#pragma once
// The mosaic page.
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MMosaicDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 120;
  MMosaicDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice(int32_t /*argument*/) {}
};
