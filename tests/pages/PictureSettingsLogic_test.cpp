#include <gtest/gtest.h>

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "pages/PictureSettingsLogic.h"
#include "support/RecordingCommLink.h"

namespace {
class PictureLogic : public ::testing::Test {
protected:
    void SetUp() override {
        ResetDeviceState();
        S().LayerWindow[1].Source = 2; // PIP-1 shows input row 2
        Row = *S().GetLayerInputIndex(1);
    }
    void TearDown() override { ResetDeviceState(); }
    static DeviceState& S() { return GetDeviceState(); }
    std::vector<LinkCall> Commands() const { return Scoped.Link.CallsOf("SendCommand"); }
    ScopedRecordingLink Scoped;
    uint32_t Row = 0;
};

TEST_F(PictureLogic, EditTableHasTheRangesAndFormats) {
    struct Want { int edit, slider; float min, max; const char* format; };
    const Want want[] = {{1035, 1034, 0, 16, "%d"},  {1039, 1038, 0, 5.0f, "%.1f"}, {1051, 1042, 0, 100, "%d"},
                         {1003, 1044, 0, 100, "%d"}, {1015, 1048, 0, 100, "%d"},    {1019, 1050, 0, 100, "%d"},
                         {1010, 1046, 0, 24, "%d"},  {1418, 1425, 0, 255, "%d"},    {1419, 1426, 0, 255, "%d"},
                         {1424, 1427, 0, 255, "%d"}};
    for (const Want& w : want) {
        bool found = false;
        for (const PictureEditSpec& e : PictureEdits)
            if (e.EditId == w.edit) {
                found = true;
                EXPECT_EQ(e.SliderId, w.slider);
                EXPECT_EQ(e.Min, w.min);
                EXPECT_EQ(e.Max, w.max);
                EXPECT_STREQ(e.Format, w.format);
            }
        EXPECT_TRUE(found) << w.edit;
    }
}

TEST_F(PictureLogic, BrightnessWithScopeAllWritesTwelveRecordsAndSendsOneCommand) {
    S().ApplyToAllInputs[1] = 1;
    S().PictureMode = 2;
    EXPECT_EQ(ApplyPictureEdit(S(), 1, Row, 1051, 73.9f), PictureEditEffect::PictureModeUser);
    for (uint32_t k = 0; k < 12; ++k) EXPECT_EQ(S().PictureSettings[4 * k + 1].Brightness, 73) << k;
    // Other layers untouched.
    EXPECT_EQ(S().PictureSettings[4 * Row + 0].Brightness, 0);
    EXPECT_EQ(S().PictureMode, 7u);
    SendPicture(S(), 1);
    ASSERT_EQ(Commands().size(), 1u);
    const LinkCall c = Commands()[0];
    EXPECT_EQ(c.Command, 3u);
    EXPECT_EQ(c.Bytes[1], 7);
    EXPECT_EQ(c.Bytes[4], 1);
    EXPECT_EQ(c.Bytes[5], 1);
    EXPECT_EQ(c.Bytes[6], 73);
    EXPECT_EQ(c.Bytes[16], 0x55);
}

TEST_F(PictureLogic, BrightnessWithScopeDviWritesOnlyTheShownRecord) {
    ApplyPictureEdit(S(), 1, Row, 1003, 44);
    for (uint32_t k = 0; k < 12; ++k) EXPECT_EQ(S().PictureSettings[4 * k + 1].Contrast, k == Row ? 44 : 0) << k;
}

TEST_F(PictureLogic, RedWithScopeAllMarksColourTemperatureUserInTheShownRecordOnly) {
    S().ApplyToAllInputs[1] = 1;
    for (auto& r : S().PictureSettings) r.ColourTemperature = 3;
    S().PictureMode = 7;
    EXPECT_EQ(ApplyPictureEdit(S(), 1, Row, 1418, 200), PictureEditEffect::ColourTemperatureUser);
    for (uint32_t k = 0; k < 12; ++k) {
        EXPECT_EQ(S().PictureSettings[4 * k + 1].Red, 200) << k;
        EXPECT_EQ(S().PictureSettings[4 * k + 1].ColourTemperature, k == Row ? 8u : 3u) << k;
    }
}

TEST_F(PictureLogic, AnEditGoesToTheRecordOfTheInputTheLayerShowsNow) {
    // The page still holds row 0 while the device has moved MAIN from HDMI-1 (row 1) to DP-1
    // (row 4): what is typed is stored where the picture command reads it.
    struct Row { const char* what; int edit; float value; uint8_t PictureSettings::*field; size_t byte; };
    const Row rows[] = {
        {"brightness", 1051, 90, &PictureSettings::Brightness, 6},
        {"contrast", 1003, 33, &PictureSettings::Contrast, 7},
        {"red", 1418, 200, &PictureSettings::Red, 12},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        ResetDeviceState();
        S().LayerWindow[0].Source = 4;
        const uint32_t stale = 1, now = *S().GetLayerInputIndex(0);
        ASSERT_NE(now, stale);
        S().PictureSettings[4 * now].*r.field = 60;
        S().PictureSettings[4 * stale].*r.field = 50;
        EXPECT_EQ(PictureRecordRow(S(), 0, stale), now);
        ApplyPictureEdit(S(), 0, stale, r.edit, r.value);
        EXPECT_EQ(S().PictureSettings[4 * now].*r.field, static_cast<uint8_t>(r.value));
        EXPECT_EQ(S().PictureSettings[4 * stale].*r.field, 50);
        SendPicture(S(), 0);
        EXPECT_EQ(Commands().back().Bytes[r.byte], static_cast<uint8_t>(r.value));
    }
    // A colour-temperature choice as well; a source that names no row keeps the page's row.
    ResetDeviceState();
    S().LayerWindow[0].Source = 4;
    ApplyColourTemperatureChoice(S(), 0, 1, 5);
    EXPECT_EQ(S().PictureSettings[4 * *S().GetLayerInputIndex(0)].ColourTemperature, 5u);
    S().LayerWindow[0].Source = 200;
    EXPECT_EQ(PictureRecordRow(S(), 0, 3), 3u);
}

TEST_F(PictureLogic, SharpnessAndHueLandInTheirOwnFields) {
    ApplyPictureEdit(S(), 1, Row, 1010, 24);
    ApplyPictureEdit(S(), 1, Row, 1019, 61);
    ApplyPictureEdit(S(), 1, Row, 1015, 12);
    const PictureSettings& r = S().PictureSettings[4 * Row + 1];
    EXPECT_EQ(r.Sharpness, 24);
    EXPECT_EQ(r.Hue, 61);
    EXPECT_EQ(r.Saturation, 12);
    SendPicture(S(), 1);
    const LinkCall c = Commands().back();
    EXPECT_EQ(c.Bytes[8], 12);
    EXPECT_EQ(c.Bytes[9], 61);
    EXPECT_EQ(c.Bytes[10], 24);
}

TEST_F(PictureLogic, UnknownEditIdChangesNothing) {
    S().PictureMode = 3;
    EXPECT_EQ(ApplyPictureEdit(S(), 1, Row, 1234, 5), PictureEditEffect::None);
    EXPECT_EQ(S().PictureMode, 3u);
}

TEST_F(PictureLogic, OutOfRangeValuesAreClampedBeforeTheyReachTheState) {
    ApplyPictureEdit(S(), 1, Row, 1051, 300);
    EXPECT_EQ(S().PictureSettings[4 * Row + 1].Brightness, 100);
    ApplyPictureEdit(S(), 1, Row, 1035, -4);
    EXPECT_EQ(S().BrightLevel, 0u);
    ApplyPictureEdit(S(), 1, Row, 1039, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(S().Gamma, 0.0f);
}

TEST_F(PictureLogic, BrightLevelOffStores17AndSendsIt) {
    ApplyBrightLevelSwitch(S(), false, 9);
    EXPECT_EQ(S().BrightLevel, 17u);
    EXPECT_EQ(S().PictureMode, 7u);
    SendPicture(S(), 0);
    EXPECT_EQ(Commands().back().Bytes[2], 17);
    ApplyBrightLevelSwitch(S(), true, 9.7f);
    EXPECT_EQ(S().BrightLevel, 9u);
}

TEST_F(PictureLogic, GammaOffSendsZeroAndGammaOnePointFiveSendsFifteen) {
    ApplyGammaSwitch(S(), false, 2.5f);
    EXPECT_EQ(S().Gamma, 0.0f);
    SendPicture(S(), 0);
    EXPECT_EQ(Commands().back().Bytes[3], 0);
    ApplyGammaSwitch(S(), true, 1.5f);
    SendPicture(S(), 0);
    EXPECT_EQ(Commands().back().Bytes[3], 15);
}

TEST_F(PictureLogic, ColourTemperatureChoiceForcesUserModeAndWritesOneRecord) {
    S().ApplyToAllInputs[1] = 1;
    S().PictureMode = 4;
    ApplyColourTemperatureChoice(S(), 1, Row, 5);
    EXPECT_EQ(S().PictureMode, 7u);
    for (uint32_t k = 0; k < 12; ++k) EXPECT_EQ(S().PictureSettings[4 * k + 1].ColourTemperature, k == Row ? 5u : 0u);
    const PictureView v = ComputePictureView(S(), 1, Row);
    EXPECT_EQ(v.PictureModeItem, 7u);
    EXPECT_EQ(v.ColourTemperatureItem, 5u);
}

TEST_F(PictureLogic, PresetModeShowsItsTableRowReadOnly) {
    // Video: 17, 0, 48, 52, 55, 50, 12, 128, 128, 128.
    S().PictureMode = 4;
    const PictureView v = ComputePictureView(S(), 1, 5);
    EXPECT_FALSE(v.AdjustmentsEnabled);
    EXPECT_FALSE(v.BrightLevelOn);
    EXPECT_FALSE(v.GammaOn);
    EXPECT_EQ(v.Values, (std::array<uint8_t, 8>{48, 52, 55, 50, 12, 128, 128, 128}));
    EXPECT_EQ(v.ColourTemperatureItem, 8u);
    EXPECT_FALSE(v.Input.has_value()); // the input row is not changed in a preset mode
}

TEST_F(PictureLogic, LowLightPresetsShowBrightLevelAndGammaInTenths) {
    S().PictureMode = 3; // Low Light3: 8, 15
    const PictureView v = ComputePictureView(S(), 0, 0);
    EXPECT_TRUE(v.BrightLevelOn);
    EXPECT_EQ(v.BrightLevel, 8);
    EXPECT_TRUE(v.GammaOn);
    EXPECT_FLOAT_EQ(v.Gamma, 1.5f);
    S().PictureMode = 1; // Low Light1: 8, 0
    EXPECT_FALSE(ComputePictureView(S(), 0, 0).GammaOn);
}

TEST_F(PictureLogic, UserModeShowsTheRecordOfTheLayersInput) {
    S().PictureMode = 7;
    S().BrightLevel = 5;
    S().Gamma = 2.2f;
    PictureSettings& r = S().PictureSettings[4 * Row + 1];
    r = {};
    r.Brightness = 11; r.Contrast = 22; r.Saturation = 33; r.Hue = 44; r.Sharpness = 5;
    r.Red = 66; r.Green = 77; r.Blue = 88; r.ColourTemperature = 2;
    S().ApplyToAllInputs[1] = 1;
    S().InputTable[2].Name = "HDMI-1";
    const PictureView v = ComputePictureView(S(), 1, 0);
    ASSERT_TRUE(v.Input.has_value());
    EXPECT_EQ(*v.Input, Row);
    EXPECT_EQ(v.Values, (std::array<uint8_t, 8>{11, 22, 33, 44, 5, 66, 77, 88}));
    EXPECT_EQ(v.ColourTemperatureItem, 2u);
    EXPECT_TRUE(v.BrightLevelOn);
    EXPECT_EQ(v.BrightLevel, 5);
    EXPECT_FLOAT_EQ(v.Gamma, 2.2f);
    EXPECT_TRUE(v.ApplyToAll);
    EXPECT_TRUE(v.AdjustmentsEnabled);
    ASSERT_TRUE(v.DviCaption.has_value());
    EXPECT_EQ(*v.DviCaption, "HDMI-1");
}

TEST_F(PictureLogic, BadBytesFromTheDeviceAreNeverUsedAsIndexes) {
    S().PictureMode = 200;          // no such mode: shown as User
    S().LayerWindow[1].Source = 99; // no such input
    S().PictureSettings[4 * 3 + 1].ColourTemperature = 77;
    S().Gamma = std::numeric_limits<float>::infinity();
    const PictureView v = ComputePictureView(S(), 1, 3);
    EXPECT_EQ(v.PictureModeItem, 7u);
    EXPECT_FALSE(v.Input.has_value());
    EXPECT_FALSE(v.DviCaption.has_value());
    EXPECT_EQ(v.ColourTemperatureItem, 8u);
    EXPECT_FALSE(v.GammaOn);
}

TEST_F(PictureLogic, ResetSendsPictureWithFlagThenQuery52AndTheNextPictureIsClean) {
    SendColourReset(S(), 1);
    auto c = Commands();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].Command, 3u);
    EXPECT_EQ(c[0].Bytes[15], 1);
    EXPECT_EQ(c[1].Command, 52u);
    EXPECT_EQ(c[1].Bytes[0], 1);
    EXPECT_EQ(c[1].Bytes[1], 0x55);
    SendPicture(S(), 1);
    EXPECT_EQ(Commands().back().Bytes[15], 0);
}

