#pragma once
// The logo page: PIP-3 as a normal layer (a capture frame marked inside its window is saved into
// one of four logo slots) or as the logo layer (a stored logo placed on the output and loaded);
// logo on/off, on top, border.
#include "controls/MBaseDialog.h"
#include "pages/LogoPageLogic.h"

#include <array>
#include <cstdint>

class CGdipButton;
class oRealEdit;
class SkinStatic;

class MLogoDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 164;
  MLogoDlg();
  // Builds the page's controls once; every other operation builds them first when needed.
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls. `keepOperatorPlace`: the frame
  // or position the operator set and the slot the page works on stay as they are.
  void UpdateFromDevice(bool keepOperatorPlace = false);
  // A logo record arrived: shown whole unless it only confirms the page's own command.
  void OnLogoRecord();
  void UpdateUsageControls();
  void ResetCaptureFrame();
  // The main dialog switched PIP-3 from its layer buttons.
  void OnPip3Switched(bool on);

  void ShowUsage(uint8_t usage, bool keepOperatorPlace = false);
  void EnableCaptureControls(bool enable);
  void OnBnClickedNormal();
  void OnBnClickedLogo();
  void OnBnClickedOnOff();
  void OnBnClickedLogoTop();
  void OnBnClickedLogoBorder();
  void OnBnClickedLogoSlot(int slot);
  void OnBnClickedSaveLoad(int slot);
  void OnBnClickedClear(int slot);
  void OnEditValueChanged(int controlId);

  uint32_t PageSlot = 0;
  bool PositionChanged = false;
  PagePreviewRect LogoPreviewBox, LogoPreviewRect;
  CGdipButton* NormalButton = nullptr;
  CGdipButton* LogoButton = nullptr;
  CGdipButton* OnOffButton = nullptr;
  CGdipButton* LogoTopButton = nullptr;
  CGdipButton* LogoBorderButton = nullptr;
  SkinStatic* Pip3OffNotice = nullptr;
  std::array<oRealEdit*, 4> Edits{};  // H start, V start, width, height
  std::array<CGdipButton*, LogoSlotCount> SlotButtons{}, SaveLoadButtons{}, ClearButtons{};

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  void EnsureControls();
  void SetUsage(uint8_t usage);
  void ShowSlotMarks();
  void UpdateLogoPreview(uint8_t usage);
  PictureRect EditValues() const;
  void ShowEditValues(const PictureRect& r);
  void SetCaptureFrame(uint32_t slot, const PictureRect& r, bool onPip3);
  void RemovePendingFrame();
  // Sends the logo command and notes the settings it stands on, which its record confirms.
  void SendLogo(uint8_t subCode, uint8_t argument);
  void ShowBusy();
  void SetOnOff(bool on);

  bool Built = false;
  LogoSettings ShownRecord{};  // the logo settings as the page last showed or sent them
};
