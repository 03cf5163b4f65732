// The logo page's rules: slots that fit, PIP-3's card slot, the clamps of both usages.
#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "pages/LogoPageLogic.h"

namespace {
class LogoLogic : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDeviceState();
        S.OutputTiming.HActive = 1920;
        S.OutputTiming.VActive = 1080;
    }
    void TearDown() override { ResetDeviceState(); }
    DeviceState& S = GetDeviceState();
};
}  // namespace

TEST_F(LogoLogic, SlotFits) {
    LogoSettings& l = S.LogoSettings;
    l.SlotValid[1] = 1;
    l.Width[1] = 200;
    l.Height[1] = 100;
    EXPECT_TRUE(LogoSlotFits(S, 1));
    l.Width[1] = 0;
    EXPECT_FALSE(LogoSlotFits(S, 1));
    l.Width[1] = 1921;
    EXPECT_FALSE(LogoSlotFits(S, 1));
    S.OutputTiming.HActive = 4000;
    l.Width[1] = 3840;
    EXPECT_FALSE(LogoSlotFits(S, 1));  // 3840 and above never fit
    l.Width[1] = 200;
    l.SlotValid[1] = 0;
    EXPECT_FALSE(LogoSlotFits(S, 1));
    EXPECT_FALSE(LogoSlotFits(S, 4));
}

TEST_F(LogoLogic, SlotColours) {
    S.LogoSettings.SlotValid[0] = 1;
    S.LogoSettings.SlotValid[2] = 1;
    S.LogoSettings.CurrentSlot = 2;
    EXPECT_EQ(LogoSlotColour(S, 0), 0x009CEFu);
    EXPECT_EQ(LogoSlotColour(S, 1), 0xEBEBEBu);
    EXPECT_EQ(LogoSlotColour(S, 2), 0x00FF00u);
}

TEST_F(LogoLogic, CardSlotOfPip3) {
    EXPECT_EQ(Pip3CardSlot(0), 0u);
    EXPECT_EQ(Pip3CardSlot(7), 7u);
    EXPECT_EQ(Pip3CardSlot(8), 4u);
    EXPECT_EQ(Pip3CardSlot(9), 4u);
    EXPECT_EQ(Pip3CardSlot(10), 6u);
    EXPECT_EQ(Pip3CardSlot(11), 6u);
    EXPECT_EQ(Pip3CardSlot(12), std::nullopt);
    EXPECT_EQ(Pip3CardSlot(255), std::nullopt);
}

TEST(LogoClamp, NormalUsageKeepsEightPixels) {
    const PictureRect r = ClampLogoEdit({1276, 0, 100, 50}, LogoEdit::HStart, false, 1280, 720);
    EXPECT_EQ(r.Width, 8);
    EXPECT_EQ(r.X, 1272);
    EXPECT_EQ(ClampLogoEdit({1000, 0, 500, 50}, LogoEdit::HStart, false, 1280, 720).Width, 280);
    const PictureRect v = ClampLogoEdit({0, 718, 10, 100}, LogoEdit::VStart, false, 1280, 720);
    EXPECT_EQ(v.Height, 8);
    EXPECT_EQ(v.Y, 712);
    EXPECT_EQ(ClampLogoEdit({100, 0, 2000, 50}, LogoEdit::Width, false, 1280, 720).Width, 1180);
}

TEST(LogoClamp, LogoUsageKeepsTheLogoOnTheOutput) {
    EXPECT_EQ(ClampLogoEdit({1900, 0, 200, 100}, LogoEdit::HStart, true, 1920, 1080).X, 1720);
    EXPECT_EQ(ClampLogoEdit({0, 1000, 200, 100}, LogoEdit::VStart, true, 1920, 1080).Y, 980);
    EXPECT_EQ(ClampLogoEdit({0, 1000, 200, 500}, LogoEdit::Height, true, 1920, 1080).Height, 80);
}

TEST(LogoClamp, NarrowPip3NeverGivesANegativeStart) {
    const PictureRect r = ClampLogoEdit({3, 0, 20, 8}, LogoEdit::HStart, false, 4, 100);
    EXPECT_EQ(r.X, 0);
    EXPECT_GE(r.Width, 0);
}

// A logo record that only confirms the page's command leaves what the operator set; another
// usage or current slot, or in logo use a place moved on the device, is shown.
TEST(LogoRecord, OnlyAChangeOfWhatThePageStandsOnMovesIt) {
    struct Row {
        const char* name;
        uint8_t usage;
        void (*change)(LogoSettings&);
        bool moves;
    };
    const Row rows[] = {
        {"the same record, logo use", 1, [](LogoSettings&) {}, false},
        {"the same record, normal use", 0, [](LogoSettings&) {}, false},
        {"on/off, top, border confirmed", 1, [](LogoSettings& l) { l.Enable = 1, l.Border = 1, l.Position = 1; }, false},
        {"a slot saved in normal use", 0, [](LogoSettings& l) { l.SlotValid[2] = 1, l.HPos[2] = 300, l.Width[2] = 64; }, false},
        {"another usage", 1, [](LogoSettings& l) { l.Pip3Usage = 0; }, true},
        {"another current slot", 0, [](LogoSettings& l) { l.CurrentSlot = 3; }, true},
        {"a place moved on the device", 1, [](LogoSettings& l) { l.VPos[1] = 40; }, true},
        {"a size changed on the device", 1, [](LogoSettings& l) { l.Height[3] = 90; }, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        LogoSettings shown{};
        shown.Pip3Usage = row.usage;
        shown.CurrentSlot = 1;
        shown.HPos[1] = 100;
        shown.Width[1] = 200;
        LogoSettings record = shown;
        row.change(record);
        EXPECT_EQ(LogoRecordMovesPage(shown, record), row.moves);
    }
}
