// The preview encoder's package server of one simulated processor: TCP port 8877 on the device's
// own address. It reads the announcement 'm' (package size), the package, the end 'o' (bytes
// sent), answers with one 15-byte header (letter 0x60, byte 7 = 1 when the package arrived whole),
// then reads the program's 'b' (confirm) or 'a' (abort). Fault switches make it misbehave.
#pragma once
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace devsim {

inline constexpr uint16_t kEncoderPackagePort = 8877;

enum class EncoderFault {
    None,
    Refuse,    // nothing listens: the connection is refused
    Reject,    // a valid answer that says the update failed
    BadAnswer, // only answers the program must not take (a wrong letter, a short header)
    Silent,    // no answer at all
    HangUp,    // the connection is closed halfway through the package
};
std::optional<EncoderFault> ParseEncoderFault(const std::string& text);

class EncoderPackageServer {
public:
    // logPath: one line per event ("<device id> <letter or word> <value>"), none when empty.
    EncoderPackageServer(std::string ip, uint8_t deviceId, EncoderFault fault, const std::string& logPath);
    ~EncoderPackageServer();
    EncoderPackageServer(const EncoderPackageServer&) = delete;
    EncoderPackageServer& operator=(const EncoderPackageServer&) = delete;

    // Listens and serves on a thread of its own; false when the port cannot be had.
    bool Start();

private:
    void Run();
    void Serve(int fd);
    void Log(const char* what, uint32_t value);

    std::string ip_;
    uint8_t id_;
    EncoderFault fault_;
    int listenFd_ = -1;
    std::atomic<bool> stop_{false};
    std::thread thread_;
    std::mutex logMutex_;
    FILE* log_ = nullptr;
};

} // namespace devsim
