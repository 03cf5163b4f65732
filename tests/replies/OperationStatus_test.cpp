#include "ReplyFixture.h"
#include "app/ReplyCallbacks.h"

using Calls = std::vector<std::string>;

namespace {
struct OperationCase {
    uint8_t data[8];
    Calls expected;
    bool awaited = true; // the busy box waits for this operation
    bool endedWait = false; // a wait for it ended with a message before it came
};
} // namespace

TEST_F(ReplyTest, OperationsInBothResultBranches) {
    const OperationCase cases[] = {
        {{0, 1, 2}, {"hide busy", "edid result", "route 23 0"}},
        {{1, 0, 0}, {"hide busy", "vga result", "route 23 0"}},
        {{2, 0}, {"hide busy", "route 23 0"}},
        {{4, 1}, {"hide busy", "route 23 0"}},
        {{3, 0},
         {"cmd 63", "sleep 40", "cmd 54 0", "cmd 54 1", "cmd 54 2", "cmd 54 3", "cmd 60", "hide busy", "route 23 0"}},
        {{5, 1}, {"cmd 65", "cmd 67", "cmd 48 255", "hide busy", "route 23 0"}},
        {{5, 0}, {"route 23 0"}},
        {{5, 2}, {"route 23 0"}},
        {{6, 0}, {"cmd 63", "cmd 57", "cmd 54 0", "cmd 54 1", "cmd 54 2", "cmd 54 3", "cmd 60", "cmd 58", "route 23 0"}},
        {{6, 1}, {"cmd 0", "route 23 0"}},
        {{8, 0}, {"enable caption page", "hide busy", "route 23 0"}},
        {{9, 0}, {"route 23 0"}},
        {{10, 0}, {"enable caption page", "hide busy", "cmd 70 0", "route 23 0"}},
        {{11, 0},
         {"cmd 57", "cmd 54 0", "cmd 56 0", "sleep 100", "cmd 54 1", "cmd 56 1", "sleep 100", "cmd 54 2", "cmd 56 2",
          "sleep 100", "cmd 54 3", "cmd 56 3", "sleep 100", "hide busy", "route 23 0"}},
        {{11, 3}, {"cmd 0", "route 23 0"}},
        {{12, 0}, {"caption upload 1", "route 23 0"}},
        {{12, 1}, {"caption upload 0", "route 23 0"}},
        {{13, 0}, {"route 23 0"}},
        {{255, 0}, {"route 23 0"}},
        // A status nothing waits for (late, or another operation's) closes no box; a result is
        // shown all the same (VGA Rest opens no box), but not once its wait ended with a message.
        // The device's own follow-up still goes out.
        {{0, 1, 2}, {"edid result", "route 23 0"}, false},
        {{1, 1, 0}, {"vga result", "route 23 0"}, false},
        {{0, 1, 2}, {"route 23 0"}, false, true},
        {{1, 1, 0}, {"route 23 0"}, false, true},
        {{2, 0}, {"route 23 0"}, false},
        {{3, 0}, {"cmd 63", "sleep 40", "cmd 54 0", "cmd 54 1", "cmd 54 2", "cmd 54 3", "cmd 60", "route 23 0"}, false},
        {{10, 0}, {"enable caption page", "cmd 70 0", "route 23 0"}, false},
    };
    for (const auto& c : cases) {
        Log.clear();
        Dialog.AwaitsOperation = c.awaited;
        Dialog.EndedWait = c.endedWait;
        OnReplyOperationStatus(c.data, 9);
        EXPECT_EQ(Log, c.expected) << "operation " << int(c.data[0]) << " result " << int(c.data[1]);
    }
}

TEST_F(ReplyTest, OperationStatusStoresWhatEachOperationCarries) {
    const auto& s = GetDeviceState();
    const uint8_t edid[8] = {0, 1, 2};
    OnReplyOperationStatus(edid, 9);
    EXPECT_EQ(s.OperationStatus.Operation, 0);
    EXPECT_EQ(s.OperationStatus.Result, 1);
    EXPECT_EQ(s.OperationStatus.Detail, 2);
    const uint8_t ack[8] = {7, 0x40, 0x05, 1, 0x00, 0x15, 0x00, 0x00};
    OnReplyOperationStatus(ack, 9);
    EXPECT_EQ(s.OperationStatus.Operation, 7);
    EXPECT_EQ(s.CaptionAckLength, 0x540u);
    EXPECT_EQ(s.CaptionAckStatus, 1);
    EXPECT_EQ(s.CaptionAckOffset, 0x1500u);
    EXPECT_EQ(Log.back(), "route 23 0");
    EXPECT_EQ(Log[Log.size() - 2], "caption ack");
    const uint8_t upload[8] = {12, 0, 0};
    OnReplyOperationStatus(upload, 9);
    EXPECT_EQ(s.OperationStatus.Operation, 12);
    EXPECT_EQ(s.OperationStatus.Result, 0);
    // Operations 2..6, 8, 10, 11 store nothing.
    const uint8_t other[8] = {3, 9, 9};
    OnReplyOperationStatus(other, 9);
    EXPECT_EQ(s.OperationStatus.Operation, 12);
}
