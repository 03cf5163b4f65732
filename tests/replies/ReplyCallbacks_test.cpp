#include "ReplyFixture.h"
#include "app/DeviceCommand.h"
#include "app/ReplyCallbacks.h"

#include <array>
#include <cstring>
#include <functional>

using Calls = std::vector<std::string>;

namespace {
void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
void PutU32(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}
} // namespace

// ---- nothing without a main dialog ----

TEST_F(ReplyTest, NoCallbackActsWithoutAMainDialog) {
    TheMainDialog = nullptr;
    std::array<uint8_t, 2360> data{};
    data.fill(1);
    data[0] = 3; // a keyer id, a card slot, an operation...
    const StateBlock before = BlockOf(GetDeviceState());
    OnReplyConnectionStatus(data.data(), 9);
    OnReplyPreviewState(data.data(), 9);
    OnReplyFullState(data.data(), 9);
    OnReplyGrabColor(data.data(), 9);
    OnReplyInputSignal(data.data(), 9);
    OnReplyVga(data.data(), 9);
    OnReplyEdid(data.data(), 9);
    OnReplySchedule(data.data(), 9);
    OnReplyPicture(data.data(), data.data(), 0, 0, 9);
    OnReplyOutputResolution(data.data(), 9);
    OnReplyLayerWindow(data.data(), 0, 9);
    OnReplyCrop(data.data(), 0, 0, 9);
    OnReplyMosaic(data.data(), 0, 9);
    OnReplyDateTime(data.data(), 9);
    OnReplyLayerSources(data.data(), 4, 9);
    OnReplyLogo(data.data(), 9);
    OnReplyKeyer(data.data(), 9);
    OnReplyPresetStates(data.data(), 9);
    OnReplyLoopOut(data.data(), 9);
    OnReplySystemInfo(data.data(), 9);
    OnReplyPvwMode(data.data(), 9);
    OnReplyDpSplitMode(data.data(), 9);
    OnReplyInputStates(data.data(), 9);
    OnReplyDeviceOnline(data.data(), 9);
    OnReplyOperationStatus(data.data(), 9);
    OnReplyCaption(data.data(), 9);
    OnReplyPreviewStream(data.data(), 10, 0);
    OnReplyDeviceInfo("127.0.0.1", data.data());
    OnReplyVideoEncoder(data.data(), 9);
    OnReplyExtensionCard(data.data(), 9);
    OnReplyFeather(data.data(), 9);
    OnReplyFreezeState(data.data(), 9);
    const auto& s = GetDeviceState();
    EXPECT_TRUE(SameBlock(BlockOf(s), before));
    EXPECT_EQ(s.PresetUsed[0], 0);
    EXPECT_TRUE(s.FoundMachineIp.empty());
    EXPECT_TRUE(Log.empty());
}

// ---- link status ----

// Only the working link's own reports light or darken the indicator; every machine's reach the
// machine list.
TEST_F(ReplyTest, ConnectionStatusAndPingShowTheLinkOnlyForTheMachineAtWork) {
    MakeNetworkMachineAtWork("127.0.0.21");
    const struct {
        uint8_t Slot, Id, Up;
    } rows[] = {
        {0, 21, 1}, // its own link came up
        {0, 22, 0}, // another machine's went down
        {23, 22, 1}, // another machine answered PING
        {0, 21, 0}, // its own went down
        {23, 21, 1},
    };
    for (const auto& row : rows) {
        Log.clear();
        if (row.Slot == 0) OnReplyConnectionStatus(&row.Up, row.Id);
        else OnReplyDeviceOnline(&row.Up, row.Id);
        EXPECT_EQ(LastMachineAnswer().Id, row.Id);
        EXPECT_EQ(LastMachineAnswer().Connected, row.Up != 0);
        // Its own link going or coming back ends the pages' waits first (the route's read-all
        // opens a busy box of its own).
        Calls calls{"route " + std::to_string(row.Slot) + " 0"};
        if (row.Slot == 0 && row.Id == 21) calls = {"end device waits", calls[0], row.Up ? "link up" : "link down"};
        EXPECT_EQ(Log, calls) << int(row.Slot) << " from " << int(row.Id);
    }
    // The serial link reports its own state under 255: silent, then speaking again.
    SerialLinkOpened();
    for (const uint8_t up : {0, 1}) {
        Log.clear();
        OnReplyConnectionStatus(&up, SerialLinkReportId);
        EXPECT_EQ(Log, Calls({"end device waits", "route 0 0", up ? "link up" : "link down"}));
    }
    EXPECT_EQ(CurrentMachineAtWork().Link, WorkLink::Serial);
}

