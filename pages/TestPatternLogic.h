#pragma once
// The test-pattern and pixel-grab page's rules without a window: pattern steps within 1..111,
// grab positions pulled back onto the output, and the commands of the page.
#include <cstdint>

#include "app/DeviceState.h"

enum TestPatternControlId : int {
    IdPatternGroup = 1271, IdGrabGroup = 1272,
    IdPatternOnOff = 1273, IdPatternPrevious = 1274, IdPatternNext = 1275,
    IdPatternFirstHidden = 1276, IdPatternLastHidden = 1284,
    IdPatternNumber = 1533, IdPatternSlider = 1534,
    IdPixelGrab = 1187, IdGrabH = 1287, IdGrabV = 1288, IdGrabHLabel = 1285, IdGrabVLabel = 1286,
    IdCaptionSettings = 1515,
};
inline constexpr int FirstPattern = 1, LastPattern = 111;
// The index of the caption page among the sub-pages the main dialog shows.
inline constexpr int CaptionSubPage = 4;

// The pattern after "<<" (-1) or ">>" (+1) from the edit's value.
int StepPattern(float shown, int step);

// A grab position as typed, on the output: truncated, at least 0, at most active - 1.
uint16_t GrabPositionOnOutput(float typed, uint16_t active);

// GrabPosition H (index 0) or V (index 1), as the device reads it (low byte first).
uint16_t GrabPosition(const DeviceState& s, int axis);
void SetGrabPosition(DeviceState& s, int axis, uint16_t value);

// Shows `pattern` (0 = none) and sends it.
void SendPattern(DeviceState& s, uint32_t pattern);
void SendPixelGrab(DeviceState& s, bool on);
