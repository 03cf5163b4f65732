// Every command's exact payload for one known state; the expected bytes follow the command table.
#include "EncoderFixture.h"

#include "app/DeviceCommand.h"

#include <set>

namespace {

// A state whose fields all hold distinct, recognisable values (several wider than a byte, so
// that "low byte" rows show).
void FillKnownState(DeviceState& s) {
    OutputTiming& t = s.OutputTiming;
    t.ResolutionIndex = 0x0112;
    t.HActive = 0x0780;
    t.VActive = 0x0438;
    t.FrameRate = 0x1770;
    t.HTotal = 0x0898;
    t.VTotal = 0x0465;
    t.HSync = 0x002C;
    t.VSync = 0x0005;
    t.HBackPorch = 0x0094;
    t.VBackPorch = 0x0024;
    t.HPolarity = 1;
    t.VPolarity = 0;
    s.CustomTiming.TimingPanelOpen = 0x101;

    s.PictureMode = 0x203;
    s.BrightLevel = 0x111;
    s.Gamma = 2.25f;
    s.PictureCommandMode = 0;
    s.ResetLayerPicture = 1;
    s.ApplyToAllInputs[2] = 0x101;

    s.LayerWindow[0].Source = 3;
    s.LayerWindow[1].Source = 10;
    s.LayerWindow[3].Source = 8;
    LayerWindow& w = s.LayerWindow[2];
    w.Enable = 1;
    w.Alpha = 0x40;
    w.Source = 9; // DP1-R: input row 8
    w.X = 0x12345;
    w.Y = -2;
    w.Width = 480;
    w.Height = 320;
    w.Rotation = 0x105;
    s.LayerWindowExtra[2].FullScreen = 1;

    PictureSettings& p = s.PictureSettings[4 * 8 + 2];
    p.Brightness = 11;
    p.Contrast = 12;
    p.Sharpness = 13;
    p.Saturation = 14;
    p.Hue = 15;
    p.ColourTemperature = 0x108;
    p.Red = 16;
    p.Green = 17;
    p.Blue = 18;

    CropRect& c = s.CropRect[4 * 8 + 2];
    c.Enable = 1;
    c.HStart = 0x0102;
    c.VStart = 0x0304;
    c.Width = 0x0506;
    c.Height = 0x0708;

    MosaicSettings& m = s.MosaicSettings;
    m.Mode = 0x104;
    m.Aux = 0x1A2;
    m.HStart[1] = 0x04030201;
    m.VStart[1] = 0x08070605;
    m.Width[1] = 0x0C0B0A09;
    m.Height[1] = 0x100F0E0D;
    m.HTotal[1] = 0x14131211;
    m.VTotal[1] = 0x18171615;
    s.MosaicCell = 3;
    s.MosaicReset = 1;

    LogoSettings& l = s.LogoSettings;
    l.Pip3Usage = 1;
    l.CurrentSlot = 2;
    l.Enable = 1;
    l.Position = 3;
    l.Border = 4;
    l.HPos[2] = 0x0111;
    l.VPos[2] = 0x0222;
    l.Width[2] = 0x0333;
    l.Height[2] = 0x0444;
    s.LogoShownSlot = 1;
    s.LogoCaptureFrame[1] = {0x1A01, 0x1B02, 0x1C03, 0x1D04};
    s.LogoCaptureFrame[2] = {0x2A01, 0x2B02, 0x2C03, 0x2D04};

    s.EdidEntry[4] = {0x44, 0, 0x0400, 0x0300, 0x1770, 0x0140, 0x0026};
    s.EdidEntry[5] = {0x46, 0, 0x0780, 0x0438, 0x1770, 0x0118, 0x002D};
    s.EdidEntry[6] = {0x47, 0, 0x0500, 0x02D0, 0x1388, 0x0172, 0x001E};

    KeyerSettings& k0 = s.KeyerSettings[0];
    k0.Layer = 3;
    k0.Enable = 1;
    k0.Mode = 0x105;
    k0.RedLow = 0x21, k0.RedHigh = 0x22, k0.GreenLow = 0x23, k0.GreenHigh = 0x24, k0.BlueLow = 0x25;
    k0.BlueHigh = 0x26, k0.GainIn = 0x27, k0.GainOut = 0x28, k0.GainBand = 0x29;
    KeyerSettings& k1 = s.KeyerSettings[1];
    k1.Layer = 1;
    k1.Enable = 0;
    k1.Mode = 7;
    k1.RedLow = 0x31, k1.RedHigh = 0x32, k1.GreenLow = 0x33, k1.GreenHigh = 0x34, k1.BlueLow = 0x35;
    k1.BlueHigh = 0x36, k1.GainIn = 0x37, k1.GainOut = 0x38, k1.GainBand = 0x39;

    s.TestPattern = 6;
    s.GrabPosition = {0x34, 0x12, 0x78, 0x56};

    VgaSettings& v = s.VgaSettings;
    v.Input = 3;
    v.Clock = 0x00010520;
    v.Phase = 0x13F;
    v.HPosition = -5;
    v.VPosition = 7;
    v.Adc[0] = 0x0110, v.Adc[1] = 0x0121, v.Adc[2] = 0x0132, v.Adc[3] = 0x0143, v.Adc[4] = 0x0154;
    v.Adc[5] = 0x0165;

    s.SwitcherSettings.Mode = 2;
    s.SwitcherSettings.FadeTime = 0x1F4;
    s.ScheduleSettings.Enable = 1;
    s.ScheduleSettings.ScheduleTask[3] = {26, 12, 6, 22, 15, 30, 4, 0, 0x102};
    s.MachineTime = {25, 1, 2, 3, 4, 5};
    s.LoopOutSource = 5;
    s.MultiMachineMode = 1;

    s.FeatherSettings.Enable = 0x101;
    for (uint32_t j = 0; j < 4; ++j) {
        s.FeatherSettings.Sharpness[j] = 0x110 + j;
        s.FeatherSettings.Level[j] = 0x120 + j;
    }
}

struct Golden {
    uint16_t Command;
    CommandArgs Args;
    std::vector<uint8_t> Expected; // the 32-byte block
};

CommandArgs Args(std::initializer_list<int> values) {
    CommandArgs args{};
    size_t at = 0;
    for (int value : values) args.at(at++) = static_cast<uint8_t>(value);
    return args;
}

CommandArgs Counting(int count) { // a0..a(count-1) = 1, 2, 3, ...
    CommandArgs args{};
    for (int i = 0; i < count; ++i) args[static_cast<size_t>(i)] = static_cast<uint8_t>(i + 1);
    return args;
}

const std::vector<uint8_t> Bare = Block({});

std::vector<Golden> GoldenRows() {
    const std::vector<uint8_t> logoSlot2 = Block({{0, 0}, {1, 2}, {2, 0x11}, {3, 0x01}, {4, 0x22}, {5, 0x02},
                                                  {6, 0x33}, {7, 0x03}, {8, 0x44}, {9, 0x04}, {10, 2}, {11, 1},
                                                  {12, 1}, {13, 3}, {14, 4}});
    std::vector<Golden> rows = {
        {0, Args({1, 2, 3}), Bare},
        {1, Args({2, 9, 7}), Block({{0, 2}, {1, 9}})},
        {2, Args({}),
         Block({{0, 0x12}, {1, 0x80}, {2, 0x07}, {3, 0x38}, {4, 0x04}, {5, 0x70}, {6, 0x17}, {7, 0x98}, {8, 0x08},
                {9, 0x2C}, {10, 0x00}, {11, 0x94}, {12, 0x00}, {13, 0x65}, {14, 0x04}, {15, 0x05}, {16, 0x00},
                {17, 0x24}, {18, 0x00}, {19, 1}, {20, 0}, {21, 0x01}})},
        {3, Args({2}),
         Block({{0, 0}, {1, 3}, {2, 0x11}, {3, 22}, {4, 2}, {5, 1}, {6, 11}, {7, 12}, {8, 14}, {9, 15}, {10, 13},
                {11, 8}, {12, 16}, {13, 17}, {14, 18}, {15, 1}})},
        {4, Args({2}),
         Block({{0, 2}, {1, 0x45}, {2, 0x23}, {3, 0xFE}, {4, 0xFF}, {5, 0xE0}, {6, 0x01}, {7, 0x40}, {8, 0x01},
                {9, 1}, {10, 5}})},
        {5, Args({2, 1}),
         Block({{0, 2}, {1, 1}, {2, 0x02}, {3, 0x01}, {4, 0x04}, {5, 0x03}, {6, 0x06}, {7, 0x05}, {8, 0x08},
                {9, 0x07}, {10, 1}})},
        {6, Args({1, 2}),
         Block({{0, 2},     {1, 4},     {2, 3},     {3, 1},     {4, 0x01},  {5, 0x02},  {6, 0x03},  {7, 0x04},
                {8, 0x05},  {9, 0x06},  {10, 0x07}, {11, 0x08}, {12, 0x09}, {13, 0x0A}, {14, 0x0B}, {15, 0x0C},
                {16, 0x0D}, {17, 0x0E}, {18, 0x0F}, {19, 0x10}, {20, 0x11}, {21, 0x12}, {22, 0x13}, {23, 0x14},
                {24, 0x15}, {25, 0x16}, {26, 0x17}, {27, 0x18}, {28, 1},    {29, 0xA2}})},
        {7, Args({2}), Block({{0, 2}, {1, 4}, {2, 1}})}, // DP1-R travels as 41
        {7, Args({1}), Block({{0, 1}, {1, 6}, {2, 0}})}, // code 10 travels as 60
        {7, Args({0}), Block({{0, 0}, {1, 3}, {2, 0}})}, // code 3 travels as 30
        {7, Args({3}), Block({{0, 3}, {1, 4}, {2, 0}})}, // DP1-L travels as 40
        {8, Args({1}), Block({{0, 2}, {1, 1}, {2, 0x40}})},
        {9, Args({0, 2}), logoSlot2},
        {10, Args({6, 1}),
         Block({{0, 0x46}, {1, 1}, {2, 0x80}, {3, 0x07}, {4, 0x38}, {5, 0x04}, {6, 0x70}, {7, 0x17}, {8, 0x18},
                {9, 0x01}, {10, 0x2D}, {11, 0x00}})},
        // Inputs 5 and 6 share entry 5.
        {10, Args({5, 1}),
         Block({{0, 0x46}, {1, 1}, {2, 0x80}, {3, 0x07}, {4, 0x38}, {5, 0x04}, {6, 0x70}, {7, 0x17}, {8, 0x18},
                {9, 0x01}, {10, 0x2D}, {11, 0x00}})},
        {10, Args({7, 2}),
         Block({{0, 0x47}, {1, 2}, {2, 0x00}, {3, 0x05}, {4, 0xD0}, {5, 0x02}, {6, 0x88}, {7, 0x13}, {8, 0x72},
                {9, 0x01}, {10, 0x1E}, {11, 0x00}})},
        {10, Args({4, 0}),
         Block({{0, 0x44}, {1, 0}, {2, 0x00}, {3, 0x04}, {4, 0x00}, {5, 0x03}, {6, 0x70}, {7, 0x17}, {8, 0x40},
                {9, 0x01}, {10, 0x26}, {11, 0x00}})},
        {12, Args({9}), Block({{0, 6}})},
        {13, Args({1}), Block({{0, 1}, {1, 0x34}, {2, 0x12}, {3, 0x78}, {4, 0x56}})},
        {14, Args({1, 2}),
         Block({{0, 1},     {1, 3},     {2, 2},     {3, 0x20},  {4, 0x05},  {5, 0x3F},  {6, 0xFB},  {7, 0x07},
                {8, 2},     {9, 0x10},  {10, 0x01}, {11, 0x32}, {12, 0x01}, {13, 0x54}, {14, 0x01}, {15, 0x21},
                {16, 0x01}, {17, 0x43}, {18, 0x01}, {19, 0x65}, {20, 0x01}, {21, 2}})},
        {15, Args({}), Block({{0, 2}})},
        {16, Args({}), Block({{0, 0xF4}})},
        {17, Args({3, 1}),
         Block({{0, 1}, {1, 1}, {2, 26}, {3, 12}, {4, 6}, {5, 22}, {6, 15}, {7, 30}, {8, 3}, {9, 4}, {10, 2}})},
        {17, Args({3, 0}),
         Block({{0, 0}, {1, 1}, {2, 25}, {3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}, {8, 3}, {9, 4}, {10, 2}})},
        {17, Args({3, 2}),
         Block({{0, 2}, {1, 1}, {2, 25}, {3, 1}, {4, 2}, {5, 3}, {6, 4}, {7, 5}, {8, 3}, {9, 4}, {10, 2}})},
        {18, Args({}), Block({{0, 5}})},
        {19, Args({1}), Bare},
        {20, Args({}), Block({{0, 1}})},
        {21, Args({1, 2, 3}), Block({{0, 1}, {1, 2}})},
        {23, Counting(12), Block({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10}})},
        {24, Counting(12), Block({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10}})},
        {25, Counting(12), Block({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}})},
        {32, Counting(20),
         Block({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10}, {10, 11}, {11, 12},
                {12, 13}, {13, 14}, {14, 15}, {15, 16}, {16, 17}, {17, 18}})},
        {33, Args({1, 2, 3}), Block({{0, 1}, {1, 2}})},
        {34, Args({7, 1, 3}), Block({{0, 7}, {1, 1}})},
        {35, Args({9}),
         Block({{0, 1}, {1, 0x10}, {2, 0x20}, {3, 0x11}, {4, 0x21}, {5, 0x12}, {6, 0x22}, {7, 0x13}, {8, 0x23},
                {9, 9}})},
        {36, Args({1, 2}), Block({{0, 1}})},
        {48, Args({255, 1}), Block({{0, 255}})},
        {49, Args({6, 1}), Block({{0, 6}})},
        {50, Args({5}), Block({{0, 0x46}})},
        {50, Args({6}), Block({{0, 0x46}})},
        {50, Args({7}), Block({{0, 0x47}})},
        {50, Args({4}), Block({{0, 0x44}})},
        {51, Args({3, 1}), Block({{0, 3}})},
        {52, Args({1, 9}), Block({{0, 1}})},
        {54, Args({2, 9}), Block({{0, 2}})},
        {55, Args({3, 9}), Block({{0, 3}})},
        {56, Args({0, 9}), Block({{0, 0}})},
        {59, Args({3, 1}), Block({{0, 3}})},
        {66, Args({2, 1}), Block({{0, 2}})},
        {69, Args({255, 1}), Block({{0, 255}})},
        {70, Args({2, 1}), Block({{0, 2}})},
        {71, Counting(32), {}},
        {72, Counting(32), {}},
    };
    std::vector<uint8_t> counting32;
    for (int i = 1; i <= 32; ++i) counting32.push_back(static_cast<uint8_t>(i));
    for (Golden& row : rows)
        if (row.Command == 71 || row.Command == 72) row.Expected = counting32;
    // The keyer: a31 = 3 picks the PIP-3 record, a31 = 1 the PIP-1 record.
    CommandArgs keyer3{}, keyer1{};
    keyer3[31] = 3;
    keyer1[31] = 1;
    rows.push_back({11, keyer3,
                    Block({{0, 1}, {1, 5}, {2, 0x21}, {3, 0x22}, {4, 0x23}, {5, 0x24}, {6, 0x25}, {7, 0x26},
                           {8, 0x27}, {9, 0x28}, {10, 0x29}, {31, 3}})});
    rows.push_back({11, keyer1,
                    Block({{0, 0}, {1, 7}, {2, 0x31}, {3, 0x32}, {4, 0x33}, {5, 0x34}, {6, 0x35}, {7, 0x36},
                           {8, 0x37}, {9, 0x38}, {10, 0x39}, {31, 1}})});
    // Commands with no parameters, named or not, send the bare block whatever they are given.
    for (uint16_t bare : {26, 27, 28, 29, 30, 31, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46, 47, 53, 57, 58, 60, 61, 62,
                          63, 64, 65, 67, 68, 73})
        rows.push_back({bare, Counting(32), Bare});
    return rows;
}

