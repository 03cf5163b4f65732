#pragma once
// The test pattern and pixel grab page (a pop-up beside the main window).
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MTstPatternDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 152;
  MTstPatternDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void OnGrabColorReady() {}
};
