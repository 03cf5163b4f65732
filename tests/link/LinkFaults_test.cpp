#include "LinkFixture.h"

#include <cstring>

// Devsim numbers its replies on a connection from 1: HELLO's two, then one per command 65.
// With --short-every 2 and --bad-crc-every 3 only replies numbered neither even nor a multiple of 3
// may arrive, and garbage goes before every one of them.
TEST_F(LinkTest, ShortOrCorruptRepliesAreNeverDelivered) {
    const auto ips = StartDevices({21}, {"--short-every", "2", "--bad-crc-every", "3", "--garbage-every", "1"});
    ConnectAndChoose(ips[0]);
    constexpr int kCommands = 120;
    for (int i = 0; i < kCommands; ++i) ASSERT_EQ(VelkComm_SendCommand(65, Block().data(), 21), 0);
    // Replies 1..122: slot 0 is reply 1 (delivered), slot 1 reply 2 (short), then 3..122 for slot 19.
    int expected19 = 0;
    for (int k = 3; k <= kCommands + 2; ++k) expected19 += (k % 2 != 0 && k % 3 != 0);
    ASSERT_TRUE(WaitForSlot(19, static_cast<size_t>(expected19)));
    recorder->PumpFor(300);
    EXPECT_EQ(recorder->OfSlot(19).size(), static_cast<size_t>(expected19));
    EXPECT_EQ(recorder->OfSlot(0).size(), 1u);
    EXPECT_TRUE(recorder->OfSlot(1).empty());
    for (const auto& r : recorder->OfSlot(19)) {
        EXPECT_EQ(r.id, 21u);
        EXPECT_EQ(std::memcmp(r.data.data() + 4, "V2.1", 4), 0);
    }
}

TEST_F(LinkTest, AShortFullStateIsDropped) {
    // Every reply short: even the HELLO answers and the full state never reach a callback.
    const auto ips = StartDevices({21}, {"--short-every", "1"});
    ConnectAndChoose(ips[0]);
    for (int i = 0; i < 5; ++i) VelkComm_SendCommand(0, Block().data(), 21);
    recorder->PumpFor(500);
    EXPECT_TRUE(recorder->OfSlot(2).empty());
    EXPECT_TRUE(recorder->OfSlot(0).empty());
    // Slot 23 takes any length, so the PING answers still arrive and keep the link up.
    EXPECT_FALSE(recorder->OfSlot(23).empty());
}
