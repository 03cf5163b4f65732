#include "preview/settings/VideoSettingModel.h"

#include "app/DeviceCommand.h"
#include "app/UiStrings.h"

#include <algorithm>
#include <cstdio>

namespace {

CommandArgs SettingBytes(int frameRate, uint8_t code, int kbps, bool twice) {
    // The device takes a byte of frame rate and 16 bits of kbps; the edits keep them in range.
    const auto fps = static_cast<uint8_t>(std::clamp(frameRate, EncoderFrameRateMin, EncoderFrameRateMax));
    const int rate = std::clamp(kbps, EncoderKbpsMin, EncoderKbpsMax);
    const auto high = static_cast<uint8_t>(rate >> 8), low = static_cast<uint8_t>(rate & 0xFF);
    CommandArgs args{};
    args[0] = 0;
    args[1] = fps;
    args[2] = code;
    args[3] = high;
    args[4] = low;
    if (twice) {
        args[5] = fps;
        args[6] = code;
        args[7] = high;
        args[8] = low;
    } else {
        args[5] = args[6] = args[7] = args[8] = 0xFF;
    }
    return args;
}

} // namespace

CommandArgs EncoderSettingArgs(int frameRate, uint8_t code, int kbps) {
    return SettingBytes(frameRate, code, kbps, true);
}

CommandArgs EncoderEditArgs(int frameRate, uint8_t code, int kbps) {
    return SettingBytes(frameRate, code, kbps, false);
}

std::optional<uint8_t> VideoSettingModel::OnResolutionChosen(DeviceState& state, size_t item) {
    if (item >= PreviewResolutions.size()) return std::nullopt;
    ResolutionItem = item;
    const uint8_t code = PreviewResolutions[item].Code;
    state.SendCommand(CmdPreviewEncoder, EncoderSettingArgs(FrameRate, code, Kbps));
    return code;
}

std::optional<uint8_t> VideoSettingModel::OnQualityChosen(DeviceState& state, int quality) {
    if (quality < 0 || quality >= static_cast<int>(EncoderQualityPresets.size())) return std::nullopt;
    QualityItem = quality;
    CurrentQuality = quality;
    const auto& preset = EncoderQualityPresets[static_cast<size_t>(quality)];
    state.SendCommand(CmdPreviewEncoder, EncoderSettingArgs(preset.FrameRate, preset.ResolutionCode, preset.Kbps));
    return preset.ResolutionCode;
}

void VideoSettingModel::OnEditCommitted(DeviceState& state) {
    const uint8_t code = PreviewResolutions[std::min(ResolutionItem, PreviewResolutions.size() - 1)].Code;
    state.SendCommand(CmdPreviewEncoder, EncoderEditArgs(FrameRate, code, Kbps));
}

std::optional<uint8_t> VideoSettingModel::UpdateFromDevice(const std::array<uint8_t, 10>& reply) {
    char text[32];
    switch (reply[0]) {
    case 0: // the encoder's own address, for the package upload
        std::snprintf(text, sizeof text, "%d.%d.%d.%d", reply[5], reply[6], reply[7], reply[8]);
        EncoderIp = text;
        return std::nullopt;
    case 1:
        std::snprintf(text, sizeof text, "Version:%04x", reply[1] * 256 + reply[2]);
        VersionText = text;
        return std::nullopt;
    case 2: {
        const uint8_t code = reply[3];
        const auto item = PreviewResolutionItem(code);
        if (!item) return std::nullopt; // a size the resolution list does not offer
        // The page shows the device's own size and rates, so that an edit sends them back as
        // they are; a size without a quality preset leaves the quality list as it was.
        ResolutionItem = *item;
        FrameRate = std::clamp<int>(reply[2], EncoderFrameRateMin, EncoderFrameRateMax);
        Kbps = std::clamp(reply[4] * 256 + reply[5], EncoderKbpsMin, EncoderKbpsMax);
        const auto quality = QualityForResolutionCode(code);
        if (!quality) return std::nullopt;
        std::optional<uint8_t> post;
        if (CurrentQuality != quality) post = code;
        CurrentQuality = quality;
        QualityItem = *quality;
        return post;
    }
    default:
        return std::nullopt;
    }
}

void VideoSettingModel::SetProgress(int percent) {
    if (percent == -1) {
        ProgressText = UiStrings[142]; // "Update Failure"
        ProgressTextShown = true;
        return;
    }
    ProgressPosition = std::clamp(percent, 0, 100);
    if (percent % 10 == 0) {
        ProgressText = std::to_string(percent) + "%";
        ProgressTextShown = true;
    }
    if (percent == 100) ProgressText = UiStrings[143]; // "Success, Pls Restart the Machine"
}
