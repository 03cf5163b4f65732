#include "pages/TestPatternLogic.h"

#include <algorithm>
#include <cmath>

#include "app/DeviceCommand.h"

int StepPattern(float shown, int step) {
    const int current = std::isfinite(shown) ? static_cast<int>(std::trunc(std::clamp(shown, -1.0f, 1000.0f))) : 1;
    return std::clamp(current + step, FirstPattern, LastPattern);
}

uint16_t GrabPositionOnOutput(float typed, uint16_t active) {
    // The edit allows -1; no pixel lies left of or above the first one.
    if (!(typed >= 0.0f)) return 0;
    const int value = static_cast<int>(std::min(typed, 65535.0f));
    const int last = active > 0 ? active - 1 : 0;
    return static_cast<uint16_t>(std::min(value, last));
}

uint16_t GrabPosition(const DeviceState& s, int axis) {
    const size_t at = axis == 0 ? 0 : 2;
    return static_cast<uint16_t>(s.GrabPosition[at] | s.GrabPosition[at + 1] << 8);
}

void SetGrabPosition(DeviceState& s, int axis, uint16_t value) {
    const size_t at = axis == 0 ? 0 : 2;
    s.GrabPosition[at] = static_cast<uint8_t>(value & 0xFF);
    s.GrabPosition[at + 1] = static_cast<uint8_t>(value >> 8);
}

void SendPattern(DeviceState& s, uint32_t pattern) {
    s.TestPattern = static_cast<uint8_t>(std::min<uint32_t>(pattern, LastPattern));
    s.SendCommand(CmdTestPattern);
}

void SendPixelGrab(DeviceState& s, bool on) { s.SendCommand(CmdPixelGrab, on ? 1 : 0); }
