#pragma once
// The picture settings page: output-wide picture mode, bright level and gamma, and per layer and
// input brightness, contrast, saturation, hue, sharpness and colour temperature with its colour
// levels. Every change goes into DeviceState first and then out as the layer's picture command;
// the device's answer redraws the page.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>

class CDropButton;
class CGdipButton;
class oSliderEdit;
class oBitmapSlider;

class MPicSettingDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 110;
  MPicSettingDlg();
  ~MPicSettingDlg() override;
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ShowPage(bool show) override;
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();
  void UpdateLayerButtons();

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedLayer(int id);
  void OnBnClickedDvi();
  void OnBnClickedAll();
  void OnBnClickedGammaOnOff();
  void OnBnClickedBrightLevelOnOff();
  void OnBnClickedReset();
  void OnBnClickedResetPicture();
  void OnEditValueChanged(int id);
  void OnDropListSelChanged(int listId, int index);

  uint32_t Layer = 0;
  unsigned EditCommandsSent = 0;
  uint32_t Input = 0;
  uint32_t BrightLevelOn = 0, GammaOn = 0;
  CDropButton* PictureModeList = nullptr;
  CDropButton* ColourTemperatureList = nullptr;

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  // For the window tests: the captions the two lists show.
  void RecordListCaptions() const;
  // Moves the page to the input its layer shows now, should it have changed unseen.
  void FollowLayerInput();
  void InitButtons();
  void InitDropLists();
  void FillDropLists();
  void InitGroupBoxes();
  void InitSliders();
  void EnableAdjustments(bool on);
  void EnableRgbControls(bool on);
  void ShowOnOff(CGdipButton* button, oSliderEdit* edit, bool on, float value);
  void SetLayerCaptionColours(uint32_t oldLayer);
  oSliderEdit* Edit(int id) const;

  bool Built = false;
  std::array<CGdipButton*, 4> LayerButtons{};
  CGdipButton* DviButton = nullptr;
  CGdipButton* AllButton = nullptr;
  CGdipButton* BrightLevelOnOff = nullptr;
  CGdipButton* GammaOnOff = nullptr;
  CGdipButton* ResetButton = nullptr;
  CGdipButton* ResetPictureButton = nullptr;
};