// One notice per change of the machine at work; a network machine chosen over the serial link
// closes it before DeviceId and the library's selection change.
TEST_F(ReplyTest, TheMachineAtWorkChangesInOneOrderAndIsAnnouncedOnce) {
    Dialog.OnCloseSerialLink = [] { SerialLinkClosed(); };
    SerialLinkOpened();
    MakeNetworkMachineAtWork("127.0.0.22");
    EXPECT_EQ(DeviceId, 22);
    MakeNetworkMachineAtWork("127.0.0.22");
    DisconnectNetworkMachine("127.0.0.21");
    DisconnectNetworkMachine("127.0.0.22");
    EXPECT_EQ(Log, Calls({"at work changed", "close serial", "at work changed", "select 127.0.0.22",
                          "at work changed", "select 127.0.0.22", "at work changed"}));
    EXPECT_EQ(CurrentMachineAtWork().Link, WorkLink::None);
}

// Commands and state blocks take their address from the machine at work: none once it has gone,
// every machine (255) after a search, the chosen machine's id again once one is chosen.
TEST_F(ReplyTest, CommandsGoWhereTheMachineAtWorkIs) {
    Dialog.OnCloseSerialLink = [] { SerialLinkClosed(); };
    const struct {
        void (*Step)();
        int To; // -1: nothing sent
    } rows[] = {
        {[] {}, InitialDeviceId},
        {[] { MakeNetworkMachineAtWork("127.0.0.21"); }, 21},
        {[] { SerialLinkOpened(); }, 21}, // the serial link takes every frame, whatever its id
        {[] { SerialLinkClosed(); }, -1},
        {[] { AddressEveryMachine(); }, 255},
        {[] { SerialLinkOpened(); }, 255},
        {[] { SerialLinkClosed(); }, 255}, // the search's own end of the serial link
        {[] { MakeNetworkMachineAtWork("127.0.0.22"); }, 22},
        {[] { DisconnectNetworkMachine("127.0.0.22"); }, -1},
        {[] { MakeNetworkMachineAtWork("127.0.0.21"); }, 21},
    };
    for (const auto& row : rows) {
        row.Step();
        Link.Calls.clear();
        const int result = GetDeviceState().SendCommand(CmdReadAll);
        GetDeviceState().SendCommand(CmdWriteStateBlock);
        const auto sent = Link.CallsOf("SendCommand"), blocks = Link.CallsOf("SendStateBlock");
        EXPECT_EQ(sent.size() + blocks.size(), row.To < 0 ? 0u : 2u) << row.To;
        EXPECT_EQ(result, row.To < 0 ? CommandNoLink : 0) << row.To;
        for (const auto& calls : {sent, blocks})
            for (const LinkCall& call : calls) EXPECT_EQ(call.DeviceId, row.To);
    }
}

TEST_F(ReplyTest, PreviewStateIsAFlag) {
    const uint8_t on[] = {7};
    OnReplyPreviewState(on, 5);
    EXPECT_EQ(GetDeviceState().PreviewEnabled, 1);
    EXPECT_EQ(Log, Calls({"route 1 0"}));
}

TEST_F(ReplyTest, DeviceOnlineOnlyMarksConnected) {
    MakeNetworkMachineAtWork("127.0.0.33");
    Log.clear();
    OnReplyDeviceOnline(nullptr, 33);
    EXPECT_EQ(LastMachineAnswer().Id, 33);
    EXPECT_EQ(Log, Calls({"route 23 0"}));
}

// Which replies tell the busy box that the device is working: every answer to the program's
// work, not the keep-alive's answer, nor the link's own reports.
TEST_F(ReplyTest, EveryAnswerButTheKeepAlivesKeepsTheBusyBoxWaiting) {
    std::array<uint8_t, 2360> data{};
    const uint8_t chunkAck[8] = {7, 0, 5, 1, 0, 0, 0, 0};
    const uint8_t connected[] = {1};
    const struct {
        const char* what;
        std::function<void()> reply;
        int answers;
    } rows[] = {
        {"keep-alive", [&] { OnReplyDeviceOnline(data.data(), 9); }, 0},
        {"link up", [&] { OnReplyConnectionStatus(connected, 9); }, 0},
        {"preview state", [&] { OnReplyPreviewState(connected, 9); }, 0},
        {"caption chunk acknowledged", [&] { OnReplyOperationStatus(chunkAck, 9); }, 1},
        {"mosaic", [&] { OnReplyMosaic(data.data(), 3, 9); }, 1},
        {"layer window", [&] { OnReplyLayerWindow(data.data(), 0, 9); }, 1},
        {"preset states", [&] { OnReplyPresetStates(data.data(), 9); }, 1},
        {"full state", [&] { OnReplyFullState(data.data(), 9); }, 1},
        {"encoder", [&] { OnReplyVideoEncoder(data.data(), 9); }, 1},
        {"extension card", [&] { OnReplyExtensionCard(data.data(), 9); }, 1},
    };
    for (const auto& row : rows) {
        Dialog.Answers = 0;
        row.reply();
        EXPECT_EQ(Dialog.Answers, row.answers) << row.what;
    }
}

