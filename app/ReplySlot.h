#pragma once
// The numbers under which reply callbacks are registered and the main dialog is told which
// reply arrived.
enum ReplySlot : int {
    ReplyConnectionStatus = 0,
    ReplyPreviewState = 1,
    ReplyFullState = 2,
    ReplyGrabColor = 3,
    ReplyInputSignal = 4,
    ReplyVga = 5,
    ReplyEdid = 6,
    ReplySchedule = 7,
    ReplyPicture = 8,
    ReplyOutputResolution = 9,
    ReplyLayerWindow = 10,
    ReplyCrop = 11,
    ReplyMosaic = 12,
    ReplyDateTime = 13,
    ReplyLayerSources = 14,
    ReplyLogo = 15,
    ReplyKeyer = 16,
    ReplyPresetStates = 17,
    ReplyLoopOut = 18,
    ReplySystemInfo = 19,
    ReplyPvwMode = 20,
    ReplyDpSplitMode = 21,
    ReplyInputStates = 22,
    ReplyDeviceOnline = 23,
    ReplyOperationStatus = 24,
    ReplyCaption = 25,
    ReplyPreviewStream = 26,
    ReplyDeviceInfo = 27,
    ReplyVideoEncoder = 28,
    ReplyExtensionCard = 29,
    ReplyFeather = 30,
    ReplyFreezeState = 31,
};

inline constexpr int ReplySlotCount = 32;
