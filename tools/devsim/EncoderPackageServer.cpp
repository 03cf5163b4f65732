#include "tools/devsim/EncoderPackageServer.h"

#include <arpa/inet.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace devsim {

namespace {

constexpr size_t kHeader = 15;
constexpr uint8_t kAnswerLetter = 0x60;
// A program that stops sending for this long has gone.
constexpr int kPeerTimeoutMs = 5000;
// The announced size the server is willing to take.
constexpr uint32_t kMaxPackage = 64u * 1024 * 1024;

using Header = std::array<uint8_t, kHeader>;

Header MakeHeader(uint8_t letter, uint32_t value) {
    Header h{0xFF, 0x01, 0, 0, 0, 0, letter};
    for (int i = 0; i < 4; ++i) h[size_t(7 + i)] = uint8_t(value >> (8 * i));
    return h;
}

bool IsHeader(const Header& h) { return h[0] == 0xFF && h[1] == 0x01 && h[2] == 0 && h[3] == 0; }

uint32_t ValueOf(const Header& h) {
    return uint32_t(h[7]) | uint32_t(h[8]) << 8 | uint32_t(h[9]) << 16 | uint32_t(h[10]) << 24;
}

// Reads exactly n bytes; false when the peer closes, fails or stays silent too long.
bool ReadExactly(int fd, uint8_t* into, size_t n, const std::atomic<bool>& stop) {
    size_t got = 0;
    while (got < n && !stop.load()) {
        pollfd p{fd, POLLIN, 0};
        const int ready = ::poll(&p, 1, kPeerTimeoutMs);
        if (ready == 0) return false;
        if (ready < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        const ssize_t r = ::recv(fd, into + got, n - got, 0);
        if (r == 0) return false;
        if (r < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        got += size_t(r);
    }
    return got == n;
}

bool SendAll(int fd, const uint8_t* data, size_t n) {
    size_t done = 0;
    while (done < n) {
        const ssize_t w = ::send(fd, data + done, n - done, MSG_NOSIGNAL);
        if (w < 0 && errno == EINTR) continue;
        if (w <= 0) return false;
        done += size_t(w);
    }
    return true;
}

} // namespace

std::optional<EncoderFault> ParseEncoderFault(const std::string& text) {
    if (text == "none") return EncoderFault::None;
    if (text == "refuse") return EncoderFault::Refuse;
    if (text == "reject") return EncoderFault::Reject;
    if (text == "bad-answer") return EncoderFault::BadAnswer;
    if (text == "silent") return EncoderFault::Silent;
    if (text == "hang-up") return EncoderFault::HangUp;
    return std::nullopt;
}

EncoderPackageServer::EncoderPackageServer(std::string ip, uint8_t deviceId, EncoderFault fault,
                                           const std::string& logPath)
    : ip_(std::move(ip)), id_(deviceId), fault_(fault) {
    if (!logPath.empty()) log_ = std::fopen(logPath.c_str(), "a");
}

EncoderPackageServer::~EncoderPackageServer() {
    stop_.store(true);
    if (thread_.joinable()) thread_.join();
    if (listenFd_ >= 0) ::close(listenFd_);
    if (log_) std::fclose(log_);
}

bool EncoderPackageServer::Start() {
    if (fault_ == EncoderFault::Refuse) return true; // nothing listens
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return false;
    const int on = 1;
    ::setsockopt(listenFd_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(kEncoderPackagePort);
    inet_pton(AF_INET, ip_.c_str(), &a.sin_addr);
    if (::bind(listenFd_, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 || ::listen(listenFd_, 4) != 0) {
        ::close(listenFd_);
        listenFd_ = -1;
        return false;
    }
    thread_ = std::thread([this] { Run(); });
    return true;
}

void EncoderPackageServer::Run() {
    while (!stop_.load()) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 200) <= 0) continue;
        const int fd = ::accept4(listenFd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) continue;
        Serve(fd); // one upload at a time, as the encoder takes them
        ::shutdown(fd, SHUT_RDWR);
        ::close(fd);
    }
}

void EncoderPackageServer::Serve(int fd) {
    Header h{};
    if (!ReadExactly(fd, h.data(), kHeader, stop_) || !IsHeader(h) || h[6] != 'm') {
        Log("bad-announce", 0);
        return;
    }
    const uint32_t size = ValueOf(h);
    Log("m", size);
    if (size > kMaxPackage) return;
    std::vector<uint8_t> package(size);
    const size_t take = fault_ == EncoderFault::HangUp ? size / 2 : size;
    if (!ReadExactly(fd, package.data(), take, stop_)) {
        Log("package-cut", 0);
        return;
    }
    if (fault_ == EncoderFault::HangUp) {
        Log("hang-up", uint32_t(take));
        return;
    }
    Log("package", size);
    if (!ReadExactly(fd, h.data(), kHeader, stop_) || !IsHeader(h)) {
        Log("no-end", 0);
        return;
    }
    if (h[6] == 'a') {
        Log("a", ValueOf(h));
        return;
    }
    Log(h[6] == 'o' ? "o" : "bad-end", ValueOf(h));
    const bool whole = h[6] == 'o' && ValueOf(h) == size;
    switch (fault_) {
    case EncoderFault::Silent:
        break;
    case EncoderFault::BadAnswer: {
        // Seven answers, none to be taken: wrong letter, wrong magic, and so on.
        for (int i = 0; i < 7; ++i) {
            Header bad = MakeHeader(i % 2 ? 0x61 : kAnswerLetter, 1);
            if (i % 2 == 0) bad[1] = 0x02;
            if (!SendAll(fd, bad.data(), bad.size())) return;
        }
        break;
    }
    default: {
        const Header answer = MakeHeader(kAnswerLetter, fault_ == EncoderFault::None && whole ? 1 : 0);
        if (!SendAll(fd, answer.data(), answer.size())) return;
        break;
    }
    }
    // The program confirms ('b') or aborts ('a'), or just closes.
    if (ReadExactly(fd, h.data(), kHeader, stop_) && IsHeader(h)) {
        const char letter[2] = {static_cast<char>(h[6]), 0};
        Log(letter, ValueOf(h));
    } else {
        Log("closed", 0);
    }
}

void EncoderPackageServer::Log(const char* what, uint32_t value) {
    std::lock_guard lock(logMutex_);
    if (!log_) return;
    std::fprintf(log_, "%u %s %u\n", id_, what, value);
    std::fflush(log_);
}

} // namespace devsim
