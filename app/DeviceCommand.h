#pragma once
// The numbered commands of the device link. Numbers without a name carry no parameters and
// are sent by nobody.
enum DeviceCommand : int {
    CmdReadAll = 0,
    CmdPreset = 1,
    CmdOutputTiming = 2,
    CmdPicture = 3,
    CmdLayerWindow = 4,
    CmdCrop = 5,
    CmdMosaic = 6,
    CmdLayerSource = 7,
    CmdPipEnable = 8,
    CmdLogo = 9,
    CmdEdid = 10,
    CmdKeyer = 11,
    CmdTestPattern = 12,
    CmdPixelGrab = 13,
    CmdVga = 14,
    CmdSwitcherMode = 15,
    CmdSwitcherFade = 16,
    CmdSchedule = 17,
    CmdLoopOut = 18,
    CmdFactoryReset = 19,
    CmdTake = 20,
    CmdSync = 21,
    CmdWriteStateBlock = 22,
    CmdCaptionLayout = 23,
    CmdCaption = 24,
    CmdPreviewEncoder = 25,
    CmdRaw32 = 32,
    CmdExtCardSetting = 33,
    CmdMediaPlayerKey = 34,
    CmdFeather = 35,
    CmdFreeze = 36,
    CmdQueryInputSignal = 48,
    CmdQueryVga = 49,
    CmdQueryEdid = 50,
    CmdQuery51 = 51,
    CmdQuery52 = 52,
    CmdQuery54 = 54,
    CmdQuery55 = 55,
    CmdQuery56 = 56,
    CmdQuery57 = 57,
    CmdQuery58 = 58,
    CmdQueryKeyer = 59,
    CmdQuery60 = 60,
    CmdQuery62 = 62,
    CmdQuery63 = 63,
    CmdQuery65 = 65,
    CmdQueryEncoder = 66,
    CmdQuery67 = 67,
    CmdQuery68 = 68,
    CmdSearchDevices = 69,
    CmdQuery70 = 70,
    CmdRaw71 = 71,
    CmdRaw72 = 72,
    CmdQuery73 = 73,
};

inline constexpr int DeviceCommandCount = 74; // 0..73

// The operations whose status (reply slot 24, its byte 0) answers a command, one bit per
// operation number; 0 for a command that no operation status answers. subCode is the command's
// second argument byte, which picks the caption command's operation.
unsigned OperationsAnswering(int command, unsigned subCode);
// The reply slots whose record confirms a command that names no result of its own, one bit per
// slot; 0 for a command whose answer a busy box never waits on as a record.
unsigned RecordsConfirming(int command);
