// Round trip of the device link against the simulated processor on loopback:
// VelkComm_SendCommand -> reply callback on the dispatching thread, and a whole-state read.
#include "platform/comm/VelkComm.h"
#include "support/DevsimProcess.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

std::mutex mutex;
std::condition_variable wake;
bool notified = false;
int answers = 0;

void Notify(void*) {
    std::lock_guard lock(mutex);
    notified = true;
    wake.notify_one();
}
void OnAnswer(const uint8_t*, uint8_t) { ++answers; }

// Waits for the notifier and dispatches, as the program's UI thread does, until `count` answers came.
bool PumpUntil(int count) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (answers < count) {
        std::unique_lock lock(mutex);
        if (!wake.wait_until(lock, deadline, [] { return notified; })) return false;
        notified = false;
        lock.unlock();
        VelkComm_DispatchReplies();
    }
    return true;
}

long StatusKb(const std::string& path, const std::string& key) {
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0) return std::stol(line.substr(key.size() + 1));
    return -1;
}

void Report(const char* what, std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    const auto at = [&](double q) { return us[std::min(us.size() - 1, static_cast<size_t>(q * double(us.size())))]; };
    std::printf("%-34s n=%zu  median %.1f us  p99 %.1f us  max %.1f us\n", what, us.size(), at(0.5), at(0.99),
                us.back());
}

// Runs `count` requests of `command`, each answered on `slot`; returns the microseconds per round trip.
std::vector<double> Measure(uint32_t command, int slot, int count, uint8_t id) {
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnAnswer), slot);
    const std::vector<uint8_t> block(32, 0x55);
    std::vector<double> us;
    us.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int before = answers;
        const auto t0 = Clock::now();
        if (VelkComm_SendCommand(command, block.data(), id) != 0 || !PumpUntil(before + 1)) {
            std::fprintf(stderr, "command %u: no answer at %d\n", command, i);
            break;
        }
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - t0).count());
    }
    VelkComm_RegisterCallback(nullptr, slot);
    return us;
}

} // namespace

int main(int argc, char** argv) {
    const int commands = argc > 1 ? std::max(10000, std::atoi(argv[1])) : 20000;
    const std::string ip = testsupport::FreeDeviceAddress(21);
    testsupport::DevsimProcess devsim;
    if (!devsim.Start({"--device", ip})) {
        std::fprintf(stderr, "devsim did not start\n");
        return 1;
    }
    VelkComm_SetReplyNotifier(&Notify, nullptr);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnAnswer), 0);
    VelkComm_SelectDevice(ip.c_str()); // opens the link; the machine at work is heard in full
    if (!PumpUntil(1)) {
        std::fprintf(stderr, "no connection\n");
        return 1;
    }
    VelkComm_RegisterCallback(nullptr, 0);

    const std::string devsimStatus = "/proc/" + std::to_string(devsim.Pid()) + "/status";
    Measure(65, 19, 1000, 21); // warm-up
    const long rssStart = StatusKb("/proc/self/status", "VmRSS");
    const long devsimStart = StatusKb(devsimStatus, "VmRSS");
    auto roundTrip = Measure(65, 19, commands, 21);
    const long rssMiddle = StatusKb("/proc/self/status", "VmRSS");
    auto fullState = Measure(0, 2, commands / 4, 21);
    const long rssEnd = StatusKb("/proc/self/status", "VmRSS");
    Report("command 65 -> slot 19 callback", roundTrip);
    Report("command 0 -> slot 2 (2360 bytes)", fullState);
    std::printf("program RSS: %ld kB before, %ld kB after round trips, %ld kB at end; peak %ld kB\n", rssStart,
                rssMiddle, rssEnd, StatusKb("/proc/self/status", "VmHWM"));
    std::printf("devsim RSS: %ld kB before, %ld kB at end; peak %ld kB\n", devsimStart,
                StatusKb(devsimStatus, "VmRSS"), StatusKb(devsimStatus, "VmHWM"));
    VelkComm_Close();
    return 0;
}
