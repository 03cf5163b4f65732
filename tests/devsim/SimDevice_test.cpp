#include "platform/comm/ReplyLength.h"
#include "tools/devsim/DevsimOptions.h"
#include "tools/devsim/SimDevice.h"
#include "tools/devsim/StateLayout.h"

#include <gtest/gtest.h>

using namespace devsim;
using velklink::Frame;

namespace {

Frame Command(uint32_t number, std::vector<uint8_t> block = std::vector<uint8_t>(32, 0x55)) {
    Frame f;
    f.type = velklink::FrameCommand;
    f.id = 21;
    f.payload.resize(36);
    velklink::PutU32(f.payload.data(), number);
    std::copy(block.begin(), block.end(), f.payload.begin() + 4);
    return f;
}

std::vector<uint8_t> BlockWith(std::initializer_list<std::pair<int, uint8_t>> bytes) {
    std::vector<uint8_t> b(32, 0x55);
    for (auto [i, v] : bytes) b[size_t(i)] = v;
    return b;
}

} // namespace

TEST(SimDevice, HelloIsAnsweredConnectedThenPreviewState) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    Frame hello;
    hello.type = velklink::FrameHello;
    const auto r = d.Handle(hello);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[0].slot, 0);
    EXPECT_EQ(r[0].payload, std::vector<uint8_t>{1});
    EXPECT_EQ(r[1].slot, 1);
    Frame ping;
    ping.type = velklink::FramePing;
    ASSERT_EQ(d.Handle(ping).size(), 1u);
    EXPECT_EQ(d.Handle(ping)[0].slot, 23);
}

TEST(SimDevice, AddressedByItsOwnIdOrAny) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    EXPECT_TRUE(d.Addressed(21));
    EXPECT_TRUE(d.Addressed(255));
    EXPECT_FALSE(d.Addressed(22));
}

TEST(SimDevice, EveryCommandIsAnsweredWithPayloadsOfTheLinkSizes) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    for (uint32_t c = 0; c <= 73; ++c) {
        for (const Reply& r : d.Handle(Command(c, BlockWith({{0, 1}, {1, 0}, {31, 3}})))) {
            EXPECT_TRUE(velklink::ReplyPayloadAcceptable(r.slot, r.payload)) << "command " << c << " slot " << int(r.slot);
        }
    }
}

TEST(SimDevice, NeutralQueriesAreAnsweredOnTheirTableSlots) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    // The table the README publishes.
    const std::pair<uint32_t, uint8_t> table[] = {{51, 13}, {52, 8},  {54, 10}, {55, 11}, {56, 12},
                                                  {57, 14}, {58, 15}, {60, 20}, {62, 17}, {63, 21},
                                                  {65, 19}, {67, 29}, {68, 31}, {70, 25}, {73, 30}};
    ASSERT_EQ(kNeutralQueryAnswers.size(), std::size(table));
    for (size_t i = 0; i < std::size(table); ++i) {
        EXPECT_EQ(kNeutralQueryAnswers[i].command, table[i].first);
        EXPECT_EQ(kNeutralQueryAnswers[i].slot, table[i].second);
        const auto replies = d.Handle(Command(table[i].first, BlockWith({{0, 1}})));
        ASSERT_FALSE(replies.empty()) << table[i].first;
        for (const Reply& r : replies) EXPECT_EQ(r.slot, table[i].second) << table[i].first;
    }
}

TEST(SimDevice, LayerSourceNumbersMapBackToSourceCodes) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    const struct { uint8_t tens, units, code; } rows[] = {{4, 1, 9}, {6, 0, 10}, {3, 0, 3}, {4, 0, 8}, {6, 1, 11}};
    for (const auto& row : rows) {
        const auto r = d.Handle(Command(7, BlockWith({{0, 2}, {1, row.tens}, {2, row.units}})));
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].slot, 14);
        EXPECT_EQ(r[0].payload[0], 4);
        EXPECT_EQ(r[0].payload[1 + 3 * 2 + 2], row.code);
        EXPECT_EQ(d.State()[layout::kLayerWindow + 2 * layout::kLayerWindowSize + 2], row.code);
    }
}

