// The highest command rate the link sustains without loss: bursts of commands at rising rates
// to the simulated processor on loopback, each carrying a sequence number, while the replies are
// dispatched as the program's UI thread does. A rate counts when the device logged every command
// of the burst, in order, and the link never reported a loss.
#include "platform/comm/VelkComm.h"
#include "support/DevsimProcess.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

int losses = 0;
int replies = 0;
void OnStatus(const uint8_t* data, uint8_t) {
    if (data[0] == 0) ++losses;
}
void OnAnswer(const uint8_t*, uint8_t) { ++replies; }

// Command 65 asks for the system information; bytes 4..7 of its block, unread by the device,
// carry the sequence number.
constexpr uint32_t BurstCommand = 65;

std::vector<uint32_t> LoggedSequence(const std::string& log, uint32_t first) {
    std::vector<uint32_t> seen;
    for (const auto& frame : testsupport::ReadDevsimLog(log)) {
        if (frame.type != 1 || frame.payload.size() < 36 || frame.payload[0] != BurstCommand) continue;
        const uint8_t* b = frame.payload.data() + 4;
        const uint32_t n = uint32_t(b[4]) | uint32_t(b[5]) << 8 | uint32_t(b[6]) << 16 | uint32_t(b[7]) << 24;
        if (n >= first) seen.push_back(n);
    }
    return seen;
}

struct BurstResult {
    double achievedPerSecond = 0;
    bool complete = false;
};

// Sends `count` commands paced at `rate` per second (0: as fast as possible).
BurstResult Burst(const std::string& log, uint32_t& sequence, int count, double rate) {
    const uint32_t first = sequence;
    const int lossesBefore = losses;
    std::vector<uint8_t> block(32, 0);
    const auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
        if (rate > 0) {
            const auto due = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(i / rate));
            while (Clock::now() < due) VelkComm_DispatchReplies();
        }
        const uint32_t n = sequence++;
        for (int k = 0; k < 4; ++k) block[size_t(4 + k)] = static_cast<uint8_t>(n >> (8 * k));
        VelkComm_SendCommand(BurstCommand, block.data(), 255);
        VelkComm_DispatchReplies();
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    // Everything sent must reach the device's log; the link must not have been lost meanwhile.
    std::vector<uint32_t> seen;
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    while (Clock::now() < deadline) {
        VelkComm_DispatchReplies();
        seen = LoggedSequence(log, first);
        if (seen.size() >= size_t(count)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    bool inOrder = seen.size() == size_t(count);
    for (size_t i = 0; inOrder && i < seen.size(); ++i) inOrder = seen[i] == first + i;
    return {count / seconds, inOrder && losses == lossesBefore};
}

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::max(0.2, std::atof(argv[1])) : 1.0;
    const std::string ip = testsupport::FreeDeviceAddress(21);
    const std::string log = "/tmp/velkan-burst-bench-" + std::to_string(getpid()) + ".log";
    std::remove(log.c_str());
    testsupport::DevsimProcess devsim;
    if (!devsim.Start({"--device", ip, "--log", log})) {
        std::fprintf(stderr, "devsim did not start\n");
        return 1;
    }
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnStatus), 0);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnAnswer), 19);
    const uint8_t id = static_cast<uint8_t>(std::atoi(ip.substr(ip.rfind('.') + 1).c_str()));
    VelkComm_SetTargets(1, &id);
    VelkComm_SelectDevice(ip.c_str()); // opens the link; the machine at work is heard in full
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    VelkComm_DispatchReplies();

    uint32_t sequence = 1;
    double best = 0;
    std::printf("%12s %14s %10s\n", "asked/s", "achieved/s", "complete");
    for (double rate : {500.0, 1000.0, 2000.0, 5000.0, 10000.0, 20000.0, 50000.0, 0.0}) {
        const int count = rate > 0 ? int(rate * seconds) : int(50000 * seconds);
        const BurstResult r = Burst(log, sequence, count, rate);
        std::printf("%12s %14.0f %10s\n", rate > 0 ? std::to_string(int(rate)).c_str() : "unpaced", r.achievedPerSecond,
                    r.complete ? "yes" : "NO");
        if (r.complete) best = std::max(best, r.achievedPerSecond);
    }
    std::printf("highest rate without loss: %.0f commands/s (%d replies dispatched)\n", best, replies);
    VelkComm_Close();
    std::remove(log.c_str());
    return 0;
}
