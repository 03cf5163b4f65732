#pragma once
// The caption page (a pop-up beside the main window).
// The page exists with its title so that the main window manages it; its controls and the
// bodies of its refresh operations come with the page's own work.
#include "controls/MBaseDialog.h"

#include <cstdint>

class MSubTitleDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1514;
  MSubTitleDlg();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice(int32_t /*caption*/) {}
  void OnCaptionChunkAck() {}
  void StartCaptionUpload(bool /*accepted*/) {}
};
