#include "LinkFixture.h"

#include <filesystem>

TEST_F(LinkTest, SerialLinkOverAPseudoTerminalPair) {
    const std::string home = scratch.Path();
    std::filesystem::create_directories(home + "Ports");
    const std::string deviceEnd = home + "device-end";
    PtyPair pair(home + "Ports/COM7", deviceEnd);
    ASSERT_TRUE(std::filesystem::exists(home + "Ports/COM7"));
    ::setenv("VELKAN_HOME", home.c_str(), 1);
    ASSERT_TRUE(devsim.Start({"--log", logPath, "--serial", deviceEnd, "--serial-id", "9"}));

    const uint8_t any[] = {255};
    ASSERT_EQ(VelkComm_SetTargets(1, any), 0);
    EXPECT_EQ(VelkComm_OpenCom(8, 76800), 0); // no such port
    const intptr_t handle = VelkComm_OpenCom(7, 76800); // between the standard rates
    ASSERT_NE(handle, 0);
    ASSERT_TRUE(WaitForSlot(1, 1));
    EXPECT_EQ(recorder->OfSlot(0)[0].data, std::vector<uint8_t>{1});
    EXPECT_EQ(recorder->OfSlot(0)[0].id, 9u);

    // Every frame goes to the serial port with id 255, whatever id the caller gives.
    ASSERT_EQ(VelkComm_SendCommand(65, Block().data(), 110), 0);
    ASSERT_TRUE(WaitForSlot(19, 1));
    EXPECT_EQ(recorder->OfSlot(19)[0].id, 9u);
    std::vector<uint8_t> block(2360, 0x3C);
    ASSERT_EQ(VelkComm_SendStateBlock(block.data(), 21), 0);
    ASSERT_TRUE(WaitForSlot(24, 1));
    const auto log = testsupport::ReadDevsimLog(logPath);
    ASSERT_GE(log.size(), 3u);
    for (const auto& f : log) EXPECT_EQ(f.target, 255u);
    EXPECT_EQ(log[0].type, 4u); // HELLO first
    bool stateLogged = false;
    for (const auto& f : log) stateLogged |= f.type == 2 && f.payload == block;
    EXPECT_TRUE(stateLogged);

    ASSERT_EQ(VelkComm_CloseCom(), 0);
    EXPECT_EQ(VelkComm_CloseCom(), -1);
    recorder->PumpFor(300);
    EXPECT_EQ(testsupport::ReadDevsimLog(logPath).back().type, 6u); // BYE
    EXPECT_EQ(VelkComm_SendCommand(65, Block().data(), 110), -1);   // no link left
}

TEST_F(LinkTest, ASilentSerialLineIsReportedLostAndBackWithTheNextFrame) {
    const std::string home = scratch.Path();
    std::filesystem::create_directories(home + "Ports");
    const std::string deviceEnd = home + "device-end";
    PtyPair pair(home + "Ports/COM3", deviceEnd);
    ::setenv("VELKAN_HOME", home.c_str(), 1);
    ASSERT_TRUE(devsim.Start({"--log", logPath, "--serial", deviceEnd, "--serial-id", "9", "--silent"}));
    const uint8_t any[] = {255};
    VelkComm_SetTargets(1, any);
    ASSERT_NE(VelkComm_OpenCom(3, 115200), 0);
    ASSERT_TRUE(WaitForSlot(1, 1));
    // No PING is answered: after the silence limit the line is reported lost, once, as id 255.
    ASSERT_TRUE(WaitForSlot(0, 2, 3000));
    EXPECT_EQ(recorder->OfSlot(0)[1].data, std::vector<uint8_t>{0});
    EXPECT_EQ(recorder->OfSlot(0)[1].id, 255u);
    recorder->PumpFor(1200);
    EXPECT_EQ(recorder->OfSlot(0).size(), 2u);
    // The line stays open; the device's next frame brings it back before that frame is delivered.
    ASSERT_EQ(VelkComm_SendCommand(65, Block().data(), 110), 0);
    ASSERT_TRUE(WaitForSlot(19, 1));
    ASSERT_EQ(recorder->OfSlot(0).size(), 3u);
    EXPECT_EQ(recorder->OfSlot(0)[2].data, std::vector<uint8_t>{1});
    EXPECT_EQ(recorder->OfSlot(0)[2].id, 255u);
    const auto& all = recorder->Replies();
    EXPECT_EQ(all[all.size() - 2].slot, 0);
    EXPECT_EQ(all.back().slot, 19);
}
