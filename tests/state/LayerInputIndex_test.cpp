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

// Source, option slot 6's card, extension card present and its active source -> record row.
TEST_F(LayerInputIndex, RowOfEachSourceAndCard) {
    struct Case {
        uint8_t source;
        uint32_t card;
        uint8_t present;
        uint32_t active;
        uint32_t row;
    };
    const Case cases[] = {
        {0, 0, 0, 0, 0},     {1, 0, 0, 0, 1},     {2, 0, 0, 0, 2},     {3, 0, 0, 0, 3},      {4, 0, 0, 0, 4},
        {5, 0, 0, 0, 5},     {7, 0, 0, 0, 7},     {8, 0, 0, 0, 4},     {9, 0, 0, 0, 8}, // DP halves
        {11, Dp, 0, 0, 9},   {11, Vga, 1, 0, 9},  {11, Hdmi, 0, 0, 0}, {11, Hdmi, 1, 0, 11}, {11, Hdmi, 1, 1, 9},
        {11, Hdmi, 1, 2, 0}, {10, Hdmi, 1, 0, 10}, {10, Hdmi, 1, 1, 6}, {10, Hdmi, 1, 2, 0}, {10, Hdmi, 0, 0, 6},
        {10, Dp, 1, 0, 6},   {10, Vga, 1, 0, 0},  {10, 0, 0, 0, 0},    {6, Hdmi, 1, 0, 10},  {6, Hdmi, 1, 1, 6},
        {6, Hdmi, 1, 7, 0},  {6, Hdmi, 0, 0, 6},  {6, Dp, 1, 0, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.source) << " card " << c.card << " ext " << int(c.present) << "/"
                                          << c.active);
        EXPECT_EQ(Row(c.source, c.card, c.present, c.active), c.row);
    }
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
