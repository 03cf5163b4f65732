#include "ReplyFixture.h"

#include <array>
#include <cstring>

using Calls = std::vector<std::string>;

namespace {
std::array<uint8_t, 2360> BlockWithCards(std::initializer_list<uint32_t> cards) {
    std::array<uint8_t, 2360> block{};
    int slot = 0;
    for (uint32_t card : cards) {
        std::memcpy(block.data() + 240 + 4 * slot, &card, 4);
        ++slot;
    }
    return block;
}
} // namespace

TEST_F(ReplyTest, CardTypesDecideWhichRowsExistAndWhatTheOptionSlotsAreCalled) {
    auto& s = GetDeviceState();
    auto block = BlockWithCards({4, 6, 4, 6, 8, 7, 3, 8});
    s.ApplyStateBlock(block.data());
    for (int r = 0; r < 8; ++r) EXPECT_EQ(s.InputTable[r].Present, 1u) << r;
    EXPECT_EQ(s.InputTable[6].Name, " VGA-1");
    EXPECT_EQ(s.InputTable[7].Name, " EXT-2 ") << "a DP card in slot 7 keeps the row's name";
    EXPECT_EQ(Commands(), Calls({"cmd 49 6"}));

    const std::pair<uint32_t, const char*> names[] = {{4, " DVI-4"}, {6, " HDMI-4"}, {7, " SDI-3"}, {9, " UDISK-2"}};
    for (const auto& [card, name] : names) {
        block = BlockWithCards({4, 4, 4, 4, 4, 4, 4, card});
        s.ApplyStateBlock(block.data());
        EXPECT_EQ(s.InputTable[7].Name, name) << card;
    }
    ResetDeviceState();
    block = BlockWithCards({4, 4, 4, 4, 4, 4, 5, 12});
    s.ApplyStateBlock(block.data());
    EXPECT_EQ(s.InputTable[6].Present, 1u);
    EXPECT_EQ(s.InputTable[6].Name, " EXT-1 ");
    EXPECT_EQ(s.InputTable[7].Present, 0u);
    for (int r = 8; r < 12; ++r) EXPECT_EQ(s.InputTable[r].Present, 0u) << r;
}

TEST_F(ReplyTest, FullStateFromTheDeviceQueriesSignalsAndVgaCards) {
    auto block = BlockWithCards({4, 4, 3, 4, 4, 4, 10, 10});
    block[272 + 2] = 1;
    block[272 + 6] = 1; // a signal on a slot without a valid card is still asked for
    GetDeviceState().ApplyStateBlock(block.data());
    EXPECT_EQ(Commands(), Calls({"cmd 49 2", "cmd 48 2", "cmd 48 6"}));
}

TEST_F(ReplyTest, ProjectBlockAppliesItsExtensionCardAndSkipsSignalQueries) {
    auto& s = GetDeviceState();
    auto block = BlockWithCards({4, 4, 3, 4, 4, 4, 4, 4});
    block[272 + 3] = 1;
    block[2316] = 1;                          // extension card present
    const uint32_t hdmi = 6, active = 1;
    std::memcpy(block.data() + 2320 + 4, &hdmi, 4); // source 1 is HDMI
    std::memcpy(block.data() + 2332, &active, 4);
    s.FeatherSettings.Enable = 1;
    s.LoadedFromProject = 1;
    s.ApplyStateBlock(block.data());
    EXPECT_EQ(Commands(), Calls({"cmd 49 2"}));
    EXPECT_EQ(s.InputCardType[6], 6u);
    EXPECT_EQ(s.InputTable[6].Name, " HDMI-3");
    EXPECT_EQ(s.FeatherSettings.Enable, 0u);
    EXPECT_EQ(s.LoadedFromProject, 0);
}