// ---- the full state ----

TEST_F(ReplyTest, FullStateAppliesRoutesPausesThenQueriesInOrder) {
    std::array<uint8_t, 2360> block{};
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
    // Cards: DVI everywhere, no signals, no split, no extension card: nothing else is sent.
    for (int s = 0; s < 8; ++s) PutU32(block.data() + 240 + 4 * s, 4);
    std::memset(block.data() + 272, 0, 8);
    block[1992] = block[1993] = 0;
    block[2316] = 0;
    for (int l = 0; l < 4; ++l) block[144 + 24 * l + 2] = static_cast<uint8_t>(l);
    OnReplyFullState(block.data(), 41);
    EXPECT_EQ(Log, Calls({"route 2 0", "sleep 200", "cmd 70 0", "cmd 66 2", "cmd 67", "cmd 62", "cmd 60", "cmd 73",
                          "cmd 68", "hide busy", "route 23 0"}));
    const auto& s = GetDeviceState();
    EXPECT_EQ(std::memcmp(&s, block.data(), 2360), 0) << "the block is taken byte for byte";
    EXPECT_EQ(LastMachineAnswer().Id, 41);
    for (int row = 0; row < 8; ++row) EXPECT_EQ(s.InputTable[row].Present, 1u) << row;
}

TEST_F(ReplyTest, FullStateQueriesVgaCardsAndSignalsBeforeRouting) {
    std::array<uint8_t, 2360> block{};
    for (int s = 0; s < 8; ++s) PutU32(block.data() + 240 + 4 * s, 4);
    PutU32(block.data() + 240 + 4 * 2, 3); // VGA in card slot 2
    block[272 + 2] = 1;                     // signals on slots 2 and 5
    block[272 + 5] = 1;
    OnReplyFullState(block.data(), 41);
    const Calls expected = {"cmd 49 2", "cmd 48 2", "cmd 48 5", "route 2 0", "sleep 200", "cmd 70 0", "cmd 66 2",
                            "cmd 67",   "cmd 62",   "cmd 60",   "cmd 73",    "cmd 68",    "hide busy", "route 23 0"};
    EXPECT_EQ(Log, expected);
}

// ---- record replies ----

TEST_F(ReplyTest, GrabColourTakesThreeWords) {
    uint8_t data[6];
    PutU16(data, 1000);
    PutU16(data + 2, 513);
    PutU16(data + 4, 65535);
    OnReplyGrabColor(data, 2);
    const auto& c = GetDeviceState().GrabbedColour;
    EXPECT_EQ(c.Red, 1000);
    EXPECT_EQ(c.Green, 513);
    EXPECT_EQ(c.Blue, 65535);
    EXPECT_EQ(Log, Calls({"route 3 0", "route 23 0"}));
}

TEST_F(ReplyTest, InputSignalForACardSlot) {
    uint8_t data[10] = {3, 0};
    PutU16(data + 2, 1920);
    PutU16(data + 4, 1080);
    PutU16(data + 6, 6000);
    data[8] = 1;
    OnReplyInputSignal(data, 2);
    const auto& s = GetDeviceState();
    EXPECT_EQ(s.InputSignal[3].HActive, 1920);
    EXPECT_EQ(s.InputSignal[3].VActive, 1080);
    EXPECT_EQ(s.InputSignal[3].FrameRate, 6000);
    EXPECT_EQ(s.InputSignal[3].Interlaced, 1);
    EXPECT_EQ(s.SignalInput, 3u);
    EXPECT_EQ(s.CropRect[4 * 3 + 2].SourceWidth, 1920);
    EXPECT_EQ(Log, Calls({"route 4 0", "route 23 0"}));
}

TEST_F(ReplyTest, InputSignalBeyondTheCardSlotsDoesNothingAtAll) {
    uint8_t data[10] = {8};
    PutU16(data + 2, 1920);
    const StateBlock before = BlockOf(GetDeviceState());
    OnReplyInputSignal(data, 2);
    data[0] = 255;
    OnReplyInputSignal(data, 2);
    EXPECT_TRUE(SameBlock(BlockOf(GetDeviceState()), before));
    EXPECT_TRUE(Log.empty());
}

