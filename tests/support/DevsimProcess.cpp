#include "support/DevsimProcess.h"

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <random>
#include <spawn.h>
#include <sstream>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace testsupport {

namespace {

bool PortFree(const std::string& ip) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(61213);
    inet_pton(AF_INET, ip.c_str(), &a.sin_addr);
    const bool ok = ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) == 0;
    ::close(fd);
    return ok;
}

} // namespace

std::string FreeDeviceAddress(uint8_t id) {
    static std::mt19937 random(static_cast<unsigned>(::getpid()) ^
                               static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> octet(1, 254);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string ip = "127." + std::to_string(octet(random)) + "." + std::to_string(octet(random)) + "." +
                               std::to_string(id);
        if (PortFree(ip)) return ip;
    }
    return "127.0.0." + std::to_string(id);
}

DevsimProcess::~DevsimProcess() { Stop(); }

bool DevsimProcess::Start(const std::vector<std::string>& args) {
    Stop();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> all{VELKAN_DEVSIM_PATH, "--exit-with-parent"};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int rc = posix_spawn(&pid, VELKAN_DEVSIM_PATH, &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        return false;
    }
    pid_ = pid;
    // Wait for its "ready" line: then every socket is bound.
    std::string seen;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (seen.find("ready") == std::string::npos && std::chrono::steady_clock::now() < deadline) {
        pollfd p{pipeFds[0], POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0) continue;
        char buffer[256];
        const ssize_t n = ::read(pipeFds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        seen.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipeFds[0]);
    if (seen.find("ready") == std::string::npos) {
        Kill();
        return false;
    }
    return true;
}

void DevsimProcess::Stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = -1;
            return;
        }
        ::usleep(10000);
    }
    Kill();
}

void DevsimProcess::Kill() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::vector<LoggedFrame> ReadDevsimLog(const std::string& path) {
    std::vector<LoggedFrame> frames;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        LoggedFrame f;
        std::string hex;
        fields >> f.device >> f.type >> f.target >> hex;
        for (size_t i = 0; i + 1 < hex.size(); i += 2)
            f.payload.push_back(static_cast<uint8_t>(std::stoul(hex.substr(i, 2), nullptr, 16)));
        frames.push_back(std::move(f));
    }
    return frames;
}

std::vector<std::vector<uint8_t>> ReceivedCommands(const std::string& path, uint32_t command) {
    std::vector<std::vector<uint8_t>> blocks;
    for (const LoggedFrame& frame : ReadDevsimLog(path)) {
        if (frame.type != 1 || frame.payload.size() < 36) continue;
        const uint32_t number = frame.payload[0] | frame.payload[1] << 8 | frame.payload[2] << 16 |
                                static_cast<uint32_t>(frame.payload[3]) << 24;
        if (number == command) blocks.emplace_back(frame.payload.begin() + 4, frame.payload.end());
    }
    return blocks;
}

ScratchFolder::ScratchFolder() {
    std::string pattern = std::filesystem::temp_directory_path().string() + "/velkan-test-XXXXXX";
    if (::mkdtemp(pattern.data())) path_ = pattern + "/";
}

ScratchFolder::~ScratchFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
}

} // namespace testsupport
