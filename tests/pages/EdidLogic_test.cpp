// The EDID page's rules: offered inputs, entries, the pixel-clock guard and what Apply stores.
#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "pages/EdidPageLogic.h"
#include "support/RecordingCommLink.h"

namespace {
struct EdidLogicTest : ::testing::Test {
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
};
}  // namespace

TEST_F(EdidLogicTest, DviHActiveBoundWithBlanking) {
    // 165 000 000 / (1125 x 60) - 160 = 2284 (truncated).
    const EdidTiming t{3840, 1080, 60, 160, 45};
    ASSERT_EQ(EdidPixelClockLimit(CardDvi, 0), 165000000.0);
    EXPECT_EQ(EdidFieldBound(EdidField::HActive, t, 165000000.0), 2284);
    EXPECT_EQ(EdidClampedValue(EdidField::HActive, t, 165000000.0), 2284);
}

TEST_F(EdidLogicTest, DpTakes3840x1080At60ButDviClampsVActive) {
    const EdidTiming t{3840, 1080, 60, 0, 0};
    const auto dp = EdidPixelClockLimit(CardDp, 2);
    ASSERT_EQ(dp, 300000000.0);
    EXPECT_FALSE(EdidClampedValue(EdidField::VActive, t, *dp).has_value());
    EXPECT_FALSE(EdidClampedValue(EdidField::HActive, t, *dp).has_value());
    EXPECT_EQ(EdidClampedValue(EdidField::VActive, t, 165000000.0), 716);
}

TEST_F(EdidLogicTest, FpsClampedOnDvi) {
    const EdidTiming t{3840, 1080, 121, 0, 0};
    EXPECT_EQ(EdidClampedValue(EdidField::FrameRate, t, 165000000.0), 39);
}

TEST_F(EdidLogicTest, BlankingBounds) {
    const EdidTiming t{1920, 1080, 60, 5000, 45};
    // H blank bound: 165e6 / (1125 x 60) - 1920 = 524.
    EXPECT_EQ(EdidClampedValue(EdidField::HBlank, t, 165000000.0), 524);
    const EdidTiming v{1920, 1080, 60, 280, 9000};
    // V blank bound: 165e6 / (2200 x 60) - 1080 = 170.
    EXPECT_EQ(EdidClampedValue(EdidField::VBlank, v, 165000000.0), 170);
}

TEST_F(EdidLogicTest, ZeroProductGivesNoBoundInsteadOfDividingByZero) {
    const EdidTiming t{0, 0, 0, 0, 0};
    EXPECT_FALSE(EdidFieldBound(EdidField::HActive, t, 165000000.0).has_value());
    EXPECT_FALSE(EdidFieldBound(EdidField::FrameRate, t, 165000000.0).has_value());
}

TEST_F(EdidLogicTest, LimitsByCardAndInput) {
    EXPECT_EQ(EdidPixelClockLimit(CardVga, 3), 165000000.0);
    EXPECT_EQ(EdidPixelClockLimit(CardHdmi, 1), 165000000.0);
    EXPECT_EQ(EdidPixelClockLimit(CardHdmi, 6), 300000000.0);
    EXPECT_EQ(EdidPixelClockLimit(CardHdmi, 7), 300000000.0);
    EXPECT_FALSE(EdidPixelClockLimit(CardSdi, 5).has_value());
    EXPECT_FALSE(EdidPixelClockLimit(0, 0).has_value());
}

TEST_F(EdidLogicTest, ListNeverOffersInput5AndOffersSplitExtension) {
    DeviceState& s = GetDeviceState();
    for (uint32_t i = 0; i < 8; ++i) s.InputCardType[i] = CardDvi;
    s.InputCardType[6] = CardDp;
    s.InputCardType[7] = CardDp;
    s.InputTable[6].Present = 0;
    s.InputTable[7].Present = 0;
    s.DpSplit[1] = 0;
    EXPECT_EQ(EdidListInputs(s), (std::vector<uint32_t>{0, 1, 2, 3, 4}));
    s.DpSplit[1] = 1;
    EXPECT_EQ(EdidListInputs(s), (std::vector<uint32_t>{0, 1, 2, 3, 4, 6, 7}));
    s.DpSplit[1] = 0;
    s.InputTable[6].Present = 1;
    s.InputCardType[1] = CardSdi;
    s.InputCardType[2] = CardUdisk;
    EXPECT_EQ(EdidListInputs(s), (std::vector<uint32_t>{0, 3, 4, 6}));
}

TEST_F(EdidLogicTest, FindEntryByInputByte) {
    DeviceState& s = GetDeviceState();
    for (size_t k = 0; k < EdidEntryCount; ++k) s.EdidEntry[k].Input = static_cast<uint8_t>(k + 20);
    s.EdidEntry[3].Input = 7;
    s.EdidEntry[6].Input = 7;
    EXPECT_EQ(FindEdidEntryByInput(s, 7), 3u);
    EXPECT_FALSE(FindEdidEntryByInput(s, 2).has_value());
}

TEST_F(EdidLogicTest, ApplyStoresHiddenBlankingAndSendsAction1) {
    ScopedRecordingLink link;
    DeviceState& s = GetDeviceState();
    s.EdidEntry[5].Input = 6;
    ASSERT_TRUE(StoreEdidTiming(s, 6, EdidTiming{1920, 1080, 59.9f, 280, 45}));
    EXPECT_EQ(s.EdidEntry[5].HActive, 1920);
    EXPECT_EQ(s.EdidEntry[5].VActive, 1080);
    EXPECT_EQ(s.EdidEntry[5].FrameRate, 5900);
    EXPECT_EQ(s.EdidEntry[5].HBlank, 280);
    EXPECT_EQ(s.EdidEntry[5].VBlank, 45);
    s.SendCommand(CmdEdid, 6, EdidApplyAction(false));
    const auto calls = link.Link.CallsOf("SendCommand");
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Command, 10u);
    const std::vector<uint8_t> want = {6, 1, 0x80, 0x07, 0x38, 0x04, 0x0C, 0x17, 0x18, 0x01, 45, 0};
    EXPECT_EQ(std::vector<uint8_t>(calls[0].Bytes.begin(), calls[0].Bytes.begin() + 12), want);
    for (size_t i = 12; i < 32; ++i) EXPECT_EQ(calls[0].Bytes[i], 0x55) << i;
}
