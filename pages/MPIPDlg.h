#pragma once
// The picture-in-picture page: each of PIP-1..PIP-3 switched on and off, its transparency, and
// its input (the main dialog sends the source change).
#include "controls/MBaseDialog.h"
#include "pages/PipPageLogic.h"

#include <array>
#include <cstdint>
#include <mutex>

class CDropButton;
class CGdipButton;
class oBitmapSlider;
class oSliderEdit;

class MPIPDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 150;
  MPIPDlg();
  // Builds the page's controls once; every other operation builds them first when needed.
  void OnInitDialog();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();
  void UpdateLayerLabels();
  void FillInputLists();

  // The main dialog switched a PIP from its own layer buttons.
  void ShowPipOn(int index);
  // The PIP's input list shows the layer's source.
  void SelectInput(int index, uint32_t source);
  void SetPipOn(int index, bool send);
  void OnEditValueChanged(int controlId);
  void OnDropListSelChanged(int listId, int index);

  std::array<oSliderEdit*, PipCount> AlphaEdits{};
  std::array<oBitmapSlider*, PipCount> AlphaSliders{};
  std::array<CGdipButton*, PipCount> OnOffButtons{};
  std::array<CDropButton*, PipCount> InputLists{};

 private:
  void EnsureControls();
  void EnablePipControls(int index, bool on);

  bool Built = false;
  // Held while the input lists are rebuilt or re-selected (both can be reached again from the
  // messages they send, hence recursive).
  std::recursive_mutex ListLock;
};
