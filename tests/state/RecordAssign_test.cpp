#include "app/DeviceState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

class RecordAssign : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    DeviceState& state = GetDeviceState();
};

TEST_F(RecordAssign, MosaicKeepsAuxAndCopiesTheRest) {
    state.MosaicSettings.Aux = 0x11223344;
    std::vector<uint8_t> image(108);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(i + 1);
    state.MosaicSettings.Assign(image.data());
    EXPECT_EQ(state.MosaicSettings.Aux, 0x11223344u);
    EXPECT_EQ(state.MosaicSettings.Mode, 0x04030201u);
    EXPECT_EQ(state.MosaicSettings.Arrangement, 0x0C0B0A09u);
    EXPECT_EQ(state.MosaicSettings.VTotal[3], 0x6C6B6A69u);
    state.MosaicSettings.Assign(nullptr);
    EXPECT_EQ(state.MosaicSettings.Mode, 0x04030201u);
}

std::vector<uint8_t> CropImage(uint16_t h, uint16_t v, uint16_t w, uint16_t ht, uint16_t sw, uint16_t sh) {
    std::vector<uint8_t> image(14, 0);
    image[0] = 1;
    const uint16_t values[6] = {h, v, w, ht, sw, sh};
    std::memcpy(&image[2], values, sizeof values);
    return image;
}

TEST_F(RecordAssign, CropThatFitsIsCopiedAsIs) {
    CropRect& rect = state.CropRect[5];
    rect.Assign(CropImage(10, 20, 100, 200, 1920, 1080).data());
    EXPECT_EQ(rect.Enable, 1);
    EXPECT_EQ(rect.HStart, 10);
    EXPECT_EQ(rect.VStart, 20);
    EXPECT_EQ(rect.Width, 100);
    EXPECT_EQ(rect.Height, 200);
    EXPECT_EQ(rect.SourceWidth, 1920);
}

TEST_F(RecordAssign, CropClipsEachAxisOnItsOwn) {
    CropRect& rect = state.CropRect[0];
    rect.Assign(CropImage(1900, 20, 100, 200, 1920, 1080).data());
    EXPECT_EQ(rect.HStart, 0);
    EXPECT_EQ(rect.Width, 1920);
    EXPECT_EQ(rect.VStart, 20);
    EXPECT_EQ(rect.Height, 200);
    rect.Assign(CropImage(10, 1000, 100, 81, 1920, 1080).data());
    EXPECT_EQ(rect.HStart, 10);
    EXPECT_EQ(rect.Width, 100);
    EXPECT_EQ(rect.VStart, 0);
    EXPECT_EQ(rect.Height, 1080);
    // Exactly reaching the edge still fits.
    rect.Assign(CropImage(1820, 980, 100, 100, 1920, 1080).data());
    EXPECT_EQ(rect.HStart, 1820);
    EXPECT_EQ(rect.VStart, 980);
}

TEST_F(RecordAssign, CropFittingNeitherWayBecomesTheWholeSource) {
    CropRect& rect = state.CropRect[47];
    rect.Assign(CropImage(65535, 65535, 65535, 65535, 1280, 720).data());
    EXPECT_EQ(rect.HStart, 0);
    EXPECT_EQ(rect.VStart, 0);
    EXPECT_EQ(rect.Width, 1280);
    EXPECT_EQ(rect.Height, 720);
}

TEST_F(RecordAssign, PlainRecordsCopyWholeAndIgnoreNull) {
    std::vector<uint8_t> image(124);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>(0xF0 ^ i);
    state.KeyerSettings[1].Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.KeyerSettings[1], image.data(), 20), 0);
    state.ScheduleSettings.Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.ScheduleSettings, image.data(), 124), 0);
    state.LogoSettings.Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.LogoSettings, image.data(), 42), 0);
    state.ExtensionCardInfo.Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.ExtensionCardInfo, image.data(), 44), 0);
    state.SystemInfo.Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.SystemInfo, image.data(), 18), 0);
    state.CaptionSettings[3].Assign(image.data());
    EXPECT_EQ(std::memcmp(&state.CaptionSettings[3], image.data(), 32), 0);
    // Neighbours are untouched.
    EXPECT_EQ(state.KeyerSettings[0].Mode, 0u);
    EXPECT_EQ(state.SwitcherSettings.Mode, 0);
    state.KeyerSettings[1].Assign(nullptr);
    EXPECT_EQ(std::memcmp(&state.KeyerSettings[1], image.data(), 20), 0);
}

} // namespace
