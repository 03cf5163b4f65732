#include "app/ReplyCallbacks.h"

#include "app/AppGlobals.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/LittleEndian.h"
#include "app/MachineAtWork.h"
#include "app/MainDialogInterface.h"
#include "app/ReplyCommands.h"
#include "app/ReplySleep.h"
#include "app/ReplySlot.h"
#include "platform/os/CodePage.h"

#include <cstring>
#include <iterator>
#include <string>

namespace {

DeviceState& State() { return GetDeviceState(); }

void Route(MainDialogInterface& dialog, int slot, int32_t argument = 0) {
    dialog.OnDeviceReply(static_cast<uint32_t>(slot), argument);
}

void HideBusy(MainDialogInterface& dialog) { dialog.ShowBusy(false, std::string()); }

// The device answered: the machine list hears it on slot 23. Every reply but a PING answer comes
// from the working link (the library delivers no other); a PING answer of another machine only
// tells the machine list that machine is there.
void MarkAnswered(uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog) return;
    NoteMachineAnswer(id, true);
    Route(*dialog, ReplyDeviceOnline);
}

// The end of every reply that answers the program's work (all but the keep-alive's): the
// busy box hears that the device is working, then the device is marked connected.
void AnsweredAndMark(MainDialogInterface& dialog, uint8_t id) {
    dialog.NoteDeviceAnswer();
    MarkAnswered(id);
}

// The end of most replies: refresh the slot's windows, close the busy box that waits for this
// record as its command's confirmation, then mark the device connected.
void RouteAndMark(MainDialogInterface& dialog, int slot, uint8_t id, int32_t argument = 0) {
    Route(dialog, slot, argument);
    if (dialog.RecordAnswered(static_cast<uint32_t>(slot))) HideBusy(dialog);
    AnsweredAndMark(dialog, id);
}

// The page that waits for an operation's result hears it.
void OperationResultStep(MainDialogInterface& dialog) {
    const auto& status = State().OperationStatus;
    switch (status.Operation) {
    case 0: dialog.ShowEdidApplyResult(); break;
    case 1: dialog.ShowVgaResult(); break;
    case 7: dialog.OnCaptionChunkAck(); break;
    case 12: dialog.StartCaptionUpload(status.Result == 0); break;
    default: break;
    }
}

void ReloadLayerQueries() {
    for (uint8_t layer = 0; layer < LayerCount; ++layer) SendQuery(CmdQuery54, layer);
}

} // namespace

void OnReplyConnectionStatus(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    NoteMachineAnswer(id, data[0] != 0);
    // Another machine's link coming or going feeds the machine list, never the working link's state.
    const bool workingLink = IsWorkingLinkReport(id);
    // The working link went, or came back from a restart: no answer awaited over it will come.
    // Before the route, whose read-all after a reconnect opens a busy box of its own.
    if (workingLink) dialog->EndDeviceWaits(data[0] != 0);
    Route(*dialog, ReplyConnectionStatus);
    // The indicator says whether the machine at work answers, the serial one as a network one;
    // after the route, so that a network machine's tile has followed first.
    if (workingLink) dialog->ShowWorkingLinkStatus(data[0] != 0);
}

void OnReplyPreviewState(const uint8_t* data, uint8_t) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().PreviewEnabled = data[0] != 0;
    Route(*dialog, ReplyPreviewState);
}

void OnReplyFullState(const uint8_t* block, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !block) return;
    State().ApplyStateBlock(block);
    Route(*dialog, ReplyFullState);
    // The device needs a moment after sending its whole state before it takes queries.
    ReplySleep(200);
    SendQuery(CmdQuery70, 0);
    SendQuery(CmdQueryEncoder, 2);
    SendQuery(CmdQuery67);
    SendQuery(CmdQuery62);
    SendQuery(CmdQuery60);
    SendQuery(CmdQuery73);
    SendQuery(CmdQuery68);
    // The whole state is here and its follow-up series is out: the read-all is done, whatever the
    // device answers to the neutral queries (not every processor answers one of them on slot 17).
    HideBusy(*dialog);
    AnsweredAndMark(*dialog, id);
}

void OnReplyGrabColor(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().GrabbedColour = {ReadU16(data), ReadU16(data + 2), ReadU16(data + 4)};
    RouteAndMark(*dialog, ReplyGrabColor, id);
}