TEST(SimDevice, LayerWindowCommandIsAppliedAndEchoed) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    // Layer 1 at (100, 200), 640 x 360, rotation 2.
    const auto r = d.Handle(Command(4, BlockWith({{0, 1}, {1, 100}, {2, 0}, {3, 200}, {4, 0}, {5, 0x80}, {6, 2},
                                                  {7, 0x68}, {8, 1}, {9, 0}, {10, 2}})));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].slot, 10);
    const std::vector<uint8_t> expected{100, 0, 0, 0, 200, 0, 0, 0, 0x80, 2, 0, 0, 0x68, 1, 0, 0, 2, 0, 0, 0, 1};
    EXPECT_EQ(r[0].payload, expected);
}

TEST(SimDevice, AStoredStateBlockIsReadBackWhole) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    Frame block;
    block.type = velklink::FrameStateBlock;
    block.payload.resize(2360);
    for (size_t i = 0; i < 2360; ++i) block.payload[i] = static_cast<uint8_t>(i * 13);
    const auto ack = d.Handle(block);
    ASSERT_EQ(ack.size(), 1u);
    EXPECT_EQ(ack[0].slot, 24);
    EXPECT_EQ(ack[0].payload[0], 5);
    const auto r = d.Handle(Command(0));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].slot, 2);
    EXPECT_EQ(r[0].payload, block.payload);
}

TEST(SimDevice, CaptionChunksAreStoredAndAcknowledged) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    Frame chunk;
    chunk.type = velklink::FrameCaptionChunk;
    chunk.payload = {4, 0, 0, 0, 3, 0, 0xAA, 0xBB, 0xCC};
    const auto r = d.Handle(chunk);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].payload, (std::vector<uint8_t>{7, 3, 0, 1, 4, 0, 0, 0}));
    EXPECT_EQ(d.CaptionBitmap(), (std::vector<uint8_t>{0, 0, 0, 0, 0xAA, 0xBB, 0xCC}));
    // A chunk whose length disagrees with its bytes is refused, not stored.
    chunk.payload = {0, 0, 0, 0, 9, 0, 1};
    EXPECT_EQ(d.Handle(chunk)[0].payload[3], 0);
    EXPECT_EQ(d.CaptionBitmap().size(), 7u);
}

// Every caption record says, in byte 28, which caption the last caption command addressed.
TEST(SimDevice, CaptionRecordsNameTheCaptionLastSelected) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    struct Step {
        uint32_t command;
        std::vector<uint8_t> block;
        uint8_t selected;
    };
    const Step steps[] = {
        {24, BlockWith({{0, 2}, {1, 2}, {2, 1}}), 2}, // caption 3 on
        {70, BlockWith({{0, 0}}), 2},                 // a query selects nothing
        {23, BlockWith({{0, 1}, {1, 2}}), 1},         // caption 2's position
        {24, BlockWith({{0, 0x55}, {1, 5}}), 1},      // the initialise of all captions
        {24, BlockWith({{0, 3}, {1, 4}}), 3},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(testing::Message() << "command " << step.command << " caption " << int(step.block[0]));
        d.Handle(Command(step.command, step.block));
        for (uint8_t c = 0; c < 4; ++c) {
            const auto r = d.Handle(Command(70, BlockWith({{0, c}})));
            ASSERT_EQ(r.size(), 1u);
            EXPECT_EQ(r[0].payload[14], c);
            EXPECT_EQ(r[0].payload[28], step.selected);
        }
    }
}