TEST_F(ReplyTest, VgaReplyFillsTheVgaRecord) {
    uint8_t data[28] = {2};
    PutU32(data + 4, 2048);
    PutU32(data + 8, 33);
    data[12] = static_cast<uint8_t>(-100);
    data[13] = 16;
    for (int i = 0; i < 6; ++i) PutU16(data + 14 + 2 * i, static_cast<uint16_t>(100 * i + 7));
    OnReplyVga(data, 2);
    const auto& v = GetDeviceState().VgaSettings;
    EXPECT_EQ(v.Input, 2);
    EXPECT_EQ(v.Clock, 2048u);
    EXPECT_EQ(v.Phase, 33u);
    EXPECT_EQ(v.HPosition, -100);
    EXPECT_EQ(v.VPosition, 16);
    EXPECT_EQ(v.Adc[5], 507);
    EXPECT_EQ(Log, Calls({"route 5 0", "route 23 0"}));
}

TEST_F(ReplyTest, EdidReplyFillsTheEntryOfItsInputOnly) {
    auto& s = GetDeviceState();
    for (int k = 0; k < 7; ++k) s.EdidEntry[k].Input = static_cast<uint8_t>(k < 5 ? k : k + 1);
    uint8_t data[12] = {6};
    PutU16(data + 2, 1920);
    PutU16(data + 4, 1200);
    PutU16(data + 6, 6000);
    PutU16(data + 8, 160);
    PutU16(data + 10, 35);
    OnReplyEdid(data, 2);
    EXPECT_EQ(s.EdidEntry[5].HActive, 1920);
    EXPECT_EQ(s.EdidEntry[5].VBlank, 35);
    EXPECT_EQ(s.EdidEntry[6].HActive, 0);
    const StateBlock before = BlockOf(s);
    data[0] = 5; // no entry holds input 5
    OnReplyEdid(data, 2);
    EXPECT_TRUE(SameBlock(BlockOf(s), before));
    EXPECT_EQ(Log, Calls({"route 6 0", "route 23 0", "route 6 0", "route 23 0"}));
}

TEST_F(ReplyTest, ScheduleLogoSystemSwitcherFeatherAreCopiedWhole) {
    uint8_t data[124];
    for (int i = 0; i < 124; ++i) data[i] = static_cast<uint8_t>(i + 1);
    auto& s = GetDeviceState();
    OnReplySchedule(data, 1);
    EXPECT_EQ(std::memcmp(&s.ScheduleSettings, data, 124), 0);
    OnReplyLogo(data, 1);
    EXPECT_EQ(std::memcmp(&s.LogoSettings, data, 42), 0);
    OnReplySystemInfo(data, 1);
    EXPECT_EQ(std::memcmp(&s.SystemInfo, data, 18), 0);
    OnReplyPvwMode(data, 1);
    EXPECT_EQ(std::memcmp(&s.SwitcherSettings, data, 16), 0);
    OnReplyFeather(data, 1);
    EXPECT_EQ(std::memcmp(&s.FeatherSettings, data, 36), 0);
    OnReplyDateTime(data, 1);
    EXPECT_EQ(std::memcmp(&s.MachineTime, data, 6), 0);
    OnReplyLoopOut(data, 1);
    EXPECT_EQ(s.LoopOutSource, 1);
    OnReplyFreezeState(data + 4, 1);
    EXPECT_EQ(s.FreezeState, 5);
    EXPECT_EQ(Log, Calls({"route 7 0", "route 23 0", "route 15 0", "route 23 0", "route 19 0", "route 23 0",
                          "route 20 0", "route 23 0", "route 30 0", "route 23 0", "route 13 0", "route 23 0",
                          "route 18 0", "route 23 0", "route 31 0", "route 23 0"}));
}

