// The reply callbacks against the real link library and the simulated processor: connect, read
// the whole state, let every follow-up query be answered, and compare the state with the device's.
#include "../replies/RecordingMainDialog.h"
#include "app/AppGlobals.h"
#include "app/CommLink.h"
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/MachineAtWork.h"
#include "app/ReplyCallbacks.h"
#include "app/ReplySleep.h"
#include "app/comm_link_real/RealCommLink.h"
#include "support/DevsimProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

// A device state whose every field agrees with what the device reports later on its own
// slots, so that after all follow-up answers the program's block must equal the device's.
StateBlock DeviceBlock() {
    StateBlock b{};
    auto* bytes = reinterpret_cast<uint8_t*>(&b);
    for (size_t i = 0; i < sizeof b; ++i) bytes[i] = static_cast<uint8_t>(0xA0 | (i & 0x0F)); // reserved too
    b.OutputTiming = {10, 1920, 1080, 6000, 2200, 1125, 44, 5, 148, 36, 1, 1};
    b.Gamma = 2.2f;
    const uint8_t sources[4] = {1, 0, 2, 5};
    for (int l = 0; l < 4; ++l) {
        b.LayerWindow[l].Enable = l < 2;
        b.LayerWindow[l].Alpha = 64;
        b.LayerWindow[l].Source = sources[l];
    }
    const uint32_t cards[8] = {4, 6, 4, 6, 8, 7, 6, 9};
    const uint8_t present[8] = {1, 1, 0, 0, 1, 0, 0, 0};
    for (int s = 0; s < 8; ++s) {
        b.InputCardType[s] = cards[s];
        b.InputSignalPresent[s] = present[s];
        b.InputSignal[s] = {static_cast<uint8_t>(s), 0, 1920, 1080, 6000, 0, 0}; // the signal reply carries the slot
        for (int l = 0; l < 4; ++l) {
            auto& crop = b.CropRect[4 * s + l];
            crop.HStart = 10;
            crop.VStart = 20;
            crop.Width = 1280;
            crop.Height = 720;
            crop.SourceWidth = 1920;
            crop.SourceHeight = 1080;
        }
    }
    b.DpSplit[0] = b.DpSplit[1] = 0;
    const uint8_t edidInputs[7] = {0, 1, 2, 3, 4, 6, 7};
    for (int k = 0; k < 7; ++k) b.EdidEntry[k] = {edidInputs[k], 0, 1920, 1080, 6000, 280, 45};
    b.ExtensionCardInfo = {};
    b.ExtensionCardInfo.Present = 1;
    b.ExtensionCardInfo.InputSource[0] = 6; // the HDMI option card in slot 6, source 0 active
    b.ExtensionCardInfo.InputSource[1] = 6;
    b.ExtensionCardInfo.ActiveSource = 0;
    b.ExtensionCardInfo.HActive = 1920;
    b.ExtensionCardInfo.VActive = 1080;
    b.ExtensionCardInfo.FrameRate = 6000;
    b.ExtensionCardInfo.Signal = 0;
    b.ExtensionCardInfo.DualMode = 0;
    b.ExtensionCardInfo.Mode = 1;
    b.FreezeState = 0;
    return b;
}

uint8_t LastOctet(const std::string& ip) {
    in_addr a{};
    inet_pton(AF_INET, ip.c_str(), &a);
    return static_cast<uint8_t>(ntohl(a.s_addr) & 0xFF);
}

size_t CountOf(const std::vector<std::string>& calls, const std::string& call) {
    return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
}

} // namespace

TEST(ReplyEndToEnd, ReadAllAndEveryFollowUpLeaveTheDevicesState) {
    ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
    testsupport::ScratchFolder scratch;
    const StateBlock device = DeviceBlock();
    const std::string statePath = scratch.Path() + "state.bin";
    {
        std::ofstream out(statePath, std::ios::binary);
        out.write(reinterpret_cast<const char*>(&device), sizeof device);
    }
    const std::string ip = testsupport::FreeDeviceAddress(37);
    testsupport::DevsimProcess devsim;
    ASSERT_TRUE(devsim.Start({"--device", ip, "--state", statePath}));

    ResetDeviceState();
    RecordingMainDialog dialog;
    TheMainDialog = &dialog;
    RealCommLink link;
    SetCommLink(&link);
    RegisterReplyCallbacks();
    ResetMachineAtWork();
    ASSERT_EQ(link.ConnectNet(ip, DevicePort), 0);
    MakeNetworkMachineAtWork(ip);

    auto pumpUntil = [&](auto done, int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            link.DispatchReplies();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    };
    ASSERT_TRUE(pumpUntil([&] { return CountOf(dialog.Calls, "route 0 0") > 0; }, 5000)) << "no connection report";
    EXPECT_TRUE(LastMachineAnswer().Connected);

    ASSERT_EQ(GetDeviceState().SendCommand(CmdReadAll), 0);
    // Every query that the full state and its answers bring on is answered: the caption (70),
    // the encoder's three parts (66), the extension card (67) and its EDID (50) and sources (57),
    // presets (62), switcher (60), feathering (73), freeze (68), and the three live signals (48).
    auto allAnswered = [&] {
        const auto& c = dialog.Calls;
        return CountOf(c, "route 2 0") == 1 && CountOf(c, "route 25 0") == 1 && CountOf(c, "encoder page") == 3 &&
               CountOf(c, "end signal switch wait") == 1 && CountOf(c, "route 6 0") == 1 &&
               CountOf(c, "route 14 0") == 1 && CountOf(c, "route 17 0") == 1 && CountOf(c, "route 20 0") == 1 &&
               CountOf(c, "route 30 0") == 1 && CountOf(c, "route 31 0") == 1 && CountOf(c, "route 4 0") == 3;
    };
    ASSERT_TRUE(pumpUntil(allAnswered, 10000)) << ::testing::PrintToString(dialog.Calls);

    const auto& s = GetDeviceState();
    EXPECT_EQ(std::memcmp(static_cast<const StateBlock*>(&s), &device, sizeof device), 0);
    for (size_t i = 0; i < sizeof device; ++i) {
        const auto mine = reinterpret_cast<const uint8_t*>(static_cast<const StateBlock*>(&s))[i];
        const auto theirs = reinterpret_cast<const uint8_t*>(&device)[i];
        if (mine != theirs) {
            ADD_FAILURE() << "first difference at byte " << i;
            break;
        }
    }
    EXPECT_EQ(LastMachineAnswer().Id, DeviceId);
    EXPECT_EQ(s.InputTable[6].Name, " DVI-3*") << "the extension card's report names its input";
    EXPECT_EQ(s.InputTable[7].Name, " UDISK-2");
    EXPECT_EQ(s.InputTable[7].Present, 1u);
    EXPECT_EQ(s.InputSignal[4].HActive, 1920);
    EXPECT_EQ(s.EncoderReply[0], 1) << "the encoder chain ends with its version";

    link.Close();
    SetCommLink(nullptr);
    TheMainDialog = nullptr;
    devsim.Stop();
}

