#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "app/DeviceState.h"
#include "pages/VgaAdjustLogic.h"
#include "support/RecordingCommLink.h"

namespace {
class VgaLogic : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
    static DeviceState& S() { return GetDeviceState(); }
    std::vector<LinkCall> Commands() const { return Scoped.Link.CallsOf("SendCommand"); }
    ScopedRecordingLink Scoped;
};

TEST_F(VgaLogic, ClockAbove4096IsSentAs4096) {
    ASSERT_EQ(ApplyVgaEdit(S().VgaSettings, 1354, 5000), VgaDisplaySection);
    EXPECT_EQ(S().VgaSettings.Clock, 4096u);
    SendVgaSet(S(), VgaDisplaySection);
    const LinkCall c = Commands().at(0);
    EXPECT_EQ(c.Command, 14u);
    EXPECT_EQ(c.Bytes[0], 0);
    EXPECT_EQ(c.Bytes[2], 0);
    EXPECT_EQ(c.Bytes[3], 0x00);
    EXPECT_EQ(c.Bytes[4], 0x10);
}

TEST_F(VgaLogic, DisplayEditsWriteTheirFieldsTruncated) {
    ApplyVgaEdit(S().VgaSettings, 1355, 40.9f);
    ApplyVgaEdit(S().VgaSettings, 1356, -37.8f);
    ApplyVgaEdit(S().VgaSettings, 1357, 20);
    EXPECT_EQ(S().VgaSettings.Phase, 40u);
    EXPECT_EQ(S().VgaSettings.HPosition, -37);
    EXPECT_EQ(S().VgaSettings.VPosition, 16);
    SendVgaSet(S(), VgaDisplaySection);
    const LinkCall c = Commands().at(0);
    EXPECT_EQ(c.Bytes[5], 40);
    EXPECT_EQ(c.Bytes[6], 0xDB); // -37
    EXPECT_EQ(c.Bytes[7], 16);
}

TEST_F(VgaLogic, AdcEditsFillTheTableInOffsetThenGainOrder) {
    const int ids[] = {1001, 1008, 1013, 1018, 1023, 1026};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(ApplyVgaEdit(S().VgaSettings, ids[i], 100.0f * (i + 1)), VgaAdcSection);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(S().VgaSettings.Adc[i], 100 * (i + 1)) << i;
    ApplyVgaEdit(S().VgaSettings, 1026, 5000);
    EXPECT_EQ(S().VgaSettings.Adc[5], 1023);
    SendVgaSet(S(), VgaAdcSection);
    const LinkCall c = Commands().at(0);
    EXPECT_EQ(c.Bytes[0], 1);
    // [9] red offset, [11] blue offset... as the command lays them out: Adc[0], [2], [4], [1], [3], [5].
    EXPECT_EQ(c.Bytes[9] | c.Bytes[10] << 8, 100);
    EXPECT_EQ(c.Bytes[11] | c.Bytes[12] << 8, 300);
    EXPECT_EQ(c.Bytes[15] | c.Bytes[16] << 8, 200);
    EXPECT_EQ(c.Bytes[19] | c.Bytes[20] << 8, 1023);
}

TEST_F(VgaLogic, OtherIdsChangeNothing) {
    const VgaSettings before = S().VgaSettings;
    EXPECT_FALSE(ApplyVgaEdit(S().VgaSettings, 1368, 5807).has_value());
    EXPECT_EQ(std::memcmp(&before, &S().VgaSettings, sizeof before), 0);
}

TEST_F(VgaLogic, EditsBelongToTheirSection) {
    const std::pair<int, std::optional<VgaSection>> rows[] = {
        {1354, VgaDisplaySection}, {1357, VgaDisplaySection}, {1001, VgaAdcSection},
        {1026, VgaAdcSection},     {1368, std::nullopt},      {1364, std::nullopt}};
    for (const auto& [id, section] : rows) EXPECT_EQ(VgaSectionOfEdit(id), section) << id;
    EXPECT_EQ(VgaEditsOf(VgaDisplaySection).size(), 4u);
    EXPECT_EQ(VgaEditsOf(VgaAdcSection).size(), 6u);
    EXPECT_TRUE(VgaEditsOf(VgaDdcSection).empty());
}

TEST_F(VgaLogic, AccessCodeIs5807) {
    EXPECT_TRUE(VgaAccessCodeMatches(5807));
    EXPECT_FALSE(VgaAccessCodeMatches(5806));
    EXPECT_FALSE(VgaAccessCodeMatches(0));
}

TEST_F(VgaLogic, CardSlotsOfInputRows) {
    for (uint32_t i = 0; i < 8; ++i) EXPECT_EQ(VgaCardSlotOfInput(i), i);
    EXPECT_EQ(VgaCardSlotOfInput(8), 4);
    EXPECT_EQ(VgaCardSlotOfInput(9), 4);
    EXPECT_EQ(VgaCardSlotOfInput(10), 6);
    EXPECT_EQ(VgaCardSlotOfInput(11), 6);
    EXPECT_FALSE(VgaCardSlotOfInput(12).has_value());
    EXPECT_FALSE(VgaCardSlotOfInput(255).has_value());
}

TEST_F(VgaLogic, VgaSourceOnPipIsQueriedButTheCodeStaysLocked) {
    S().InputCardType[3] = 3;
    S().LayerWindow[1].Source = 3;
    S().LayerWindow[0].Source = 3;
    VgaSourceView v = ComputeVgaSource(S(), 1);
    EXPECT_TRUE(v.IsVga);
    EXPECT_EQ(v.Slot, 3);
    EXPECT_FALSE(v.CodeEnabled);
    v = ComputeVgaSource(S(), 0);
    EXPECT_TRUE(v.CodeEnabled);
    S().InputCardType[3] = 4; // DVI
    EXPECT_FALSE(ComputeVgaSource(S(), 0).IsVga);
    S().LayerWindow[0].Source = 200; // no input row from the device
    EXPECT_FALSE(ComputeVgaSource(S(), 0).IsVga);
    EXPECT_FALSE(ComputeVgaSource(S(), 7).IsVga);
}

TEST_F(VgaLogic, ButtonsSendTheirSectionsAndQueries) {
    S().VgaSettings.Input = 6;
    SendVgaAutoAdjust(S());
    SendVgaDdc(S(), true);
    SendVgaDdc(S(), false);
    SendVgaCalibrate(S());
    SendVgaReset(S());
    const auto c = Commands();
    ASSERT_EQ(c.size(), 7u);
    EXPECT_EQ(c[0].Command, 14u); EXPECT_EQ(c[0].Bytes[0], 0); EXPECT_EQ(c[0].Bytes[2], 1); EXPECT_EQ(c[0].Bytes[1], 6);
    EXPECT_EQ(c[1].Command, 49u); EXPECT_EQ(c[1].Bytes[0], 6);
    EXPECT_EQ(c[2].Bytes[0], 2); EXPECT_EQ(c[2].Bytes[2], 1);
    EXPECT_EQ(c[3].Bytes[0], 2); EXPECT_EQ(c[3].Bytes[2], 0);
    EXPECT_EQ(c[4].Bytes[0], 1); EXPECT_EQ(c[4].Bytes[2], 1);
    EXPECT_EQ(c[5].Bytes[0], 1); EXPECT_EQ(c[5].Bytes[2], 2); EXPECT_EQ(c[5].Bytes[21], 2);
    EXPECT_EQ(c[6].Command, 49u); EXPECT_EQ(c[6].Bytes[0], 0); // reset queries slot 0
}
}  // namespace
