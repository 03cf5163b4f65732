#include "pages/PipPageLogic.h"

#include "app/DeviceState.h"

int PipOfAlphaEdit(int controlId) {
    for (int i = 0; i < PipCount; ++i)
        if (PipAlphaEditIds[i] == controlId) return i;
    return -1;
}

int PipOfInputList(int listId) {
    for (int i = 0; i < PipCount; ++i)
        if (PipInputListIds[i] == listId) return i;
    return -1;
}

std::vector<PipInputItem> PipInputItems(const std::array<InputEntry, 12>& table) {
    std::vector<PipInputItem> items;
    for (size_t row = 0; row < table.size(); ++row)
        if (table[row].Present > 0) items.push_back({table[row].Name, static_cast<long>(row)});
    return items;
}

bool PipSwitchRefused(const DeviceState& state, int pip) { return pip == 2 && state.LogoSettings.Pip3Usage == 1; }

std::array<PipGroupEnables, PipCount> PipEnablesForMode(const DeviceState& state) {
    std::array<PipGroupEnables, PipCount> e{};
    const SwitcherSettings& s = state.SwitcherSettings;
    if (s.Mode == 1) {
        e[0].OnOff = false;
        e[0].Alpha = false;
        if (s.OnProgram[1]) {
            e[0].List = false;
            e[0].Caption = "PGM";
        } else if (s.OnPreview[1]) {
            e[0].List = true;
            e[0].Caption = "PVW";
        }
        for (int pip = 1; pip < PipCount; ++pip) {
            const int layer = pip + 1;
            e[pip].Alpha = false;
            if (s.OnProgram[layer]) {
                e[pip].OnOff = false;
                e[pip].List = false;
            } else {
                e[pip].OnOff = true;
                e[pip].List = state.LayerWindow[layer].Enable != 0;
            }
        }
    } else if (s.Mode == 2) {
        return e;
    } else {
        e[0].Caption = "PIP-1";
        for (int pip = 0; pip < PipCount; ++pip) {
            const bool on = state.LayerWindow[pip + 1].Enable != 0;
            e[pip].OnOff = true;
            e[pip].Alpha = on;
            e[pip].List = on;
        }
    }
    if (state.LogoSettings.Pip3Usage == 1) e[2].OnOff = e[2].Alpha = e[2].List = false;
    return e;
}
