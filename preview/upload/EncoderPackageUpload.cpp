#include "preview/upload/EncoderPackageUpload.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <limits>
#include <thread>
#include <vector>

void UploadCancel::Set() {
    {
        std::lock_guard lock(Mutex);
        Flag = true;
    }
    Wake.notify_all();
}

bool UploadCancel::SleepFor(std::chrono::milliseconds time) {
    std::unique_lock lock(Mutex);
    return !Wake.wait_for(lock, time, [this] { return Flag.load(); });
}

namespace {

using Clock = std::chrono::steady_clock;
// Waits on the socket in slices this long, so a cancel is noticed promptly.
constexpr int PollSliceMs = 50;
constexpr int ReplyAttempts = 7;

bool Cancelled(const UploadCancel* cancel) {
    return cancel && cancel->IsSet();
}

bool Pause(UploadCancel* cancel, std::chrono::milliseconds time) {
    if (cancel) return cancel->SleepFor(time);
    std::this_thread::sleep_for(time);
    return true;
}

// A non-blocking TCP client socket, closed (after a shutdown of both directions) on destruction.
class EncoderSocket {
public:
    ~EncoderSocket() {
        if (Fd >= 0) {
            shutdown(Fd, SHUT_RDWR);
            close(Fd);
        }
    }

    bool Connect(const std::string& ip, uint16_t port, std::chrono::milliseconds timeout) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        // No address yet (the encoder has not reported one) must not become 0.0.0.0, which
        // Linux takes as this machine.
        if (inet_pton(AF_INET, ip.c_str(), &address.sin_addr) != 1) return false;
        if (address.sin_addr.s_addr == htonl(INADDR_ANY) || address.sin_addr.s_addr == htonl(INADDR_BROADCAST))
            return false;
        Fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (Fd < 0) return false;
        if (connect(Fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
        if (errno != EINPROGRESS) return false;
        pollfd waiting{Fd, POLLOUT, 0};
        if (poll(&waiting, 1, static_cast<int>(timeout.count())) != 1) return false;
        int error = 0;
        socklen_t length = sizeof error;
        return getsockopt(Fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
    }

    // Sends every byte; fails when the peer has gone (no SIGPIPE), takes nothing for too long, or
    // the upload is cancelled.
    bool SendAll(const uint8_t* data, size_t length, std::chrono::milliseconds stallLimit,
                 const UploadCancel* cancel) {
        auto lastProgress = Clock::now();
        while (length > 0) {
            if (Cancelled(cancel)) return false;
            const ssize_t sent = send(Fd, data, length, MSG_NOSIGNAL);
            if (sent > 0) {
                data += sent;
                length -= static_cast<size_t>(sent);
                lastProgress = Clock::now();
                continue;
            }
            if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
            if (Clock::now() - lastProgress > stallLimit) return false;
            pollfd waiting{Fd, POLLOUT, 0};
            poll(&waiting, 1, PollSliceMs);
        }
        return true;
    }

    bool SendHeader(EncoderCommand command, uint32_t value, const EncoderUploadRequest& request,
                    const UploadCancel* cancel) {
        const EncoderHeader header = MakeEncoderHeader(command, value);
        return SendAll(header.data(), header.size(), request.SendStallLimit, cancel);
    }

    enum class Receive { Whole, Timeout, Closed };
    // Gathers one whole header, however TCP splits or joins the encoder's writes.
    Receive ReceiveHeader(EncoderHeader& header, std::chrono::milliseconds timeout,
                          const UploadCancel* cancel) {
        size_t have = 0;
        const auto end = Clock::now() + timeout;
        while (have < header.size()) {
            if (Cancelled(cancel)) return Receive::Timeout;
            const ssize_t got = recv(Fd, header.data() + have, header.size() - have, 0);
            if (got > 0) {
                have += static_cast<size_t>(got);
                continue;
            }
            if (got == 0) return Receive::Closed;
            if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return Receive::Closed;
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() <= 0) return Receive::Timeout;
            pollfd waiting{Fd, POLLIN, 0};
            poll(&waiting, 1, static_cast<int>(std::min<long long>(left.count(), PollSliceMs)));
        }
        return Receive::Whole;
    }

private:
    int Fd = -1;
};

} // namespace

EncoderUploadResult UploadEncoderPackage(const EncoderUploadRequest& request,
                                         const UploadProgress& progress, UploadCancel* cancel) {
    const auto report = [&](int percent) {
        if (progress) progress(percent);
    };
    EncoderSocket socket;
    if (!socket.Connect(request.EncoderIp, request.Port, request.ConnectTimeout)) {
        report(-1);
        return EncoderUploadResult::ConnectFailed;
    }

    if (!IsEncoderPackagePath(request.PackagePath)) return EncoderUploadResult::FileFailed;
    std::ifstream file(request.PackagePath, std::ios::binary);
    if (!file) return EncoderUploadResult::FileFailed;
    file.seekg(0, std::ios::end);
    const std::streamoff fileSize = file.tellg();
    file.seekg(0, std::ios::beg);
    // The header carries the size in 32 bits.
    if (fileSize < 0 || static_cast<uint64_t>(fileSize) > std::numeric_limits<uint32_t>::max() || !file)
        return EncoderUploadResult::FileFailed;
    const auto size = static_cast<uint32_t>(fileSize);

    if (!socket.SendHeader(EncoderCommand::Announce, size, request, cancel)) {
        socket.SendHeader(EncoderCommand::Abort, size, request, nullptr);
        return Cancelled(cancel) ? EncoderUploadResult::Cancelled : EncoderUploadResult::AnnounceFailed;
    }
    if (!Pause(cancel, request.AnnouncePause)) {
        socket.SendHeader(EncoderCommand::Abort, size, request, nullptr);
        return EncoderUploadResult::Cancelled;
    }

    std::vector<uint8_t> piece(EncoderPieceSize);
    uint32_t sent = 0;
    while (sent < size) {
        file.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(piece.size()));
        const auto length = static_cast<size_t>(file.gcount());
        if (length == 0) break;
        if (!socket.SendAll(piece.data(), length, request.SendStallLimit, cancel)) {
            // The previous header was the announcement: abort with its value. Never follow a
            // broken transfer with the end header, or a truncated package could be taken.
            socket.SendHeader(EncoderCommand::Abort, size, request, nullptr);
            if (Cancelled(cancel)) return EncoderUploadResult::Cancelled;
            report(-1);
            return EncoderUploadResult::SendFailed;
        }
        sent += static_cast<uint32_t>(length);
        report(UploadProgressPercent(sent, size));
    }
    file.close();
    if (sent != size) { // the file shrank while it was read
        socket.SendHeader(EncoderCommand::Abort, size, request, nullptr);
        report(-1);
        return EncoderUploadResult::FileFailed;
    }

