#include "pages/PictureSettingsLogic.h"

#include <algorithm>
#include <cmath>

#include "app/DeviceCommand.h"

const std::array<PictureEditSpec, 10> PictureEdits{{
    {IdBrightLevelEdit, IdBrightLevelSlider, 0, 16, "%d"},
    {IdGammaEdit, IdGammaSlider, 0, 5.0f, "%.1f"},
    {IdBrightnessEdit, IdBrightnessSlider, 0, 100, "%d"},
    {IdContrastEdit, IdContrastSlider, 0, 100, "%d"},
    {IdSaturationEdit, IdSaturationSlider, 0, 100, "%d"},
    {IdHueEdit, IdHueSlider, 0, 100, "%d"},
    {IdSharpnessEdit, IdSharpnessSlider, 0, 24, "%d"},
    {IdRedEdit, IdRedSlider, 0, 255, "%d"},
    {IdGreenEdit, IdGreenSlider, 0, 255, "%d"},
    {IdBlueEdit, IdBlueSlider, 0, 255, "%d"},
}};

namespace {
uint32_t SafeLayer(uint32_t layer) { return layer < LayerCount ? layer : 0; }
uint32_t SafeInput(uint32_t input) { return input < InputRowCount ? input : 0; }

const PictureEditSpec* FindEdit(int id) {
    for (const PictureEditSpec& e : PictureEdits)
        if (e.EditId == id) return &e;
    return nullptr;
}

// The committed number as the byte it is stored in: clamped to the edit's range (a NaN counts
// as the bottom) and truncated towards zero.
uint8_t EditByte(const PictureEditSpec& spec, float value) {
    if (!(value >= spec.Min)) value = spec.Min;
    if (value > spec.Max) value = spec.Max;
    return static_cast<uint8_t>(value);
}

// The byte of a record that an edit id writes.
uint8_t* RecordField(PictureSettings& r, int id) {
    switch (id) {
    case IdBrightnessEdit: return &r.Brightness;
    case IdContrastEdit: return &r.Contrast;
    case IdSaturationEdit: return &r.Saturation;
    case IdHueEdit: return &r.Hue;
    case IdSharpnessEdit: return &r.Sharpness;
    case IdRedEdit: return &r.Red;
    case IdGreenEdit: return &r.Green;
    case IdBlueEdit: return &r.Blue;
    default: return nullptr;
    }
}
}  // namespace

uint32_t EffectivePictureMode(uint32_t stored) { return stored <= PictureModeUser ? stored : PictureModeUser; }

PictureView ComputePictureView(const DeviceState& s, uint32_t layer, uint32_t input) {
    layer = SafeLayer(layer);
    PictureView v;
    const uint32_t mode = EffectivePictureMode(s.PictureMode);
    v.PictureModeItem = mode;
    if (mode != PictureModeUser) {
        const PictureModeValue& p = s.PictureModeValues[mode];
        v.BrightLevelOn = p.BrightLevel != BrightLevelOff;
        v.BrightLevel = p.BrightLevel;
        v.GammaOn = p.GammaTenths != 0;
        // The preset table holds gamma in tenths, as the picture command carries it.
        v.Gamma = static_cast<float>(p.GammaTenths) / 10.0f;
        v.Values = {p.Brightness, p.Contrast, p.Saturation, p.Hue, p.Sharpness, p.Red, p.Green, p.Blue};
        v.ColourTemperatureItem = ColourTemperatureUser;
    } else {
        v.BrightLevelOn = s.BrightLevel != BrightLevelOff;
        v.BrightLevel = static_cast<float>(s.BrightLevel);
        const float gamma = std::isfinite(s.Gamma) ? s.Gamma : 0.0f;
        v.GammaOn = gamma != 0.0f;
        v.Gamma = gamma;
        // A layer whose source is no input row keeps the row the page had.
        v.Input = s.GetLayerInputIndex(layer);
        const uint32_t row = v.Input ? *v.Input : SafeInput(input);
        const PictureSettings& r = s.PictureSettings[4 * row + layer];
        v.Values = {r.Brightness, r.Contrast, r.Saturation, r.Hue, r.Sharpness, r.Red, r.Green, r.Blue};
        v.ColourTemperatureItem = r.ColourTemperature <= ColourTemperatureUser ? r.ColourTemperature
                                                                               : ColourTemperatureUser;
    }
    v.ApplyToAll = s.ApplyToAllInputs[layer] != 0;
    const uint8_t source = s.LayerWindow[layer].Source;
    if (source < InputRowCount) v.DviCaption = s.InputTable[source].Name;
    v.AdjustmentsEnabled = mode == PictureModeUser;
    return v;
}

uint32_t PictureRecordRow(const DeviceState& s, uint32_t layer, uint32_t pageInput) {
    return s.GetLayerInputIndex(SafeLayer(layer)).value_or(SafeInput(pageInput));
}

