#include "LinkFixture.h"

#include <algorithm>

using testsupport::RecordedReply;

TEST_F(LinkTest, SearchFindsBothDevicesWithTheirAddressesAndMacs) {
    const auto ips = StartDevices({21, 22});
    ASSERT_EQ(VelkComm_SelectLocalAdapter("127.0.0.1"), 0);
    auto block = Block();
    block[0] = 255;
    ASSERT_EQ(VelkComm_SendCommand(69, block.data(), 255), 0);

    auto found = [&](const std::string& ip) {
        const auto answers = recorder->OfSlot(27);
        return std::find_if(answers.begin(), answers.end(), [&](const RecordedReply& r) { return r.ipText == ip; }) !=
               answers.end();
    };
    // Devices of other tests may answer as well; ours must be among the answers.
    ASSERT_TRUE(recorder->PumpUntil([&] { return found(ips[0]) && found(ips[1]); }, 5000));
    for (const auto& r : recorder->OfSlot(27)) {
        for (size_t d = 0; d < ips.size(); ++d) {
            if (r.ipText != ips[d]) continue;
            const std::vector<uint8_t> mac{0x02, 0x56, 0x4C, 0x4B, 0x00, LastOctet(ips[d])};
            EXPECT_EQ(r.data, mac) << ips[d];
        }
    }
    // The search went by datagram, never over a link: every device logged command 69 addressed to 255.
    const auto log = testsupport::ReadDevsimLog(logPath);
    int searches = 0;
    for (const auto& f : log)
        if (f.type == 1 && f.payload.size() == 36 && f.payload[0] == 69 && f.target == 255) ++searches;
    EXPECT_EQ(searches, 2);
}

TEST_F(LinkTest, SearchOnAnAddressOfNoLocalAdapterIsRefused) {
    EXPECT_EQ(VelkComm_SelectLocalAdapter("not an address"), -1);
    EXPECT_EQ(VelkComm_SelectLocalAdapter("192.0.2.77"), -1); // documentation range, on no adapter here
}
