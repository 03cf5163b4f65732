#pragma once
// The time and schedule page (a pop-up beside the main window): the PC's local date and time,
// the machine's clock (set from the PC by SYNC) and the ten scheduled preset loads.
#include "controls/MBaseDialog.h"

#include <array>
#include <cstdint>
#include <ctime>

#include "pages/ScheduleLogic.h"

class CDropButton;
class oRealEdit;
class SkinStatic;
class CDateTimeCtrl;

constexpr int TaskPresetListId = 44960;

class MTaskDlg : public MBaseDialog {
 public:
  static constexpr int IDD = 162;
  static constexpr int IdScheduleOnOff = 1382, IdSync = 1327, IdFirstTask = 1383, IdConfirm = 1189;
  static constexpr int IdNotUse = 1462, IdOnce = 1463, IdEveryDay = 1464;
  static constexpr int IdHour = 1320, IdMinute = 1321, IdSecond = 1322, IdYear = 1314, IdMonth = 1317, IdDay = 1319;
  static constexpr int IdDatePicker = 1457, IdTimePicker = 1458, IdMachineClock = 1455, IdPresetLabel = 1460;
  static constexpr int IdDateTimeGroup = 1376, IdScheduleGroup = 1370, IdMachineGroup = 1453,
                       IdLocalGroup = 1454, IdTaskGroup = 1456;
  static constexpr int ClockTimer = 0xF00, MachineClockTimer = 0xF01;

  MTaskDlg();
  void OnInitDialog();
  void ApplyLanguage() override;
  void ShowPage(bool show) override;
  void OnTimer(int id) override;

  // Refresh operations that the main window's reply router calls.
  void UpdateSchedule();
  void UpdateMachineTime();
  void FillPresetList();

  void OnBnClickedScheduleOnOff();
  void OnBnClickedSync();
  void OnBnClickedTask(int id);
  void OnBnClickedTaskOption(int id);
  void OnBnClickedConfirm();
  void ShowTask(int task);
  // The six local edits show this local time.
  void ShowLocalTime(std::time_t now);

  int CurrentTask = 0;
  MachineClock Machine;
  CGdipButton *ScheduleButton = nullptr, *SyncButton = nullptr, *ConfirmButton = nullptr;
  std::array<CGdipButton*, ScheduleTaskCount> TaskButtons{};
  std::array<CGdipButton*, 3> OptionButtons{};
  oRealEdit *YearEdit = nullptr, *MonthEdit = nullptr, *DayEdit = nullptr, *HourEdit = nullptr,
            *MinuteEdit = nullptr, *SecondEdit = nullptr;
  CDropButton* PresetList = nullptr;
  CDateTimeCtrl *DatePicker = nullptr, *TimePicker = nullptr;
  SkinStatic* MachineClockText = nullptr;

 private:
  void ShowMachineClock(const std::string& text);
  bool Built = false;
};
