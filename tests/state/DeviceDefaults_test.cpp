#include "app/DeviceState.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DeviceDefaults : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    DeviceState& state = GetDeviceState();
};

TEST_F(DeviceDefaults, StateBlockStartsAllZero) {
    for (size_t offset = 0; offset < StateBlockSize; ++offset)
        ASSERT_EQ(state.Bytes()[offset], 0) << "offset " << offset;
}

TEST_F(DeviceDefaults, InputTableHasPaddedNamesAndSixPresentInputs) {
    const char* names[12] = {" DVI-1 ", " HDMI-1 ", " DVI-2 ", " HDMI-2 ", " DP-1 ",  " SDI-1 ",
                             " EXT-1 ", " EXT-2 ",  " DP1-L ", " DP1-R ",  " DP2-L ", " DP2-R "};
    for (uint32_t row = 0; row < 12; ++row) {
        const InputEntry& entry = state.InputTable[row];
        EXPECT_EQ(entry.Index, row);
        EXPECT_EQ(entry.Name, names[row]);
        EXPECT_EQ(entry.Remark, names[row]);
        EXPECT_EQ(entry.Present, row < 6 ? 1u : 0u) << "row " << row;
    }
}

TEST_F(DeviceDefaults, ResolutionTableRowsAndTheCustomTimingRow) {
    const ResolutionEntry& first = state.ResolutionTable[0];
    EXPECT_EQ(first.Width, 1024);
    EXPECT_EQ(first.Height, 768);
    EXPECT_EQ(first.FrameRate, 6000);
    EXPECT_EQ(first.Name, "1024 x 768      60Hz");
    EXPECT_EQ(state.ResolutionTable[2].FrameRate, 12000);
    EXPECT_EQ(state.ResolutionTable[2].Name, "1024 x 768      120Hz");
    EXPECT_EQ(state.ResolutionTable[3].FrameRate, 5994);
    EXPECT_EQ(state.ResolutionTable[3].Name, "1280 x 720    59.94Hz");
    EXPECT_EQ(state.ResolutionTable[7].Name, "1600 x 1200 60Hz Redc.");
    EXPECT_EQ(state.ResolutionTable[11].FrameRate, 5000);
    EXPECT_EQ(state.ResolutionTable[12].Width, 2176);
    EXPECT_EQ(state.ResolutionTable[12].Height, 1168);
    EXPECT_EQ(state.ResolutionTable[17].Name, "1536 x 1536    60Hz");
    const ResolutionEntry& custom = state.ResolutionTable[18];
    EXPECT_EQ(custom.Width, 1024);
    EXPECT_EQ(custom.Height, 768);
    EXPECT_EQ(custom.FrameRate, 6000);
    EXPECT_EQ(custom.Name, "Customized  Resolution");
}

TEST_F(DeviceDefaults, CustomTimingStartValues) {
    const CustomTimingValues& t = state.CustomTiming;
    EXPECT_EQ(t.ResolutionIndex, 18);
    EXPECT_EQ(t.FrameRateByte, 112);
    EXPECT_EQ(t.HPolaritySelection, 0);
    EXPECT_EQ(t.VPolaritySelection, 0);
    EXPECT_EQ(t.HActive, 1024);
    EXPECT_EQ(t.HTotal, 1024);
    EXPECT_EQ(t.HSync, 1024);
    EXPECT_EQ(t.HBackPorch, 0);
    EXPECT_EQ(t.VActive, 768);
    EXPECT_EQ(t.VTotal, 768);
    EXPECT_EQ(t.VSync, 768);
    EXPECT_EQ(t.VBackPorch, 0);
    EXPECT_EQ(t.TimingPanelOpen, 0u);
}