PictureEditEffect ApplyPictureEdit(DeviceState& s, uint32_t layer, uint32_t input, int editId, float value) {
    const PictureEditSpec* spec = FindEdit(editId);
    if (!spec) return PictureEditEffect::None;
    layer = SafeLayer(layer);
    input = PictureRecordRow(s, layer, input);
    if (editId == IdBrightLevelEdit) {
        s.BrightLevel = EditByte(*spec, value);
        s.PictureMode = PictureModeUser;
        return PictureEditEffect::PictureModeUser;
    }
    if (editId == IdGammaEdit) {
        s.Gamma = std::isfinite(value) ? std::clamp(value, spec->Min, spec->Max) : 0.0f;
        s.PictureMode = PictureModeUser;
        return PictureEditEffect::PictureModeUser;
    }
    const uint8_t byte = EditByte(*spec, value);
    if (s.ApplyToAllInputs[layer] != 0) {
        for (uint32_t k = 0; k < InputRowCount; ++k) *RecordField(s.PictureSettings[4 * k + layer], editId) = byte;
    } else {
        *RecordField(s.PictureSettings[4 * input + layer], editId) = byte;
    }
    if (editId == IdRedEdit || editId == IdGreenEdit || editId == IdBlueEdit) {
        // Own colour levels make the colour temperature "User", in the shown record only.
        s.PictureSettings[4 * input + layer].ColourTemperature = ColourTemperatureUser;
        return PictureEditEffect::ColourTemperatureUser;
    }
    s.PictureMode = PictureModeUser;
    return PictureEditEffect::PictureModeUser;
}

void ApplyColourTemperatureChoice(DeviceState& s, uint32_t layer, uint32_t input, uint32_t index) {
    s.PictureMode = PictureModeUser;
    if (index > ColourTemperatureUser) return;
    s.PictureSettings[4 * PictureRecordRow(s, layer, input) + SafeLayer(layer)].ColourTemperature = index;
}

void ApplyBrightLevelSwitch(DeviceState& s, bool on, float editValue) {
    s.PictureMode = PictureModeUser;
    s.BrightLevel = on ? EditByte(PictureEdits[0], editValue) : BrightLevelOff;
}

void ApplyGammaSwitch(DeviceState& s, bool on, float editValue) {
    s.PictureMode = PictureModeUser;
    const PictureEditSpec& spec = PictureEdits[1];
    s.Gamma = on && std::isfinite(editValue) ? std::clamp(editValue, spec.Min, spec.Max) : 0.0f;
}

void ResetAllPictureRecords(DeviceState& s) {
    const PictureResetRecord& v = s.PictureResetValues;
    for (PictureSettings& r : s.PictureSettings) {
        r.Brightness = v.Brightness;
        r.Contrast = v.Contrast;
        r.Saturation = v.Saturation;
        r.Sharpness = v.Sharpness;
        r.Hue = v.Hue;
        r.ColourTemperature = v.ColourTemperature;
        r.Red = v.Red;
        r.Green = v.Green;
        r.Blue = v.Blue;
    }
    s.PictureCommandMode = 0;
}

int SendPicture(DeviceState& s, uint32_t layer) { return s.SendCommand(CmdPicture, SafeLayer(layer)); }

void SendColourReset(DeviceState& s, uint32_t layer) {
    s.ResetLayerPicture = 1;
    SendPicture(s, layer);
    // A refused picture command (the layer shows no input row) must not leave the one-shot armed.
    s.ResetLayerPicture = 0;
    s.SendCommand(CmdQuery52, SafeLayer(layer));
}

void SendPictureReset(DeviceState& s, uint32_t layer) {
    ResetAllPictureRecords(s);
    SendPicture(s, layer);
    s.PictureCommandMode = 1;
    s.SendCommand(CmdQuery52, SafeLayer(layer));
}

std::array<PictureLayerButtonLook, LayerCount> LayerButtonLooks(const SwitcherSettings& sw) {
    std::array<PictureLayerButtonLook, LayerCount> looks{};
    if (sw.Mode == 1) {
        for (int i = 0; i < 2; ++i) {
            if (sw.OnProgram[i]) looks[i] = {"PGM", LayerButtonState::ProgramDisabled};
            else if (sw.OnPreview[i]) looks[i] = {"PVW", LayerButtonState::PreviewSelect};
        }
        looks[2].Caption = "PIP2";
        looks[3].Caption = "PIP3";
    } else if (sw.Mode == 2) {
        for (int i = 0; i < LayerCount; ++i) {
            const char* n = (i == 0 || i == 2) ? "1" : "2";
            if (sw.OnProgram[i]) looks[i] = {std::string("PGM") + n, LayerButtonState::ProgramDisabled};
            else if (sw.OnPreview[i])
                looks[i] = {std::string("PVW") + n,
                            (i == 0 || i == 2) ? LayerButtonState::PreviewSelect : LayerButtonState::PreviewEnabled};
        }
    } else {
        looks[0] = {"MAIN", LayerButtonState::Enabled};
        for (int i = 1; i < LayerCount; ++i) looks[i] = {"PIP-" + std::to_string(i), LayerButtonState::Enabled};
    }
    return looks;
}
