#include "pages/MTaskDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDateTimeCtrl.h"
#include "controls/CDropButton.h"
#include "controls/PageLanguage.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "pages/PageLook.h"
#include "platform/ui/UserMessages.h"

namespace {
// A task button's caption and the faces it reads on: the others' black on the light faces
// (silver, lit orange), the current task's light caption on the dark ones.
struct TaskLook {
  COLORREF Caption;
  int Face, LitFace;
};
constexpr TaskLook OtherTaskLook{0x000000, 115, 116};
constexpr TaskLook CurrentTaskLook{0xEBEBEB, 113, 114};

void ShowTaskLook(CGdipButton* b, const TaskLook& look) {
  if (b->GetTextColour() == look.Caption) return;
  b->LoadStdImage(look.Face);
  b->LoadAltImage(look.LitFace);
  b->SetTextColour(look.Caption);
}

CGdipButton* MakeButton(MBaseDialog* page, int id, const wxString& text, const wxRect& rect) {
  auto* b = new CGdipButton(page, id, text, rect);
  b->LoadStdImage(113);
  b->LoadAltImage(114);
  b->SetFont(page->ControlFont);
  b->SetTextColour(PageTextOff);
  return b;
}
}  // namespace

MTaskDlg::MTaskDlg() : MBaseDialog(IDD, true) {}

void MTaskDlg::OnInitDialog() {
  if (Built) return;
  Built = true;
  PageTitle = wxString();   // a pop-up: background without title text

  // The page fits the pop-up's place at the smallest main window: 320 x 416.
  // InitButtons
  SyncButton = MakeButton(this, IdSync, "SYNC", wxRect(226, 106, 72, 26));
  ScheduleButton = MakeButton(this, IdScheduleOnOff, "ON/OFF", wxRect(18, 166, 84, 26));
  ScheduleButton->SetToggle(true);
  for (int i = 0; i < ScheduleTaskCount; ++i) {
    const wxRect r(18 + 58 * (i % 5), 198 + 30 * (i / 5), 52, 26);
    TaskButtons[i] = MakeButton(this, IdFirstTask + i, wxString::Format("%d", i + 1), r);
    ShowTaskLook(TaskButtons[i], OtherTaskLook);
    TaskButtons[i]->SetCheckOnClick(true);   // a task in use shows lit
    OnClicked(IdFirstTask + i, [this, i] { OnBnClickedTask(IdFirstTask + i); });
  }
  const char* options[] = {"Not Use", "Once", "Every Day"};
  for (int i = 0; i < 3; ++i) {
    OptionButtons[i] = MakeButton(this, IdNotUse + i, options[i], wxRect(22 + 92 * i, 338, 86, 26));
    OptionButtons[i]->SetCheckOnClick(true);
    OnClicked(IdNotUse + i, [this, i] { OnBnClickedTaskOption(IdNotUse + i); });
  }
  ConfirmButton = MakeButton(this, IdConfirm, "Confirm", wxRect(206, 370, 90, 28));

  // InitEdits: local date and time.
  new SkinStatic(this, LabelId::Date, "Date :", wxRect(24, 42, 50, 18));
  new SkinStatic(this, LabelId::Time, "Time :", wxRect(24, 68, 50, 18));
  struct EditRow {
    int Id;
    wxRect Rect;
    float Low, High;
    const char* Format;
    oRealEdit** Target;
  };
  const EditRow edits[] = {
      {IdYear, wxRect(80, 40, 60, 22), 20, 2099, "%d", &YearEdit},
      {IdMonth, wxRect(150, 40, 44, 22), 1, 12, "%02d", &MonthEdit},
      {IdDay, wxRect(204, 40, 44, 22), 1, 31, "%02d", &DayEdit},
      {IdHour, wxRect(80, 66, 44, 22), 0, 23, "%02d", &HourEdit},
      {IdMinute, wxRect(134, 66, 44, 22), 0, 59, "%02d", &MinuteEdit},
      {IdSecond, wxRect(188, 66, 44, 22), 0, 59, "%02d", &SecondEdit},
  };
  for (const EditRow& e : edits) {
    *e.Target = new oRealEdit(this, e.Id, e.Rect);
    (*e.Target)->SetRange(true, e.Low, e.High, e.Format, e.Low);
  }
  MachineClockText = new SkinStatic(this, IdMachineClock, wxString(), wxRect(24, 113, 190, 18));

  // InitGroupBoxes
  AddGroupBox(IdDateTimeGroup, wxRect(6, 4, 308, 136), wxString::FromUTF8(UiStrings[22]));
  AddGroupBox(IdLocalGroup, wxRect(14, 22, 292, 70), wxString::FromUTF8(UiStrings[24]));
  AddGroupBox(IdMachineGroup, wxRect(14, 96, 292, 40), wxString::FromUTF8(UiStrings[23]));
  AddGroupBox(IdScheduleGroup, wxRect(6, 148, 308, 262), wxString::FromUTF8(UiStrings[25]));
  AddGroupBox(IdTaskGroup, wxRect(14, 262, 292, 142), wxString::FromUTF8(UiStrings[26]));

  // InitDropLists: the preset list 10 px right of its label, at the label's top.
  auto* presetLabel = new SkinStatic(this, IdPresetLabel, "Preset", wxRect(22, 282, 50, 18));
  const wxRect l = presetLabel->GetRect();
  PresetList = MakePageDropList(this, TaskPresetListId, wxRect(l.GetRight() + 1 + 10, l.y, 75, 20));
  CDropList* list = PresetList->GetList();
  for (int i = 0; i < 10; ++i) list->SetItemData(list->AddString(wxString::Format("%d", i + 1)), i);
  PresetList->SetCurSel(0);

  DatePicker = new CDateTimeCtrl(this, IdDatePicker, wxRect(22, 310, 104, 22), DateTimeFields::Kind::Date);
  TimePicker = new CDateTimeCtrl(this, IdTimePicker, wxRect(136, 310, 84, 22), DateTimeFields::Kind::Time);
  const std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  DatePicker->SetFields(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday);
  TimePicker->SetFields(t.tm_hour, t.tm_min, t.tm_sec);

  OnClicked(IdScheduleOnOff, [this] { OnBnClickedScheduleOnOff(); });
  OnClicked(IdSync, [this] { OnBnClickedSync(); });
  OnClicked(IdConfirm, [this] { OnBnClickedConfirm(); });
  // The preset choice is read at Confirm.
  OnMsg(MDropListSelChanged, [](WPARAM, LPARAM) -> LRESULT { return 0; });
  SetChildFonts();
  FillPresetList();
  Machine.LastTick = std::time(nullptr);
  SetTimer(ClockTimer, 1000);
}

