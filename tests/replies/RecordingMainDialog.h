#pragma once
// A main dialog that only writes down what the core asked of it, in order.
#include "app/MainDialogInterface.h"

#include <string>
#include <vector>

class RecordingMainDialog : public MainDialogInterface {
public:
    std::vector<std::string> Calls;

    void OnDeviceReply(uint32_t slot, int32_t argument) override {
        Add("route " + std::to_string(slot) + " " + std::to_string(argument));
    }
    void ShowBusy(bool show, const std::string& text) override { Add(show ? "busy " + text : "hide busy"); }
    // Counted apart from Calls: it ends nearly every reply.
    void NoteDeviceAnswer() override { ++Answers; }
    int Answers = 0;
    void EndDeviceWaits(bool) override { Add("end device waits"); }
    // Whether the busy box waits for the operation whose status comes.
    bool OperationAnswered(uint8_t) override { return AwaitsOperation; }
    bool AwaitsOperation = true;
    // Whether a status nothing waits for is the late answer to a wait already told.
    bool AnswersEndedWait(uint8_t) override { return EndedWait; }
    bool EndedWait = false;
    // The reply slot whose record the busy box waits for (none by default).
    bool RecordAnswered(uint32_t slot) override { return slot == AwaitedRecord; }
    uint32_t AwaitedRecord = 32;
    void PushPreviewPacket(uint32_t channel, const uint8_t*, uint32_t length) override {
        Add("preview " + std::to_string(channel) + " " + std::to_string(length));
    }
    void UpdateVideoEncoderPage() override { Add("encoder page"); }
    void ShowEdidApplyResult() override { Add("edid result"); }
    void ShowVgaResult() override { Add("vga result"); }
    void OnCaptionChunkAck() override { Add("caption ack"); }
    void StartCaptionUpload(bool accepted) override { Add(accepted ? "caption upload 1" : "caption upload 0"); }
    void EnableCaptionPage() override { Add("enable caption page"); }
    void FillPipInputLists() override { Add("pip lists"); }
    void InvalidateInputButton(int input) override { Add("input button " + std::to_string(input)); }
    void UpdatePortSwitchRule() override { Add("port switch rule"); }
    void FillEdidInputList() override { Add("edid list"); }
    void EnableSyncControls(bool enable) override { Add(enable ? "sync controls 1" : "sync controls 0"); }
    void UpdateExtSourceButtons() override { Add("ext source buttons"); }
    void ApplyLayerSettings(int layer, bool send) override {
        Add("layer settings " + std::to_string(layer) + (send ? " send" : " nosend"));
    }
    void EndSignalSwitchWait() override { Add("end signal switch wait"); }
    void OnMachineAtWorkChanged() override { Add("at work changed"); }
    void ShowWorkingLinkStatus(bool up) override { Add(up ? "link up" : "link down"); }
    // The connection page's COM DisConnect, as the main dialog runs it.
    void CloseSerialLink() override {
        Add("close serial");
        if (OnCloseSerialLink) OnCloseSerialLink();
    }
    void (*OnCloseSerialLink)() = nullptr;

    // Shared with the command and pause recorders, so that one list shows the whole order.
    std::vector<std::string>* Log = nullptr;

private:
    void Add(std::string call) {
        Calls.push_back(call);
        if (Log) Log->push_back(std::move(call));
    }
};
