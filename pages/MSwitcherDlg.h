#pragma once
// The switcher page: switcher mode on or off, single (PGM/PVW) or dual panel, the fade
// duration of a transition, and the multi-machine mode.
#include "controls/MBaseDialog.h"

#include <cstdint>

class CDropButton;
class CGdipButton;

class MSwitcherDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 183;
  MSwitcherDlg();
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedOnOff();
  void OnBnClickedPanel(int id);
  void OnBnClickedMultiMachine();
  void OnDropListSelChanged(int listId, int index);
  void ShowSwitcherOn(bool on);

  int CurrentPanel = 0;
  CDropButton* FadeList = nullptr;
  CGdipButton* OnOffButton = nullptr;
  CGdipButton* PanelButtons[2] = {nullptr, nullptr};
  CGdipButton* MultiMachineButton = nullptr;

 private:
  void PostModeEvents(uint32_t switcherArgument);
  void SendKeyerQueries();
  bool Built = false;
};
