#pragma once
// The chroma keyer page's rules without windows: the two keyers (0 on PIP-3, 1 on PIP-1), the
// layer each keys on, the user colour range and the commands that carry a keyer.
#include <array>
#include <cstdint>

#include "app/DeviceState.h"

inline constexpr int KeyerModeCount = 13;   // 0 user, 1..12 preset modes

// The byte that addresses a keyer in its command and its query: 3 for PIP-3, 1 for PIP-1.
inline uint8_t KeyerTargetByte(int target) { return target == 1 ? 1 : 3; }
inline bool IsKeyerTarget(int target) { return target == 0 || target == 1; }

// The keyer's layer (PIP-3 for target 0, PIP-1 for target 1) is on.
bool KeyerLayerOn(const DeviceState& s, int target);
// The PIP-1 keyer exists only in the mosaic mode that shows PIP-1 over the picture.
inline bool Pip1KeyerSelectable(uint32_t mosaicMode) { return mosaicMode == 3; }

// The nine edit values in edit order: red, green, blue low/high, gain in, out, band.
using KeyerValues = std::array<float, 9>;
inline constexpr std::array<int, 9> KeyerValueMax = {255, 255, 255, 255, 255, 255, 64, 64, 255};
// Stores the values (truncated, held inside their ranges) in the keyer.
void StoreKeyerValues(KeyerSettings& k, const KeyerValues& v);
KeyerValues KeyerValuesOf(const KeyerSettings& k);
// The user mode with the full colour range; the gains stay.
void ResetKeyerRange(KeyerSettings& k);
// The value edits are usable only in the user mode with the keyer on.
inline bool KeyerRangeEditable(const KeyerSettings& k) { return k.Mode == 0 && k.Enable != 0; }

// CmdKeyer for the target (the encoder takes the keyer's fields from the state).
int SendKeyer(DeviceState& s, int target);
int SendKeyerQuery(DeviceState& s, int target);
