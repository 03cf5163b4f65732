#include "preview/settings/VideoEncoderTables.h"

std::optional<PreviewResolution> FindPreviewResolution(uint8_t code) {
    for (const auto& resolution : PreviewResolutions)
        if (resolution.Code == code) return resolution;
    return std::nullopt;
}

std::optional<size_t> PreviewResolutionItem(uint8_t code) {
    for (size_t item = 0; item < PreviewResolutions.size(); ++item)
        if (PreviewResolutions[item].Code == code) return item;
    return std::nullopt;
}

std::optional<int> QualityForResolutionCode(uint8_t code) {
    for (size_t quality = 0; quality < EncoderQualityPresets.size(); ++quality)
        if (EncoderQualityPresets[quality].ResolutionCode == code) return static_cast<int>(quality);
    return std::nullopt;
}
