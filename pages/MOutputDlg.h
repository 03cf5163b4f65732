#pragma once
// The output page: the output resolution (a standard row, or a custom timing sent with Apply and
// held inside the pixel-clock budget while it is typed) and, below it, the window of each layer
// on the output with its quick placements and rotation.
#include "controls/MBaseDialog.h"
#include "pages/LayerWindowLogic.h"
#include "pages/OutputTimingLogic.h"

#include <array>
#include <cstdint>
#include <vector>

#include <wx/image.h>

class CDropButton;
class CGdipButton;
class oRealEdit;
class SkinStatic;

inline constexpr int OutputResolutionListId = 65472;
inline constexpr int OutputHPolarityListId = 65456;
inline constexpr int OutputVPolarityListId = 65440;

class MOutputDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 117;
  MOutputDlg();
  // Builds the page's controls once; every other operation builds them first when needed.
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateResolution();
  void UpdateLayer();
  void UpdateLayerButtons();
  void ShowLayer(int layer);

  // Resolution half.
  void SelectResolution(uint32_t index, bool send);
  void ShowTimingGroup(bool show);
  void OnBnClickedMore();
  void OnBnClickedApply();
  void OnDropListSelChanged(int listId, int index);
  void OnEditValueChanged(int controlId);

  // Layer half.
  void OnBnClickedLayer(int layer);
  void OnBnClickedRotate(int code);
  void OnBnClickedFullScreen();
  void OnBnClickedHalfQuarter(int controlId);
  void ShowRotate(int code, bool turn, bool send);
  void SetRotate(int code, bool send);

  // For checks: what the page shows.
  uint32_t SelectedLayer = 0;
  int RotateShown = 0;
  std::vector<RotateFlip> LastRotateSteps;  // the turns of the last ShowRotate
  bool TimingGroupShown() const;
  float EditValue(int controlId) const;
  oRealEdit* Edit(int controlId) const;
  CDropButton* ResolutionList = nullptr;
  CDropButton* HPolarityList = nullptr;
  CDropButton* VPolarityList = nullptr;
  CGdipButton* MoreButton = nullptr;
  CGdipButton* ApplyButton = nullptr;
  std::array<CGdipButton*, 4> LayerButtons{};
  std::array<CGdipButton*, RotateCodeCount> RotateButtons{};
  const wxImage& RotatePicture() const { return Rotated; }

 protected:
  void PaintExtras(wxDC& dc) override;
  std::vector<wxRect> PageFrames() const override;

 private:
  void InitGroupBoxes();
  void InitDropLists();
  void InitButtons();
  void InitEdits();
  void FillResolutionList();
  void EnsureControls();
  void ShowLayerWindow(uint32_t layer);
  void StoreLayerWindow(const LayerRect& rect, bool fullScreen);
  TimingValues ReadTimingEdits() const;
  void WriteTimingEdits(const TimingValues& values, const std::vector<TimingEdit>& which);
  uint8_t PolarityOf(CDropButton* list) const;
  int OutputWidth() const;
  int OutputHeight() const;
  wxRect RotateFrame() const;

  bool Built = false;
  std::array<oRealEdit*, TimingEditCount> TimingEdits{};
  std::array<oRealEdit*, 4> WindowEdits{};  // H start, V start, width, height
  std::vector<wxWindow*> TimingGroup;       // shown by "More >"
  CGdipButton* FullScreenButton = nullptr;
  CGdipButton* HalfButton = nullptr;
  CGdipButton* QuarterButton = nullptr;
  SkinStatic* RotatePreviewFrame = nullptr;
  wxImage RotateOriginal, Rotated;
};
