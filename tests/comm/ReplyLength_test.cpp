#include "platform/comm/ReplyLength.h"

#include <gtest/gtest.h>
#include <vector>

using namespace velklink;

// The payload sizes of the link's reply table, slot by slot.
TEST(ReplyLength, MinimumLengthsPerSlot) {
    const size_t expected[32] = {1,  1,  2360, 6,  10, 28, 12, 124, 37, 0, 21, 19, 112, 6,  1,  42,
                                 20, 10, 1,    18, 16, 2,  8,  0,   8,  32, 2, 22, 10,  44, 36, 1};
    for (int slot = 0; slot < 32; ++slot) EXPECT_EQ(MinimumReplyLength(slot), expected[slot]) << "slot " << slot;
}

TEST(ReplyLength, ShortPayloadsAreRefused) {
    EXPECT_FALSE(ReplyPayloadAcceptable(2, std::vector<uint8_t>(2359)));
    EXPECT_TRUE(ReplyPayloadAcceptable(2, std::vector<uint8_t>(2360)));
    EXPECT_FALSE(ReplyPayloadAcceptable(0, {}));
    EXPECT_TRUE(ReplyPayloadAcceptable(9, {}));
    EXPECT_TRUE(ReplyPayloadAcceptable(23, {}));
    EXPECT_FALSE(ReplyPayloadAcceptable(26, std::vector<uint8_t>{0}));
    EXPECT_FALSE(ReplyPayloadAcceptable(32, std::vector<uint8_t>(100)));
    EXPECT_FALSE(ReplyPayloadAcceptable(-1, std::vector<uint8_t>(100)));
}

TEST(ReplyLength, LayerSourcesNeedThreeBytesPerCountedLayer) {
    std::vector<uint8_t> p{4};
    p.resize(12);
    EXPECT_FALSE(ReplyPayloadAcceptable(14, p));
    p.resize(13);
    EXPECT_TRUE(ReplyPayloadAcceptable(14, p));
    EXPECT_TRUE(ReplyPayloadAcceptable(14, std::vector<uint8_t>{0}));
    std::vector<uint8_t> huge{255};
    huge.resize(765);
    EXPECT_FALSE(ReplyPayloadAcceptable(14, huge));
}

TEST(ReplyLength, DeviceInfoNeedsAZeroInsideItsIpText) {
    std::vector<uint8_t> p(22, 0);
    const std::string ip = "127.0.0.21";
    std::copy(ip.begin(), ip.end(), p.begin());
    EXPECT_TRUE(ReplyPayloadAcceptable(27, p));
    std::fill(p.begin(), p.begin() + 16, uint8_t{'1'});
    EXPECT_FALSE(ReplyPayloadAcceptable(27, p));
    p[15] = 0;
    EXPECT_TRUE(ReplyPayloadAcceptable(27, p));
}
