// The schedule page's rules: machine clock text and ticking, task corrections, preset choice.
#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "pages/ScheduleLogic.h"
#include "support/RecordingCommLink.h"

TEST(ScheduleLogic, MachineClockTextAndTicks) {
    const MachineTime m{26, 3, 1, 12, 0, 0};
    EXPECT_EQ(FormatMachineClock(m.Year + 2000, m.Month, m.Day, m.Hour, m.Minute, m.Second), "2026/3/1 12:00:00");
    MachineClock clock;
    clock.Set(m, 1000);
    EXPECT_EQ(FormatMachineClock(clock.Clock), "2026/3/1 12:00:00");
    EXPECT_TRUE(clock.Tick(1001));
    EXPECT_EQ(FormatMachineClock(clock.Clock), "2026/3/1 12:00:01");
    EXPECT_TRUE(clock.Tick(1003));   // a late tick catches up with the PC's clock
    EXPECT_EQ(FormatMachineClock(clock.Clock), "2026/3/1 12:00:03");
    clock.Stop();
    EXPECT_FALSE(clock.Tick(1010));
    EXPECT_EQ(FormatMachineClock(clock.Clock), "2026/3/1 12:00:03");
}

TEST(ScheduleLogic, LocalTimeRoundTripsThroughDeviceTime) {
    const MachineTime m{30, 12, 31, 23, 59, 58};
    const MachineTime back = MachineTimeFromLocal(MachineTimeToLocal(m));
    EXPECT_EQ(back.Year, 30);
    EXPECT_EQ(back.Month, 12);
    EXPECT_EQ(back.Day, 31);
    EXPECT_EQ(back.Hour, 23);
    EXPECT_EQ(back.Minute, 59);
    EXPECT_EQ(back.Second, 58);
}

TEST(ScheduleLogic, TaskFieldsCorrected) {
    ScheduleTask t{26, 0, 0, 30, 70, 99, 0, 0, 0};
    CorrectTaskFields(t);
    EXPECT_EQ(t.Month, 1);
    EXPECT_EQ(t.Day, 1);
    EXPECT_EQ(t.Hour, 23);
    EXPECT_EQ(t.Minute, 59);
    EXPECT_EQ(t.Second, 59);
    ScheduleTask u{26, 13, 40, 5, 6, 7, 0, 0, 0};
    CorrectTaskFields(u);
    EXPECT_EQ(u.Month, 12);
    EXPECT_EQ(u.Day, 31);
    EXPECT_EQ(u.Hour, 5);
}

TEST(ScheduleLogic, PresetOfATask) {
    std::array<uint8_t, 10> used{};
    used[2] = used[6] = 1;
    EXPECT_EQ(ResolveTaskPreset(used, 2), 2);
    EXPECT_EQ(ResolveTaskPreset(used, 4), 6);   // the last slot that holds a preset
    EXPECT_FALSE(ResolveTaskPreset(used, 10).has_value());
    EXPECT_EQ(ResolveTaskPreset(std::array<uint8_t, 10>{}, 4), 4);
}

TEST(ScheduleLogic, RepeatOptions) {
    EXPECT_EQ(RepeatOption(0), 0);
    EXPECT_EQ(RepeatOption(2), 2);
    EXPECT_FALSE(RepeatOption(3).has_value());
}

TEST(ScheduleLogic, StoreTaskCommandBytes) {
    ResetDeviceState();
    ScopedRecordingLink link;
    DeviceState& s = GetDeviceState();
    s.ScheduleSettings.Enable = 1;
    s.ScheduleSettings.ScheduleTask[4] = ScheduleTask{26, 5, 17, 8, 30, 15, 3, 0, 2};
    s.SendCommand(CmdSchedule, 4, 1);
    const auto calls = link.Link.CallsOf("SendCommand");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Command, 17u);
    const std::vector<uint8_t> want = {1, 1, 26, 5, 17, 8, 30, 15, 4, 3, 2};
    EXPECT_EQ(std::vector<uint8_t>(calls[0].Bytes.begin(), calls[0].Bytes.begin() + 11), want);
    ResetDeviceState();
}