TEST_F(ReplyTest, DpSplitMovesSourcesBothWays) {
    auto& s = GetDeviceState();
    s.LayerWindow[0].Source = 4;
    s.LayerWindow[1].Source = 9;
    s.LayerWindow[2].Source = 8;
    s.DpSplit[0] = 1;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[0].Source, 8);
    EXPECT_EQ(s.LayerWindow[1].Source, 9);
    EXPECT_EQ(s.InputTable[4].Present, 0u);
    EXPECT_EQ(s.InputTable[9].Present, 1u);
    s.DpSplit[0] = 0;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[0].Source, 4);
    EXPECT_EQ(s.LayerWindow[1].Source, 4);
    EXPECT_EQ(s.LayerWindow[2].Source, 4);
    EXPECT_EQ(s.InputTable[4].Present, 1u);
    EXPECT_EQ(s.InputTable[8].Present, 0u);
    s.DpSplit[0] = 7; // neither whole nor split: nothing moves
    s.LayerWindow[3].Source = 8;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[3].Source, 8);
}

TEST_F(ReplyTest, SecondDpCardSplitsOnlyWhenTheOptionSlotHoldsDp) {
    auto& s = GetDeviceState();
    s.LayerWindow[0].Source = 6;
    s.DpSplit[1] = 1;
    s.InputCardType[6] = 6;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[0].Source, 6);
    s.InputCardType[6] = 8;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[0].Source, 10);
    EXPECT_EQ(s.InputTable[6].Present, 0u);
    EXPECT_EQ(s.InputTable[10].Name, " DP2-L ");
    EXPECT_EQ(s.InputTable[11].Name, " DP2-R ");
    s.LayerWindow[1].Source = 11;
    s.DpSplit[1] = 0;
    s.ApplyDpSplitMode();
    EXPECT_EQ(s.LayerWindow[0].Source, 6);
    EXPECT_EQ(s.LayerWindow[1].Source, 6);
    EXPECT_EQ(s.InputTable[6].Name, " DP-2");
    EXPECT_EQ(s.InputTable[10].Present, 0u);
}

TEST_F(ReplyTest, HdmiExtensionCardInHalvesNamesRowsAndMovesSources) {
    auto& s = GetDeviceState();
    s.LayerWindow[2].Source = 6;
    ExtensionCardInfo card{};
    card.Present = 1;
    card.InputSource[0] = 6;
    card.ActiveSource = 0;
    card.DualMode = 1;
    card.HActive = 3840;
    card.VActive = 2160;
    card.FrameRate = 3000;
    card.Interlaced = 0;
    s.ApplyExtensionCard(&card);
    EXPECT_EQ(s.InputTable[6].Name, " DVI-3*");
    EXPECT_EQ(s.InputTable[10].Name, " DVI3*-L ");
    EXPECT_EQ(s.InputTable[11].Name, " DVI3*-R ");
    EXPECT_EQ(s.InputTable[6].Present, 0u);
    EXPECT_EQ(s.InputTable[10].Present, 1u);
    EXPECT_EQ(s.LayerWindow[2].Source, 10);
    EXPECT_EQ(s.InputSignal[6].HActive, 3840);
    EXPECT_EQ(s.DpSplit[1], 1);

    card.ActiveSource = 1;
    card.InputSource[1] = 6;
    card.DualMode = 1;
    s.ApplyExtensionCard(&card);
    EXPECT_EQ(s.InputTable[6].Name, " HDMI-3");
    EXPECT_EQ(s.InputTable[10].Name, " HDMI3-L ");
    card.DualMode = 0;
    s.ApplyExtensionCard(&card);
    EXPECT_EQ(s.LayerWindow[2].Source, 6);
    EXPECT_EQ(s.InputTable[6].Present, 1u);
    EXPECT_EQ(s.InputTable[11].Present, 0u);
}