namespace {

// Notes, for every connection status and device answer, which machine it came from.
class MachineNotingDialog : public RecordingMainDialog {
public:
    std::vector<unsigned> StatusFrom, OnlineFrom;
    void OnDeviceReply(uint32_t slot, int32_t argument) override {
        if (slot == 0) StatusFrom.push_back(LastMachineAnswer().Id);
        if (slot == 23) OnlineFrom.push_back(LastMachineAnswer().Id);
        RecordingMainDialog::OnDeviceReply(slot, argument);
    }
};

size_t Seen(const std::vector<unsigned>& ids, unsigned id) {
    return static_cast<size_t>(std::count(ids.begin(), ids.end(), id));
}

} // namespace

TEST(ReplyEndToEnd, AMachineThatIsNotControlledFeedsTheMachineListAndNothingElse) {
    ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
    const std::string controlledIp = testsupport::FreeDeviceAddress(37);
    const std::string otherIp = testsupport::FreeDeviceAddress(38);
    const std::vector<std::string> otherArgs = {"--device", otherIp}; // no preview: its HELLO says off
    testsupport::DevsimProcess controlledDevice, otherDevice;
    ASSERT_TRUE(controlledDevice.Start(
        {"--device", controlledIp, "--preview", std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
    ASSERT_TRUE(otherDevice.Start(otherArgs));

    ResetDeviceState();
    MachineNotingDialog dialog;
    TheMainDialog = &dialog;
    RealCommLink link;
    SetCommLink(&link);
    RegisterReplyCallbacks();
    const uint8_t controlledId = LastOctet(controlledIp), otherId = LastOctet(otherIp);
    ASSERT_EQ(link.SetTargets({controlledId, otherId}), 0);
    ASSERT_EQ(link.ConnectNet(controlledIp, DevicePort), 0);
    ASSERT_EQ(link.ConnectNet(otherIp, DevicePort), 0);
    ResetMachineAtWork();
    MakeNetworkMachineAtWork(controlledIp);
    ASSERT_EQ(DeviceId, controlledId);

    auto pumpUntil = [&](auto done, int timeoutMs) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            link.DispatchReplies();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return done();
    };
    // Both machines are heard by the machine list: connection status and answers to PING.
    ASSERT_TRUE(pumpUntil([&] { return Seen(dialog.StatusFrom, otherId) && Seen(dialog.OnlineFrom, otherId) &&
                                       Seen(dialog.StatusFrom, controlledId) && CountOf(dialog.Calls, "route 1 0"); },
                          10000))
        << ::testing::PrintToString(dialog.Calls);
    EXPECT_EQ(GetDeviceState().PreviewEnabled, 1) << "the controlled machine streams its preview";

    // The other machine restarts: it is reported lost and back, and its HELLO says preview off.
    const size_t previewStates = CountOf(dialog.Calls, "route 1 0");
    otherDevice.Kill();
    ASSERT_TRUE(otherDevice.Start(otherArgs));
    const size_t statusBefore = Seen(dialog.StatusFrom, otherId);
    const size_t onlineBefore = Seen(dialog.OnlineFrom, otherId);
    ASSERT_TRUE(pumpUntil([&] { return Seen(dialog.StatusFrom, otherId) >= statusBefore + 2 &&
                                       Seen(dialog.OnlineFrom, otherId) > onlineBefore; },
                          10000))
        << ::testing::PrintToString(dialog.StatusFrom);
    pumpUntil([] { return false; }, 300); // whatever else it sent is dispatched too
    EXPECT_EQ(GetDeviceState().PreviewEnabled, 1) << "another machine's HELLO turned the preview off";
    EXPECT_EQ(CountOf(dialog.Calls, "route 1 0"), previewStates) << "only the controlled machine's preview state";
    // The controlled machine's stream still reaches the preview.
    const size_t packets = std::count_if(dialog.Calls.begin(), dialog.Calls.end(),
                                         [](const std::string& c) { return c.rfind("preview 0 ", 0) == 0; });
    EXPECT_GT(packets, 0u);

    link.Close();
    SetCommLink(nullptr);
    TheMainDialog = nullptr;
}
