#include "LinkFixture.h"

#include <cstdio>
#include <numeric>

TEST_F(LinkTest, AStateBlockArrivesByteForByteAndComesBackWhole) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    std::vector<uint8_t> block(2360);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>((i * 7 + 3) & 0xFF);
    ASSERT_EQ(VelkComm_SendStateBlock(block.data(), 21), 0);
    ASSERT_TRUE(WaitForSlot(24, 1)); // stored: operation 5, result 1
    const auto status = recorder->OfSlot(24)[0].data;
    EXPECT_EQ(status[0], 5);
    EXPECT_EQ(status[1], 1);
    bool logged = false;
    for (const auto& f : testsupport::ReadDevsimLog(logPath))
        if (f.type == 2) logged = f.payload == block;
    EXPECT_TRUE(logged);
    ASSERT_EQ(VelkComm_SendCommand(0, Block().data(), 21), 0);
    ASSERT_TRUE(WaitForSlot(2, 1));
    EXPECT_EQ(recorder->OfSlot(2)[0].data, block);
    EXPECT_EQ(VelkComm_SendStateBlock(nullptr, 21), -1);
}

TEST_F(LinkTest, ACaptionChunkArrivesByteForByteAndIsAcknowledged) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    std::vector<uint8_t> rows(1344);
    std::iota(rows.begin(), rows.end(), uint8_t{1});
    ASSERT_EQ(VelkComm_SendCaptionChunk(2688, 1344, rows.data(), 21), 0);
    ASSERT_TRUE(WaitForSlot(24, 1));
    // Operation 7: length 1344 (0x0540), accepted, offset 2688 (0x0A80).
    EXPECT_EQ(recorder->OfSlot(24)[0].data, (std::vector<uint8_t>{7, 0x40, 0x05, 1, 0x80, 0x0A, 0, 0}));
    std::vector<uint8_t> expected{0x80, 0x0A, 0, 0, 0x40, 0x05};
    expected.insert(expected.end(), rows.begin(), rows.end());
    bool logged = false;
    for (const auto& f : testsupport::ReadDevsimLog(logPath))
        if (f.type == 3) logged = f.payload == expected;
    EXPECT_TRUE(logged);
}

TEST_F(LinkTest, ACaptionChunkAboveTheLimitIsRefusedUnsent) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    std::vector<uint8_t> rows(1345, 0xAA);
    EXPECT_EQ(VelkComm_SendCaptionChunk(0, 1345, rows.data(), 21), -1);
    recorder->PumpFor(300);
    EXPECT_TRUE(recorder->OfSlot(24).empty());
    for (const auto& f : testsupport::ReadDevsimLog(logPath)) EXPECT_NE(f.type, 3u);
}

TEST_F(LinkTest, ALinkThatTakesNothingMakesSendsFailQuickly) {
    const auto ips = StartDevices({21}, {"--stall"});
    ConnectAndChoose(ips[0]);
    std::vector<uint8_t> block(2360, 0x11);
    // Let the connection come up; the stalled device never answers HELLO.
    recorder->PumpFor(200);
    // A send that blocked instead of refusing would hang here until the test's time-out.
    int refused = -1;
    for (int i = 0; i < 20000 && refused < 0; ++i)
        if (VelkComm_SendStateBlock(block.data(), 21) != 0) refused = i;
    EXPECT_GT(refused, 0) << "the outgoing buffer never filled";
}

TEST_F(LinkTest, DevsimStartsFromAStateFile) {
    std::vector<uint8_t> block(2360);
    for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(255 - (i % 251));
    const std::string file = scratch.Path() + "state.bin";
    {
        FILE* f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(block.data(), 1, block.size(), f), block.size());
        std::fclose(f);
    }
    const auto ips = StartDevices({21}, {"--state", file});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    ASSERT_EQ(VelkComm_SendCommand(0, Block().data(), 21), 0);
    ASSERT_TRUE(WaitForSlot(2, 1));
    EXPECT_EQ(recorder->OfSlot(2)[0].data, block);
}
