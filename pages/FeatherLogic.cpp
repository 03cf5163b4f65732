#include "pages/FeatherLogic.h"

#include "app/DeviceCommand.h"

int FeatherPipLayer(uint32_t mosaicMode, int current) {
    if (mosaicMode == 2) return 2;
    if (mosaicMode == 3) return 1;
    return current;
}

const char* FeatherFirstGroupTitle(int pipLayer) { return pipLayer == 1 ? "PIP1" : "PIP2"; }

bool FeatherSwitchOnAllowed(const DeviceState& s) {
    const auto on = [&s](int layer) { return s.LayerWindow[layer].Enable != 0; };
    const uint32_t mode = s.MosaicSettings.Mode;
    const bool layersFit = (mode == 2 && (on(2) || on(3))) || (mode == 3 && (on(1) || on(3)));
    if (!layersFit) return false;
    for (const KeyerSettings& k : s.KeyerSettings)
        if (k.Enable) return false;
    for (const CaptionSettings& c : s.CaptionSettings)
        if (c.Enable) return false;
    const LogoSettings& logo = s.LogoSettings;
    // PIP-3 as a logo may feather only when it is neither on top nor framed.
    if (logo.Pip3Usage != 0 && (logo.Position != 0 || logo.Border != 0)) return false;
    return true;
}

bool FeatherEnabled(const DeviceState& s) { return (s.FeatherSettings.Enable & 0xFF) != 0; }

void SetFeatherEnabled(DeviceState& s, bool on) {
    s.FeatherSettings.Enable = (s.FeatherSettings.Enable & ~0xFFu) | (on ? 1u : 0u);
}

std::optional<uint8_t> ApplyFeatherChoice(DeviceState& s, int listId, int pipLayer, uint32_t value) {
    if (pipLayer < 1 || pipLayer >= LayerCount) return std::nullopt;
    FeatherSettings& f = s.FeatherSettings;
    const bool sharp = listId == FeatherFirstSharpList || listId == FeatherPip3SharpList;
    const bool level = listId == FeatherFirstLevelList || listId == FeatherPip3LevelList;
    if (!sharp && !level) return std::nullopt;
    if (sharp && (value < 1 || value > FeatherSharpItems.size())) return std::nullopt;
    if (level && value >= static_cast<uint32_t>(FeatherLevelCount)) return std::nullopt;
    const int layer = (listId == FeatherFirstSharpList || listId == FeatherFirstLevelList) ? pipLayer : 3;
    (sharp ? f.Sharpness : f.Level)[layer] = value;
    return static_cast<uint8_t>(layer);
}

void SendFeather(DeviceState& s, uint8_t layer) { s.SendCommand(CmdFeather, layer); }
