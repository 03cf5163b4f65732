#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "pages/SwitcherLogic.h"

namespace {
class SwitcherLogic : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
    static DeviceState& S() { return GetDeviceState(); }
};

TEST_F(SwitcherLogic, FadeListHoldsTheEightDurations) {
    const char* want[] = {"0.0", "0.1", "0.2", "0.3", "0.5", "1.0", "2.0", "3.0"};
    ASSERT_EQ(FadeTimeTexts.size(), 8u);
    for (size_t i = 0; i < 8; ++i) EXPECT_STREQ(FadeTimeTexts[i], want[i]);
}

TEST_F(SwitcherLogic, ModeFollowsSwitchAndPanel) {
    EXPECT_EQ(SwitcherModeFor(false, 1), 0);
    EXPECT_EQ(SwitcherModeFor(true, 0), 1);
    EXPECT_EQ(SwitcherModeFor(true, 1), 2);
}

TEST_F(SwitcherLogic, DualPanelClearsThePip3Usage) {
    S().LogoSettings.Pip3Usage = 1;
    ApplySwitcherMode(S(), 1);
    EXPECT_EQ(S().LogoSettings.Pip3Usage, 1);
    ApplySwitcherMode(S(), 2);
    EXPECT_EQ(S().SwitcherSettings.Mode, 2);
    EXPECT_EQ(S().LogoSettings.Pip3Usage, 0);
}

TEST_F(SwitcherLogic, OnlyKnownModesNameAPanel) {
    EXPECT_FALSE(PanelOfMode(0).has_value());
    EXPECT_EQ(PanelOfMode(1), 0);
    EXPECT_EQ(PanelOfMode(2), 1);
    EXPECT_FALSE(PanelOfMode(7).has_value()); // a bad byte from the device is no panel
}

TEST_F(SwitcherLogic, FadeChoiceStoresTheIndex) {
    EXPECT_TRUE(ApplyFadeChoice(S(), 4)); // "0.5"
    EXPECT_EQ(S().SwitcherSettings.FadeTime, 4u);
    EXPECT_FALSE(ApplyFadeChoice(S(), 8));
    EXPECT_FALSE(ApplyFadeChoice(S(), -1));
    EXPECT_EQ(S().SwitcherSettings.FadeTime, 4u);
}

TEST_F(SwitcherLogic, MultiMachineOnlyOnANetworkLink) {
    S().NetworkConnected = 1;
    EXPECT_TRUE(ApplyMultiMachine(S(), true));
    EXPECT_EQ(S().MultiMachineMode, 1);
    S().NetworkConnected = 0;
    S().MultiMachineMode = 0;
    EXPECT_FALSE(ApplyMultiMachine(S(), true));
    EXPECT_EQ(S().MultiMachineMode, 0);
}
}  // namespace