TEST_F(ReplyTest, PictureGoesToTheRecordOfTheLayersInputRow) {
    auto& s = GetDeviceState();
    s.LayerWindow[2].Source = 9; // DP1-R: row 8
    uint8_t global[12];
    PutU32(global, 3);
    PutU32(global + 4, 17);
    const float gamma = 2.5f;
    std::memcpy(global + 8, &gamma, 4);
    uint8_t record[20];
    for (int i = 0; i < 20; ++i) record[i] = static_cast<uint8_t>(0xA0 + i);
    OnReplyPicture(global, record, 2, 0xDEAD, 4);
    EXPECT_EQ(s.PictureMode, 3u);
    EXPECT_EQ(s.BrightLevel, 17u);
    EXPECT_FLOAT_EQ(s.Gamma, 2.5f);
    const auto& p = s.PictureSettings[4 * 8 + 2];
    EXPECT_EQ(p.Brightness, 0xA0);
    EXPECT_EQ(p.Hue, 0xA4);
    EXPECT_EQ(p.Reserved5[0], 0) << "bytes 5..7 are not taken";
    EXPECT_EQ(p.ColourTemperature, 0xABAAA9A8u);
    EXPECT_EQ(p.Red, 0xAC);
    EXPECT_EQ(p.Option, 0xB0);
    EXPECT_EQ(p.Reserved17[0], 0) << "bytes 17..19 are not taken";
    EXPECT_EQ(Log, Calls({"route 8 0", "route 23 0"}));
}

TEST_F(ReplyTest, PictureForALayerBeyondThreeIsDropped) {
    uint8_t global[12] = {9}, record[20] = {9};
    const StateBlock before = BlockOf(GetDeviceState());
    OnReplyPicture(global, record, 4, 0, 4);
    OnReplyPicture(global, record, 0xFFFFFFFF, 0, 4);
    EXPECT_TRUE(SameBlock(BlockOf(GetDeviceState()), before));
    EXPECT_TRUE(Log.empty());
}

TEST_F(ReplyTest, PictureForASourceWithoutARowWritesNoRecord) {
    auto& s = GetDeviceState();
    s.LayerWindow[1].Source = 200;
    uint8_t global[12] = {1}, record[20];
    std::memset(record, 0x77, sizeof record);
    StateBlock before = BlockOf(s);
    OnReplyPicture(global, record, 1, 0, 4);
    EXPECT_EQ(s.PictureMode, 1u);
    for (const auto& p : s.PictureSettings) EXPECT_NE(p.Brightness, 0x77);
    EXPECT_EQ(std::memcmp(s.PictureSettings, before.PictureSettings, sizeof before.PictureSettings), 0);
    EXPECT_EQ(Log, Calls({"route 8 0", "route 23 0"}));
}

TEST_F(ReplyTest, OutputResolutionOnlyRoutes) {
    const StateBlock before = BlockOf(GetDeviceState());
    OnReplyOutputResolution(nullptr, 4);
    EXPECT_TRUE(SameBlock(BlockOf(GetDeviceState()), before));
    EXPECT_EQ(Log, Calls({"route 9 0", "route 23 0"}));
}

TEST_F(ReplyTest, LayerWindowOfALayer) {
    uint8_t data[20];
    PutU32(data, static_cast<uint32_t>(-10));
    PutU32(data + 4, 20);
    PutU32(data + 8, 640);
    PutU32(data + 12, 480);
    PutU32(data + 16, 3);
    OnReplyLayerWindow(data, 2, 4);
    const auto& w = GetDeviceState().LayerWindow[2];
    EXPECT_EQ(w.X, -10);
    EXPECT_EQ(w.Y, 20);
    EXPECT_EQ(w.Width, 640);
    EXPECT_EQ(w.Height, 480);
    EXPECT_EQ(w.Rotation, 3u);
    EXPECT_EQ(GetDeviceState().LastWindowLayer, 2u);
    EXPECT_EQ(Log, Calls({"route 10 2", "route 23 0"}));
    Log.clear();
    const StateBlock before = BlockOf(GetDeviceState());
    OnReplyLayerWindow(data, 4, 4);
    EXPECT_TRUE(SameBlock(BlockOf(GetDeviceState()), before));
    EXPECT_EQ(GetDeviceState().LastWindowLayer, 2u);
    EXPECT_TRUE(Log.empty());
}

TEST_F(ReplyTest, CropIsClippedIntoTheLayersRecord) {
    auto& s = GetDeviceState();
    s.LayerWindow[1].Source = 8; // DP1-L: row 4
    uint8_t record[14] = {1, 0};
    PutU16(record + 2, 100);  // HStart
    PutU16(record + 4, 10);   // VStart
    PutU16(record + 6, 1900); // Width: 100 + 1900 > 1920
    PutU16(record + 8, 500);
    PutU16(record + 10, 1920);
    PutU16(record + 12, 1080);
    OnReplyCrop(record, 1, 0, 4);
    const auto& c = s.CropRect[4 * 4 + 1];
    EXPECT_EQ(c.Enable, 1);
    EXPECT_EQ(c.HStart, 0);
    EXPECT_EQ(c.Width, 1920);
    EXPECT_EQ(c.VStart, 10);
    EXPECT_EQ(c.Height, 500);
    EXPECT_EQ(Log, Calls({"route 11 0", "route 23 0"}));
    Log.clear();
    const StateBlock before = BlockOf(s);
    OnReplyCrop(record, 5, 0, 4);
    s.LayerWindow[0].Source = 12;
    OnReplyCrop(record, 0, 0, 4); // no row: nothing written, still routed
    EXPECT_EQ(std::memcmp(s.CropRect, before.CropRect, sizeof before.CropRect), 0);
    EXPECT_EQ(Log, Calls({"route 11 0", "route 23 0"}));
}

