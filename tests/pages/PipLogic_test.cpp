// The PIP page's rules: the inputs offered and the enables by switcher mode and logo use.
#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "pages/PipPageLogic.h"

namespace {
class PipLogic : public ::testing::Test {
  protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
    DeviceState& S = GetDeviceState();
};
} // namespace

TEST_F(PipLogic, OnlyPresentInputsWithTheirRows) {
    S.InputTable[1].Present = 0;
    S.InputTable[8].Present = 2;
    const auto items = PipInputItems(S.InputTable);
    std::vector<long> rows;
    for (const auto& i : items)
        rows.push_back(i.Input);
    EXPECT_EQ(rows, (std::vector<long>{0, 2, 3, 4, 5, 8}));
    EXPECT_EQ(items[1].Name, S.InputTable[2].Name);
}

TEST_F(PipLogic, Pip3RefusedOnlyAsALogo) {
    EXPECT_FALSE(PipSwitchRefused(S, 2));
    S.LogoSettings.Pip3Usage = 1;
    EXPECT_TRUE(PipSwitchRefused(S, 2));
    EXPECT_FALSE(PipSwitchRefused(S, 1));
}

TEST_F(PipLogic, SwitcherOffFollowsEachLayer) {
    S.LayerWindow[2].Enable = 1;
    const auto e = PipEnablesForMode(S);
    EXPECT_EQ(e[0].Caption, "PIP-1");
    EXPECT_EQ(e[0].OnOff, true);
    EXPECT_EQ(e[0].Alpha, false);
    EXPECT_EQ(e[1].Alpha, true);
    EXPECT_EQ(e[1].List, true);
    EXPECT_EQ(e[2].List, false);
}

TEST_F(PipLogic, PgmPvwMode) {
    S.SwitcherSettings.Mode = 1;
    S.SwitcherSettings.OnProgram[1] = 1;
    S.SwitcherSettings.OnProgram[3] = 1;
    S.LayerWindow[2].Enable = 1;
    auto e = PipEnablesForMode(S);
    EXPECT_EQ(e[0].Caption, "PGM");
    EXPECT_EQ(e[0].List, false);
    EXPECT_EQ(e[0].OnOff, false);
    EXPECT_EQ(e[1].OnOff, true);
    EXPECT_EQ(e[1].List, true);
    EXPECT_EQ(e[1].Alpha, false);
    EXPECT_EQ(e[2].OnOff, false);
    S.SwitcherSettings.OnProgram[1] = 0;
    S.SwitcherSettings.OnPreview[1] = 1;
    e = PipEnablesForMode(S);
    EXPECT_EQ(e[0].Caption, "PVW");
    EXPECT_EQ(e[0].List, true);
}

TEST_F(PipLogic, DualModeChangesNothingAndLogoDisablesPip3) {
    S.SwitcherSettings.Mode = 2;
    S.LogoSettings.Pip3Usage = 1;
    for (const auto& g : PipEnablesForMode(S)) {
        EXPECT_FALSE(g.OnOff.has_value());
        EXPECT_FALSE(g.Caption.has_value());
    }
    S.SwitcherSettings.Mode = 0;
    S.LayerWindow[3].Enable = 1;
    const auto e = PipEnablesForMode(S);
    EXPECT_EQ(e[2].OnOff, false);
    EXPECT_EQ(e[2].Alpha, false);
    EXPECT_EQ(e[2].List, false);
}
