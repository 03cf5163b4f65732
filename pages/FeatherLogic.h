#pragma once
// The feathering page's rules without a window: when feathering may be switched on, which layer
// the first group edits in each mosaic mode, and what a list choice stores and sends.
#include <array>
#include <cstdint>
#include <optional>

#include "app/DeviceState.h"

inline constexpr std::array<int, 4> FeatherListIds{65400, 65401, 65402, 65403};
enum FeatherControlId : int {
    IdFeatherGroupFirst = 1594, IdFeatherGroupPip3 = 1595, IdFeatherButton = 1600,
};
inline constexpr int FeatherFirstSharpList = 65400, FeatherPip3SharpList = 65401;
inline constexpr int FeatherFirstLevelList = 65402, FeatherPip3LevelList = 65403;

// The Sharp items: UiStrings index and item data.
struct FeatherSharpItem {
    int TextIndex;
    uint32_t Data;
};
inline constexpr std::array<FeatherSharpItem, 5> FeatherSharpItems{{{154, 1}, {155, 2}, {156, 3}, {157, 4}, {158, 5}}};
inline constexpr int FeatherLevelCount = 4; // "0".."3"

// The layer of the first group: PIP-2 in mosaic mode 2, PIP-1 in mode 3, else unchanged.
int FeatherPipLayer(uint32_t mosaicMode, int current);

// The first group's title: it names the layer the group edits (PIP-1 or PIP-2), in any language.
const char* FeatherFirstGroupTitle(int pipLayer);

// Whether feathering may be switched on in the current state.
bool FeatherSwitchOnAllowed(const DeviceState& s);

// The enable byte (the low byte of the first word).
bool FeatherEnabled(const DeviceState& s);
void SetFeatherEnabled(DeviceState& s, bool on);

// A list choice: stores the value and returns the layer argument of the feather command, or
// none for a list that is not one of the four (or a value out of the list's range).
std::optional<uint8_t> ApplyFeatherChoice(DeviceState& s, int listId, int pipLayer, uint32_t value);

// Sends the feather command with the layer argument.
void SendFeather(DeviceState& s, uint8_t layer);