TEST(SimDevice, SearchAnswerCarriesIpTextAndMac) {
    SimDevice d(22, "127.0.0.22", BuiltinStateBlock());
    const Reply r = d.SearchAnswer();
    EXPECT_EQ(r.slot, 27);
    ASSERT_EQ(r.payload.size(), 22u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(r.payload.data())), "127.0.0.22");
    EXPECT_EQ(std::vector<uint8_t>(r.payload.begin() + 16, r.payload.end()),
              (std::vector<uint8_t>{0x02, 0x56, 0x4C, 0x4B, 0x00, 22}));
}

TEST(SimDevice, LayerInputRowFollowsTheInputNumbering) {
    StateBlock s = BuiltinStateBlock();
    auto setSource = [&](uint8_t code) { s[layout::kLayerWindow + 2] = code; };
    setSource(8);
    EXPECT_EQ(LayerInputRow(s, 0), 4); // DP1-L
    setSource(9);
    EXPECT_EQ(LayerInputRow(s, 0), 8); // DP1-R
    setSource(6);                      // EXT-1 with an HDMI card present, active source 0
    EXPECT_EQ(LayerInputRow(s, 0), 10);
    setSource(200);
    EXPECT_EQ(LayerInputRow(s, 0), -1);
    EXPECT_EQ(LayerInputRow(s, 4), -1);
}

TEST(DevsimOptions, ParsesDevicesAndFaults) {
    std::string error;
    const auto o = ParseOptions({"--device", "127.0.0.21", "--device", "127.0.0.22", "--short-every", "3", "--silent"},
                                error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->devices.size(), 2u);
    EXPECT_EQ(o->faults.shortEvery, 3u);
    EXPECT_TRUE(o->faults.silent);
    EXPECT_FALSE(ParseOptions({"--device", "10.0.0.1"}, error).has_value()); // loopback only
    EXPECT_FALSE(ParseOptions({"--short-every", "x", "--device", "127.0.0.1"}, error).has_value());
    EXPECT_FALSE(ParseOptions({}, error).has_value());
}

// A mosaic mode change or arrangement pick is reported done (operation 11, result 0) after its
// record; a geometry edit only echoes the record. With --status-first the status leads.
TEST(SimDevice, MosaicChangesAreReportedDoneInTheChosenOrder) {
    const struct {
        uint8_t subCode;
        bool statusFirst;
        std::vector<uint8_t> slots;
    } rows[] = {
        {0, false, {12, 24}}, {1, false, {12, 24}}, {2, false, {12}},
        {0, true, {24, 12}},  {1, true, {24, 12}},  {2, true, {12}},
    };
    for (const auto& row : rows) {
        SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
        d.SetStatusFirst(row.statusFirst);
        const auto replies = d.Handle(Command(6, BlockWith({{0, row.subCode}, {1, 4}, {2, 2}, {3, 0}})));
        std::vector<uint8_t> slots;
        for (const Reply& r : replies) {
            slots.push_back(r.slot);
            if (r.slot == 24) {
                EXPECT_EQ(r.payload[0], 11);
                EXPECT_EQ(r.payload[1], 0);
            }
            if (r.slot == 12) {
                EXPECT_EQ(velklink::GetU32(r.payload.data()), 4u) << "the new mode";
            }
        }
        EXPECT_EQ(slots, row.slots) << "sub-code " << int(row.subCode) << (row.statusFirst ? " status first" : "");
    }
}

// A mode change takes the new mode's first arrangement, whatever cell the command carries.
TEST(SimDevice, AModeChangeTakesTheModesFirstArrangement) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    const auto arrangementAfter = [&](uint8_t subCode, uint8_t mode, uint8_t cell) -> int {
        for (const Reply& r : d.Handle(Command(6, BlockWith({{0, subCode}, {1, mode}, {2, cell}, {3, 0}}))))
            if (r.slot == 12) return int(velklink::GetU32(r.payload.data() + (layout::kMosaicArrangement - layout::kMosaic)));
        return -1;
    };
    EXPECT_EQ(arrangementAfter(0, 5, 8), 5);  // Panel x 4
    EXPECT_EQ(arrangementAfter(1, 5, 7), 7);  // its third picture
    EXPECT_EQ(arrangementAfter(0, 4, 7), 2);  // Panel x 3, sent with x 4's cell
    EXPECT_EQ(arrangementAfter(0, 2, 2), 0);  // Panel x 2
    EXPECT_EQ(arrangementAfter(0, 1, 0), 0);  // Panel x 1 has none: kept
}

