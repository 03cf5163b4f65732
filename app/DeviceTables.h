#pragma once
// The program's fixed name tables and page start values: the inputs, the output resolutions,
// the picture-mode and colour-temperature presets, the sync choices. They live in DeviceState
// beside the device's own state; these are their row types and starting contents.
#include <array>
#include <cstdint>
#include <string>

struct InputEntry {
    uint32_t Index = 0;   // = row; also the layer Source code of this input
    uint32_t Present = 0; // the input exists on this processor
    std::string Name;
    std::string Remark;   // the operator's name for it; starts as Name
};

struct ResolutionEntry {
    uint16_t Width = 0;
    uint16_t Height = 0;
    uint16_t FrameRate = 0; // Hz x 100
    std::string Name;
};

struct PictureModePreset {
    uint8_t Id = 0;
    float Gamma = 0.0f;
    std::array<uint8_t, 9> Values{}; // five picture values, colour-temperature index, three colour levels
    std::string Name;
};

struct ColourTemperaturePreset {
    uint8_t Red = 0;
    uint8_t Green = 0;
    uint8_t Blue = 0;
    std::string Name;
};

struct SyncChoice {
    uint32_t Id = 0; // what is stored and sent
    std::string Name;
};

// The fixed rows of the picture modes other than User.
struct PictureModeValue {
    uint8_t BrightLevel, GammaTenths, Brightness, Contrast, Saturation, Hue, Sharpness, Red, Green, Blue;
};

// What "Reset Picture Settings" writes.
struct PictureResetRecord {
    uint8_t PictureMode = 0;
    uint8_t BrightLevel = 17;
    float Gamma = 0.0f;
    uint8_t Brightness = 50;
    uint8_t Contrast = 50;
    uint8_t Saturation = 50;
    uint8_t Sharpness = 12;
    uint8_t Hue = 50;
    uint8_t ColourTemperature = 8;
    uint8_t Red = 128;
    uint8_t Green = 128;
    uint8_t Blue = 128;
};

// The picture page's values before the device has answered, per (input row, layer).
struct LayerPictureDefault {
    uint8_t Scope = 0; // 0 this input only, 1 all inputs
    uint8_t Reserved1 = 0;
    uint8_t Brightness = 0, Contrast = 0, Saturation = 0, Sharpness = 0, Hue = 0;
    uint8_t Red = 0, Green = 0, Blue = 0;
};

// The output page's custom-timing controls until its first resolution choice.
struct CustomTimingValues {
    uint8_t ResolutionIndex = 18;
    uint8_t FrameRateByte = 112;
    uint8_t HPolaritySelection = 0;
    uint8_t VPolaritySelection = 0;
    uint16_t HActive = 1024;
    uint16_t HTotal = 1024;
    uint16_t HSync = 1024;
    uint16_t HBackPorch = 0;
    uint16_t VActive = 768;
    uint16_t VTotal = 768;
    uint16_t VSync = 768;
    uint16_t VBackPorch = 0;
    uint32_t TimingPanelOpen = 0; // the timing group is shown; sent as byte 21 of the timing command
};

std::array<InputEntry, 12> DefaultInputTable();
std::array<ResolutionEntry, 19> DefaultResolutionTable();
std::array<PictureModePreset, 8> DefaultPictureModePresets();
std::array<ColourTemperaturePreset, 9> DefaultColourTemperaturePresets();
std::array<SyncChoice, 13> DefaultSyncSourceNames();
std::array<SyncChoice, 3> DefaultSyncModeNames();
std::array<PictureModeValue, 7> DefaultPictureModeValues();

inline constexpr uint32_t CustomResolutionRow = 18;
inline constexpr uint32_t UserColourTemperature = 8;
