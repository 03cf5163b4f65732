#include "platform/os/SerialPortWatcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <vector>

namespace fs = std::filesystem;

namespace {
struct Events {
    std::mutex Lock;
    std::condition_variable Changed;
    std::vector<unsigned> Got;

    void Add(unsigned event) {
        std::lock_guard<std::mutex> hold(Lock);
        Got.push_back(event);
        Changed.notify_all();
    }
    // The next event, or 0 when none comes within the limit.
    unsigned Next(std::size_t& seen) {
        std::unique_lock<std::mutex> hold(Lock);
        if (!Changed.wait_for(hold, std::chrono::seconds(5), [&] { return Got.size() > seen; })) return 0;
        return Got[seen++];
    }
};
} // namespace

// A link in "Ports" stands for a port while its device is there; the folder itself may come later.
TEST(SerialPortWatcher, LinksAndTheirDevicesComingAndGoingAreReported) {
    std::string pattern = (fs::temp_directory_path() / "velkan-ports-XXXXXX").string();
    const fs::path home = mkdtemp(pattern.data());
    const fs::path ports = home / "Ports", device = home / "dev" / "ttyFake0";
    fs::create_directories(device.parent_path());
    std::ofstream(device.string()) << "";
    Events events;
    SerialPortWatcher watcher(
        home.string() + "/", [&] { return MergeSerialPorts(ports.string(), {}); },
        [&](unsigned event) { events.Add(event); });
    ASSERT_TRUE(watcher.IsWatching());

    struct Step {
        const char* What;
        std::function<void()> Do;
        unsigned Expected;
    };
    const Step steps[] = {
        {"Ports folder and a link made",
         [&] {
             fs::create_directory(ports);
             fs::create_symlink(device, ports / "COM7");
         },
         SerialPortArrived},
        {"device gone, link left", [&] { fs::remove(device); }, SerialPortRemoved},
        {"device back", [&] { std::ofstream(device.string()) << ""; }, SerialPortArrived},
        {"link removed", [&] { fs::remove(ports / "COM7"); }, SerialPortRemoved},
        {"link made again", [&] { fs::create_symlink(device, ports / "COM9"); }, SerialPortArrived},
        {"Ports folder removed", [&] { fs::remove_all(ports); }, SerialPortRemoved},
    };
    std::size_t seen = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.What);
        step.Do();
        EXPECT_EQ(events.Next(seen), step.Expected);
    }
    fs::remove_all(home);
}
