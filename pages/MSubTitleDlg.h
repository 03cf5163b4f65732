#pragma once
// The caption page (a pop-up beside the main window): the four scrolling caption bands. The text
// typed or the picture loaded becomes a 1-bit caption file that is announced and sent to the
// device in acknowledged chunks; then its position, width, colours, scrolling, background and
// outputs are set.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/font.h>

class wxScrollBar;

#include "pages/CaptionTransfer.h"
#include "platform/ui/ColourRef.h"

class CDropButton;
class oRealEdit;
class SkinEdit;

constexpr int CaptionDirectionListId = 65393;
constexpr int CaptionSpeedListId = 65394;
constexpr int CaptionBackgroundListId = 65395;
constexpr int CaptionIndexListId = 65396;

class MSubTitleDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 1514;
  static constexpr int IdHStart = 1356, IdVStart = 1357, IdWidth = 1365, IdHeight = 1367, IdDisplayWidth = 1529;
  static constexpr int IdText = 1518, IdPreview = 1517, IdBrowse = 1520, IdForeground = 1521, IdFont = 1522,
                       IdBackground = 1523, IdSave = 1524, IdOnOff = 1519, IdAdvanced = 1530, IdInitialise = 1553,
                       IdInvert = 1557, IdCentre = 1602, IdFirstOutput = 1541;
  static constexpr int IdHiddenScrollBar = 1546;
  static constexpr int IdSettingGroup = 1516, IdPreviewGroup = 1545, IdDisplayGroup = 1528, IdInputGroup = 1535;
  static constexpr int CaptionBusyTimer = 0xEEFF, CaptionAckTimer = 0xEEEF;
  static constexpr int FoldedHeight = 410, UnfoldedHeight = 610;

  MSubTitleDlg();
  ~MSubTitleDlg() override;
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;
  void OnTimer(int id) override;
  // An announced or running upload, a save or an initialise is dropped and the page freed; an
  // upload is told to the operator as a caption not taken.
  bool EndWaitForDevice() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateFromDevice(int32_t caption);
  void OnCaptionChunkAck();
  void StartCaptionUpload(bool accepted);

  // Handlers (public so that tests drive the page as the operator does).
  void RenderPreviewText();
  void OnBnClickedPreview();
  // Announces the caption bitmap; false (after saying so) when its file cannot be read.
  bool OpenCaptionBitmap();
  // The device's answer to a save or an initialise: the page is usable again and the save's
  // time-out is over (it must not end a transfer started after this).
  void OnSaveResult();
  // The picture chosen by the browse button; false (message shown) when it is refused.
  bool LoadCaptionPicture(const std::string& path);
  void ApplyForegroundColour(COLORREF colour);
  void ApplyBackgroundColour(COLORREF colour);
  void ApplyCaptionFont(const wxFont& font);
  void OnBnClickedSave();
  void OnBnClickedOnOff();
  void OnBnClickedInitialise();
  void OnBnClickedOutput(int id);
  void OnBnClickedAdvanced();
  void OnEditValueChanged(int id);
  void OnDropListSelChanged(int listId, int index);
  void EnableAllControls(bool enable);
  bool AdvancedShown() const;

  uint32_t CurrentCaption = 0;
  uint8_t FromFile = 0;
  std::string CaptionFilePath;
  wxFont CaptionFont;
  COLORREF ForegroundColour = 0x0000FF;
  COLORREF BackgroundColour = 0;
  wxRect PreviewRect;
  int ScrollOffset = 0;
  int EditGrowth = 0; // how far a tall caption's edit pushed the controls under it down
  uint32_t InvertBits = 0;
  uint8_t SkipUpload = 0;
  CaptionUpload Upload;
  // What the upload announced last started with: its end goes to that caption, and saves only
  // when the page was folded then, whatever was selected or folded meanwhile.
  uint32_t UploadCaption = 0;
  bool UploadStartedFolded = true;
  // What the page waits for behind the busy box, disabled meanwhile.
  enum class CaptionWait : uint8_t { Nothing, Upload, Save, Initialise };
  CaptionWait Waiting = CaptionWait::Nothing;

  CDropButton *DirectionList = nullptr, *SpeedList = nullptr, *BackgroundList = nullptr, *CaptionList = nullptr;
  oRealEdit *HStartEdit = nullptr, *VStartEdit = nullptr, *WidthEdit = nullptr, *HeightEdit = nullptr,
            *DisplayWidthEdit = nullptr;
  SkinEdit* TextEdit = nullptr;
  wxScrollBar* HiddenScrollBar = nullptr;
  CGdipButton *PreviewButton = nullptr, *BrowseButton = nullptr, *ForegroundButton = nullptr, *FontButton = nullptr,
              *BackgroundButton = nullptr, *SaveButton = nullptr, *OnOffButton = nullptr, *AdvancedButton = nullptr,
              *InitialiseButton = nullptr, *InvertButton = nullptr, *CentreButton = nullptr;
  std::array<CGdipButton*, 4> OutputButtons{};

 protected:
  void PaintExtras(wxDC& dc) override;

 private:
  void InitDropLists();
  void FillDropLists();
  void SetPageHeight(int height);
  void FoldAdvanced();
  void SetTextEditHeight(int height);
  void StyleTextEdit();
  void MoveHiddenScrollBar(int position);
  void SendColours();
  void SendScrolling();
  void SendPosition();
  void SendQuery70(uint32_t caption);
  long ListData(CDropButton* list) const;
  int ImageWidth() const;
  void OnPreviewMouseDown(wxMouseEvent& event);
  void OnPreviewMouseUp(wxMouseEvent& event);
  void OnPreviewMotion(wxMouseEvent& event);
  void WaitBehindBusyBox(CaptionWait what);
  // The page's own end of a wait: before the busy box closes, which would otherwise cut it.
  void StopWaiting();
  void EndTransfer();
  void ApplyDeviceRecord(int32_t caption);
  // For the window tests: the caption the list names, the one the page acts on, records heard.
  void RecordShown();

  unsigned DeviceRecordsHeard = 0;
  bool Built = false;
  bool Rendering = false;
  wxPoint PressPoint;
  bool Pressed = false;
  static constexpr int MinPageWidth = 352;
  int PageWidth = MinPageWidth;
  std::vector<wxWindow*> AdvancedControls;  // shown only while unfolded
};