class CommandGolden : public EncoderTest {
protected:
    void SetUp() override {
        EncoderTest::SetUp();
        FillKnownState(state);
        DeviceId = 37;
    }
};

TEST_F(CommandGolden, EveryCommandSendsItsExactPayload) {
    std::set<int> covered;
    for (const Golden& row : GoldenRows()) {
        FillKnownState(state); // one-shot values consumed by an earlier row come back
        scoped.Link.Calls.clear();
        const int result = state.SendCommand(row.Command, row.Args);
        SCOPED_TRACE("command " + std::to_string(row.Command) + " a0 " + std::to_string(row.Args[0]));
        EXPECT_EQ(result, 0);
        const auto sent = scoped.Link.CallsOf("SendCommand");
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].DeviceId, 37);
        EXPECT_EQ(sent[0].CommandPayload(), Payload(row.Command, row.Expected));
        EXPECT_EQ(std::vector<uint8_t>(state.CommandBlock.begin(), state.CommandBlock.end()), row.Expected);
        covered.insert(row.Command);
    }
    covered.insert(CmdWriteStateBlock); // its own test below
    for (int command = 0; command < DeviceCommandCount; ++command)
        EXPECT_TRUE(covered.count(command)) << "no golden row for command " << command;
}

TEST_F(CommandGolden, LogoSlotAndRectangleChoice) {
    // Sub-code 1 takes the current slot (2) with the logo geometry.
    state.SendCommand(CmdLogo, 1, 7);
    EXPECT_EQ(LastPayload(), Payload(9, Block({{0, 1}, {1, 2}, {2, 0x11}, {3, 0x01}, {4, 0x22}, {5, 0x02}, {6, 0x33},
                                               {7, 0x03}, {8, 0x44}, {9, 0x04}, {10, 7}, {11, 1}, {12, 1}, {13, 3},
                                               {14, 4}})));
    // Sub-code 3 takes the shown slot (1) and always the capture frame.
    state.SendCommand(CmdLogo, 3, 0);
    EXPECT_EQ(LastPayload(), Payload(9, Block({{0, 3}, {1, 1}, {2, 0x01}, {3, 0x1A}, {4, 0x02}, {5, 0x1B}, {6, 0x03},
                                               {7, 0x1C}, {8, 0x04}, {9, 0x1D}, {10, 0}, {11, 1}, {12, 1}, {13, 3},
                                               {14, 4}})));
    // While PIP-3 is a layer, the capture frame of the given slot.
    state.LogoSettings.Pip3Usage = 0;
    state.SendCommand(CmdLogo, 0, 2);
    EXPECT_EQ(LastPayload(), Payload(9, Block({{0, 0}, {1, 2}, {2, 0x01}, {3, 0x2A}, {4, 0x02}, {5, 0x2B}, {6, 0x03},
                                               {7, 0x2C}, {8, 0x04}, {9, 0x2D}, {10, 2}, {11, 0}, {12, 1}, {13, 3},
                                               {14, 4}})));
}

