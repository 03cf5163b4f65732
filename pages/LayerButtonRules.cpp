#include "pages/LayerButtonRules.h"

LayerButtonPlan LayerButtonsForSwitcher(uint8_t mode, const uint8_t onProgram[4], const uint8_t onPreview[4]) {
    LayerButtonPlan plan;
    if (mode == 1) {
        for (int layer = 0; layer < 2; ++layer) {
            LayerButtonState& b = plan.Buttons[layer];
            if (onProgram[layer]) {
                b = {"PGM", false};
            } else if (onPreview[layer]) {
                b = {"PVW", true};
                plan.SelectLayer = layer;
            }
        }
        plan.Buttons[2].Caption = "PIP2";
        plan.Buttons[3].Caption = "PIP3";
    } else if (mode == 2) {
        for (int layer = 0; layer < 4; ++layer) {
            const bool first = layer == 0 || layer == 2;
            LayerButtonState& b = plan.Buttons[layer];
            if (onProgram[layer]) b = {first ? "PGM1" : "PGM2", false};
            else if (onPreview[layer]) b = {first ? "PVW1" : "PVW2", true};
        }
    } else {
        static const char* const names[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
        for (int layer = 0; layer < 4; ++layer) plan.Buttons[layer] = {names[layer], true};
    }
    return plan;
}
