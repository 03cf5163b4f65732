// The program's command encoder against the simulated processor: what the encoder sends is what
// the processor applies, read back whole with command 0.
#include "LinkFixture.h"

#include "app/CommLink.h"
#include "app/ConnectNetwork.h"
#include "app/DeviceState.h"
#include "app/comm_link_real/RealCommLink.h"
#include "tools/devsim/SimDevice.h"

#include <cstring>

namespace {

template <typename T> bool SameBytes(const uint8_t* received, const T& field, const StateBlock& base) {
    const auto offset = reinterpret_cast<const uint8_t*>(&field) - base.Bytes();
    return std::memcmp(received + offset, &field, sizeof field) == 0;
}

} // namespace

class EncoderAgainstDevsimTest : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        ResetDeviceState();
        const auto builtin = devsim::BuiltinStateBlock();
        GetDeviceState().Assign(builtin.data()); // the program starts from what the device holds
        SetCommLink(&link);
        ip = StartDevices({21})[0];
        DeviceId = 21;
        ASSERT_TRUE(ConnectNetwork(ip));
        ASSERT_EQ(link.SelectDevice(ip), 0);
        ASSERT_TRUE(WaitForSlot(1, 1));
    }
    void TearDown() override {
        SetCommLink(nullptr);
        ResetDeviceState();
        LinkTest::TearDown();
    }
    RealCommLink link;
    std::string ip;
};

TEST_F(EncoderAgainstDevsimTest, SettingCommandsLandInTheProcessorsState) {
    DeviceState& s = GetDeviceState();
    s.OutputTiming = {18, 1280, 720, 5994, 1650, 750, 40, 5, 220, 20, 0, 1};
    ASSERT_EQ(s.SendCommand(2), 0);

    s.LayerWindow[1].X = -20;
    s.LayerWindow[1].Y = 300;
    s.LayerWindow[1].Width = 640;
    s.LayerWindow[1].Height = 360;
    s.LayerWindow[1].Rotation = 3;
    ASSERT_EQ(s.SendCommand(4, 1), 0);

    s.LayerWindow[2].Source = 9; // DP1-R
    ASSERT_EQ(s.SendCommand(7, 2), 0);

    s.LayerWindow[3].Enable = 1;
    s.LayerWindow[3].Alpha = 40;
    ASSERT_EQ(s.SendCommand(8, 2), 0); // PIP 2 is layer 3

    CropRect* crop = s.LayerCropRect(0);
    ASSERT_NE(crop, nullptr);
    crop->Enable = 1;
    crop->HStart = 10;
    crop->VStart = 20;
    crop->Width = 1000;
    crop->Height = 500;
    ASSERT_EQ(s.SendCommand(5, 0, 0), 0);

    s.MosaicSettings.Mode = 2;
    s.MosaicSettings.HStart[1] = 1920;
    s.MosaicSettings.VStart[1] = 0;
    s.MosaicSettings.Width[1] = 1920;
    s.MosaicSettings.Height[1] = 1080;
    s.MosaicSettings.HTotal[1] = 3840;
    s.MosaicSettings.VTotal[1] = 1080;
    ASSERT_EQ(s.SendCommand(6, 1, 2), 0);

    s.PictureMode = 3;
    s.BrightLevel = 9;
    s.Gamma = 2.25f;
    PictureSettings* picture = s.LayerPictureSettings(0);
    ASSERT_NE(picture, nullptr);
    *picture = PictureSettings{40, 45, 7, 55, 48, {}, 8, 100, 110, 120, 0, 0, {}};
    ASSERT_EQ(s.SendCommand(3, 0), 0);

    // Each setting is confirmed on its own slot.
    for (int slot : {9, 10, 11, 12, 8}) ASSERT_TRUE(WaitForSlot(slot, 1)) << slot;
    ASSERT_TRUE(WaitForSlot(14, 2));

    ASSERT_EQ(s.SendCommand(0), 0);
    ASSERT_TRUE(WaitForSlot(2, 1));
    const std::vector<uint8_t> full = recorder->OfSlot(2)[0].data;
    ASSERT_EQ(full.size(), 2360u);
    const uint8_t* got = full.data();
    const StateBlock& base = s;
    EXPECT_TRUE(SameBytes(got, s.OutputTiming, base));
    EXPECT_EQ(std::memcmp(got + 144 + 24 + 4, &s.LayerWindow[1].X, 20), 0);
    EXPECT_EQ(got[144 + 48 + 2], 9);
    EXPECT_EQ(got[144 + 72 + 0], 1);
    EXPECT_EQ(got[144 + 72 + 1], 40);
    EXPECT_EQ(std::memcmp(got + (reinterpret_cast<const uint8_t*>(crop) - base.Bytes()), crop, 10), 0);
    EXPECT_TRUE(SameBytes(got, s.MosaicSettings.Mode, base));
    for (const auto* array : {s.MosaicSettings.HStart, s.MosaicSettings.VStart, s.MosaicSettings.Width,
                              s.MosaicSettings.Height, s.MosaicSettings.HTotal, s.MosaicSettings.VTotal})
        EXPECT_TRUE(SameBytes(got, array[1], base));
    EXPECT_TRUE(SameBytes(got, s.PictureMode, base));
    EXPECT_TRUE(SameBytes(got, s.BrightLevel, base));
    float gamma = 0;
    std::memcpy(&gamma, got + 32, 4);
    EXPECT_EQ(gamma, 2.2f); // the command carries gamma in tenths
    const auto* rec = reinterpret_cast<const uint8_t*>(picture);
    const auto at = rec - base.Bytes();
    EXPECT_EQ(std::memcmp(got + at, rec, 5), 0);
    EXPECT_EQ(std::memcmp(got + at + 8, rec + 8, 7), 0);
}

TEST_F(EncoderAgainstDevsimTest, CommandTwentyTwoSendsTheWholeStateBlock) {
    DeviceState& s = GetDeviceState();
    s.LoopOutSource = 3;
    s.FreezeState = 1;
    ASSERT_EQ(s.SendCommand(22), 0);
    ASSERT_TRUE(WaitForSlot(24, 1));
    ASSERT_EQ(s.SendCommand(0), 0);
    ASSERT_TRUE(WaitForSlot(2, 1));
    EXPECT_EQ(std::memcmp(recorder->OfSlot(2)[0].data.data(), s.Bytes(), 2360), 0);
}
