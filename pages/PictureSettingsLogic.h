#pragma once
// The picture page's rules without a window: which record an edit writes, what a refresh shows,
// the scope "all inputs", the "User" marking, the resets and the layer captions of the switcher
// modes. The page only moves values between these and its controls.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/DeviceState.h"

inline constexpr int PictureModeListId = 45024;
inline constexpr int ColourTemperatureListId = 45008;
inline constexpr uint32_t PictureModeUser = 7;
inline constexpr uint32_t ColourTemperatureUser = 8;
inline constexpr uint32_t BrightLevelOff = 17;

// Control ids of the page.
enum PictureControlId : int {
    IdBrightLevelEdit = 1035, IdBrightLevelSlider = 1034,
    IdGammaEdit = 1039, IdGammaSlider = 1038,
    IdBrightnessEdit = 1051, IdBrightnessSlider = 1042,
    IdContrastEdit = 1003, IdContrastSlider = 1044,
    IdSaturationEdit = 1015, IdSaturationSlider = 1048,
    IdHueEdit = 1019, IdHueSlider = 1050,
    IdSharpnessEdit = 1010, IdSharpnessSlider = 1046,
    IdRedEdit = 1418, IdRedSlider = 1425,
    IdGreenEdit = 1419, IdGreenSlider = 1426,
    IdBlueEdit = 1424, IdBlueSlider = 1427,
    IdLayerMain = 1060, // 1060..1063
    IdScopeDvi = 1416, IdScopeAll = 1417,
    IdBrightLevelOnOff = 1432, IdGammaOnOff = 1192,
    IdResetColour = 1163, IdResetPicture = 1124,
    IdGroupPictureMode = 1040, IdGroupColourTemperature = 1052,
    IdGammaRangeLabel = 1065,
};

// One value edit with its slider: range and format.
struct PictureEditSpec {
    int EditId, SliderId;
    float Min, Max;
    const char* Format;
};
// The ten value edits, in the page's order (bright level, gamma, then the eight record values).
extern const std::array<PictureEditSpec, 10> PictureEdits;

// The values a refresh shows for a layer.
struct PictureView {
    uint32_t PictureModeItem = 0;      // item data to select in the picture-mode list
    bool BrightLevelOn = false, GammaOn = false;
    float BrightLevel = 0, Gamma = 0;
    // Brightness, Contrast, Saturation, Hue, Sharpness, Red, Green, Blue.
    std::array<uint8_t, 8> Values{};
    uint32_t ColourTemperatureItem = ColourTemperatureUser;
    std::optional<uint32_t> Input;     // the new input row (User mode with a valid source only)
    bool ApplyToAll = false;
    std::optional<std::string> DviCaption; // the layer source's name, when the source is a row
    bool AdjustmentsEnabled = false;
};

// A picture mode that the stored byte names; anything outside 0..7 counts as User, so a bad
// byte never indexes the preset table and the stored values stay editable.
uint32_t EffectivePictureMode(uint32_t stored);

// What the page shows for `layer`, given its current `input` row.
PictureView ComputePictureView(const DeviceState& s, uint32_t layer, uint32_t input);

// The input row whose record an edit of `layer` goes to: the row the layer shows now, which is
// the record the picture command is built from; the page's own row only while the layer's source
// names none.
uint32_t PictureRecordRow(const DeviceState& s, uint32_t layer, uint32_t pageInput);

// What a committed edit changed on the page besides its own value.
enum class PictureEditEffect { None, PictureModeUser, ColourTemperatureUser };

// Writes a committed edit into the state (the record of PictureRecordRow, or the layer's twelve records when the
// layer applies to all inputs) and marks User; None for an id that is not a value edit.
PictureEditEffect ApplyPictureEdit(DeviceState& s, uint32_t layer, uint32_t input, int editId, float value);

// A colour-temperature choice: this record only, and the picture mode becomes User.
void ApplyColourTemperatureChoice(DeviceState& s, uint32_t layer, uint32_t input, uint32_t index);

// The bright-level and gamma on/off switches: the edit's value when on, the "off" value when not.
void ApplyBrightLevelSwitch(DeviceState& s, bool on, float editValue);
void ApplyGammaSwitch(DeviceState& s, bool on, float editValue);

// "Reset Picture Settings": the reset values into all 48 records; the next picture command
// carries mode 0 (the device resets its own side).
void ResetAllPictureRecords(DeviceState& s);

// Sends the layer's picture command.
int SendPicture(DeviceState& s, uint32_t layer);
// "Reset": the device puts the layer's colour back and reports it.
void SendColourReset(DeviceState& s, uint32_t layer);
// "Reset Picture Settings".
void SendPictureReset(DeviceState& s, uint32_t layer);

// The layer buttons in the switcher modes.
enum class LayerButtonState { Unchanged, Enabled, ProgramDisabled, PreviewSelect, PreviewEnabled };
struct PictureLayerButtonLook {
    std::optional<std::string> Caption;
    LayerButtonState State = LayerButtonState::Unchanged;
};
std::array<PictureLayerButtonLook, LayerCount> LayerButtonLooks(const SwitcherSettings& switcher);
