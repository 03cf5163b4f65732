#pragma once
// The test pattern and pixel grab page (a pop-up beside the main window): one of the
// processor's 111 test patterns on the output, stepped through, and the colour of one output
// pixel, printed and shown as a swatch. A button opens the caption page.
#include "controls/MBaseDialog.h"

#include <cstdint>

#include <wx/colour.h>

class CGdipButton;
class oRealEdit;
class oSliderEdit;

class MTstPatternDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 152;
  MTstPatternDlg();
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void OnGrabColorReady();
  // The link to the machine came up (it may have restarted, and then runs no pattern): a
  // pattern the page still holds is switched off there too, so the lock and the machine agree.
  void OnMachineStateRead();

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedPattern(int id);
  void OnBnClickedPixelGrab();
  void OnBnClickedCaptionSettings();
  void OnEditValueChanged(int id);

  uint32_t PatternNumber = 0;
  bool HasSwatch() const { return SwatchSet; }
  wxColour SwatchColour() const { return Swatch; }
  wxRect SwatchRect, GrabTextRect;

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  void EnablePatternControls(bool on);
  // The page switches the pattern off (hiding, the caption page): caption "Off", sent, told.
  void SwitchPatternOff();
  void SetGrabOff();
  void ShowCaptionPage(bool show);

  bool Built = false;
  bool SwatchSet = false;
  wxColour Swatch;
  CGdipButton* PatternButton = nullptr;
  CGdipButton* GrabButton = nullptr;
  oSliderEdit* NumberEdit = nullptr;
  oRealEdit* HEdit = nullptr;
  oRealEdit* VEdit = nullptr;
};
