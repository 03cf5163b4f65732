// Starts the simulated processor for a test and stops it again.
#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// A loopback address 127.a.b.<id> whose TCP port 61213 is free, so tests running side by side
// never share a device. The id (last octet) is what the program addresses.
std::string FreeDeviceAddress(uint8_t id);

class DevsimProcess {
public:
    DevsimProcess() = default;
    ~DevsimProcess();
    DevsimProcess(const DevsimProcess&) = delete;
    DevsimProcess& operator=(const DevsimProcess&) = delete;

    // Runs velkan-devsim with these arguments and waits until it says it is ready.
    bool Start(const std::vector<std::string>& args);
    // SIGTERM and wait; SIGKILL when it does not end.
    void Stop();
    // SIGKILL at once, as a device that loses power.
    void Kill();
    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
};

// Lines of a devsim --log file: "<device id> <frame type> <target id> <payload hex>".
struct LoggedFrame {
    unsigned device = 0;
    unsigned type = 0;
    unsigned target = 0;
    std::vector<uint8_t> payload;
};
std::vector<LoggedFrame> ReadDevsimLog(const std::string& path);
// The 32-byte parameter blocks of the commands with this number in a devsim --log file, in the
// order the device received them.
std::vector<std::vector<uint8_t>> ReceivedCommands(const std::string& path, uint32_t command);

// Writes the state block that devsim starts from (--state) to path; returns the path.
template <typename Block>
std::string WriteStateFile(const std::string& path, const Block& block) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(block.data()), static_cast<std::streamsize>(block.size()));
    return path;
}

// A scratch folder removed when the object goes.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& Path() const { return path_; } // ends in '/'
private:
    std::string path_;
};

} // namespace testsupport
