#pragma once
// The feathering page (floats over the working area): edge feathering of the PIP windows on or
// off, and the shape ("Sharp") and level for two PIP layers. The first group follows the mosaic
// mode (PIP-2 in mode 2, PIP-1 in mode 3).
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>

class CDropButton;
class CGdipButton;

class Velk_FeatherDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 184;
  Velk_FeatherDlg();
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedFeather();
  void OnDropListSelChanged(int listId, int index);
  void EnableLists(bool enable);
  // Feathering was switched off elsewhere (Set Data): the page shows it off, as its own off
  // switch leaves it.
  void ShowSwitchedOff();

  int PipLayer = 2;
  std::array<CDropButton*, 4> Lists{};   // in the order of FeatherListIds
  CGdipButton* FeatherButton = nullptr;

 private:
  void InitDropLists();
  void NotifyFeatherChanged(bool on);
  // For the window tests: on or off, and what each group's lists show.
  void RecordShown();
  bool Built = false;
};
