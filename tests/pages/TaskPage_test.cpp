// The time and schedule page under Xvfb: machine clock, task display, confirm, sync, on/off.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "controls/CDateTimeCtrl.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "pages/MTaskDlg.h"

namespace {
class TaskPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 416), false, false);
    }
    MTaskDlg* Page = nullptr;
};
}  // namespace

TEST_F(TaskPageTest, MachineTimeShownAndAdvancedByTheClockTimer) {
    GetDeviceState().MachineTime = MachineTime{26, 3, 1, 12, 0, 0};
    Page->UpdateMachineTime();
    EXPECT_EQ(Page->MachineClockText->GetLabel(), "2026/3/1 12:00:00");
    Page->Machine.LastTick -= 1;   // one second of the PC's clock went by
    Page->OnTimer(MTaskDlg::ClockTimer);
    EXPECT_EQ(Page->MachineClockText->GetLabel(), "2026/3/1 12:00:01");
    EXPECT_TRUE(Commands().empty());
}

TEST_F(TaskPageTest, ShowingThePageShowsTheLocalTime) {
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    EXPECT_EQ(Page->YearEdit->Value(), t.tm_year + 1900);
    EXPECT_EQ(Page->MonthEdit->Value(), t.tm_mon + 1);
    EXPECT_EQ(Page->MonthEdit->GetValue().length(), 2u);   // "%02d"
}

TEST_F(TaskPageTest, ConfirmNotUseSendsRepeat0AndLightsTheButton) {
    DeviceState& s = GetDeviceState();
    s.PresetUsed.fill(1);
    Page->OnBnClickedTask(MTaskDlg::IdFirstTask + 3);
    Page->DatePicker->SetFields(2026, 8, 9);
    Page->TimePicker->SetFields(18, 5, 0);
    Page->OnBnClickedTaskOption(MTaskDlg::IdNotUse);
    Page->PresetList->SetCurSel(4);
    ClearRecords();
    Page->OnBnClickedConfirm();
    const ScheduleTask& t = s.ScheduleSettings.ScheduleTask[3];
    EXPECT_EQ(t.Repeat, 0u);
    EXPECT_EQ(t.Preset, 4);
    EXPECT_EQ(t.Year, 26);
    EXPECT_EQ(t.Month, 8);
    EXPECT_EQ(t.Day, 9);
    EXPECT_EQ(t.Hour, 18);
    EXPECT_EQ(t.Minute, 5);
    EXPECT_TRUE(Page->TaskButtons[3]->IsChecked());
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdSchedule}));
    const std::vector<uint8_t> b = Commands()[0].Bytes;
    EXPECT_EQ(b[0], 1);    // store task
    EXPECT_EQ(b[8], 3);    // task 4
    EXPECT_EQ(b[9], 4);    // preset
    EXPECT_EQ(b[10], 0);   // not used
    // The next schedule refresh shows the device's word again.
    Page->UpdateSchedule();
    EXPECT_FALSE(Page->TaskButtons[3]->IsChecked());
}

TEST_F(TaskPageTest, SyncStopsTheClockAndSendsPcTime) {
    DeviceState& s = GetDeviceState();
    s.MachineTime = MachineTime{20, 1, 1, 0, 0, 0};
    Page->UpdateMachineTime();
    const std::time_t before = std::time(nullptr);
    Page->OnBnClickedSync();
    EXPECT_FALSE(Page->Machine.Running);
    EXPECT_EQ(Page->MachineClockText->GetLabel(), "2020/1/1 00:00:00");
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdSchedule, CmdQuery51}));
    std::tm t{};
    localtime_r(&before, &t);
    const std::vector<uint8_t> b = Commands()[0].Bytes;
    EXPECT_EQ(b[0], 0);
    EXPECT_EQ(b[2], t.tm_year + 1900 - 2000);
    EXPECT_EQ(b[3], t.tm_mon + 1);
    EXPECT_EQ(b[4], t.tm_mday);
}

