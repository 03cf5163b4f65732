#pragma once
// The captions and states of a page's four layer buttons by the switcher mode, shared by the
// output and crop pages.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct LayerButtonState {
    std::optional<std::string> Caption;  // none: the button keeps its caption
    std::optional<bool> Enabled;         // none: the button keeps its state
};

struct LayerButtonPlan {
    std::array<LayerButtonState, 4> Buttons;
    std::optional<int> SelectLayer;      // the page selects this layer as by a click
};

// Mode 1 (PGM/PVW): layers 0 and 1 read "PGM" (disabled) on the program side, else "PVW" on
// the preview side (and that one is selected); layers 2 and 3 read "PIP2"/"PIP3". Mode 2 (dual):
// "PGM1"/"PGM2" disabled on the program side, else "PVW1"/"PVW2". Otherwise "MAIN" and
// "PIP-1".."PIP-3", all enabled.
LayerButtonPlan LayerButtonsForSwitcher(uint8_t mode, const uint8_t onProgram[4], const uint8_t onPreview[4]);
