#pragma once
// The EDID page: the timing (active size, frame rate, optionally blanking) that the processor
// advertises to the source on one input, kept within the pixel clock the input's receiver takes.
#include "controls/MBaseDialog.h"

#include <cstdint>
#include <mutex>

#include "pages/EdidPageLogic.h"

class CDropButton;
class oRealEdit;
class SkinStatic;

constexpr int EdidInputListId = 45040;

class MEdidDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 156;
  static constexpr int IdHActive = 1323, IdVActive = 1024, IdFps = 1326, IdHBlank = 1330, IdVBlank = 1028;
  static constexpr int IdApply = 1329, IdRestore = 1331, IdMore = 1328;
  static constexpr int IdSelectGroup = 1332, IdMoreGroup = 1333, IdHBlankLabel = 1114, IdVBlankLabel = 1116;

  MEdidDlg();
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;

  // Refresh operations that the main window's reply router calls.
  void SyncSelection();
  void FillInputList();
  void ShowApplyResult();

  // Handlers (public so that tests drive the page as the operator does).
  void OnDropListSelChanged(int listId, int index);
  void OnEditValueChanged(int id);
  void OnBnClickedMore();
  void OnBnClickedApply();
  void OnBnClickedRestore();

  uint32_t SelectedInput = 0;
  CDropButton* InputList = nullptr;
  oRealEdit *HActiveEdit = nullptr, *VActiveEdit = nullptr, *FpsEdit = nullptr, *HBlankEdit = nullptr,
            *VBlankEdit = nullptr;
  CGdipButton *ApplyButton = nullptr, *RestoreButton = nullptr, *MoreButton = nullptr;

 private:
  void ShowInputEdid(uint32_t input);
  void ReadSelection();
  EdidTiming CurrentTiming() const;
  void ShowBlanking(bool show);

  bool Built = false;
  std::mutex ListLock;   // one list rebuild at a time
  SkinStatic *HBlankLabel = nullptr, *VBlankLabel = nullptr;
};