TEST_F(CommandGolden, WriteStateBlockSendsExactlyTheStateBlock) {
    for (size_t i = 0; i < StateBlockSize; ++i) // reserved bytes too
        const_cast<uint8_t*>(state.Bytes())[i] = static_cast<uint8_t>(i * 7 + 3);
    const std::vector<uint8_t> expected(state.Bytes(), state.Bytes() + StateBlockSize);
    state.CommandBlock.fill(0);
    EXPECT_EQ(state.SendCommand(CmdWriteStateBlock, 1, 2, 3), 0);
    ASSERT_EQ(scoped.Link.Calls.size(), 1u);
    const LinkCall& call = scoped.Link.Calls[0];
    EXPECT_EQ(call.Operation, "SendStateBlock");
    EXPECT_EQ(call.DeviceId, 37);
    ASSERT_EQ(call.Bytes.size(), 2360u);
    EXPECT_EQ(call.Bytes, expected);
    EXPECT_EQ(std::vector<uint8_t>(state.CommandBlock.begin(), state.CommandBlock.end()), Bare);
}

TEST_F(CommandGolden, VariadicCallFillsArgumentsInOrder) {
    state.SendCommand(CmdCaption, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10);
    EXPECT_EQ(LastPayload(),
              Payload(24, Block({{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 5}, {5, 6}, {6, 7}, {7, 8}, {8, 9}, {9, 10}})));
    state.SendCommand(CmdReadAll);
    EXPECT_EQ(LastPayload(), Payload(0, Bare));
    state.SendCommand(CmdPreset, 1u, 300); // a wider value travels as its low byte, as a byte parameter would
    EXPECT_EQ(LastPayload(), Payload(1, Block({{0, 1}, {1, 44}})));
}

TEST_F(CommandGolden, DeviceIdStartsAt110) {
    ResetDeviceState();
    EXPECT_EQ(DeviceId, 110);
    GetDeviceState().SendCommand(CmdReadAll);
    EXPECT_EQ(scoped.Link.CallsOf("SendCommand").back().DeviceId, 110);
}

TEST_F(CommandGolden, ResultIsTheLibrarysAndMinusOneWithoutLink) {
    scoped.Link.Result = -1;
    EXPECT_EQ(state.SendCommand(CmdReadAll), -1);
    EXPECT_EQ(state.SendCommand(CmdWriteStateBlock), -1);
    SetCommLink(nullptr);
    EXPECT_EQ(state.SendCommand(CmdTake), CommandNoLink);
    EXPECT_EQ(state.SendCommand(CmdWriteStateBlock), CommandNoLink);
    SetCommLink(&scoped.Link);
}

} // namespace