void OnReplyInputSignal(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data || data[0] >= CardSlotCount) return; // no such card slot: dropped
    State().ApplyInputSignal(data);
    RouteAndMark(*dialog, ReplyInputSignal, id);
}

void OnReplyVga(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().ApplyVgaReply(data);
    RouteAndMark(*dialog, ReplyVga, id);
}

void OnReplyEdid(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().ApplyEdidReply(data);
    RouteAndMark(*dialog, ReplyEdid, id);
}

void OnReplySchedule(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().ScheduleSettings.Assign(data);
    RouteAndMark(*dialog, ReplySchedule, id);
}

void OnReplyPicture(const uint8_t* global, const uint8_t* record, uint32_t layer, uint32_t, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !global || !record || layer >= LayerCount) return;
    auto& state = State();
    state.PictureMode = ReadU32(global);
    state.BrightLevel = ReadU32(global + 4);
    std::memcpy(&state.Gamma, global + 8, sizeof state.Gamma);
    // A layer whose source has no input row has no record to fill.
    if (::PictureSettings* settings = state.LayerPictureSettings(layer)) {
        auto* bytes = reinterpret_cast<uint8_t*>(settings);
        std::memcpy(bytes, record, 5);          // brightness .. hue
        std::memcpy(bytes + 8, record + 8, 9);  // colour temperature .. option
    }
    RouteAndMark(*dialog, ReplyPicture, id);
}

void OnReplyOutputResolution(const uint8_t*, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog) return;
    RouteAndMark(*dialog, ReplyOutputResolution, id);
}

void OnReplyLayerWindow(const uint8_t* data, uint32_t layer, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data || layer >= LayerCount) return;
    auto& window = State().LayerWindow[layer];
    window.X = static_cast<int32_t>(ReadU32(data));
    window.Y = static_cast<int32_t>(ReadU32(data + 4));
    window.Width = static_cast<int32_t>(ReadU32(data + 8));
    window.Height = static_cast<int32_t>(ReadU32(data + 12));
    window.Rotation = ReadU32(data + 16);
    State().LastWindowLayer = layer;
    RouteAndMark(*dialog, ReplyLayerWindow, id, static_cast<int32_t>(layer));
}

void OnReplyCrop(const uint8_t* record, uint32_t layer, uint32_t, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !record || layer >= LayerCount) return;
    if (::CropRect* crop = State().LayerCropRect(layer)) crop->Assign(record);
    RouteAndMark(*dialog, ReplyCrop, id);
}

void OnReplyMosaic(const uint8_t* data, uint32_t argument, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().MosaicSettings.Assign(data);
    RouteAndMark(*dialog, ReplyMosaic, id, static_cast<int32_t>(argument));
}

void OnReplyDateTime(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    std::memcpy(&State().MachineTime, data, sizeof(::MachineTime));
    RouteAndMark(*dialog, ReplyDateTime, id);
}

void OnReplyLayerSources(const uint8_t* data, uint32_t count, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog) return;
    if (data) {
        // Only four layers exist; triples beyond them are ignored.
        const uint32_t layers = count < LayerCount ? count : LayerCount;
        for (uint32_t layer = 0; layer < layers; ++layer) {
            auto& window = State().LayerWindow[layer];
            window.Enable = data[3 * layer];
            window.Alpha = data[3 * layer + 1];
            window.Source = data[3 * layer + 2];
        }
    }
    RouteAndMark(*dialog, ReplyLayerSources, id);
}

void OnReplyLogo(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().LogoSettings.Assign(data);
    RouteAndMark(*dialog, ReplyLogo, id);
}

void OnReplyKeyer(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    // Byte 0 is the keyer's layer: 3 for the keyer on PIP-3, 1 for the one on PIP-1.
    if (data[0] == 3) State().KeyerSettings[0].Assign(data);
    else if (data[0] == 1) State().KeyerSettings[1].Assign(data);
    RouteAndMark(*dialog, ReplyKeyer, id);
}

void OnReplyPresetStates(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    std::memcpy(State().PresetUsed.data(), data, State().PresetUsed.size());
    Route(*dialog, ReplyPresetStates);
    HideBusy(*dialog);
    AnsweredAndMark(*dialog, id);
}

void OnReplyLoopOut(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().LoopOutSource = data[0];
    RouteAndMark(*dialog, ReplyLoopOut, id);
}

void OnReplySystemInfo(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().SystemInfo.Assign(data);
    RouteAndMark(*dialog, ReplySystemInfo, id);
}

