#pragma once
// The mosaic page: mosaic on or off, the panel mode, the arrangement picked from a row of
// pictures, and per layer its part of the larger virtual picture.
#include "controls/MBaseDialog.h"
#include "pages/MosaicPageLogic.h"

#include <array>
#include <cstdint>

#include <wx/image.h>

class CGdipButton;
class oRealEdit;

class MMosaicDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 120;
  MMosaicDlg();
  // Builds the page's controls once; every other operation builds them first when needed.
  void OnInitDialog();
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice(int32_t argument);

  void ShowMosaicOn(bool on);
  void OnBnClickedOnOff();
  void OnBnClickedPanelMode(int index);
  void OnBnClickedLayer(int layer);
  void OnBnClickedReset();
  void OnEditValueChanged(int controlId);
  // A left click on the page at (x, y), in page pixels.
  void OnLButtonDown(int x, int y);

  bool MosaicOn = false;
  uint32_t PanelIndex = 4;          // "Panel x 4" until the device says otherwise
  uint32_t SelectedLayer = 0;
  uint8_t CellIndex = NoArrangementCell;
  std::array<bool, ArrangementCellCount> CellSelected{};
  std::array<CellArea, ArrangementCellCount> CellAreas{};
  CGdipButton* OnOffButton = nullptr;
  CGdipButton* ResetButton = nullptr;
  std::array<CGdipButton*, PanelModeCount> PanelButtons{};
  std::array<CGdipButton*, 4> LayerButtons{};
  std::array<oRealEdit*, 6> Edits{};  // H start, V start, width, height, H total, V total

 protected:
  void PaintExtras(wxDC& dc) override;
  std::vector<wxRect> PageFrames() const override { return {ButtonFrameRect()}; }
  static wxRect ButtonFrameRect();

 private:
  void EnsureControls();
  void LoadPanelImages();
  void ShowLayerValues();
  void ClearCellMarks();
  void ShowBusy();
  // The panel button checked now (index), or -1.
  int CheckedPanel() const;

  bool Built = false;
  wxRect ArrangementBox;
  std::array<wxImage, ArrangementCellCount> CellPictures;
  wxImage MarkChosen, MarkOther;
};