TEST_F(DeviceDefaults, PictureModePresets) {
    const PictureModePreset& standard = state.PictureModePresets[0];
    EXPECT_EQ(standard.Id, 1);
    EXPECT_FLOAT_EQ(standard.Gamma, 0.1f);
    EXPECT_EQ(standard.Values, (std::array<uint8_t, 9>{0, 0, 0, 0, 0, 8, 0, 0, 0}));
    EXPECT_EQ(standard.Name, " Standard ");
    const PictureModePreset& video = state.PictureModePresets[4];
    EXPECT_EQ(video.Id, 5);
    EXPECT_FLOAT_EQ(video.Gamma, 2.1f);
    EXPECT_EQ(video.Values, (std::array<uint8_t, 9>{40, 40, 40, 8, 40, 8, 80, 80, 80}));
    EXPECT_EQ(video.Name, " Video ");
    EXPECT_EQ(state.PictureModePresets[1].Name, " Low Light1 ");
    EXPECT_EQ(state.PictureModePresets[6].Name, " Monochrome ");
    const PictureModePreset& user = state.PictureModePresets[7];
    EXPECT_EQ(user.Id, 8);
    EXPECT_FLOAT_EQ(user.Gamma, 3.6f);
    EXPECT_EQ(user.Values, (std::array<uint8_t, 9>{70, 70, 70, 14, 70, 8, 140, 140, 140}));
    EXPECT_EQ(user.Name, " User ");
}

TEST_F(DeviceDefaults, ColourTemperaturePresets) {
    const char* names[9] = {" 4000K ", " 5000K ", " 6500K ", " 7500K ", " 8200K ",
                            " 9300K ", " 10000K ", " 11500K ", " User "};
    const int levels[9] = {0, 20, 40, 60, 80, 100, 120, 140, 160};
    for (int row = 0; row < 9; ++row) {
        const ColourTemperaturePreset& p = state.ColourTemperaturePresets[row];
        EXPECT_EQ(p.Name, names[row]);
        EXPECT_EQ(p.Red, levels[row]);
        EXPECT_EQ(p.Green, levels[row]);
        EXPECT_EQ(p.Blue, levels[row]);
    }
}

TEST_F(DeviceDefaults, SyncSourceAndModeNames) {
    EXPECT_EQ(state.SyncSourceNames[0].Id, 0u);
    EXPECT_EQ(state.SyncSourceNames[0].Name, " Free Run");
    EXPECT_EQ(state.SyncSourceNames[2].Name, " Lock To GenLock");
    EXPECT_EQ(state.SyncSourceNames[8].Name, " Lock To DVI3");
    EXPECT_EQ(state.SyncSourceNames[12].Id, 12u);
    EXPECT_EQ(state.SyncSourceNames[12].Name, " Lock To DP2");
    EXPECT_EQ(state.SyncModeNames[0].Name, " Auto");
    EXPECT_EQ(state.SyncModeNames[2].Id, 2u);
    EXPECT_EQ(state.SyncModeNames[2].Name, " Mode 2");
}

TEST_F(DeviceDefaults, PictureModeValuesAndResetRecord) {
    const PictureModeValue& lowLight3 = state.PictureModeValues[3];
    EXPECT_EQ(lowLight3.BrightLevel, 8);
    EXPECT_EQ(lowLight3.GammaTenths, 15);
    EXPECT_EQ(lowLight3.Sharpness, 12);
    const PictureModeValue& graphic = state.PictureModeValues[5];
    EXPECT_EQ(graphic.BrightLevel, 17);
    EXPECT_EQ(graphic.Brightness, 48);
    EXPECT_EQ(graphic.Contrast, 52);
    EXPECT_EQ(graphic.Saturation, 45);
    EXPECT_EQ(graphic.Red, 128);
    EXPECT_EQ(state.PictureModeValues[6].Saturation, 0);
    const PictureResetRecord& reset = state.PictureResetValues;
    EXPECT_EQ(reset.BrightLevel, 17);
    EXPECT_EQ(reset.Gamma, 0.0f);
    EXPECT_EQ(reset.Sharpness, 12);
    EXPECT_EQ(reset.Hue, 50);
    EXPECT_EQ(reset.ColourTemperature, 8);
    EXPECT_EQ(reset.Blue, 128);
}