void MTaskDlg::ApplyLanguage() {
  OnInitDialog();
  ApplyLanguageToPage(*this);
  const std::pair<int, int> groups[] = {{IdDateTimeGroup, 22}, {IdMachineGroup, 23}, {IdLocalGroup, 24},
                                        {IdScheduleGroup, 25}, {IdTaskGroup, 26}};
  for (const auto& [id, text] : groups)
    if (CSxGroupBox* g = FindGroupBox(id)) g->SetText(wxString::FromUTF8(UiStrings[text]));
  Refresh();
}

void MTaskDlg::ShowPage(bool show) {
  OnInitDialog();
  MBaseDialog::ShowPage(show);
  if (show) ShowLocalTime(std::time(nullptr));
}

void MTaskDlg::ShowLocalTime(std::time_t now) {
  std::tm t{};
  localtime_r(&now, &t);
  YearEdit->SetValue(static_cast<float>(t.tm_year + 1900));
  MonthEdit->SetValue(static_cast<float>(t.tm_mon + 1));
  DayEdit->SetValue(static_cast<float>(t.tm_mday));
  HourEdit->SetValue(static_cast<float>(t.tm_hour));
  MinuteEdit->SetValue(static_cast<float>(t.tm_min));
  SecondEdit->SetValue(static_cast<float>(t.tm_sec));
}

void MTaskDlg::ShowMachineClock(const std::string& text) {
  MachineClockText->SetLabel(wxString::FromUTF8(text));
  MachineClockText->Refresh();
}

void MTaskDlg::OnTimer(int id) {
  if (id == ClockTimer) {
    const std::time_t now = std::time(nullptr);
    ShowLocalTime(now);
    if (Machine.Tick(now)) ShowMachineClock(FormatMachineClock(Machine.Clock));
  } else if (id == MachineClockTimer) {
    Machine.Clock += 1;
    ShowMachineClock(FormatMachineClock(Machine.Clock));
  }
}

void MTaskDlg::UpdateMachineTime() {
  OnInitDialog();
  const MachineTime& m = GetDeviceState().MachineTime;
  Machine.Set(m, std::time(nullptr));
  ShowMachineClock(FormatMachineClock(m.Year + 2000, m.Month, m.Day, m.Hour, m.Minute, m.Second));
}