TEST_F(ReplyTest, MosaicKeepsAuxAndPassesItsArgument) {
    auto& s = GetDeviceState();
    s.MosaicSettings.Aux = 0x1234;
    uint8_t data[108];
    for (int i = 0; i < 108; ++i) data[i] = static_cast<uint8_t>(i);
    OnReplyMosaic(data, 2, 4);
    EXPECT_EQ(s.MosaicSettings.Aux, 0x1234u);
    EXPECT_EQ(s.MosaicSettings.Mode, 0x03020100u);
    EXPECT_EQ(s.MosaicSettings.VTotal[3], 0x6B6A6968u);
    EXPECT_EQ(Log, Calls({"route 12 2", "route 23 0"}));
}

TEST_F(ReplyTest, LayerSourcesTakeAtMostFourTriples) {
    auto& s = GetDeviceState();
    uint8_t data[3 * 6];
    for (int i = 0; i < 18; ++i) data[i] = static_cast<uint8_t>(i + 1);
    const StateBlock before = BlockOf(s);
    OnReplyLayerSources(data, 6, 4);
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(s.LayerWindow[l].Enable, 3 * l + 1);
        EXPECT_EQ(s.LayerWindow[l].Alpha, 3 * l + 2);
        EXPECT_EQ(s.LayerWindow[l].Source, 3 * l + 3);
    }
    // Nothing after the four layers changed.
    EXPECT_EQ(std::memcmp(&s.InputCardType, &before.InputCardType, 2360 - 240), 0);
    ResetDeviceState();
    OnReplyLayerSources(data, 2, 4);
    EXPECT_EQ(s.LayerWindow[1].Source, 6);
    EXPECT_EQ(s.LayerWindow[2].Source, 0);
    OnReplyLayerSources(nullptr, 4, 4);
    EXPECT_EQ(Log, Calls({"route 14 0", "route 23 0", "route 14 0", "route 23 0", "route 14 0", "route 23 0"}));
}

TEST_F(ReplyTest, KeyerByItsLayerByte) {
    auto& s = GetDeviceState();
    uint8_t data[20];
    for (int i = 0; i < 20; ++i) data[i] = static_cast<uint8_t>(i + 40);
    data[0] = 3;
    OnReplyKeyer(data, 4);
    EXPECT_EQ(std::memcmp(&s.KeyerSettings[0], data, 20), 0);
    data[0] = 1;
    OnReplyKeyer(data, 4);
    EXPECT_EQ(std::memcmp(&s.KeyerSettings[1], data, 20), 0);
    const StateBlock before = BlockOf(s);
    data[0] = 2;
    OnReplyKeyer(data, 4);
    EXPECT_TRUE(SameBlock(BlockOf(s), before));
    EXPECT_EQ(Log, Calls({"route 16 0", "route 23 0", "route 16 0", "route 23 0", "route 16 0", "route 23 0"}));
}

TEST_F(ReplyTest, PresetStatesHideTheBusyBox) {
    const uint8_t data[10] = {1, 0, 1, 0, 0, 0, 0, 0, 0, 1};
    OnReplyPresetStates(data, 4);
    EXPECT_EQ(GetDeviceState().PresetUsed[2], 1);
    EXPECT_EQ(GetDeviceState().PresetUsed[9], 1);
    EXPECT_EQ(Log, Calls({"route 17 0", "hide busy", "route 23 0"}));
}

TEST_F(ReplyTest, DpSplitReplySplitsAndMovesSources) {
    auto& s = GetDeviceState();
    s.LayerWindow[0].Source = 4;
    s.LayerWindow[3].Source = 4;
    const uint8_t data[2] = {0, 1};
    OnReplyDpSplitMode(data, 4);
    EXPECT_EQ(s.DpSplit[0], 1);
    EXPECT_EQ(s.LayerWindow[0].Source, 8);
    EXPECT_EQ(s.LayerWindow[3].Source, 8);
    EXPECT_EQ(s.InputTable[4].Present, 0u);
    EXPECT_EQ(s.InputTable[8].Present, 1u);
    EXPECT_EQ(Log, Calls({"route 21 0", "route 23 0"}));
}

