// The keyer page's rules: target bytes, layers, value storage and the keyer command's bytes.
#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "pages/KeyerPageLogic.h"
#include "support/RecordingCommLink.h"

namespace {
struct KeyerLogicTest : ::testing::Test {
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
};
}  // namespace

TEST_F(KeyerLogicTest, TargetBytesAndLayers) {
    EXPECT_EQ(KeyerTargetByte(0), 3);
    EXPECT_EQ(KeyerTargetByte(1), 1);
    DeviceState& s = GetDeviceState();
    s.LayerWindow[3].Enable = 1;
    s.LayerWindow[1].Enable = 0;
    EXPECT_TRUE(KeyerLayerOn(s, 0));
    EXPECT_FALSE(KeyerLayerOn(s, 1));
    EXPECT_TRUE(Pip1KeyerSelectable(3));
    EXPECT_FALSE(Pip1KeyerSelectable(2));
    EXPECT_FALSE(IsKeyerTarget(2));
    EXPECT_FALSE(IsKeyerTarget(-1));
}

TEST_F(KeyerLogicTest, ValuesHeldInsideTheirRanges) {
    KeyerSettings k{};
    StoreKeyerValues(k, {10.9f, 300, -4, 255, 128, 17, 80, 64, 300});
    EXPECT_EQ(k.RedLow, 10);
    EXPECT_EQ(k.RedHigh, 255);
    EXPECT_EQ(k.GreenLow, 0);
    EXPECT_EQ(k.GreenHigh, 255);
    EXPECT_EQ(k.BlueLow, 128);
    EXPECT_EQ(k.BlueHigh, 17);
    EXPECT_EQ(k.GainIn, 64);
    EXPECT_EQ(k.GainOut, 64);
    EXPECT_EQ(k.GainBand, 255);
}

TEST_F(KeyerLogicTest, ResetKeepsGains) {
    KeyerSettings k{};
    k.Mode = 7;
    k.RedLow = 9;
    k.RedHigh = 10;
    k.GainIn = 33;
    k.GainBand = 90;
    ResetKeyerRange(k);
    EXPECT_EQ(k.Mode, 0u);
    EXPECT_EQ(k.RedLow, 0);
    EXPECT_EQ(k.RedHigh, 255);
    EXPECT_EQ(k.GreenHigh, 255);
    EXPECT_EQ(k.BlueHigh, 255);
    EXPECT_EQ(k.GainIn, 33);
    EXPECT_EQ(k.GainBand, 90);
}

TEST_F(KeyerLogicTest, KeyerCommandCarriesTheKeyerAndTarget) {
    ScopedRecordingLink link;
    DeviceState& s = GetDeviceState();
    KeyerSettings& k = s.KeyerSettings[1];
    k.Enable = 1;
    k.Mode = 0;
    StoreKeyerValues(k, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    SendKeyer(s, 1);
    SendKeyerQuery(s, 0);
    const auto calls = link.Link.CallsOf("SendCommand");
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Command, 11u);
    const std::vector<uint8_t> head = {1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(std::vector<uint8_t>(calls[0].Bytes.begin(), calls[0].Bytes.begin() + 11), head);
    EXPECT_EQ(calls[0].Bytes[31], 1);
    EXPECT_EQ(calls[1].Command, 59u);
    EXPECT_EQ(calls[1].Bytes[0], 3);
}
