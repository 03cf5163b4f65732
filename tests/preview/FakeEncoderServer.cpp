#include "preview/FakeEncoderServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace {

bool ReadExactly(int fd, std::vector<uint8_t>& into, size_t count, size_t limit) {
    uint8_t buffer[4096];
    while (count > 0 && into.size() < limit) {
        const size_t want = std::min<size_t>({count, sizeof buffer, limit - into.size()});
        const ssize_t got = recv(fd, buffer, want, 0);
        if (got <= 0) return false;
        into.insert(into.end(), buffer, buffer + got);
        count -= static_cast<size_t>(got);
    }
    return count == 0;
}

uint32_t ValueOf(const uint8_t* header) {
    return header[7] | header[8] << 8 | header[9] << 16 | static_cast<uint32_t>(header[10]) << 24;
}

} // namespace

FakeEncoderServer::FakeEncoderServer(Script script) : Plan(std::move(script)) {
    ListenFd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    bind(ListenFd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(ListenFd, 1);
    socklen_t length = sizeof address;
    getsockname(ListenFd, reinterpret_cast<sockaddr*>(&address), &length);
    ListenPort = ntohs(address.sin_port);
    Thread = std::thread(&FakeEncoderServer::Serve, this);
}

FakeEncoderServer::~FakeEncoderServer() {
    if (Thread.joinable()) Thread.join();
    close(ListenFd);
}

std::vector<uint8_t> FakeEncoderServer::Received() {
    if (Thread.joinable()) Thread.join();
    std::lock_guard lock(Mutex);
    return Bytes;
}

void FakeEncoderServer::Serve() {
    pollfd waiting{ListenFd, POLLIN, 0};
    if (poll(&waiting, 1, 5000) != 1) return;
    const int fd = accept(ListenFd, nullptr, nullptr);
    if (fd < 0) return;
    WasAccepted = true;
    timeval timeout{10, 0};
    setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    std::vector<uint8_t> bytes;
    const size_t limit = Plan.CloseAfterBytes;
    bool ok = ReadExactly(fd, bytes, 15, limit);
    if (ok && bytes[6] == 'm') ok = ReadExactly(fd, bytes, ValueOf(bytes.data()), limit);
    if (ok) ok = ReadExactly(fd, bytes, 15, limit);
    if (ok && bytes[bytes.size() - 15 + 6] == 'o' && !Plan.NeverAnswer) {
        for (const auto& reply : Plan.Replies) {
            if (Plan.SplitEachReply && reply.size() > 1) {
                send(fd, reply.data(), 4, MSG_NOSIGNAL);
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                send(fd, reply.data() + 4, reply.size() - 4, MSG_NOSIGNAL);
            } else {
                send(fd, reply.data(), reply.size(), MSG_NOSIGNAL);
            }
        }
    }
    if (ok) { // whatever else the client sends, until it closes
        uint8_t buffer[256];
        ssize_t got;
        while ((got = recv(fd, buffer, sizeof buffer, 0)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    }
    close(fd);
    std::lock_guard lock(Mutex);
    Bytes = std::move(bytes);
}

std::vector<uint8_t> EncoderReply(uint8_t result, uint8_t letter) {
    std::vector<uint8_t> reply(15, 0);
    reply[0] = 0xFF;
    reply[1] = 0x01;
    reply[6] = letter;
    reply[7] = result;
    return reply;
}

SentUpload ParseSentUpload(const std::vector<uint8_t>& bytes, size_t packageBytes) {
    SentUpload sent;
    size_t at = 0;
    bool first = true;
    while (at + 15 <= bytes.size()) {
        const uint8_t* h = bytes.data() + at;
        if (h[0] != 0xFF || h[1] != 0x01 || h[2] || h[3] || h[4] || h[5] || h[11] || h[12] || h[13] || h[14])
            sent.WellFormed = false;
        sent.Headers.emplace_back(static_cast<char>(h[6]), ValueOf(h));
        at += 15;
        if (first && h[6] == 'm') {
            const size_t n = std::min(packageBytes, bytes.size() - at);
            sent.Package.assign(bytes.begin() + at, bytes.begin() + at + n);
            at += n;
        }
        first = false;
    }
    if (at != bytes.size()) sent.WellFormed = false;
    return sent;
}
