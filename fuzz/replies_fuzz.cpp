// Arbitrary replies, as the link delivers them: byte 0 picks the slot, byte 1 is the device id,
// the rest is the payload. Only payloads that pass the link's length check reach a callback,
// unpacked into its arguments exactly as the link does.
#include "FuzzMainDialog.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/ReplyCallbacks.h"
#include "app/ReplySleep.h"
#include "platform/comm/ReplyInvoke.h"
#include "platform/comm/ReplyLength.h"

#include <vector>

namespace {
template <typename F> void* AsPointer(F* function) { return reinterpret_cast<void*>(function); }

void* const Callbacks[32] = {
    AsPointer(OnReplyConnectionStatus), AsPointer(OnReplyPreviewState),  AsPointer(OnReplyFullState),
    AsPointer(OnReplyGrabColor),        AsPointer(OnReplyInputSignal),   AsPointer(OnReplyVga),
    AsPointer(OnReplyEdid),             AsPointer(OnReplySchedule),      AsPointer(OnReplyPicture),
    AsPointer(OnReplyOutputResolution), AsPointer(OnReplyLayerWindow),   AsPointer(OnReplyCrop),
    AsPointer(OnReplyMosaic),           AsPointer(OnReplyDateTime),      AsPointer(OnReplyLayerSources),
    AsPointer(OnReplyLogo),             AsPointer(OnReplyKeyer),         AsPointer(OnReplyPresetStates),
    AsPointer(OnReplyLoopOut),          AsPointer(OnReplySystemInfo),    AsPointer(OnReplyPvwMode),
    AsPointer(OnReplyDpSplitMode),      AsPointer(OnReplyInputStates),   AsPointer(OnReplyDeviceOnline),
    AsPointer(OnReplyOperationStatus),  AsPointer(OnReplyCaption),       AsPointer(OnReplyPreviewStream),
    AsPointer(OnReplyDeviceInfo),       AsPointer(OnReplyVideoEncoder),  AsPointer(OnReplyExtensionCard),
    AsPointer(OnReplyFeather),          AsPointer(OnReplyFreezeState),
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzMainDialog dialog;
    TheMainDialog = &dialog;
    SetReplySleepFunction([](unsigned) {});
    if (size < 2) return 0;
    // Several replies in one input, so that one reply's state meets the next one's data:
    // [slot][id][length u16][payload]...
    size_t at = 0;
    while (at + 4 <= size) {
        const uint8_t slot = data[at] % 32;
        const uint8_t id = data[at + 1];
        size_t length = data[at + 2] | (data[at + 3] << 8);
        at += 4;
        if (slot == 2 && length < 2360 && at + 2360 <= size) length = 2360;
        if (length > size - at) length = size - at;
        const std::vector<uint8_t> payload(data + at, data + at + length);
        at += length;
        if (!velklink::ReplyPayloadAcceptable(slot, payload)) continue;
        velklink::InvokeReplyCallback(Callbacks[slot], slot, id, payload);
    }
    return 0;
}
