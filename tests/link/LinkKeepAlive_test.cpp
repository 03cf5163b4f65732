#include "LinkFixture.h"

namespace {

int CountStatus(const testsupport::ReplyRecorder& recorder, uint8_t status) {
    int n = 0;
    for (const auto& r : recorder.OfSlot(0)) n += r.data == std::vector<uint8_t>{status};
    return n;
}

} // namespace

TEST_F(LinkTest, PingKeepsAnAnsweringLinkAlive) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    recorder->PumpFor(2500); // two and a half silence limits
    EXPECT_EQ(CountStatus(*recorder, 0), 0);
    EXPECT_EQ(CountStatus(*recorder, 1), 1);
    EXPECT_FALSE(recorder->OfSlot(23).empty()); // the PINGs were answered
    int pings = 0;
    for (const auto& f : testsupport::ReadDevsimLog(logPath)) {
        if (f.type != 5) continue;
        ++pings;
        EXPECT_EQ(f.target, 21u);
        EXPECT_TRUE(f.payload.empty());
    }
    EXPECT_GE(pings, 1);
}

TEST_F(LinkTest, ASilentDeviceIsReportedLostOnce) {
    const auto ips = StartDevices({21}, {"--silent"});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    const auto lost = [&] { return CountStatus(*recorder, 0) >= 1; };
    ASSERT_TRUE(recorder->PumpUntil(lost, 3000));
    const auto report = recorder->OfSlot(0).back();
    EXPECT_EQ(report.id, 21u);
    recorder->PumpFor(800);
    EXPECT_EQ(CountStatus(*recorder, 0), 1);
}

TEST_F(LinkTest, AKilledDeviceIsReportedLostAndReconnectsWhenBack) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    devsim.Kill();
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 0) == 1; }, 3000));
    EXPECT_EQ(recorder->OfSlot(0).back().id, 21u);
    recorder->PumpFor(1200); // failed reconnects are not reported again
    EXPECT_EQ(CountStatus(*recorder, 0), 1);
    EXPECT_EQ(VelkComm_SendCommand(65, Block().data(), 21), -1);

    ASSERT_TRUE(devsim.Start({"--log", logPath, "--device", ips[0]}));
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 1) == 2; }, 3000));
    EXPECT_EQ(recorder->OfSlot(0).back().id, 21u);
    EXPECT_EQ(VelkComm_SendCommand(65, Block().data(), 21), 0);
    EXPECT_TRUE(WaitForSlot(19, 1));
}

TEST_F(LinkTest, ADroppedConnectionIsReportedAndReopened) {
    // The device hangs up after 3 frames: HELLO, and two commands.
    const auto ips = StartDevices({21}, {"--drop-after", "3"});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    VelkComm_SendCommand(65, Block().data(), 21);
    VelkComm_SendCommand(65, Block().data(), 21);
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 0) == 1; }, 3000));
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 1) == 2; }, 3000));
    int hellos = 0;
    for (const auto& f : testsupport::ReadDevsimLog(logPath)) hellos += f.type == 4;
    EXPECT_GE(hellos, 2);
}

TEST_F(LinkTest, AFailedFirstConnectIsReportedOnceAndRetried) {
    const std::string ip = testsupport::FreeDeviceAddress(44);
    ASSERT_EQ(VelkComm_SelectDevice(ip.c_str()), 0);
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 0) == 1; }, 3000));
    EXPECT_EQ(recorder->OfSlot(0)[0].id, 44u);
    ASSERT_TRUE(devsim.Start({"--log", logPath, "--device", ip}));
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 1) == 1; }, 3000));
    EXPECT_EQ(CountStatus(*recorder, 0), 1);
}

// The real timing, once: the first PING goes out 3 s after the connect.
class RealTimingLinkTest : public LinkTest {
protected:
    RealTimingLinkTest() { shortTimings = false; }
};

TEST_F(RealTimingLinkTest, FirstPingAfterThreeSeconds) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    recorder->PumpFor(2700);
    EXPECT_TRUE(recorder->OfSlot(23).empty());
    ASSERT_TRUE(WaitForSlot(23, 1, 1000));
    EXPECT_EQ(recorder->OfSlot(23)[0].id, 21u);
}

// The two timings far apart (PING every 1 s, loss after 20 s of silence, retry every 300 ms), so
// a library that swapped them would be seen: a lost link is retried at the reconnect interval,
// and only the silence time declares a quiet link lost.
class SeparateTimingLinkTest : public LinkTest {
protected:
    SeparateTimingLinkTest() { ::setenv("VELKCOMM_TIMING_MS", "1000,20000,300", 1); }
    ~SeparateTimingLinkTest() override { ::unsetenv("VELKCOMM_TIMING_MS"); }
};

TEST_F(SeparateTimingLinkTest, ALostLinkIsRetriedAtTheReconnectInterval) {
    const auto ips = StartDevices({21});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    devsim.Kill();
    ASSERT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 0) == 1; }, 3000));
    ASSERT_TRUE(devsim.Start({"--log", logPath, "--device", ips[0]}));
    // Retried every 300 ms, it is back long before the 20 s that the silence time would give.
    EXPECT_TRUE(recorder->PumpUntil([&] { return CountStatus(*recorder, 1) == 2; }, 4000));
}

TEST_F(SeparateTimingLinkTest, AQuietLinkIsLostOnlyAfterTheSilenceTime) {
    const auto ips = StartDevices({21}, {"--silent"});
    ConnectAndChoose(ips[0]);
    ASSERT_TRUE(WaitForSlot(1, 1));
    recorder->PumpFor(3000); // ten reconnect intervals, three unanswered PINGs
    EXPECT_EQ(CountStatus(*recorder, 0), 0);
}