    if (!Pause(cancel, request.EndPause)) {
        socket.SendHeader(EncoderCommand::Abort, size, request, nullptr);
        return EncoderUploadResult::Cancelled;
    }
    if (!socket.SendHeader(EncoderCommand::End, sent, request, cancel)) {
        socket.SendHeader(EncoderCommand::Abort, sent, request, nullptr);
        if (Cancelled(cancel)) return EncoderUploadResult::Cancelled;
        report(-1);
        return EncoderUploadResult::SendFailed;
    }

    EncoderReplyCheck answer = EncoderReplyCheck::Invalid;
    for (int attempt = 0; attempt < ReplyAttempts && answer == EncoderReplyCheck::Invalid; ++attempt) {
        EncoderHeader reply{};
        const auto received = socket.ReceiveHeader(reply, request.ReplyTimeout, cancel);
        if (Cancelled(cancel)) {
            socket.SendHeader(EncoderCommand::Abort, sent, request, nullptr);
            return EncoderUploadResult::Cancelled;
        }
        if (received == EncoderSocket::Receive::Closed) break; // no answer can come any more
        if (received == EncoderSocket::Receive::Whole) answer = CheckEncoderReply(reply.data(), reply.size());
    }
    if (answer == EncoderReplyCheck::Invalid) {
        report(-1);
        socket.SendHeader(EncoderCommand::Abort, sent, request, nullptr);
        return EncoderUploadResult::NoValidReply;
    }
    if (answer == EncoderReplyCheck::Failed) {
        report(-1);
        return EncoderUploadResult::Refused;
    }
    report(100);
    socket.SendHeader(EncoderCommand::Confirm, sent, request, nullptr);
    return EncoderUploadResult::Success;
}