void MTaskDlg::OnBnClickedSync() {
  Machine.Stop();   // the display keeps its last text until the device reports again
  DeviceState& s = GetDeviceState();
  s.MachineTime = MachineTimeFromLocal(std::time(nullptr));
  s.SendCommand(CmdSchedule, 0, 0);
  s.SendCommand(CmdQuery51, 0);
}

void MTaskDlg::OnBnClickedScheduleOnOff() {
  DeviceState& s = GetDeviceState();
  s.ScheduleSettings.Enable = ScheduleButton->IsChecked() ? 1 : 0;
  s.SendCommand(CmdSchedule, 0, 2);
}

void MTaskDlg::FillPresetList() {
  OnInitDialog();
  CDropList* list = PresetList->GetList();
  const auto& used = GetDeviceState().PresetUsed;
  for (int i = 0; i < list->GetCount() && i < static_cast<int>(used.size()); ++i)
    list->SetItemDisabled(i, used[i] == 0);
  PresetList->Refresh();
}

void MTaskDlg::OnBnClickedTask(int id) {
  const int i = id - IdFirstTask;
  if (i < 0 || i >= ScheduleTaskCount) return;
  CurrentTask = i;
  for (CGdipButton* b : TaskButtons)
    ShowTaskLook(b, OtherTaskLook);
  ShowTask(i);
}

void MTaskDlg::ShowTask(int i) {
  if (i < 0 || i >= ScheduleTaskCount) return;
  DeviceState& s = GetDeviceState();
  ScheduleTask& task = s.ScheduleSettings.ScheduleTask[i];
  CorrectTaskFields(task);
  // A day the month does not have (31 February) is shown as the month's last day.
  DatePicker->SetFields(task.Year + 2000, task.Month, task.Day);
  TimePicker->SetFields(task.Hour, task.Minute, task.Second);

  // The task's button shows whether it is in use, and that it is the current one, whatever its
  // preset byte says (a click has just lit it).
  TaskButtons[i]->SetChecked(task.Repeat != 0);
  ShowTaskLook(TaskButtons[i], CurrentTaskLook);

  const std::optional<uint8_t> preset = ResolveTaskPreset(s.PresetUsed, task.Preset);
  if (!preset) return;
  task.Preset = *preset;
  DropListSelectByData(PresetList, task.Preset);

  for (CGdipButton* b : OptionButtons) b->SetChecked(false);
  // A repeat value the page has no button for leaves all three unchecked.
  if (const std::optional<int> option = RepeatOption(task.Repeat)) OptionButtons[*option]->SetChecked(true);
}

void MTaskDlg::OnBnClickedTaskOption(int id) {
  const int index = id - IdNotUse;
  if (index < 0 || index > 2) return;
  for (CGdipButton* b : OptionButtons) b->SetChecked(false);
  OptionButtons[index]->SetChecked(true);
}

void MTaskDlg::OnBnClickedConfirm() {
  const int i = CurrentTask;
  DeviceState& s = GetDeviceState();
  ScheduleTask& task = s.ScheduleSettings.ScheduleTask[i];
  const std::array<int, 3>& date = DatePicker->Fields();
  task.Year = static_cast<uint8_t>(date[0] - 2000);
  task.Month = static_cast<uint8_t>(date[1]);
  task.Day = static_cast<uint8_t>(date[2]);
  const std::array<int, 3>& time = TimePicker->Fields();
  task.Hour = static_cast<uint8_t>(time[0]);
  task.Minute = static_cast<uint8_t>(time[1]);
  task.Second = static_cast<uint8_t>(time[2]);
  for (int o = 0; o < 3; ++o)
    if (OptionButtons[o]->IsChecked()) {
      task.Repeat = static_cast<uint32_t>(o);
      break;
    }
  const int sel = PresetList->GetCurSel();
  if (sel >= 0 && sel < PresetList->GetList()->GetCount())
    task.Preset = static_cast<uint8_t>(PresetList->GetList()->GetItemData(sel));
  TaskButtons[i]->SetChecked(true);
  TaskButtons[i]->Refresh();
  s.SendCommand(CmdSchedule, i, 1);
}

void MTaskDlg::UpdateSchedule() {
  OnInitDialog();
  const ScheduleSettings& sch = GetDeviceState().ScheduleSettings;
  ScheduleButton->SetChecked(sch.Enable != 0);
  for (int j = 0; j < ScheduleTaskCount; ++j) TaskButtons[j]->SetChecked(sch.ScheduleTask[j].Repeat != 0);
  ShowTask(CurrentTask);
}
