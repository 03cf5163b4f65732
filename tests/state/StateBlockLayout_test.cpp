#include "app/DeviceState.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

// Byte offset of a field inside the state, measured on a live object.
template <typename Field> size_t OffsetOf(const DeviceState& state, const Field& field) {
    return static_cast<size_t>(reinterpret_cast<const uint8_t*>(&field) - state.Bytes());
}

class StateBlockLayout : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
};

TEST_F(StateBlockLayout, SizeIs2360AndSitsAtTheFrontOfTheState) {
    EXPECT_EQ(sizeof(StateBlock), 2360u);
    DeviceState& state = GetDeviceState();
    EXPECT_EQ(static_cast<const void*>(state.Bytes()), static_cast<const void*>(&state));
}

TEST_F(StateBlockLayout, FieldsSitAtTheirWireOffsets) {
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(OffsetOf(s, s.OutputTiming.HActive), 4u);
    EXPECT_EQ(OffsetOf(s, s.OutputTiming.VPolarity), 23u);
    EXPECT_EQ(OffsetOf(s, s.Gamma), 32u);
    EXPECT_EQ(OffsetOf(s, s.MosaicSettings.Aux), 40u);
    EXPECT_EQ(OffsetOf(s, s.MosaicSettings.VTotal[3]), 128u + 12);
    EXPECT_EQ(OffsetOf(s, s.LayerWindow[2].Source), 144u + 48 + 2);
    EXPECT_EQ(OffsetOf(s, s.LayerWindow[3].Rotation), 144u + 72 + 20);
    EXPECT_EQ(OffsetOf(s, s.InputCardType[6]), 240u + 24);
    EXPECT_EQ(OffsetOf(s, s.InputSignal[5].FrameRate), 280u + 50 + 6);
    EXPECT_EQ(OffsetOf(s, s.PictureSettings[4 * 11 + 3].Option), 360u + 20 * 47 + 16);
    EXPECT_EQ(OffsetOf(s, s.CropRect[4 * 5 + 1].SourceHeight), 1320u + 14 * 21 + 12);
    EXPECT_EQ(OffsetOf(s, s.DpSplit[1]), 1993u);
    EXPECT_EQ(OffsetOf(s, s.EdidEntry[6].VBlank), 1996u + 72 + 10);
    EXPECT_EQ(OffsetOf(s, s.ScheduleSettings.ScheduleTask[9].Repeat), 2084u + 108 + 8);
    EXPECT_EQ(OffsetOf(s, s.LogoSettings.SlotValid[3]), 2245u);
    EXPECT_EQ(OffsetOf(s, s.SwitcherSettings.OnPreview[3]), 2263u);
    EXPECT_EQ(OffsetOf(s, s.KeyerSettings[1].GainBand), 2284u + 16);
    EXPECT_EQ(OffsetOf(s, s.FreezeState), 2305u);
    EXPECT_EQ(OffsetOf(s, s.SyncMode), 2312u);
    EXPECT_EQ(OffsetOf(s, s.ExtensionCardInfo.DualMode), 2352u);
    EXPECT_EQ(OffsetOf(s, s.ExtensionCardInfo.Mode), 2356u);
}

TEST_F(StateBlockLayout, FieldsReadTheLittleEndianBytesAtTheirOffsets) {
    std::vector<uint8_t> block(StateBlockSize, 0);
    block[0] = 18;                         // ResolutionIndex
    block[4] = 0x80, block[5] = 0x07;      // HActive 1920
    const float gamma = 2.25f;
    std::memcpy(&block[32], &gamma, 4);
    block[144 + 24 * 1 + 2] = 9;           // layer 1 source
    block[144 + 24 * 1 + 4] = 0xFF, block[144 + 24 * 1 + 5] = 0xFF, block[144 + 24 * 1 + 6] = 0xFF,
    block[144 + 24 * 1 + 7] = 0xFF;        // layer 1 X = -1
    block[2356] = 0x04, block[2357] = 0x03; // extension card mode 0x304
    DeviceState& state = GetDeviceState();
    state.StateBlock::Assign(block.data());
    EXPECT_EQ(state.OutputTiming.ResolutionIndex, 18u);
    EXPECT_EQ(state.OutputTiming.HActive, 1920);
    EXPECT_FLOAT_EQ(state.Gamma, 2.25f);
    EXPECT_EQ(state.LayerWindow[1].Source, 9);
    EXPECT_EQ(state.LayerWindow[1].X, -1);
    EXPECT_EQ(state.ExtensionCardInfo.Mode, 0x304u);
}

TEST_F(StateBlockLayout, RandomBlockCopiedInAndOutIsByteIdentical) {
    std::mt19937 random(20240601);
    std::vector<uint8_t> block(StateBlockSize);
    for (int round = 0; round < 20; ++round) {
        for (auto& byte : block) byte = static_cast<uint8_t>(random());
        DeviceState& state = GetDeviceState();
        state.StateBlock::Assign(block.data());
        ASSERT_EQ(std::memcmp(state.Bytes(), block.data(), StateBlockSize), 0) << "round " << round;
        // Out again through a plain record copy, reserved bytes and NaN gammas included.
        StateBlock copy{};
        copy = state;
        ASSERT_EQ(std::memcmp(copy.Bytes(), block.data(), StateBlockSize), 0) << "round " << round;
    }
}

TEST_F(StateBlockLayout, AssignFromNullChangesNothing) {
    DeviceState& state = GetDeviceState();
    state.OutputTiming.HActive = 1234;
    state.StateBlock::Assign(nullptr);
    EXPECT_EQ(state.OutputTiming.HActive, 1234);
}

TEST_F(StateBlockLayout, AssignLeavesTheProgramsOwnValuesAlone) {
    DeviceState& state = GetDeviceState();
    state.MosaicCell = 7;
    std::vector<uint8_t> block(StateBlockSize, 0xAB);
    state.StateBlock::Assign(block.data());
    EXPECT_EQ(state.MosaicCell, 7);
    EXPECT_EQ(state.InputTable[0].Name, " DVI-1 ");
}

} // namespace