TEST_F(ReplyTest, DpSplitReplyWithAnIndexAboveOneIsDropped) {
    const StateBlock before = BlockOf(GetDeviceState());
    const uint8_t data[2] = {2, 1};
    OnReplyDpSplitMode(data, 4);
    const uint8_t far[2] = {200, 1};
    OnReplyDpSplitMode(far, 4);
    EXPECT_TRUE(SameBlock(BlockOf(GetDeviceState()), before));
    EXPECT_TRUE(Log.empty());
}

TEST_F(ReplyTest, CaptionGoesToItsRecordAndDropsBeyondThree) {
    uint8_t data[32];
    for (int i = 0; i < 32; ++i) data[i] = static_cast<uint8_t>(i + 100);
    data[14] = 2;
    OnReplyCaption(data, 4);
    EXPECT_EQ(std::memcmp(&GetDeviceState().CaptionSettings[2], data, 32), 0);
    EXPECT_EQ(Log, Calls({"route 25 2", "route 23 0"}));
    Log.clear();
    data[14] = 4;
    OnReplyCaption(data, 4);
    data[14] = 255;
    OnReplyCaption(data, 4);
    for (int c : {0, 1, 3}) EXPECT_EQ(GetDeviceState().CaptionSettings[c].Width, 0) << c;
    EXPECT_TRUE(Log.empty());
}

TEST_F(ReplyTest, PreviewPacketsReachOnlyTheFourChannels) {
    const uint8_t data[5] = {0, 0, 0, 1, 0x65};
    OnReplyPreviewStream(data, 5, 0);
    OnReplyPreviewStream(data, 5, 3);
    OnReplyPreviewStream(data, 5, 4);
    OnReplyPreviewStream(data, 5, 0xFFFFFFFF);
    EXPECT_EQ(Log, Calls({"preview 0 5", "preview 3 5"}));
}

TEST_F(ReplyTest, DeviceInfoNeedsBothPointersAndAlwaysHidesBusy) {
    const uint8_t mac[6] = {0, 0x11, 0x22, 0x33, 0x44, 0x55};
    OnReplyDeviceInfo("127.0.0.21", mac);
    EXPECT_EQ(GetDeviceState().FoundMachineIp, "127.0.0.21");
    EXPECT_EQ(GetDeviceState().FoundMachineMac[5], 0x55);
    EXPECT_EQ(Log, Calls({"route 27 0", "hide busy"}));
    Log.clear();
    OnReplyDeviceInfo("127.0.0.22", nullptr);
    OnReplyDeviceInfo(nullptr, mac);
    EXPECT_EQ(GetDeviceState().FoundMachineIp, "127.0.0.21");
    EXPECT_EQ(Log, Calls({"hide busy", "hide busy"}));
}

TEST_F(ReplyTest, InputStatesOnlyFromTheControlledDevice) {
    DeviceId = 21;
    const uint8_t data[8] = {1, 1, 0, 1, 0, 0, 1, 1};
    OnReplyInputStates(data, 22);
    EXPECT_EQ(GetDeviceState().InputSignalPresent[0], 0);
    EXPECT_TRUE(Log.empty());
    OnReplyInputStates(data, 21);
    EXPECT_EQ(std::memcmp(GetDeviceState().InputSignalPresent, data, 8), 0);
    EXPECT_EQ(Log, Calls({"route 22 0", "route 23 0"}));
}

TEST_F(ReplyTest, InputStatesFromTheSerialDeviceWhateverItsId) {
    DeviceId = InitialDeviceId; // a serial connect leaves the id as it was
    SerialLinkOpened();
    Log.clear();
    const uint8_t data[8] = {0, 1, 0, 0, 0, 0, 0, 1};
    OnReplyInputStates(data, 7);
    EXPECT_EQ(GetDeviceState().InputSignalPresent[1], 1);
    EXPECT_EQ(Log, Calls({"route 22 0", "route 23 0"}));
}

// ---- encoder chain ----

TEST_F(ReplyTest, EncoderRepliesAskForTheNextPart) {
    uint8_t data[10] = {2, 30, 1, 0x10, 0x00};
    OnReplyVideoEncoder(data, 4);
    EXPECT_EQ(GetDeviceState().EncoderReply[1], 30);
    data[0] = 0;
    OnReplyVideoEncoder(data, 4);
    data[0] = 1;
    OnReplyVideoEncoder(data, 4);
    data[0] = 9;
    OnReplyVideoEncoder(data, 4);
    EXPECT_EQ(Log, Calls({"encoder page", "cmd 66 0", "route 23 0", "encoder page", "cmd 66 1", "route 23 0",
                          "encoder page", "route 23 0", "encoder page", "route 23 0"}));
}