TEST(DevsimOptions, StatusTimingAndOrder) {
    std::string error;
    const auto o = ParseOptions({"--device", "127.0.0.21", "--status-delay", "1000", "--status-first"}, error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->statusDelayMs, 1000u);
    EXPECT_TRUE(o->statusFirst);
    EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--status-delay", "70000"}, error).has_value());
    // One command's records late, another's status: each kept apart.
    const auto late = ParseOptions({"--device", "127.0.0.21", "--record-delay-for", "3=1500", "--status-delay-for",
                                    "6=200"}, error);
    ASSERT_TRUE(late.has_value()) << error;
    EXPECT_EQ(late->commandRecordDelays, (std::vector<std::pair<uint32_t, unsigned>>{{3, 1500}}));
    EXPECT_EQ(late->commandStatusDelays, (std::vector<std::pair<uint32_t, unsigned>>{{6, 200}}));
    for (const char* bad : {"74=10", "3=60001", "3", "=5"})
        EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--record-delay-for", bad}, error).has_value()) << bad;
}

TEST(DevsimOptions, OnePresetLeftEmpty) {
    std::string error;
    const auto o = ParseOptions({"--device", "127.0.0.21", "--presets-stored", "--preset-empty", "9"}, error);
    ASSERT_TRUE(o.has_value()) << error;
    EXPECT_EQ(o->presetLeftEmpty, 9);
    EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--preset-empty", "10"}, error).has_value());
}

TEST(DevsimOptions, SourceChangesBySignal) {
    std::string error;
    const auto o = ParseOptions({"--device", "127.0.0.21", "--usr1-source", "0:0,2:4"}, error);
    ASSERT_TRUE(o.has_value()) << error;
    const std::vector<std::pair<uint8_t, uint8_t>> want{{0, 0}, {2, 4}};
    EXPECT_EQ(o->signalSources, want);
    const auto quiet = ParseOptions({"--device", "127.0.0.21", "--unanswered", "35", "--unanswered", "7"}, error);
    ASSERT_TRUE(quiet.has_value()) << error;
    EXPECT_EQ(quiet->unanswered, (std::vector<uint32_t>{35, 7}));
    EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--unanswered", "74"}, error).has_value());
    const auto confirm = ParseOptions({"--device", "127.0.0.21", "--confirm-status", "9=4", "--status-instead", "9=2"}, error);
    ASSERT_TRUE(confirm.has_value()) << error;
    ASSERT_EQ(confirm->statusConfirmations.size(), 2u);
    EXPECT_FALSE(confirm->statusConfirmations[0].instead);
    EXPECT_EQ(confirm->statusConfirmations[1].operation, 2);
    EXPECT_TRUE(confirm->statusConfirmations[1].instead);
    for (const char* bad : {"74=2", "9=256", "9", "=2"})
        EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--confirm-status", bad}, error).has_value()) << bad;
    for (const char* bad : {"4:0", "0:12", "0", "0:1,", "x:1"})
        EXPECT_FALSE(ParseOptions({"--device", "127.0.0.21", "--usr1-source", bad}, error).has_value()) << bad;
}

