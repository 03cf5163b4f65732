#include "app/DeviceState.h"
#include "app/SourceCode.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t Hdmi = 6, Dp = 8, Vga = 3;

class LayerInputIndex : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    // Puts layer 2 on the source and describes the card in option slot 6 and the extension card.
    std::optional<uint32_t> Row(uint8_t source, uint32_t card = 0, uint8_t present = 0, uint32_t active = 0) {
        DeviceState& s = GetDeviceState();
        s.LayerWindow[2].Source = source;
        s.InputCardType[6] = card;
        s.ExtensionCardInfo.Present = present;
        s.ExtensionCardInfo.ActiveSource = active;
        return s.GetLayerInputIndex(2);
    }
};

TEST_F(LayerInputIndex, PlainInputsAreTheirOwnRow) {
    for (uint8_t source : {0, 1, 2, 3, 4, 5, 7}) EXPECT_EQ(Row(source), source) << int(source);
}

TEST_F(LayerInputIndex, DpHalves) {
    EXPECT_EQ(Row(8), 4u); // DP1-L shares DP-1's records
    EXPECT_EQ(Row(9), 8u); // DP1-R
}

TEST_F(LayerInputIndex, Source11) {
    EXPECT_EQ(Row(11, Dp), 9u);
    EXPECT_EQ(Row(11, Vga, 1, 0), 9u);
    EXPECT_EQ(Row(11, Hdmi, 0, 0), 0u);
    EXPECT_EQ(Row(11, Hdmi, 1, 0), 11u);
    EXPECT_EQ(Row(11, Hdmi, 1, 1), 9u);
    EXPECT_EQ(Row(11, Hdmi, 1, 2), 0u);
}

TEST_F(LayerInputIndex, Source10) {
    EXPECT_EQ(Row(10, Hdmi, 1, 0), 10u);
    EXPECT_EQ(Row(10, Hdmi, 1, 1), 6u);
    EXPECT_EQ(Row(10, Hdmi, 1, 2), 0u);
    EXPECT_EQ(Row(10, Hdmi, 0, 0), 6u);
    EXPECT_EQ(Row(10, Dp, 1, 0), 6u);
    EXPECT_EQ(Row(10, Vga, 1, 0), 0u);
    EXPECT_EQ(Row(10, 0, 0, 0), 0u);
}

TEST_F(LayerInputIndex, Source6) {
    EXPECT_EQ(Row(6, Hdmi, 1, 0), 10u); // EXT-1 with an HDMI extension card on source 0
    EXPECT_EQ(Row(6, Hdmi, 1, 1), 6u);
    EXPECT_EQ(Row(6, Hdmi, 1, 7), 0u);
    EXPECT_EQ(Row(6, Hdmi, 0, 0), 6u);
    EXPECT_EQ(Row(6, Dp, 1, 0), 6u);
}

TEST_F(LayerInputIndex, OutOfRangeSourceHasNoRow) {
    for (uint8_t source : {12, 13, 40, 200, 255}) {
        EXPECT_EQ(Row(source), std::nullopt) << int(source);
        EXPECT_EQ(GetDeviceState().LayerPictureSettings(2), nullptr);
        EXPECT_EQ(GetDeviceState().LayerCropRect(2), nullptr);
    }
    // The raw byte stays as it came: it travels back to the device unchanged.
    EXPECT_EQ(GetDeviceState().LayerWindow[2].Source, 255);
}

TEST_F(LayerInputIndex, OutOfRangeLayerHasNoRow) {
    EXPECT_EQ(GetDeviceState().GetLayerInputIndex(4), std::nullopt);
    EXPECT_EQ(GetDeviceState().GetLayerInputIndex(0xFFFFFFFFu), std::nullopt);
    EXPECT_EQ(GetDeviceState().LayerPictureSettings(4), nullptr);
}

TEST_F(LayerInputIndex, RecordsAreFourTimesRowPlusLayer) {
    Row(9);
    DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.LayerPictureSettings(2), &s.PictureSettings[4 * 8 + 2]);
    EXPECT_EQ(s.LayerCropRect(2), &s.CropRect[4 * 8 + 2]);
}

TEST(SourceCode, NumbersSentForEachCode) {
    EXPECT_EQ(SourceCodeToNumber(0), 0);
    EXPECT_EQ(SourceCodeToNumber(3), 30);
    EXPECT_EQ(SourceCodeToNumber(7), 70);
    EXPECT_EQ(SourceCodeToNumber(8), 40);
    EXPECT_EQ(SourceCodeToNumber(9), 41);
    EXPECT_EQ(SourceCodeToNumber(10), 60);
    EXPECT_EQ(SourceCodeToNumber(11), 61);
}

} // namespace

TEST(EdidEntryIndex, Inputs5And6ShareEntry5AndInput7UsesEntry6) {
    const std::optional<size_t> none;
    const std::pair<uint32_t, std::optional<size_t>> rows[] = {{0, 0}, {4, 4}, {5, 5}, {6, 5},
                                                               {7, 6}, {8, none}, {255, none}};
    for (const auto& [input, entry] : rows) EXPECT_EQ(EdidEntryIndex(input), entry) << input;
}