TEST_F(DeviceDefaults, LayerDefaultsFlagsAndPageValues) {
    EXPECT_EQ(state.NetworkConnected, 1);
    EXPECT_EQ(state.PictureCommandMode, 1u);
    EXPECT_EQ(state.ResetLayerPicture, 0u);
    EXPECT_EQ(state.MosaicCell, 5);
    EXPECT_EQ(state.MosaicReset, 0u);
    EXPECT_EQ(state.MosaicPageValue1, 1026);
    EXPECT_EQ(state.MosaicPageValue2, 1);
    EXPECT_EQ(state.MosaicPageLayerValues[1][3], 0u);
    EXPECT_EQ(state.MosaicPageLayerValues[2][0], 32u);
    EXPECT_EQ(state.MosaicPageLayerValues[5][3], 32u);
    EXPECT_EQ(state.PipPageRecords[2].Value1, 64);
    EXPECT_EQ(state.PipPageRecords[2].Layer, 3);
    // Layer 2's default window is (0, 320, 480, 320), layer 3's (480, 320, 480, 320).
    EXPECT_EQ(state.LayerWindowExtra[2].DefaultX, 0);
    EXPECT_EQ(state.LayerWindowExtra[2].DefaultY, 320);
    EXPECT_EQ(state.LayerWindowExtra[3].DefaultX, 480);
    EXPECT_EQ(state.LayerWindowExtra[3].DefaultY, 320);
    EXPECT_EQ(state.LayerWindowExtra[3].DefaultWidth, 480);
    EXPECT_EQ(state.LayerWindowExtra[3].DefaultHeight, 320);
    EXPECT_EQ(state.LayerWindowExtra[1].FullScreen, 0u);
    // Picture and crop page defaults exist for rows 0..7 only.
    EXPECT_EQ(state.LayerPictureDefaults[4 * 7 + 3].Brightness, 50);
    EXPECT_EQ(state.LayerPictureDefaults[4 * 7 + 3].Blue, 128);
    EXPECT_EQ(state.LayerPictureDefaults[4 * 8 + 0].Brightness, 0);
    EXPECT_EQ(state.LayerRectDefaults[4 * 7 + 3].Width, 32);
    EXPECT_EQ(state.LayerRectDefaults[4 * 8 + 0].Width, 0);
    EXPECT_EQ(state.DefaultEdidEntries[6].HActive, 1024);
    EXPECT_EQ(state.DefaultEdidEntries[6].VActive, 768);
    EXPECT_EQ(state.DefaultEdidEntries[6].FrameRate, 60);
    EXPECT_EQ(state.ByteRangeTables[0][0], 0);
    EXPECT_EQ(state.ByteRangeTables[1][0], 255);
    EXPECT_EQ(state.ByteRangeTables[5][3], 255);
    EXPECT_EQ(state.PageValueAfterRanges, 1536u);
    const DefaultTask& task9 = state.DefaultTasks[9];
    EXPECT_EQ(task9.Year, 16);
    EXPECT_EQ(task9.Month, 8);
    EXPECT_EQ(task9.Day, 7);
    EXPECT_EQ(task9.Hour, 12);
    EXPECT_EQ(task9.Minute, 0);
    EXPECT_EQ(task9.Preset, 9);
}

TEST_F(DeviceDefaults, ResetBringsBackTheStartValues) {
    state.InputTable[0].Name = "changed";
    state.MosaicCell = 1;
    state.OutputTiming.HActive = 99;
    ResetDeviceState();
    EXPECT_EQ(GetDeviceState().InputTable[0].Name, " DVI-1 ");
    EXPECT_EQ(GetDeviceState().MosaicCell, 5);
    EXPECT_EQ(GetDeviceState().OutputTiming.HActive, 0);
    EXPECT_EQ(&GetDeviceState(), &state);
}

} // namespace
