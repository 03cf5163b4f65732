#pragma once
#include <cstdint>
#include <string>

// What the headless core may ask of the windows. The main dialog implements it and is reached
// through TheMainDialog; tests use a recording fake. Every call happens on the UI thread.
class MainDialogInterface {
public:
    virtual ~MainDialogInterface() = default;

    // The reply router: the windows that show the data of this reply slot refresh themselves.
    virtual void OnDeviceReply(uint32_t slot, int32_t argument) = 0;

    // The busy box: shown with a text, or hidden (the text is then empty).
    virtual void ShowBusy(bool show, const std::string& text) = 0;
    // The device sent something other than the keep-alive: it is there. Whether the work waited
    // for moved on is for its operation status to say (OperationAnswered).
    virtual void NoteDeviceAnswer() = 0;
    // The working link went (up false) or came back: the pages that wait for an answer over it
    // stop waiting.
    virtual void EndDeviceWaits(bool up) = 0;
    // A command went out that an operation status (one bit per operation number) or a record
    // (one bit per reply slot) will answer.
    virtual void OperationSent(uint32_t /*operations*/, uint32_t /*records*/) {}
    // An operation status arrived: true when the busy box waits for that operation, which then
    // may close it; a status nothing waits for closes no box.
    virtual bool OperationAnswered(uint8_t) { return true; }
    // A status nothing waits for: true when it is the late answer to a wait that ended without it
    // and was told, so its result is not told again.
    virtual bool AnswersEndedWait(uint8_t) { return false; }
    // A record arrived: true when the busy box waits for it as its command's confirmation.
    virtual bool RecordAnswered(uint32_t /*slot*/) { return false; }

    // One preview packet for channel 0..3; dropped when the preview channels do not exist.
    virtual void PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length) = 0;

    // The preview-encoder page reloads from DeviceState.EncoderReply.
    virtual void UpdateVideoEncoderPage() = 0;

    // Results of device operations, shown by the page that started them.
    virtual void ShowEdidApplyResult() = 0;
    virtual void ShowVgaResult() = 0;
    virtual void OnCaptionChunkAck() = 0;
    virtual void StartCaptionUpload(bool accepted) = 0;
    virtual void EnableCaptionPage() = 0;

    // What an extension-card report changes in the windows.
    virtual void FillPipInputLists() = 0;
    virtual void InvalidateInputButton(int input) = 0;
    virtual void UpdatePortSwitchRule() = 0;
    virtual void FillEdidInputList() = 0;
    virtual void EnableSyncControls(bool enable) = 0;
    virtual void UpdateExtSourceButtons() = 0;
    virtual void ApplyLayerSettings(int layer, bool sendCommand) = 0;
    // Clears the signal-switch wait and enables the signal-switch button again.
    virtual void EndSignalSwitchWait() = 0;

    // The machine at work (app/MachineAtWork.h) changed: the windows name the new one, or none.
    virtual void OnMachineAtWorkChanged() {}
    // The working link's own connection status: whether the machine at work answers.
    virtual void ShowWorkingLinkStatus(bool) {}
    // A network machine is about to become the one at work: the serial link closes first.
    virtual void CloseSerialLink() {}
};
