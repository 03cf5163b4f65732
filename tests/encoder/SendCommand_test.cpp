// SendCommand: indexes out of range send nothing; gamma bytes; one-shot values.
#include "EncoderFixture.h"

#include "app/CommandEncoder.h"
#include "app/DeviceCommand.h"

#include <cmath>
#include <limits>

namespace {

using OutOfRange = EncoderTest;

// Sends and expects a refusal: nothing on the link, and a bare block.
void ExpectRefused(EncoderTest& test, DeviceState& state, const RecordingCommLink& link, uint16_t command,
                   CommandArgs args) {
    const size_t before = link.Calls.size();
    EXPECT_EQ(state.SendCommand(command, args), CommandRefused) << "command " << command << " a0 " << int(args[0]);
    EXPECT_EQ(link.Calls.size(), before) << "command " << command;
    EXPECT_EQ(std::vector<uint8_t>(state.CommandBlock.begin(), state.CommandBlock.end()), Block({}));
    (void)test;
}

CommandArgs A(int a0, int a1 = 0) {
    CommandArgs args{};
    args[0] = static_cast<uint8_t>(a0);
    args[1] = static_cast<uint8_t>(a1);
    return args;
}

TEST_F(OutOfRange, LayerArgumentsBeyondPip3SendNothing) {
    for (uint16_t command : {CmdPicture, CmdLayerWindow, CmdCrop, CmdMosaic, CmdLayerSource, CmdQuery52, CmdQuery54,
                             CmdQuery55, CmdQuery56})
        for (int layer : {4, 5, 255}) ExpectRefused(*this, state, scoped.Link, command, A(layer));
    for (int pip : {3, 4, 255}) ExpectRefused(*this, state, scoped.Link, CmdPipEnable, A(pip));
}

TEST_F(OutOfRange, LayerOnASourceBeyondTheInputTableSendsNoPictureCropOrSource) {
    state.LayerWindow[1].Source = 200; // a bad device byte
    state.ResetLayerPicture = 1;
    for (uint16_t command : {CmdPicture, CmdCrop, CmdLayerSource}) ExpectRefused(*this, state, scoped.Link, command, A(1));
    EXPECT_EQ(state.ResetLayerPicture, 1u); // still pending: nothing went out
    EXPECT_EQ(state.LayerWindow[1].Source, 200);
    // The window itself does not depend on the source.
    EXPECT_EQ(state.SendCommand(CmdLayerWindow, 1), 0);
}

TEST_F(OutOfRange, LogoSlotFromArgumentOrStateBeyond3SendsNothing) {
    ExpectRefused(*this, state, scoped.Link, CmdLogo, A(0, 4));
    state.LogoSettings.CurrentSlot = 9; // from the device
    ExpectRefused(*this, state, scoped.Link, CmdLogo, A(1, 0));
    state.LogoShownSlot = 4;
    ExpectRefused(*this, state, scoped.Link, CmdLogo, A(2, 0));
    ExpectRefused(*this, state, scoped.Link, CmdLogo, A(3, 0));
    state.LogoShownSlot = 3;
    EXPECT_EQ(state.SendCommand(CmdLogo, 2, 0), 0);
}

TEST_F(OutOfRange, EdidForInputsAbove7SendsNothing) {
    for (int input : {8, 12, 255}) {
        ExpectRefused(*this, state, scoped.Link, CmdEdid, A(input, 1));
        ExpectRefused(*this, state, scoped.Link, CmdQueryEdid, A(input));
    }
    for (int input : {0, 4, 5, 6, 7}) EXPECT_EQ(state.SendCommand(CmdQueryEdid, input), 0);
}

TEST_F(OutOfRange, ScheduleTaskBeyond9SendsNothing) {
    for (int task : {10, 11, 255}) ExpectRefused(*this, state, scoped.Link, CmdSchedule, A(task, 1));
    EXPECT_EQ(state.SendCommand(CmdSchedule, 9, 1), 0);
}

TEST_F(OutOfRange, KeyerTargetOtherThan3Or1SendsNothing) {
    for (int target : {0, 2, 4, 255}) {
        CommandArgs args{};
        args[31] = static_cast<uint8_t>(target);
        ExpectRefused(*this, state, scoped.Link, CmdKeyer, args);
    }
}

TEST(GammaByte, EveryOfferedTenthGivesItsByte) {
    for (int tenths = 1; tenths <= 36; ++tenths) {
        const float gamma = static_cast<float>(tenths / 10.0);
        EXPECT_EQ(GammaTimesTen(gamma), tenths) << "gamma " << gamma;
    }
    EXPECT_EQ(GammaTimesTen(2.25f), 22);
    EXPECT_EQ(GammaTimesTen(2.1f), 21);
    EXPECT_EQ(GammaTimesTen(0.0f), 0);
    EXPECT_EQ(GammaTimesTen(25.4f), 254);
}

TEST(GammaByte, BadValuesAreClamped) {
    EXPECT_EQ(GammaTimesTen(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(GammaTimesTen(-0.5f), 0);
    EXPECT_EQ(GammaTimesTen(-std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(GammaTimesTen(25.5f), 255);
    EXPECT_EQ(GammaTimesTen(1e30f), 255);
    EXPECT_EQ(GammaTimesTen(std::numeric_limits<float>::infinity()), 255);
}

using PictureGamma = EncoderTest;

TEST_F(PictureGamma, PictureCommandCarriesGammaTenths) {
    for (const auto& [gamma, byte] : std::vector<std::pair<float, int>>{{2.25f, 22}, {2.1f, 21}, {2.6f, 26},
                                                                        {3.1f, 31}, {3.6f, 36}, {0.1f, 1}}) {
        state.Gamma = gamma;
        ASSERT_EQ(state.SendCommand(CmdPicture, 0), 0);
        EXPECT_EQ(LastPayload()[4 + 3], byte) << gamma;
    }
    state.Gamma = std::numeric_limits<float>::quiet_NaN();
    state.SendCommand(CmdPicture, 0);
    EXPECT_EQ(LastPayload()[4 + 3], 0);
}

using OneShot = EncoderTest;

TEST_F(OneShot, PictureResetAndModeAreSentOnce) {
    state.ResetLayerPicture = 1;
    state.PictureCommandMode = 0;
    state.SendCommand(CmdPicture, 1);
    EXPECT_EQ(LastPayload()[4 + 0], 0);
    EXPECT_EQ(LastPayload()[4 + 15], 1);
    EXPECT_EQ(state.ResetLayerPicture, 0u);
    EXPECT_EQ(state.PictureCommandMode, 1u);
    state.SendCommand(CmdPicture, 1);
    EXPECT_EQ(LastPayload()[4 + 0], 1);
    EXPECT_EQ(LastPayload()[4 + 15], 0);
}

TEST_F(OneShot, FullScreenIsSentOnceForItsLayer) {
    state.LayerWindowExtra[3].FullScreen = 1;
    state.LayerWindowExtra[1].FullScreen = 1;
    state.SendCommand(CmdLayerWindow, 3);
    EXPECT_EQ(LastPayload()[4 + 9], 1);
    state.SendCommand(CmdLayerWindow, 3);
    EXPECT_EQ(LastPayload()[4 + 9], 0);
    EXPECT_EQ(state.LayerWindowExtra[1].FullScreen, 1u); // another layer keeps its own
}

TEST_F(OneShot, LayerQueriesRememberTheirLayer) {
    state.SendCommand(CmdQuery55, 3);
    EXPECT_EQ(state.LastQueryLayer, 3);
    state.SendCommand(CmdQuery52, 1);
    EXPECT_EQ(state.LastQueryLayer, 1);
    state.SendCommand(CmdQuery54, 7); // refused: remembered layer stays
    EXPECT_EQ(state.LastQueryLayer, 1);
}

} // namespace

// The operation whose status answers each command: what a busy box opened with it waits for.
TEST(OperationsAnswering, EachCommandByTheStatusTheDeviceSends) {
    struct Row {
        int command;
        unsigned subCode;
        unsigned operations;
    };
    const Row rows[] = {
        {10, 0, 1u << 0},               // EDID apply
        {14, 1, 1u << 1},               // VGA auto adjust
        {12, 0, 1u << 2},               // test pattern
        {1, 1, 1u << 3},                // preset load
        {20, 0, 1u << 4},               // TAKE
        {15, 0, 1u << 4},               // switcher mode
        {22, 0, 1u << 5},               // the whole state block
        {6, 0, 1u << 11},               // mosaic mode
        {6, 1, 1u << 11},               // mosaic arrangement
        {6, 2, 0},                      // a mosaic value: no status
        {23, 0, (1u << 12) | (1u << 7)}, // a caption announced, then its chunks
        {23, 1, 0},                     // its closing layout
        {24, 1, 1u << 8},               // caption save
        {24, 5, 1u << 10},              // caption initialise
        {24, 2, 0},                     // caption on/off
        {9, 2, (1u << 2) | (1u << 4)},  // logo: a processor may confirm it as a pattern or a switch
        {0, 0, 0},                      // read-all: answered by the whole state
        {62, 0, 0},                     // a query
    };
    for (const Row& row : rows)
        EXPECT_EQ(OperationsAnswering(row.command, row.subCode), row.operations)
            << "command " << row.command << " sub-code " << row.subCode;
    // The logo is confirmed by its record (slot 15); a command with a status of its own is not.
    EXPECT_EQ(RecordsConfirming(9), 1u << 15);
    EXPECT_EQ(RecordsConfirming(20), 0u);
    EXPECT_EQ(RecordsConfirming(3), 0u);
}
