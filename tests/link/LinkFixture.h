// Common ground of the link tests: short keep-alive timings, a recorder, devices on free addresses.
#pragma once
#include "platform/comm/VelkComm.h"
#include "support/DevsimProcess.h"
#include "support/ReplyRecorder.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char** environ;

// Keep-alive at a tenth of the real timings: PING every 300 ms, loss after 1 s, reconnect every 500 ms.
inline void UseShortLinkTimings() { ::setenv("VELKCOMM_TIMING_SCALE", "0.1", 1); }

inline uint8_t LastOctet(const std::string& ip) {
    in_addr a{};
    inet_pton(AF_INET, ip.c_str(), &a);
    return static_cast<uint8_t>(ntohl(a.s_addr) & 0xFF);
}

// A socat pseudo-terminal pair: the program's end and the device's end.
class PtyPair {
public:
    PtyPair(const std::string& programEnd, const std::string& deviceEnd) {
        std::vector<std::string> args{"socat", "pty,raw,echo=0,link=" + programEnd,
                                      "pty,raw,echo=0,link=" + deviceEnd};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawnp(&pid_, "socat", nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
        for (int i = 0; i < 200 && !(std::filesystem::exists(programEnd) && std::filesystem::exists(deviceEnd)); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ~PtyPair() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

private:
    pid_t pid_ = -1;
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The library reads its timings once, when first used: set them before anything else.
        if (shortTimings) UseShortLinkTimings();
        else ::unsetenv("VELKCOMM_TIMING_SCALE");
        recorder.emplace();
        logPath = scratch.Path() + "devsim.log";
    }
    void TearDown() override {
        VelkComm_Close();
        recorder.reset();
    }

    // Starts devsim with devices on fresh addresses for the given ids, logging every frame.
    std::vector<std::string> StartDevices(const std::vector<uint8_t>& ids, std::vector<std::string> extra = {}) {
        std::vector<std::string> ips;
        std::vector<std::string> args{"--log", logPath};
        for (uint8_t id : ids) {
            ips.push_back(testsupport::FreeDeviceAddress(id));
            args.push_back("--device");
            args.push_back(ips.back());
        }
        args.insert(args.end(), extra.begin(), extra.end());
        EXPECT_TRUE(devsim.Start(args));
        return ips;
    }

    // Opens the link to the machine and makes it the one at work, so that all its replies are delivered.
    static void ConnectAndChoose(const std::string& ip) {
        ASSERT_EQ(VelkComm_ConnectNet(ip.c_str(), 61213), 0);
        ASSERT_EQ(VelkComm_SelectDevice(ip.c_str()), 0);
    }

    bool WaitForSlot(int slot, size_t count, int timeoutMs = 5000) {
        return recorder->PumpUntil([&] { return recorder->OfSlot(slot).size() >= count; }, timeoutMs);
    }

    static std::vector<uint8_t> Block(uint8_t fill = 0x55) { return std::vector<uint8_t>(32, fill); }

    bool shortTimings = true;
    testsupport::ScratchFolder scratch;
    testsupport::DevsimProcess devsim;
    std::optional<testsupport::ReplyRecorder> recorder;
    std::string logPath;
};