TEST_F(PictureLogic, ResetOfALayerWithoutInputLeavesNoFlagArmed) {
    S().LayerWindow[1].Source = 99;
    SendColourReset(S(), 1);
    EXPECT_EQ(S().ResetLayerPicture, 0u);
}

TEST_F(PictureLogic, ResetPictureSettingsWritesTheResetValuesEverywhere) {
    S().PictureMode = 3;
    S().BrightLevel = 4;
    S().Gamma = 1.0f;
    for (auto& r : S().PictureSettings) { r.Option = 9; r.Brightness = 1; r.Red = 1; r.ColourTemperature = 0; }
    SendPictureReset(S(), 1);
    for (const auto& r : S().PictureSettings) {
        EXPECT_EQ(r.Brightness, 50); EXPECT_EQ(r.Contrast, 50); EXPECT_EQ(r.Saturation, 50);
        EXPECT_EQ(r.Sharpness, 12); EXPECT_EQ(r.Hue, 50); EXPECT_EQ(r.ColourTemperature, 8u);
        EXPECT_EQ(r.Red, 128); EXPECT_EQ(r.Green, 128); EXPECT_EQ(r.Blue, 128); EXPECT_EQ(r.Option, 9);
    }
    EXPECT_EQ(S().PictureMode, 3u);
    EXPECT_EQ(S().BrightLevel, 4u);
    EXPECT_EQ(S().Gamma, 1.0f);
    auto c = Commands();
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].Command, 3u);
    EXPECT_EQ(c[0].Bytes[0], 0);
    EXPECT_EQ(c[0].Bytes[6], 50);
    EXPECT_EQ(c[1].Command, 52u);
    EXPECT_EQ(S().PictureCommandMode, 1u);
}

