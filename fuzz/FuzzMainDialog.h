#pragma once
// A main dialog for fuzzing that accepts every call and does nothing.
#include "app/MainDialogInterface.h"

class FuzzMainDialog : public MainDialogInterface {
public:
    void OnDeviceReply(uint32_t, int32_t) override {}
    void ShowBusy(bool, const std::string&) override {}
    void NoteDeviceAnswer() override {}
    void EndDeviceWaits(bool) override {}
    void PushPreviewPacket(uint32_t, const uint8_t* data, uint32_t length) override {
        // Touch every byte the packet claims, so that a wrong length shows up under the sanitizer.
        volatile uint8_t sum = 0;
        for (uint32_t i = 0; i < length; ++i) sum = static_cast<uint8_t>(sum + data[i]);
    }
    void UpdateVideoEncoderPage() override {}
    void ShowEdidApplyResult() override {}
    void ShowVgaResult() override {}
    void OnCaptionChunkAck() override {}
    void StartCaptionUpload(bool) override {}
    void EnableCaptionPage() override {}
    void FillPipInputLists() override {}
    void InvalidateInputButton(int) override {}
    void UpdatePortSwitchRule() override {}
    void FillEdidInputList() override {}
    void EnableSyncControls(bool) override {}
    void UpdateExtSourceButtons() override {}
    void ApplyLayerSettings(int, bool) override {}
    void EndSignalSwitchWait() override {}
};