void OnReplyPvwMode(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    std::memcpy(&State().SwitcherSettings, data, sizeof(::SwitcherSettings));
    RouteAndMark(*dialog, ReplyPvwMode, id);
}

void OnReplyDpSplitMode(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data || data[0] > 1) return; // only two split flags exist
    State().DpSplit[data[0]] = data[1];
    State().ApplyDpSplitMode();
    RouteAndMark(*dialog, ReplyDpSplitMode, id);
}

void OnReplyInputStates(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    // With several machines only the controlled one's input states count; a serial link has
    // one device only, whatever its id.
    if (id != DeviceId && !IsSerialLinkOpen()) return;
    std::memcpy(State().InputSignalPresent, data, CardSlotCount);
    RouteAndMark(*dialog, ReplyInputStates, id);
}

void OnReplyDeviceOnline(const uint8_t*, uint8_t id) {
    if (!TheMainDialog) return;
    // The answer to the link's PING: the device is there, but no operation moved on.
    MarkAnswered(id);
}

void OnReplyOperationStatus(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    auto& state = State();
    // Only a busy box that waits for this operation hears it: a late answer, or the answer to an
    // owned page's own command, closes no other operation's box.
    const bool awaited = dialog->OperationAnswered(data[0]);
    const auto hideBusy = [&] {
        if (awaited) HideBusy(*dialog);
    };
    switch (data[0]) {
    case 0:
    case 1:
        state.OperationStatus = {data[0], data[1], data[2]};
        hideBusy();
        // Shown whether or not a box waited for it, but told once: the late answer to a wait
        // that ended with a message is not shown again.
        if (awaited || !dialog->AnswersEndedWait(data[0])) OperationResultStep(*dialog);
        break;
    case 2:
    case 4: hideBusy(); break;
    case 3:
        SendQuery(CmdQuery63);
        ReplySleep(40);
        ReloadLayerQueries();
        SendQuery(CmdQuery60);
        hideBusy();
        break;
    case 5:
        if (data[1] == 1) {
            SendQuery(CmdQuery65);
            SendQuery(CmdQuery67);
            SendQuery(CmdQueryInputSignal, 255);
            hideBusy();
        }
        break;
    case 6:
        if (data[1] == 0) {
            SendQuery(CmdQuery63);
            SendQuery(CmdQuery57);
            ReloadLayerQueries();
            SendQuery(CmdQuery60);
            SendQuery(CmdQuery58);
        } else {
            SendQuery(CmdReadAll);
        }
        break;
    case 7:
        state.OperationStatus.Operation = 7;
        state.CaptionAckLength = ReadU16(data + 1);
        state.CaptionAckStatus = data[3];
        state.CaptionAckOffset = ReadU32(data + 4);
        OperationResultStep(*dialog);
        break;
    case 8:
        // The page ends its wait first: a busy box that closes while a page still waits cuts it.
        dialog->EnableCaptionPage();
        hideBusy();
        break;
    case 9:
    case 12:
        state.OperationStatus.Operation = data[0];
        state.OperationStatus.Result = data[1];
        OperationResultStep(*dialog);
        break;
    case 10:
        dialog->EnableCaptionPage();
        hideBusy();
        SendQuery(CmdQuery70, 0);
        break;
    case 11:
        if (data[1] == 0) {
            SendQuery(CmdQuery57);
            for (uint8_t layer = 0; layer < LayerCount; ++layer) {
                SendQuery(CmdQuery54, layer);
                SendQuery(CmdQuery56, layer);
                ReplySleep(100); // the device answers each layer before the next query
            }
            hideBusy();
        } else {
            SendQuery(CmdReadAll);
        }
        break;
    default: break;
    }
    AnsweredAndMark(*dialog, id);
}

void OnReplyCaption(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    const uint8_t caption = data[14];
    if (caption > 3) return; // four caption records exist
    State().CaptionSettings[caption].Assign(data);
    RouteAndMark(*dialog, ReplyCaption, id, caption);
}

void OnReplyPreviewStream(const uint8_t* data, uint32_t length, uint32_t channel) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data || channel > 3) return; // four preview channels exist
    dialog->PushPreviewPacket(channel, data, length);
}