TEST_F(PictureLogic, LayerCaptionsInTheSwitcherModes) {
    SwitcherSettings sw{};
    auto looks = LayerButtonLooks(sw);
    EXPECT_EQ(*looks[0].Caption, "MAIN");
    EXPECT_EQ(*looks[3].Caption, "PIP-3");
    EXPECT_EQ(looks[2].State, LayerButtonState::Enabled);

    sw.Mode = 1;
    sw.OnProgram[1] = 1;
    sw.OnPreview[0] = 1;
    looks = LayerButtonLooks(sw);
    EXPECT_EQ(*looks[0].Caption, "PVW");
    EXPECT_EQ(looks[0].State, LayerButtonState::PreviewSelect);
    EXPECT_EQ(*looks[1].Caption, "PGM");
    EXPECT_EQ(looks[1].State, LayerButtonState::ProgramDisabled);
    EXPECT_EQ(*looks[2].Caption, "PIP2");
    EXPECT_EQ(looks[2].State, LayerButtonState::Unchanged);
    EXPECT_EQ(*looks[3].Caption, "PIP3");

    sw = {};
    sw.Mode = 2;
    sw.OnProgram[0] = 1; sw.OnProgram[3] = 1;
    sw.OnPreview[1] = 1; sw.OnPreview[2] = 1;
    looks = LayerButtonLooks(sw);
    EXPECT_EQ(*looks[0].Caption, "PGM1");
    EXPECT_EQ(*looks[3].Caption, "PGM2");
    EXPECT_EQ(*looks[1].Caption, "PVW2");
    EXPECT_EQ(looks[1].State, LayerButtonState::PreviewEnabled);
    EXPECT_EQ(*looks[2].Caption, "PVW1");
    EXPECT_EQ(looks[2].State, LayerButtonState::PreviewSelect);

    sw = {};
    sw.Mode = 1; // neither on program nor on preview: caption and state kept
    looks = LayerButtonLooks(sw);
    EXPECT_FALSE(looks[0].Caption.has_value());
    EXPECT_EQ(looks[0].State, LayerButtonState::Unchanged);
}
}  // namespace
