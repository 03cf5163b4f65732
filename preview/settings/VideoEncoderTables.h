#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// The preview encoder's choices as the settings page offers them.

// Quality presets, by quality index: the list text (UiStrings index) and what the device is told.
struct EncoderQualityPreset {
    int UiString;
    int FrameRate;
    uint8_t ResolutionCode;
    int Kbps;
};
inline constexpr std::array<EncoderQualityPreset, 4> EncoderQualityPresets = {{
    {138, 15, 21, 1024}, // "Fluency"
    {139, 15, 7, 3072},  // "Standard Definition"
    {140, 7, 16, 6144},  // "High Definition"
    {141, 7, 17, 8192},  // "Ultra Clear"
}};

// The preview resolutions in list order, with the device's code and the picture size.
struct PreviewResolution {
    std::string_view Text;
    uint8_t Code;
    int Width;
    int Height;
};
inline constexpr std::array<PreviewResolution, 7> PreviewResolutions = {{
    {"352*240", 1, 352, 240},
    {"480*270", 21, 480, 270},
    {"640*360", 20, 640, 360},
    {"640*480", 7, 640, 480},
    {"960*540", 19, 960, 540},
    {"1280*720", 16, 1280, 720},
    {"1920*1080", 17, 1920, 1080},
}};
inline constexpr size_t StartResolutionItem = 6; // "1920*1080"
inline constexpr int StartQuality = 0;           // "Fluency"

inline constexpr int EncoderFrameRateMin = 1, EncoderFrameRateMax = 60, EncoderFrameRateStart = 15;
inline constexpr int EncoderKbpsMin = 2, EncoderKbpsMax = 40960, EncoderKbpsStart = 6144;

// The picture size of a resolution code; none for a code the page does not know.
std::optional<PreviewResolution> FindPreviewResolution(uint8_t code);
// The list item of a resolution code.
std::optional<size_t> PreviewResolutionItem(uint8_t code);
// The quality whose preset has this resolution code (21, 7, 16, 17); none for the others.
std::optional<int> QualityForResolutionCode(uint8_t code);
