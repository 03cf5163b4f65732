#include "pages/ScheduleLogic.h"

#include <algorithm>
#include <cstdio>

std::string FormatMachineClock(int year, int month, int day, int hour, int minute, int second) {
    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %02d:%02d:%02d", year, month, day, hour, minute, second);
    return text;
}

std::string FormatMachineClock(std::time_t clock) {
    std::tm t{};
    localtime_r(&clock, &t);
    return FormatMachineClock(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
}

std::time_t MachineTimeToLocal(const MachineTime& m) {
    std::tm t{};
    t.tm_year = m.Year + 2000 - 1900;
    t.tm_mon = m.Month - 1;
    t.tm_mday = m.Day;
    t.tm_hour = m.Hour;
    t.tm_min = m.Minute;
    t.tm_sec = m.Second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

MachineTime MachineTimeFromLocal(std::time_t clock) {
    std::tm t{};
    localtime_r(&clock, &t);
    const int year = std::clamp(t.tm_year + 1900 - 2000, 0, 255);
    return MachineTime{static_cast<uint8_t>(year), static_cast<uint8_t>(t.tm_mon + 1), static_cast<uint8_t>(t.tm_mday),
                       static_cast<uint8_t>(t.tm_hour), static_cast<uint8_t>(t.tm_min), static_cast<uint8_t>(t.tm_sec)};
}

void MachineClock::Set(const MachineTime& m, std::time_t now) {
    Clock = MachineTimeToLocal(m);
    LastTick = now;
    Running = true;
}

bool MachineClock::Tick(std::time_t now) {
    const std::time_t elapsed = now - LastTick;
    LastTick = now;
    if (!Running) return false;
    Clock += elapsed;
    return true;
}

void CorrectTaskFields(ScheduleTask& task) {
    task.Month = std::clamp<uint8_t>(task.Month, 1, 12);
    task.Day = std::clamp<uint8_t>(task.Day, 1, 31);
    task.Hour = std::min<uint8_t>(task.Hour, 23);
    task.Minute = std::min<uint8_t>(task.Minute, 59);
    task.Second = std::min<uint8_t>(task.Second, 59);
}

std::optional<uint8_t> ResolveTaskPreset(const std::array<uint8_t, 10>& presetUsed, uint8_t preset) {
    if (preset >= presetUsed.size()) return std::nullopt;
    if (presetUsed[preset]) return preset;
    for (size_t i = presetUsed.size(); i-- > 0;)
        if (presetUsed[i]) return static_cast<uint8_t>(i);
    return preset;
}

std::optional<int> RepeatOption(uint32_t repeat) {
    if (repeat > 2) return std::nullopt;
    return static_cast<int>(repeat);
}

