#pragma once
// The time and schedule page's rules without windows: the machine clock that follows the PC's
// clock between device reports, the machine time text, correcting a task's stored fields, and
// which preset a task may load.
#include <array>
#include <ctime>
#include <optional>
#include <string>

#include "app/DeviceState.h"
#include "controls/logic/DateTimeFields.h"

// "%d/%d/%d %02d:%02d:%02d" of a full date and time.
std::string FormatMachineClock(int year, int month, int day, int hour, int minute, int second);
std::string FormatMachineClock(std::time_t clock);   // as local time

// The PC's local time of a device time (year stored as year - 2000).
std::time_t MachineTimeToLocal(const MachineTime& m);
// A local time as the device stores it; years outside 2000..2255 are held at the ends.
MachineTime MachineTimeFromLocal(std::time_t t);

// The machine clock shown on the page: set by a device report, advanced by the PC's clock
// between reports, stopped by SYNC until the next report.
struct MachineClock {
    std::time_t Clock = 0;
    std::time_t LastTick = 0;
    bool Running = false;

    void Set(const MachineTime& m, std::time_t now);
    // One tick of the page's clock timer: true when the shown time changed.
    bool Tick(std::time_t now);
    void Stop() { Running = false; }
};

// Month 1..12, day 1..31, hour <= 23, minute and second <= 59.
void CorrectTaskFields(ScheduleTask& task);

// The preset a task shows: none when its slot is out of the list; the last stored preset when its
// own slot holds none (its own when no slot holds one).
std::optional<uint8_t> ResolveTaskPreset(const std::array<uint8_t, 10>& presetUsed, uint8_t preset);

// The option button (0 "Not Use", 1 "Once", 2 "Every Day") of a repeat value; none for values the
// page has no button for.
std::optional<int> RepeatOption(uint32_t repeat);
