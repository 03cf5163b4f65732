#pragma once
// The system page: language, loop-out source, project files, whole-state read and write,
// factory reset, system information and versions, the sub-page tabs of the settings area and
// the buttons that open the video-setting, media-player and feathering windows.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>
#include <string>

#include "pages/MiscLogic.h"

class CGdipButton;
class SkinStatic;

class MMiscDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 158;
  MMiscDlg();
  // The page's controls, once its window exists (made on first use when nobody calls it).
  void OnInitDialog();
  void ShowPage(bool show) override;
  void ApplyLanguage() override;

  // Refresh operations that the main window's reply router calls.
  void UpdateLoopOutSource();
  void UpdateSystemInfo();
  void UpdateExtSourceButtons();

  void SelectLoopOutSource(int index, bool send);

  // Handlers, public so that the window tests drive them as the controls do.
  void OnBnClickedLanguage(int id);
  void OnBnClickedGetSetData(int id);
  void OnBnClickedOpenProject();
  void OnBnClickedSaveProject();
  // The chosen project file goes to the main dialog (after the file dialog's OK).
  void SubmitProjectFile(uint32_t operation, const std::string& path);
  void OnBnClickedFactoryResetStep(int id);
  void OnBnClickedWindow(int id);
  void OnBnClickedSubPage(int id);
  // A mode forbids the sub-page: its tab is no longer the current one.
  void SubPageForbidden(int index);

  int CurrentSubPage = 0;
  std::array<CGdipButton*, LoopOutCount> LoopOutButtons{};
  std::array<CGdipButton*, FactoryResetStepCount> ResetButtons{};
  std::array<CGdipButton*, SubPageCount> SubPageTabs{};
  std::array<CGdipButton*, 3> WindowButtons{};   // video setting, media player, feathering
  SkinStatic* SystemInfoStatic = nullptr;
  SkinStatic* VersionStatic = nullptr;

 private:
  void InitButtons();
  void InitGroupBoxes();
  void InitLanguageAndVersion();
  void ShowFactoryResetSteps();
  void SendSubPage(int index, bool show);
  void LightSubPage(int index);
  std::string ChooseProjectFile(bool save);

  bool Built = false;
  bool InShowPage = false;
  FactoryResetSteps ResetSteps;
};