// ---- extension card ----

TEST_F(ReplyTest, ExtensionCardCallsThePagesThenQueries) {
    GetDeviceState().EdidEntry[5].Input = 6; // the card's input has the sixth EDID entry
    uint8_t data[44] = {1};
    PutU32(data + 4, 8); // source 0 is a DP card
    OnReplyExtensionCard(data, 4);
    const Calls expected = {"pip lists",
                            "input button 0", "input button 1", "input button 2", "input button 3",
                            "input button 4", "input button 5", "input button 6", "input button 7",
                            "input button 8", "input button 9", "input button 10", "input button 11",
                            "port switch rule", "edid list", "sync controls 1", "ext source buttons",
                            "layer settings 0 nosend", "layer settings 1 nosend", "layer settings 2 nosend",
                            "layer settings 3 nosend", "end signal switch wait", "cmd 50 6", "cmd 57", "route 23 0"};
    EXPECT_EQ(Log, expected);
    EXPECT_EQ(GetDeviceState().InputCardType[6], 8u);
    EXPECT_EQ(GetDeviceState().InputTable[6].Name, " DP-2");
}

TEST_F(ReplyTest, ExtensionCardAbsentCopiesOnlyTheRecord) {
    auto& s = GetDeviceState();
    uint8_t data[44] = {0};
    PutU32(data + 4, 6);
    data[40] = 7; // mode
    const auto table = s.InputTable;
    OnReplyExtensionCard(data, 4);
    EXPECT_EQ(s.ExtensionCardInfo.Mode, 7u);
    EXPECT_EQ(s.InputCardType[6], 0u);
    for (int r = 0; r < 12; ++r) EXPECT_EQ(s.InputTable[r].Present, table[r].Present);
    EXPECT_EQ(Log[15], "sync controls 0");
    EXPECT_EQ(Commands(), Calls({"cmd 50 0", "cmd 57"}));
}

TEST_F(ReplyTest, ExtensionCardWithAnActiveSourceBeyondItsThreeNamesNoCard) {
    auto& s = GetDeviceState();
    s.InputCardType[6] = 4;
    uint8_t data[44] = {1};
    PutU32(data + 4, 8);
    PutU32(data + 16, 3); // ActiveSource 3: would read ActiveSource itself
    OnReplyExtensionCard(data, 4);
    PutU32(data + 16, 0xFFFFFFFF);
    OnReplyExtensionCard(data, 4);
    EXPECT_EQ(s.InputCardType[6], 4u);
    EXPECT_EQ(s.InputTable[6].Name, " EXT-1 ");
    EXPECT_EQ(s.ExtensionCardInfo.ActiveSource, 0xFFFFFFFFu);
}

// ---- registration ----

TEST_F(ReplyTest, CallbacksAreRegisteredInTheLinksOrder) {
    RegisterReplyCallbacks();
    const auto& seen = Link.Registered;
    ASSERT_EQ(Link.CallsOf("RegisterCallback").size(), 32u);
    std::vector<int> order;
    for (const auto& s : seen) order.push_back(s.second);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                       27, 22, 24, 26, 23, 25, 28, 29, 30, 31}));
    EXPECT_EQ(seen[2].first, reinterpret_cast<void*>(&OnReplyFullState));
    EXPECT_EQ(seen[22].first, reinterpret_cast<void*>(&OnReplyDeviceInfo));
    EXPECT_EQ(seen[25].first, reinterpret_cast<void*>(&OnReplyPreviewStream));
}

// The box that waits for a record as its command's confirmation closes once the windows have
// taken the record; a record it does not wait for closes nothing.
TEST_F(ReplyTest, ARecordClosesTheBoxThatWaitsForIt) {
    uint8_t data[44] = {};
    struct Row {
        uint32_t awaited;
        Calls expected;
    };
    const Row rows[] = {
        {15, {"route 15 0", "hide busy", "route 23 0"}},
        {16, {"route 15 0", "route 23 0"}},
    };
    for (const Row& row : rows) {
        Log.clear();
        Dialog.AwaitedRecord = row.awaited;
        OnReplyLogo(data, 9);
        EXPECT_EQ(Log, row.expected) << "awaited slot " << row.awaited;
    }
}
