#pragma once
// The media player remote page (floats over the working area): seven keys sent to the media
// player of the chosen U-disk card.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>

#include "pages/MediaPlayerLogic.h"

class MMediaPlayerDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1563;
  static constexpr int IdUdisk1 = 1582, IdUdisk2 = 1583;

  MMediaPlayerDlg();
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateDiskButtons();

  void OnBnClickedKey(int id);
  void OnBnClickedUDisk(int id);
  DiskButtons CurrentDiskButtons() const;

  std::array<CGdipButton*, 7> KeyButtons{};
  std::array<CGdipButton*, 2> DiskButtonsShown{};

 private:
  bool Built = false;
};
