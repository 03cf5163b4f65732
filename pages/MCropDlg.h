#pragma once
// The image crop page: the crop of the selected layer for the input that layer shows, switched
// on or off, edited inside the input's size, or reset by the device; with a small preview of the
// crop inside the source picture.
#include "controls/MBaseDialog.h"
#include "pages/CropPageLogic.h"

#include <array>
#include <cstdint>
#include <optional>

class CGdipButton;
class oRealEdit;
class SkinStatic;
struct CropRect;

class MCropDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 119;
  MCropDlg();
  // Builds the page's controls once; every other operation builds them first when needed.
  void OnInitDialog();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice();
  void UpdateLayerButtons();
  // The caption names the selected layer's input.
  void UpdateInputSource();

  void OnBnClickedLayer(int layer);
  void OnBnClickedOnOff();
  void OnBnClickedReset();
  void OnEditValueChanged(int controlId);
  void SetCropOn(bool on);

  uint32_t SelectedLayer = 0;
  // The input row of the selected layer; none while its source names no input.
  std::optional<uint32_t> SourceRow;
  bool CropOn = false;
  PagePreviewRect PreviewBox, PreviewCrop;
  std::array<CGdipButton*, 4> LayerButtons{};
  std::array<oRealEdit*, 4> Edits{};  // H start, V start, width, height
  CGdipButton* OnOffButton = nullptr;
  CGdipButton* ResetButton = nullptr;
  SkinStatic* InputCaption = nullptr;

 protected:
  void PaintExtras(wxDC& dc) override;
  std::vector<wxRect> PageFrames() const override;
  // The frame round the layer's input: below the layer buttons, round ON/OFF and Reset.
  wxRect InputFrame() const;

 private:
  void EnsureControls();
  ::CropRect* Record();
  // Moves the page to the input its layer shows now, should it have changed unseen: true when
  // it did (everything shown then comes from that input's record).
  bool FollowLayerInput();
  // Shows the selected layer's input: its name and its record's crop, on/off and preview.
  void ShowLayerInput();
  void ShowRecord();
  // For the window tests: the layer, its input and the crop the page shows.
  void RecordShown() const;
  void UpdateCropPreview();
  void SendCropChanged();

  bool Built = false;
};
