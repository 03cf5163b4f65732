#include "LinkFixture.h"

#include <chrono>
#include <thread>

TEST_F(LinkTest, ConnectReportsConnectedThenPreviewState) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    const auto& all = recorder->Replies();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0].slot, 0);
    EXPECT_EQ(all[0].data, std::vector<uint8_t>{1});
    EXPECT_EQ(all[0].id, 21u);
    EXPECT_EQ(all[1].slot, 1);
    EXPECT_EQ(all[1].id, 21u);
}

TEST_F(LinkTest, ConnectingAgainSendsHelloAgainOnTheSameLink) {
    const auto ips = StartDevices({21});
    ASSERT_EQ(VelkComm_ConnectNet(ips[0].c_str(), 61213), 0);
    ASSERT_TRUE(WaitForSlot(0, 1));
    ASSERT_EQ(VelkComm_ConnectNet(ips[0].c_str(), 61213), 0);
    ASSERT_TRUE(WaitForSlot(0, 2));
    for (const auto& r : recorder->OfSlot(0)) EXPECT_EQ(r.data, std::vector<uint8_t>{1});
    int hellos = 0;
    for (const auto& f : testsupport::ReadDevsimLog(logPath)) hellos += f.type == 4;
    EXPECT_EQ(hellos, 2);
}

TEST_F(LinkTest, SelectDeviceOpensTheLinkOnTheStandardPort) {
    const auto ips = StartDevices({33});
    ASSERT_EQ(VelkComm_SelectDevice(ips[0].c_str()), 0);
    ASSERT_TRUE(WaitForSlot(0, 1));
    EXPECT_EQ(recorder->OfSlot(0)[0].id, 33u);
    EXPECT_EQ(VelkComm_SelectDevice("300.1.1.1"), -1);
}

TEST_F(LinkTest, DisconnectSaysGoodbyeAndReportsNoLoss) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    ASSERT_EQ(VelkComm_DisconnectNet(ips[0].c_str()), 0);
    recorder->PumpFor(1500); // longer than the shortened silence limit
    ASSERT_EQ(recorder->OfSlot(0).size(), 1u);
    EXPECT_EQ(recorder->OfSlot(0)[0].data, std::vector<uint8_t>{1});
    // Searches of tests running beside this one may reach the device too: look at the link's frames only.
    std::vector<testsupport::LoggedFrame> log;
    for (auto& f : testsupport::ReadDevsimLog(logPath))
        if (f.target == 21) log.push_back(f);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().type, 6u); // BYE
    EXPECT_EQ(VelkComm_DisconnectNet(ips[0].c_str()), -1);
    EXPECT_EQ(VelkComm_SendCommand(0, Block().data(), 21), -1);
}

TEST_F(LinkTest, NothingIsDeliveredAfterClose) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    const int before = recorder->Notifications();
    for (int i = 0; i < 20; ++i) ASSERT_EQ(VelkComm_SendCommand(65, Block().data(), 21), 0);
    // Answers are waiting once the library has announced them (nothing dispatches them here).
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (recorder->Notifications() == before && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_GT(recorder->Notifications(), before) << "no answer arrived";
    VelkComm_Close();
    EXPECT_EQ(VelkComm_DispatchReplies(), 0);
    EXPECT_TRUE(recorder->OfSlot(19).empty());
}

TEST_F(LinkTest, VersionIsOneDotZero) {
    uint8_t version[2] = {9, 9};
    ASSERT_EQ(VelkComm_GetVersion(version, 2), 0);
    EXPECT_EQ(version[0], 1);
    EXPECT_EQ(version[1], 0);
    EXPECT_EQ(VelkComm_GetVersion(version, 1), -1);
    EXPECT_EQ(VelkComm_GetVersion(nullptr, 2), -1);
}

TEST_F(LinkTest, CallbacksRunOnlyOnTheDispatchingThread) {
    const auto ips = StartDevices({21, 22});
    const uint8_t ids[] = {21, 22};
    VelkComm_SetTargets(2, ids);
    for (const auto& ip : ips) ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
    ASSERT_EQ(VelkComm_SelectDevice(ips[0].c_str()), 0);
    ASSERT_TRUE(WaitForSlot(0, 2));
    ASSERT_TRUE(WaitForSlot(1, 1));
    for (int i = 0; i < 50; ++i) VelkComm_SendCommand(57, Block().data(), 255);
    ASSERT_TRUE(WaitForSlot(14, 50));
    const auto me = std::this_thread::get_id();
    for (const auto& r : recorder->Replies()) EXPECT_EQ(r.thread, me) << "slot " << r.slot;
    EXPECT_GT(recorder->Notifications(), 0);
    EXPECT_NE(recorder->NotifierThread(), me);
}
