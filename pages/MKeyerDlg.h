#pragma once
// The chroma keyer page (a pop-up beside the main window): on/off, mode and, in the user mode,
// the colour range and gains of the keyer on PIP-3 or, in mosaic mode 3, the one on PIP-1.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>

class CDropButton;
class oRealEdit;

constexpr int KeyerModeListId = 45024;
constexpr int KeyerTargetListId = 45025;

class MKeyerDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 154;
  static constexpr int IdOnOff = 1165, IdReset = 1163, IdKeyerGroup = 1289, IdModeGroup = 1291;
  // Red low/high, green low/high, blue low/high, gain in/out/band.
  static constexpr std::array<int, 9> ValueEditIds = {1295, 1296, 1297, 1299, 1301, 1303, 1587, 1588, 1589};

  MKeyerDlg();
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();

  void EnableRangeEdits(bool enable);
  void OnBnClickedOnOff();
  void OnBnClickedReset();
  void OnDropListSelChanged(int listId, int index);
  void OnEditValueChanged(int id);

  int CurrentTarget = 0;   // 0 the PIP-3 keyer, 1 the PIP-1 keyer
  CGdipButton *OnOffButton = nullptr, *ResetButton = nullptr;
  std::array<oRealEdit*, 9> ValueEdits{};
  CDropButton *ModeList = nullptr, *TargetList = nullptr;

 private:
  void InitDropLists();
  void ShowKeyerOn(bool on, uint32_t mode);
  bool Built = false;
};
