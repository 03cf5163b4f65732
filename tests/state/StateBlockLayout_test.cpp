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
