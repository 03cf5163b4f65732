#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "pages/FeatherLogic.h"
#include "support/RecordingCommLink.h"

namespace {
class FeatherLogic : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
    static DeviceState& S() { return GetDeviceState(); }
    ScopedRecordingLink Scoped;
};

TEST_F(FeatherLogic, ModeTwoWithOnlyPip1OnIsRefused) {
    S().MosaicSettings.Mode = 2;
    S().LayerWindow[1].Enable = 1;
    EXPECT_FALSE(FeatherSwitchOnAllowed(S()));
    S().LayerWindow[2].Enable = 1;
    EXPECT_TRUE(FeatherSwitchOnAllowed(S()));
}

TEST_F(FeatherLogic, ModeThreeWithAKeyerOnIsRefusedAndAcceptedWithoutIt) {
    S().MosaicSettings.Mode = 3;
    S().LayerWindow[3].Enable = 1;
    S().KeyerSettings[1].Enable = 1;
    EXPECT_FALSE(FeatherSwitchOnAllowed(S()));
    S().KeyerSettings[1].Enable = 0;
    EXPECT_TRUE(FeatherSwitchOnAllowed(S()));
}

TEST_F(FeatherLogic, OtherMosaicModesAndCaptionsRefuse) {
    for (uint32_t mode : {0u, 1u, 4u, 5u}) {
        S().MosaicSettings.Mode = mode;
        for (auto& w : S().LayerWindow) w.Enable = 1;
        EXPECT_FALSE(FeatherSwitchOnAllowed(S())) << mode;
    }
    S().MosaicSettings.Mode = 2;
    S().CaptionSettings[2].Enable = 1;
    EXPECT_FALSE(FeatherSwitchOnAllowed(S()));
}

TEST_F(FeatherLogic, Pip3LogoFeathersOnlyWithoutBorderAndNotOnTop) {
    S().MosaicSettings.Mode = 3;
    S().LayerWindow[1].Enable = 1;
    S().LogoSettings.Pip3Usage = 1;
    EXPECT_TRUE(FeatherSwitchOnAllowed(S()));
    S().LogoSettings.Border = 1;
    EXPECT_FALSE(FeatherSwitchOnAllowed(S()));
    S().LogoSettings.Border = 0;
    S().LogoSettings.Position = 1;
    EXPECT_FALSE(FeatherSwitchOnAllowed(S()));
    S().LogoSettings.Pip3Usage = 0; // PIP-3 is a layer: its logo settings do not matter
    EXPECT_TRUE(FeatherSwitchOnAllowed(S()));
}

TEST_F(FeatherLogic, FirstGroupFollowsTheMosaicMode) {
    EXPECT_EQ(FeatherPipLayer(2, 1), 2);
    EXPECT_EQ(FeatherPipLayer(3, 2), 1);
    EXPECT_EQ(FeatherPipLayer(0, 1), 1);
    EXPECT_EQ(FeatherPipLayer(5, 2), 2);
}

TEST_F(FeatherLogic, RectangleUpInModeThreeGoesToPip1) {
    const auto layer = ApplyFeatherChoice(S(), 65400, FeatherPipLayer(3, 2), 4);
    ASSERT_TRUE(layer.has_value());
    EXPECT_EQ(*layer, 1);
    EXPECT_EQ(S().FeatherSettings.Sharpness[1], 4u);
    SendFeather(S(), *layer);
    const auto c = Scoped.Link.CallsOf("SendCommand").at(0);
    EXPECT_EQ(c.Command, 35u);
    EXPECT_EQ(c.Bytes[3], 4); // Sharpness of layer 1
    EXPECT_EQ(c.Bytes[9], 1);
}

TEST_F(FeatherLogic, Pip3ListsWriteLayerThreeAndLevelsTheirOwnField) {
    EXPECT_EQ(ApplyFeatherChoice(S(), 65401, 2, 5), 3);
    EXPECT_EQ(ApplyFeatherChoice(S(), 65403, 2, 3), 3);
    EXPECT_EQ(ApplyFeatherChoice(S(), 65402, 2, 2), 2);
    EXPECT_EQ(S().FeatherSettings.Sharpness[3], 5u);
    EXPECT_EQ(S().FeatherSettings.Level[3], 3u);
    EXPECT_EQ(S().FeatherSettings.Level[2], 2u);
    EXPECT_FALSE(ApplyFeatherChoice(S(), 65404, 2, 1).has_value());
    EXPECT_FALSE(ApplyFeatherChoice(S(), 65402, 2, 9).has_value());
    EXPECT_FALSE(ApplyFeatherChoice(S(), 65400, 2, 0).has_value());
}

TEST_F(FeatherLogic, EnableIsTheLowByteOnly) {
    S().FeatherSettings.Enable = 0x12340000;
    SetFeatherEnabled(S(), true);
    EXPECT_EQ(S().FeatherSettings.Enable, 0x12340001u);
    EXPECT_TRUE(FeatherEnabled(S()));
    SetFeatherEnabled(S(), false);
    EXPECT_EQ(S().FeatherSettings.Enable, 0x12340000u);
    EXPECT_FALSE(FeatherEnabled(S()));
}
}  // namespace
