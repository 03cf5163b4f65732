#pragma once
// The switcher page's rules without a window: the mode a switch or a panel choice stores (and
// what mode 2 forces on the logo), the fade-duration list, and the multi-machine rule.
#include <array>
#include <cstdint>
#include <optional>

#include "app/DeviceState.h"

inline constexpr int FadeTimeListId = 44976;
enum SwitcherControlId : int {
    IdSwitcherOnOff = 1240, IdPanelX1 = 1509, IdPanelX2 = 1510, IdSwitcherGroup = 1349,
    IdMultiMachine = 1496, IdMultiMachineGroup = 1493, IdFadeLabel = 1429, IdFadeUnitLabel = 1431,
    IdFadeHiddenEdit = 1430,
};
// The fade durations in seconds; the device stores the item's index.
inline constexpr std::array<const char*, 8> FadeTimeTexts{"0.0", "0.1", "0.2", "0.3", "0.5", "1.0", "2.0", "3.0"};

// The mode for the switch and the chosen panel (0 "Panel x 1", 1 "Panel x 2").
uint8_t SwitcherModeFor(bool on, int panel);
// Stores the mode; in the dual layout PIP-3 goes back to being a layer (no logo).
void ApplySwitcherMode(DeviceState& s, uint8_t mode);
// The panel a stored mode shows; none for off or a mode the page does not know.
std::optional<int> PanelOfMode(uint8_t mode);
// A fade choice: stored when it is one of the list's items.
bool ApplyFadeChoice(DeviceState& s, long data);
// Multi-machine mode follows the button on a network link only; false when refused.
bool ApplyMultiMachine(DeviceState& s, bool checked);