TEST_F(TaskPageTest, ScheduleOnOffAndRefresh) {
    Page->ScheduleButton->Click();
    Pump(10);
    DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.ScheduleSettings.Enable, 1);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdSchedule}));
    EXPECT_EQ(Commands()[0].Bytes[0], 2);
    EXPECT_EQ(Commands()[0].Bytes[1], 1);
    s.ScheduleSettings.Enable = 0;
    s.ScheduleSettings.ScheduleTask[7].Repeat = 2;
    s.ScheduleSettings.ScheduleTask[8].Repeat = 9;   // a value with no button: lit, no option checked
    Page->UpdateSchedule();
    EXPECT_FALSE(Page->ScheduleButton->IsChecked());
    EXPECT_TRUE(Page->TaskButtons[7]->IsChecked());
    EXPECT_FALSE(Page->TaskButtons[6]->IsChecked());
    Page->OnBnClickedTask(MTaskDlg::IdFirstTask + 8);
    for (CGdipButton* o : Page->OptionButtons) EXPECT_FALSE(o->IsChecked());
}


TEST_F(TaskPageTest, EveryControlFitsThePopupAtTheSmallestWindowWithoutOverlap) {
    // The pop-up's place at 1280 x 728: 320 x 416. The task's date and time are one control each.
    EXPECT_EQ(FindControl(Page, MTaskDlg::IdTimePicker), static_cast<wxWindow*>(Page->TimePicker));
    EXPECT_EQ(FindControl(Page, MTaskDlg::IdDatePicker), static_cast<wxWindow*>(Page->DatePicker));
    std::vector<wxRect> rects;
    for (wxWindow* child : Page->GetChildren())
        if (!child->IsTopLevel() && child->IsShown()) {
            rects.push_back(child->GetRect());
            // Captions fit their controls.
            if (!child->IsKindOf(wxCLASSINFO(wxTextCtrl)) && !child->GetLabel().empty()) {
                EXPECT_LE(child->GetTextExtent(child->GetLabel()).x, child->GetSize().x) << child->GetLabel();
            }
        }
    ASSERT_GE(rects.size(), 29u);   // 16 buttons, 6 edits, 4 texts, the list, 2 pickers
    for (size_t i = 0; i < rects.size(); ++i) {
        EXPECT_TRUE(wxRect(0, 0, 320, 416).Contains(rects[i])) << rects[i].x << "," << rects[i].y;
        for (size_t j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].Intersects(rects[j])) << rects[i].x << "," << rects[i].y << " and " << rects[j].x
                                                        << "," << rects[j].y;
    }
    // The group frames too.
    for (CSxGroupBox* box : Page->AllGroupBoxes()) EXPECT_TRUE(wxRect(0, 0, 320, 416).Contains(box->FrameRect));
}

TEST_F(TaskPageTest, AClickedTaskIsLitExactlyWhileInUseWhateverItsPresetByte) {
    struct Row {
        const char* What;
        uint32_t Repeat;
        uint8_t Preset;
    };
    const Row rows[] = {
        {"not used, preset 3", 0, 3},
        {"once, preset 3", 1, 3},
        {"not used, a preset byte that names no slot", 0, 0x55},
        {"every day, a preset byte that names no slot", 2, 0x55},
    };
    DeviceState& s = GetDeviceState();
    s.PresetUsed.fill(1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        s.ScheduleSettings.ScheduleTask[6].Repeat = row.Repeat;
        s.ScheduleSettings.ScheduleTask[6].Preset = row.Preset;
        Page->TaskButtons[6]->SetChecked(false);
        Page->TaskButtons[0]->Click();          // another task first: 7 is not the current one
        Page->TaskButtons[6]->Click();          // the click itself lights the button
        EXPECT_EQ(Page->TaskButtons[6]->IsChecked(), row.Repeat != 0);
        EXPECT_EQ(Page->TaskButtons[6]->GetTextColour(), 0xEBEBEBu);  // the current task's caption
        EXPECT_EQ(Page->TaskButtons[0]->GetTextColour(), 0u);
    }
    EXPECT_TRUE(Commands().empty());
}
