#include "LinkFixture.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>

namespace {

// Commands with the given number that each device received, by device id.
std::map<unsigned, int> CommandsByDevice(const std::string& logPath, uint8_t command) {
    std::map<unsigned, int> counts;
    for (const auto& f : testsupport::ReadDevsimLog(logPath))
        if (f.type == 1 && f.payload.size() == 36 && f.payload[0] == command) ++counts[f.device];
    return counts;
}

} // namespace

class LinkAddressingTest : public LinkTest {
protected:
    void ConnectThree() {
        ips = StartDevices({21, 22, 23});
        const uint8_t targets[] = {21, 22};
        ASSERT_EQ(VelkComm_SetTargets(2, targets), 0);
        for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        ASSERT_TRUE(WaitForSlot(1, 3));
        recorder->Clear();
    }
    std::vector<std::string> ips;
};

TEST_F(LinkAddressingTest, ACommandReachesOnlyTheAddressedDevice) {
    ConnectThree();
    auto block = Block();
    block[0] = 2;
    ASSERT_EQ(VelkComm_SendCommand(65, block.data(), 22), 0);
    ASSERT_TRUE(WaitForSlot(19, 1));
    recorder->PumpFor(200);
    ASSERT_EQ(recorder->OfSlot(19).size(), 1u);
    EXPECT_EQ(recorder->OfSlot(19)[0].id, 22u);
    EXPECT_EQ(CommandsByDevice(logPath, 65), (std::map<unsigned, int>{{22, 1}}));
    // The whole frame arrived as sent: the command number, then the 32 block bytes.
    for (const auto& f : testsupport::ReadDevsimLog(logPath)) {
        if (f.type != 1 || f.payload[0] != 65) continue;
        EXPECT_EQ(f.target, 22u);
        std::vector<uint8_t> expected(36, 0);
        expected[0] = 65;
        std::copy(block.begin(), block.end(), expected.begin() + 4);
        EXPECT_EQ(f.payload, expected);
    }
}

TEST_F(LinkAddressingTest, IdAnyReachesEveryTargetAndNoOtherLink) {
    ConnectThree();
    ASSERT_EQ(VelkComm_SendCommand(65, Block().data(), 255), 0);
    ASSERT_TRUE(WaitForSlot(19, 2));
    recorder->PumpFor(200);
    EXPECT_EQ(recorder->OfSlot(19).size(), 2u);
    EXPECT_EQ(CommandsByDevice(logPath, 65), (std::map<unsigned, int>{{21, 1}, {22, 1}}));
}

TEST_F(LinkAddressingTest, AnIdWithoutALinkSendsNothing) {
    ConnectThree();
    EXPECT_EQ(VelkComm_SendCommand(65, Block().data(), 99), -1);
    const uint8_t none[] = {0};
    ASSERT_EQ(VelkComm_SetTargets(0, none), 0);
    EXPECT_EQ(VelkComm_SendCommand(65, Block().data(), 255), -1);
    recorder->PumpFor(200);
    EXPECT_TRUE(recorder->OfSlot(19).empty());
    EXPECT_TRUE(CommandsByDevice(logPath, 65).empty());
    EXPECT_EQ(VelkComm_SendCommand(65, nullptr, 21), -1);
}

// ---- which machine's replies reach the program once one machine is controlled ----

namespace {

enum class Ask { Hello, Unasked, Query };
struct DeliveryRow {
    const char* what;
    int slot;
    Ask ask;
    uint32_t command;       // for Ask::Query, sent to both machines
    bool fromOtherMachine;  // whether the slot still arrives from a machine that is not controlled
};

size_t FromId(const std::vector<testsupport::RecordedReply>& replies, unsigned id) {
    return static_cast<size_t>(std::count_if(replies.begin(), replies.end(), [&](const auto& r) { return r.id == id; }));
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The channel-0 stream bytes delivered, joined in delivery order.
std::string DeliveredStream(const std::vector<testsupport::RecordedReply>& pieces) {
    std::string joined;
    for (const auto& p : pieces)
        if (p.layer == 0) joined.append(p.data.begin(), p.data.end());
    return joined;
}

} // namespace

class LinkControlledTest : public LinkTest {
protected:
    // Two machines (two device processes) streaming different previews, both connected, the
    // first one (id 21) controlled.
    void ConnectTwoAndControlFirst() {
        ips = StartDevices({21}, {"--preview", ControlledStream});
        ips.push_back(testsupport::FreeDeviceAddress(22));
        ASSERT_TRUE(other.Start({"--log", otherLog, "--device", ips[1], "--preview", OtherStream}));
        const uint8_t targets[] = {21, 22};
        ASSERT_EQ(VelkComm_SetTargets(2, targets), 0);
        for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        // Before a machine is chosen, both are heard in full.
        ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(1), 21) && FromId(recorder->OfSlot(1), 22); },
                                        5000));
        ASSERT_EQ(VelkComm_SelectDevice(ips[0].c_str()), 0);
        recorder->PumpFor(100);
        recorder->Clear();
    }
    void TearDown() override {
        LinkTest::TearDown();
        other.Stop();
    }
    const std::string ControlledStream = std::string(VELKAN_TEST_DATA_DIR) + "/preview_480x270.h264";
    const std::string OtherStream = std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264";
    testsupport::DevsimProcess other;
    std::string otherLog = scratch.Path() + "other.log";
    std::vector<std::string> ips;
};

