#include "pages/SwitcherLogic.h"

uint8_t SwitcherModeFor(bool on, int panel) {
    if (!on) return 0;
    return panel == 1 ? 2 : 1;
}

void ApplySwitcherMode(DeviceState& s, uint8_t mode) {
    s.SwitcherSettings.Mode = mode;
    if (mode == 2) s.LogoSettings.Pip3Usage = 0;
}

std::optional<int> PanelOfMode(uint8_t mode) {
    if (mode == 1 || mode == 2) return mode - 1;
    return std::nullopt;
}

bool ApplyFadeChoice(DeviceState& s, long data) {
    if (data < 0 || data >= static_cast<long>(FadeTimeTexts.size())) return false;
    s.SwitcherSettings.FadeTime = static_cast<uint32_t>(data);
    return true;
}

bool ApplyMultiMachine(DeviceState& s, bool checked) {
    if (!s.NetworkConnected) return false;
    s.MultiMachineMode = checked ? 1 : 0;
    return true;
}
