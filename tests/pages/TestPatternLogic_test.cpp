#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "pages/TestPatternLogic.h"
#include "support/RecordingCommLink.h"

namespace {
class PatternLogic : public ::testing::Test {
protected:
    void SetUp() override { ResetDeviceState(); }
    void TearDown() override { ResetDeviceState(); }
    static DeviceState& S() { return GetDeviceState(); }
    ScopedRecordingLink Scoped;
};

TEST_F(PatternLogic, StepsStayWithinOneTo111) {
    EXPECT_EQ(StepPattern(111, 1), 111);
    EXPECT_EQ(StepPattern(1, -1), 1);
    EXPECT_EQ(StepPattern(7.9f, 1), 8);
    EXPECT_EQ(StepPattern(7, -1), 6);
    EXPECT_EQ(StepPattern(50, 0), 50);
    EXPECT_EQ(StepPattern(std::numeric_limits<float>::quiet_NaN(), 0), 1);
}

TEST_F(PatternLogic, GrabPositionsArePulledBackOntoTheOutput) {
    EXPECT_EQ(GrabPositionOnOutput(5000, 1920), 1919);
    EXPECT_EQ(GrabPositionOnOutput(1919, 1920), 1919);
    EXPECT_EQ(GrabPositionOnOutput(100.7f, 1920), 100);
    EXPECT_EQ(GrabPositionOnOutput(-1, 1080), 0);
    // No output timing known yet: never wraps round to 65535.
    EXPECT_EQ(GrabPositionOnOutput(10, 0), 0);
}

TEST_F(PatternLogic, GrabPositionTravelsLowByteFirst) {
    SetGrabPosition(S(), 0, 1919);
    SetGrabPosition(S(), 1, 0x0123);
    EXPECT_EQ(GrabPosition(S(), 0), 1919);
    EXPECT_EQ(GrabPosition(S(), 1), 0x0123);
    SendPixelGrab(S(), true);
    const auto c = Scoped.Link.CallsOf("SendCommand").at(0);
    EXPECT_EQ(c.Command, 13u);
    EXPECT_EQ(c.Bytes[0], 1);
    EXPECT_EQ(c.Bytes[1], 1919 & 0xFF);
    EXPECT_EQ(c.Bytes[2], 1919 >> 8);
    EXPECT_EQ(c.Bytes[3], 0x23);
    EXPECT_EQ(c.Bytes[4], 0x01);
}

TEST_F(PatternLogic, PatternCommandCarriesThePattern) {
    SendPattern(S(), 42);
    SendPattern(S(), 0);
    const auto c = Scoped.Link.CallsOf("SendCommand");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0].Command, 12u);
    EXPECT_EQ(c[0].Bytes[0], 42);
    EXPECT_EQ(c[1].Bytes[0], 0);
    EXPECT_EQ(S().TestPattern, 0);
}
}  // namespace