TEST_F(LinkControlledTest, OnlyConnectionStatusAndPingAnswersArriveFromAMachineThatIsNotControlled) {
    ConnectTwoAndControlFirst();
    const DeliveryRow rows[] = {
        {"connection status", 0, Ask::Hello, 0, true},
        {"answer to PING", 23, Ask::Unasked, 0, true},
        {"preview state", 1, Ask::Hello, 0, false},
        {"whole state", 2, Ask::Query, 0, false},
        {"system information", 19, Ask::Query, 65, false},
        {"layer sources", 14, Ask::Query, 57, false},
        {"preset states", 17, Ask::Query, 62, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        recorder->Clear();
        if (row.ask == Ask::Hello) {
            for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        }
        if (row.ask == Ask::Query) {
            ASSERT_EQ(VelkComm_SendCommand(row.command, Block(0).data(), 255), 0);
        }
        ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(row.slot), 21) > 0; }, 5000));
        if (row.fromOtherMachine) {
            EXPECT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(row.slot), 22) > 0; }, 5000));
        } else {
            recorder->PumpFor(400);
            EXPECT_EQ(FromId(recorder->OfSlot(row.slot), 22), 0u);
        }
    }
    // The other machine was asked too, and answered on the wire: the library held its answers back.
    EXPECT_EQ(CommandsByDevice(otherLog, 65), (std::map<unsigned, int>{{22, 1}}));
    EXPECT_EQ(CommandsByDevice(logPath, 65), (std::map<unsigned, int>{{21, 1}}));
}

TEST_F(LinkControlledTest, ThePreviewStreamComesFromTheControlledMachineAlone) {
    ConnectTwoAndControlFirst();
    // The stream carries no machine id: what arrives must be the controlled machine's file, piece
    // after piece, with nothing of the other machine's stream between.
    ASSERT_TRUE(recorder->PumpUntil([&] { return DeliveredStream(recorder->OfSlot(26)).size() >= 12000; }, 5000));
    const std::string delivered = DeliveredStream(recorder->OfSlot(26)).substr(0, 12000);
    const std::string mine = FileBytes(ControlledStream);
    ASSERT_GT(mine.size(), 10000u);
    EXPECT_NE((mine + mine + mine).find(delivered), std::string::npos);
}

TEST_F(LinkControlledTest, TheNewlyControlledMachineIsHeardAndItsPreviewStateDeliveredAgain) {
    ConnectTwoAndControlFirst();
    ASSERT_EQ(VelkComm_SelectDevice(ips[1].c_str()), 0);
    // Its preview state, held back so far, arrives at once, without a new HELLO.
    ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(1), 22) > 0; }, 3000));
    EXPECT_EQ(recorder->OfSlot(1).back().data, (std::vector<uint8_t>{1}));
    recorder->Clear();
    auto block = Block(0);
    block[0] = 2;
    ASSERT_EQ(VelkComm_SendCommand(65, block.data(), 255), 0);
    ASSERT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(19), 22) > 0; }, 5000));
    recorder->PumpFor(300);
    EXPECT_EQ(FromId(recorder->OfSlot(19), 21), 0u);
    EXPECT_EQ(FromId(recorder->OfSlot(1), 22), 0u) << "delivered again only when the controlled machine changes";
    const std::string theirs = FileBytes(OtherStream);
    ASSERT_TRUE(recorder->PumpUntil([&] { return DeliveredStream(recorder->OfSlot(26)).size() >= 2000; }, 5000));
    const std::string delivered = DeliveredStream(recorder->OfSlot(26));
    EXPECT_NE((theirs + theirs + theirs).find(delivered.substr(0, 2000)), std::string::npos);
    // Disconnecting the controlled machine ends its control: the remaining machine is heard in full.
    ASSERT_EQ(VelkComm_DisconnectNet(ips[1].c_str()), 0);
    recorder->Clear();
    ASSERT_EQ(VelkComm_SendCommand(65, block.data(), 21), 0);
    EXPECT_TRUE(recorder->PumpUntil([&] { return FromId(recorder->OfSlot(19), 21) > 0; }, 5000));
}
