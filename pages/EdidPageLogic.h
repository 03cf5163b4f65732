#pragma once
// The EDID page's rules without windows: which inputs take an EDID, which entry holds an input's
// timing, the pixel-clock guard on the five timing values, and storing a timing for Apply.
#include <cstdint>
#include <optional>
#include <vector>

#include "app/DeviceState.h"

enum class EdidField { HActive, VActive, FrameRate, HBlank, VBlank };

// The five edit values as the page holds them (FPS in whole hertz).
struct EdidTiming {
    float HActive = 0, VActive = 0, FrameRate = 0, HBlank = 0, VBlank = 0;
};

// Card types the list and the guard look at.
inline constexpr uint32_t CardVga = 3, CardDvi = 4, CardHdmi = 6, CardSdi = 7, CardDp = 8, CardUdisk = 9;

// Inputs offered in the list, in order: 0..4 always (unless SDI or U-disk), never 5, and the
// extension inputs 6 and 7 when present, or when absent on a DP/HDMI card split into halves.
std::vector<uint32_t> EdidListInputs(const DeviceState& s);

// The first entry whose Input byte names the input (how a device reply is found).
std::optional<size_t> FindEdidEntryByInput(const DeviceState& s, uint32_t input);

// The highest pixel clock the input's receiver takes; none when the guard does not apply.
std::optional<double> EdidPixelClockLimit(uint32_t cardType, uint32_t input);
// The bound of one field with the others as they are; none when the others give no bound
// (a zero product would divide by zero).
std::optional<int> EdidFieldBound(EdidField field, const EdidTiming& t, double limit);
// The value the edited field must take, or none when it is within the bound.
std::optional<int> EdidClampedValue(EdidField field, const EdidTiming& t, double limit);

// Stores the timing in the input's entry (FPS x 100). False, storing nothing, for an input
// without an entry.
bool StoreEdidTiming(DeviceState& s, uint32_t input, const EdidTiming& t);

// The action byte of Apply: 2 sends the blanking values too.
inline uint8_t EdidApplyAction(bool withBlanking) { return withBlanking ? 2 : 1; }
