#include "LinkFixture.h"

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
        ASSERT_TRUE(WaitForSlot(0, 3));
        // The machine at work is 22: only its answers are delivered, whoever else a frame reaches.
        ASSERT_EQ(VelkComm_SelectDevice(ips[1].c_str()), 0);
        recorder->PumpFor(100);
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
    ASSERT_TRUE(recorder->PumpUntil([&] { return CommandsByDevice(logPath, 65).size() == 2; }, 5000));
    ASSERT_TRUE(WaitForSlot(19, 1));
    recorder->PumpFor(200);
    EXPECT_EQ(CommandsByDevice(logPath, 65), (std::map<unsigned, int>{{21, 1}, {22, 1}}));
    ASSERT_EQ(recorder->OfSlot(19).size(), 1u);
    EXPECT_EQ(recorder->OfSlot(19)[0].id, 22u);
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