// A source changed on the device itself is reported with the other layers' as they are.
TEST(SimDevice, LayerSourceSetOnTheDeviceIsReported) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    const Reply r = d.SetLayerSource(0, 4);
    ASSERT_EQ(r.slot, 14);
    ASSERT_EQ(r.payload.size(), 13u);
    EXPECT_EQ(r.payload[0], 4);
    EXPECT_EQ(r.payload[1 + 2], 4);   // MAIN now on DP-1
    EXPECT_EQ(r.payload[1 + 3 + 2], 0);   // PIP-1 still on DVI-1
    EXPECT_EQ(d.State()[devsim::layout::kLayerWindow + 2], 4);
}

// A command left unanswered is still applied.
TEST(SimDevice, UnansweredCommandIsAppliedSilently) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    d.SetUnanswered({7});
    EXPECT_TRUE(d.Handle(Command(7, BlockWith({{0, 0}, {1, 5}, {2, 0}}))).empty()); // MAIN onto SDI-1
    EXPECT_EQ(d.State()[devsim::layout::kLayerWindow + 2], 5);
    EXPECT_FALSE(d.Handle(Command(57)).empty());
}

// A command confirmed with a status: after its record, or instead of it.
TEST(SimDevice, ACommandConfirmedWithAStatus) {
    for (const bool instead : {false, true}) {
        SCOPED_TRACE(instead ? "instead" : "after");
        SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
        d.SetStatusConfirmations({{9, 2, instead}});
        const auto replies = d.Handle(Command(9, BlockWith({{0, 5}})));  // the logo switched
        ASSERT_EQ(replies.size(), instead ? 1u : 2u);
        EXPECT_EQ(replies[0].slot, instead ? 24 : 15);
        EXPECT_EQ(replies.back().slot, 24);
        EXPECT_EQ(replies.back().payload[0], 2);
        EXPECT_EQ(d.Handle(Command(4, BlockWith({{0, 1}}))).back().slot, 10) << "other commands as before";
    }
}

TEST(SimDevice, ModeChangedByTheDeviceItselfIsReportedAndKept) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    for (uint8_t mode : {uint8_t{1}, uint8_t{0}}) {
        SCOPED_TRACE(int(mode));
        const auto r = d.SwitchMode(mode);
        ASSERT_EQ(r.size(), 1u);
        EXPECT_EQ(r[0].slot, 20);
        ASSERT_EQ(r[0].payload.size(), layout::kSwitcherSize);
        EXPECT_EQ(r[0].payload[0], mode);
        EXPECT_EQ(d.State()[layout::kSwitcher], mode);
        // The next PGM/PVW query answers the same.
        const auto asked = d.Handle(Command(60));
        ASSERT_EQ(asked.size(), 1u);
        EXPECT_EQ(asked[0].payload[0], mode);
    }
}

TEST(SimDevice, ControlFileOptionIsTaken) {
    std::string error;
    const auto o = ParseOptions({"--device", "127.0.0.21", "--control", "/tmp/x"}, error);
    ASSERT_TRUE(o) << error;
    EXPECT_EQ(o->controlFile, "/tmp/x");
    EXPECT_FALSE(ParseOptions({"--control"}, error));
}

TEST(SimDevice, MosaicAndPreviewChangedByTheDeviceAreReported) {
    SimDevice d(21, "127.0.0.21", BuiltinStateBlock());
    const auto mosaic = d.ChangeMosaicMode(5);
    ASSERT_EQ(mosaic.size(), 1u);
    EXPECT_EQ(mosaic[0].slot, 12);
    EXPECT_EQ(mosaic[0].payload[0], 5);    // the mode leads the mosaic record
    EXPECT_EQ(mosaic[0].payload[108], 3);  // argument 3: the whole record
    EXPECT_EQ(d.State()[layout::kMosaicMode], 5);
    const auto preview = d.ChangePreview(true);
    ASSERT_EQ(preview.size(), 1u);
    EXPECT_EQ(preview[0].slot, 1);
    EXPECT_EQ(preview[0].payload, std::vector<uint8_t>{1});
    EXPECT_TRUE(d.PreviewOn());
}
