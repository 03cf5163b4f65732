#pragma once
#include "app/DeviceState.h"
#include "preview/settings/VideoEncoderTables.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// What the preview encoder settings page shows and sends, without its windows: the page's
// controls mirror these fields, and its handlers call these operations. Operations that change
// the preview resolution return the code that the page posts to the main dialog
// (EvPreviewResolution), so the working area restarts the preview at that size.
class VideoSettingModel {
public:
    size_t ResolutionItem = StartResolutionItem; // the resolution list's chosen item
    int QualityItem = StartQuality;              // the quality list's chosen item
    int FrameRate = EncoderFrameRateStart;       // the frame-rate edit
    int Kbps = EncoderKbpsStart;                 // the bit-rate edit
    // The quality the device last reported or the operator chose; none until then, so the first
    // report always sets the preview size even when it matches the list's first item.
    std::optional<int> CurrentQuality;
    std::string EncoderIp;       // "%d.%d.%d.%d", empty until the encoder reports it
    std::string VersionText;     // "Version:%04x"
    std::string ProgressText;    // the progress static; empty while hidden
    bool ProgressTextShown = false;
    int ProgressPosition = 0;    // the progress slider, 0..100

    // The operator picked a resolution: the edits' frame rate and bit rate with that code.
    std::optional<uint8_t> OnResolutionChosen(DeviceState& state, size_t item);
    // The operator picked a quality: its preset is sent; the edits follow the device's reply.
    std::optional<uint8_t> OnQualityChosen(DeviceState& state, int quality);
    // The frame-rate or bit-rate edit was committed (values already clamped by the edit).
    void OnEditCommitted(DeviceState& state);
    // A reply of the encoder (DeviceState.EncoderReply): settings, address or version.
    std::optional<uint8_t> UpdateFromDevice(const std::array<uint8_t, 10>& reply);
    // Upload progress, on the UI thread: -1 failure, 0..100.
    void SetProgress(int percent);
};

// Command 25's argument bytes: a0 = 0, then frame rate, resolution code, kbps high and low
// byte, given twice for a new setting, or once followed by FF x 4 for an edited value.
CommandArgs EncoderSettingArgs(int frameRate, uint8_t code, int kbps);
CommandArgs EncoderEditArgs(int frameRate, uint8_t code, int kbps);
