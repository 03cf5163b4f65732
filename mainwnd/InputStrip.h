#pragma once
// The input strip along the top of the main window: each present input's icon (lit for the
// current layer's source), its signal marker, name, remark and signal resolution.
#include "mainwnd/MainControlsLogic.h"

#include <array>
#include <string>
#include <vector>

#include <wx/dc.h>

class DeviceState;

// Draws the strip and returns one line per input as the window shows it ("HDMI-1 1920x1080 60Hz").
std::vector<std::string> DrawInputStrip(wxDC& dc, const std::array<LayoutRect, InputIconCount>& icons,
                                        const DeviceState& s);
// The current layer and its source as one line ("MAIN HDMI-1", "PIP-2 DVI-1").
std::string CurrentSourceLine(const DeviceState& s);