TEST_F(ReplyTest, SplitDpSignalHalvesTheSourceWidthOfBothRows) {
    auto& s = GetDeviceState();
    s.DpSplit[0] = 1;
    for (int l = 0; l < 4; ++l) {
        auto& right = s.CropRect[4 * 8 + l];
        right.HStart = 500;
        right.Width = 600; // past 960: reset to the whole half
        right.SourceHeight = 1080;
    }
    uint8_t data[10] = {4};
    const uint16_t w = 1920, h = 1080;
    std::memcpy(data + 2, &w, 2);
    std::memcpy(data + 4, &h, 2);
    s.ApplyInputSignal(data);
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(s.CropRect[4 * 4 + l].SourceWidth, 960) << l;
        EXPECT_EQ(s.CropRect[4 * 4 + l].SourceHeight, 1080) << l;
        EXPECT_EQ(s.CropRect[4 * 8 + l].SourceWidth, 960) << l;
        EXPECT_EQ(s.CropRect[4 * 8 + l].HStart, 0) << l;
        EXPECT_EQ(s.CropRect[4 * 8 + l].Width, 960) << l;
    }
}

TEST_F(ReplyTest, ExtensionSignalFillsTheCropRowsOfItsHalves) {
    // "Row" here is the crop-record row of the layer input rows: an HDMI card on source 0
    // keeps its halves in rows 10 and 11, a DP card in rows 6 and 9.
    auto& s = GetDeviceState();
    s.DpSplit[1] = 1;
    s.InputCardType[6] = 6;
    s.ExtensionCardInfo.Present = 1;
    s.ExtensionCardInfo.ActiveSource = 0;
    for (int l = 0; l < 4; ++l) s.CropRect[4 * 11 + l].Width = 3000; // wider than a half
    uint8_t data[10] = {6};
    const uint16_t w = 3840, h = 2160;
    std::memcpy(data + 2, &w, 2);
    std::memcpy(data + 4, &h, 2);
    s.ApplyInputSignal(data);
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(s.CropRect[4 * 10 + l].SourceWidth, 1920);
        EXPECT_EQ(s.CropRect[4 * 11 + l].SourceHeight, 2160);
        EXPECT_EQ(s.CropRect[4 * 6 + l].SourceWidth, 3840);
        EXPECT_EQ(s.CropRect[4 * 11 + l].Width, 1920) << "clipped to the new half";
    }
    ResetDeviceState();
    s.DpSplit[1] = 1;
    s.InputCardType[6] = 8;
    s.ApplyInputSignal(data);
    for (int l = 0; l < 4; ++l) {
        EXPECT_EQ(s.CropRect[4 * 6 + l].SourceWidth, 1920);
        EXPECT_EQ(s.CropRect[4 * 9 + l].SourceWidth, 1920);
        EXPECT_EQ(s.CropRect[4 * 10 + l].SourceWidth, 0);
    }
}

TEST_F(ReplyTest, SignalClipsOnlyRectanglesThatNoLongerFit) {
    auto& s = GetDeviceState();
    auto& fits = s.CropRect[4 * 2 + 0];
    fits = {1, 0, 100, 50, 800, 600, 0, 0};
    auto& overflows = s.CropRect[4 * 2 + 1];
    overflows = {1, 0, 0, 500, 800, 600, 0, 0};
    uint8_t data[10] = {2};
    const uint16_t w = 1024, h = 768;
    std::memcpy(data + 2, &w, 2);
    std::memcpy(data + 4, &h, 2);
    s.ApplyInputSignal(data);
    EXPECT_EQ(fits.HStart, 100);
    EXPECT_EQ(fits.Width, 800);
    EXPECT_EQ(overflows.VStart, 0);
    EXPECT_EQ(overflows.Width, 1024);
    EXPECT_EQ(overflows.Height, 768);
}

TEST_F(ReplyTest, DeviceInfoWithoutMacStoresZeros) {
    auto& s = GetDeviceState();
    s.FoundMachineMac.fill(9);
    s.SetDeviceInfo("127.0.0.5", nullptr);
    EXPECT_EQ(s.FoundMachineIp, "127.0.0.5");
    for (auto b : s.FoundMachineMac) EXPECT_EQ(b, 0);
}