void OnReplyDeviceInfo(const char* ipText, const uint8_t* mac) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog) return;
    if (ipText && mac) {
        // The text comes in the ANSI code page; an IPv4 text is at most 15 characters and the
        // link guarantees a terminator within 16 bytes.
        State().SetDeviceInfo(CodePageToUtf8(std::string_view(ipText, strnlen(ipText, 16)), CodePageAnsi), mac);
        Route(*dialog, ReplyDeviceInfo);
    }
    HideBusy(*dialog);
}

void OnReplyVideoEncoder(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    std::memcpy(State().EncoderReply.data(), data, State().EncoderReply.size());
    dialog->UpdateVideoEncoderPage();
    // The encoder reports settings, then its address, then its version: each asks for the next.
    if (data[0] == 2) SendQuery(CmdQueryEncoder, 0);
    else if (data[0] == 0) SendQuery(CmdQueryEncoder, 1);
    AnsweredAndMark(*dialog, id);
}

void OnReplyExtensionCard(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    auto& state = State();
    state.ApplyExtensionCard(data);
    dialog->FillPipInputLists();
    for (int input = 0; input < InputRowCount; ++input) dialog->InvalidateInputButton(input);
    dialog->UpdatePortSwitchRule();
    dialog->FillEdidInputList();
    dialog->EnableSyncControls(state.ExtensionCardInfo.Present != 0);
    dialog->UpdateExtSourceButtons();
    for (int layer = 0; layer < LayerCount; ++layer) dialog->ApplyLayerSettings(layer, false);
    dialog->EndSignalSwitchWait();
    // The EDID of entry 5, which holds the card's input.
    SendQuery(CmdQueryEdid, 5);
    SendQuery(CmdQuery57);
    AnsweredAndMark(*dialog, id);
}

void OnReplyFeather(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    std::memcpy(&State().FeatherSettings, data, sizeof(::FeatherSettings));
    RouteAndMark(*dialog, ReplyFeather, id);
}

void OnReplyFreezeState(const uint8_t* data, uint8_t id) {
    MainDialogInterface* dialog = TheMainDialog;
    if (!dialog || !data) return;
    State().FreezeState = data[0];
    RouteAndMark(*dialog, ReplyFreezeState, id);
}

namespace {
struct SlotCallback {
    int Slot;
    void* Callback;
};

template <typename F> void* AsPointer(F* function) { return reinterpret_cast<void*>(function); }

// Registration order as the link has always received it.
const SlotCallback RegistrationOrder[] = {
    {0, AsPointer(OnReplyConnectionStatus)}, {1, AsPointer(OnReplyPreviewState)},
    {2, AsPointer(OnReplyFullState)},        {3, AsPointer(OnReplyGrabColor)},
    {4, AsPointer(OnReplyInputSignal)},      {5, AsPointer(OnReplyVga)},
    {6, AsPointer(OnReplyEdid)},             {7, AsPointer(OnReplySchedule)},
    {8, AsPointer(OnReplyPicture)},          {9, AsPointer(OnReplyOutputResolution)},
    {10, AsPointer(OnReplyLayerWindow)},     {11, AsPointer(OnReplyCrop)},
    {12, AsPointer(OnReplyMosaic)},          {13, AsPointer(OnReplyDateTime)},
    {14, AsPointer(OnReplyLayerSources)},    {15, AsPointer(OnReplyLogo)},
    {16, AsPointer(OnReplyKeyer)},           {17, AsPointer(OnReplyPresetStates)},
    {18, AsPointer(OnReplyLoopOut)},         {19, AsPointer(OnReplySystemInfo)},
    {20, AsPointer(OnReplyPvwMode)},         {21, AsPointer(OnReplyDpSplitMode)},
    {27, AsPointer(OnReplyDeviceInfo)},      {22, AsPointer(OnReplyInputStates)},
    {24, AsPointer(OnReplyOperationStatus)}, {26, AsPointer(OnReplyPreviewStream)},
    {23, AsPointer(OnReplyDeviceOnline)},    {25, AsPointer(OnReplyCaption)},
    {28, AsPointer(OnReplyVideoEncoder)},    {29, AsPointer(OnReplyExtensionCard)},
    {30, AsPointer(OnReplyFeather)},         {31, AsPointer(OnReplyFreezeState)},
};
static_assert(std::size(RegistrationOrder) == ReplySlotCount);
} // namespace

void RegisterReplyCallbacks() {
    for (const auto& entry : RegistrationOrder) RegisterReplyCallback(entry.Callback, entry.Slot);
}
