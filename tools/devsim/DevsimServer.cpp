#include "tools/devsim/DevsimServer.h"

#include "platform/comm/ReplyLength.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

namespace devsim {

namespace {

// A connection whose peer stops reading is dropped rather than buffered without end.
constexpr size_t kMaxOutgoing = 16 * 1024 * 1024;

// Bytes that look like the start of frames but are not: a bad version, a length over the limit.
const uint8_t kGarbage[] = {0x00, 0xA5, 0x13, 0xA5, 0x5A, 0x09, 0x80, 0x15, 0x5A, 0xA5, 0x5A, 0x01, 0x80,
                            0x15, 0x02, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x7F, 0xA5};

int BoundSocket(int type, const std::string& ip, uint16_t port) {
    const int fd = ::socket(AF_INET, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    inet_pton(AF_INET, ip.c_str(), &a.sin_addr);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a) != 0 ||
        (type == SOCK_STREAM && ::listen(fd, 16) != 0)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

uint8_t LastOctet(const std::string& ip) {
    in_addr a{};
    inet_pton(AF_INET, ip.c_str(), &a);
    return static_cast<uint8_t>(ntohl(a.s_addr) & 0xFF);
}

} // namespace

DevsimServer::DevsimServer(Options options, const StateBlock& state) : options_(std::move(options)) {
    for (const std::string& ip : options_.devices)
        devices_.push_back(std::make_unique<SimDevice>(LastOctet(ip), ip, state));
    if (!options_.serialPath.empty()) devices_.push_back(std::make_unique<SimDevice>(options_.serialId, "", state));
    for (auto& d : devices_) {
        d->SetNeutralAnswers(options_.neutralAnswers);
        d->SetStatusFirst(options_.statusFirst);
        d->SetUnanswered(options_.unanswered);
        d->SetStatusConfirmations(options_.statusConfirmations);
        if (options_.presetsStored) d->StorePresets(options_.presetLeftEmpty);
    }
}

DevsimServer::~DevsimServer() {
    for (int fd : listenFds_) ::close(fd);
    for (int fd : unicastFds_) ::close(fd);
    if (broadcastFd_ >= 0) ::close(broadcastFd_);
    for (auto& c : connections_) ::close(c->fd);
    if (log_) std::fclose(log_);
}

bool DevsimServer::Start() {
    if (!options_.logFile.empty()) {
        log_ = std::fopen(options_.logFile.c_str(), "a");
        if (!log_) {
            std::fprintf(stderr, "velkan-devsim: cannot open log %s\n", options_.logFile.c_str());
            return false;
        }
    }
    for (const std::string& ip : options_.devices) {
        const int tcp = BoundSocket(SOCK_STREAM, ip, velklink::kDefaultPort);
        const int udp = BoundSocket(SOCK_DGRAM, ip, velklink::kDefaultPort);
        if (tcp < 0 || udp < 0) {
            std::fprintf(stderr, "velkan-devsim: cannot listen on %s:%u: %s\n", ip.c_str(), velklink::kDefaultPort,
                         std::strerror(errno));
            if (tcp >= 0) ::close(tcp);
            if (udp >= 0) ::close(udp);
            return false;
        }
        listenFds_.push_back(tcp);
        unicastFds_.push_back(udp);
    }
    if (!options_.devices.empty()) {
        // Every device hears the loopback broadcast through this one socket.
        broadcastFd_ = BoundSocket(SOCK_DGRAM, "127.255.255.255", velklink::kDefaultPort);
        if (broadcastFd_ < 0) {
            std::fprintf(stderr, "velkan-devsim: cannot bind the search port: %s\n", std::strerror(errno));
            return false;
        }
    }
    if (!options_.previewStream.empty()) {
        if (!preview_.Load(options_.previewStream)) {
            std::fprintf(stderr, "velkan-devsim: no H.264 pictures in %s\n", options_.previewStream.c_str());
            return false;
        }
        for (auto& d : devices_) d->SetPreviewOn(true);
        nextPicture_ = std::chrono::steady_clock::now();
    }
    for (size_t i = 0; i < options_.devices.size(); ++i) {
        auto server = std::make_unique<EncoderPackageServer>(options_.devices[i], devices_[i]->Id(),
                                                             options_.encoderFault, options_.encoderLog);
        // The link works without it; only the package upload needs the port.
        if (!server->Start())
            std::fprintf(stderr, "velkan-devsim: no encoder package server on %s:%u: %s\n",
                         options_.devices[i].c_str(), kEncoderPackagePort, std::strerror(errno));
        encoders_.push_back(std::move(server));
    }
    if (!options_.serialPath.empty() && !OpenSerial()) {
        std::fprintf(stderr, "velkan-devsim: cannot open serial %s\n", options_.serialPath.c_str());
        return false;
    }
    return true;
}

bool DevsimServer::OpenSerial() {
    const int fd = ::open(options_.serialPath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    termios tio{};
    if (::tcgetattr(fd, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B115200); // a pseudo-terminal ignores the rate; a real line should match the program's
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    auto c = std::make_unique<Connection>();
    c->fd = fd;
    c->serial = true;
    c->device = devices_.size() - 1;
    connections_.push_back(std::move(c));
    return true;
}

void DevsimServer::TurnPreview() {
    for (auto& d : devices_) d->SetPreviewOn(!d->PreviewOn());
    for (auto& c : connections_) {
        if (c->fd < 0 || c->serial || c->framesIn == 0) continue;
        SendReplies(*c, {Reply{1, {uint8_t(devices_[c->device]->PreviewOn() ? 1 : 0)}}});
    }
}

void DevsimServer::Run(const std::atomic<bool>& stop) {
    std::vector<pollfd> fds;
    enum Kind { Listen, Unicast, Broadcast, Conn };
    std::vector<std::pair<Kind, size_t>> what;
    while (!stop.load()) {
        if (!options_.controlFile.empty()) ReadControl();
        fds.clear();
        what.clear();
        for (size_t i = 0; i < listenFds_.size(); ++i) {
            fds.push_back({listenFds_[i], POLLIN, 0});
            what.push_back({Listen, i});
            fds.push_back({unicastFds_[i], POLLIN, 0});
            what.push_back({Unicast, i});
        }
        if (broadcastFd_ >= 0) {
            fds.push_back({broadcastFd_, POLLIN, 0});
            what.push_back({Broadcast, 0});
        }
        for (size_t i = 0; i < connections_.size(); ++i) {
            short events = options_.faults.stall ? 0 : POLLIN;
            if (!connections_[i]->out.empty()) events |= POLLOUT;
            fds.push_back({connections_[i]->fd, events, 0});
            what.push_back({Conn, i});
        }
        while (sourceSignalsApplied_ < sourceSignals.load()) ApplySignal();
        int wait = preview_.Empty() ? 200 : StreamPreview();
        if (const int held = SendHeldReplies(); held >= 0) wait = std::min(wait, held);
        if (const int report = ReportUnasked(); report >= 0) wait = std::min(wait, report);
        if (::poll(fds.data(), fds.size(), wait) <= 0) continue;
        std::vector<size_t> dead;
        for (size_t i = 0; i < fds.size(); ++i) {
            if (!fds[i].revents) continue;
            const auto [kind, index] = what[i];
            if (kind == Listen) Accept(index, fds[i].fd);
            else if (kind == Unicast || kind == Broadcast) ReadDatagrams(fds[i].fd);
            else {
                Connection& c = *connections_[index];
                if (fds[i].revents & POLLOUT) Flush(c);
                if (c.fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR))) Serve(c);
                if (c.fd < 0) dead.push_back(index);
            }
        }
        for (auto it = dead.rbegin(); it != dead.rend(); ++it)
            connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(*it));
    }
}

void DevsimServer::ReadControl() {
    FILE* f = std::fopen(options_.controlFile.c_str(), "rb");
    if (!f) return;
    std::string text;
    if (std::fseek(f, controlRead_, SEEK_SET) == 0) {
        char buffer[512];
        size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
    }
    std::fclose(f);
    controlRead_ += static_cast<long>(text.size());
    for (char ch : text) {
        if (ch != '\n') {
            controlLine_ += ch;
            continue;
        }
        const std::string line = std::move(controlLine_);
        controlLine_.clear();
        unsigned value = 0;
        char what[16] = {};
        if (std::sscanf(line.c_str(), "%15s %u", what, &value) == 2 &&
            (std::strcmp(what, "switcher") == 0 || std::strcmp(what, "mosaic") == 0 || std::strcmp(what, "preview") == 0 ||
             std::strcmp(what, "feather") == 0)) {
            // Every device changes by itself and tells each of its links at once.
            std::vector<std::vector<Reply>> reports;
            for (auto& d : devices_) {
                if (what[0] == 's') reports.push_back(d->SwitchMode(static_cast<uint8_t>(value)));
                else if (what[0] == 'm') reports.push_back(d->ChangeMosaicMode(value));
                else if (what[0] == 'f') reports.push_back(d->ChangeFeather(value != 0));
                else reports.push_back(d->ChangePreview(value != 0));
            }
            for (auto& c : connections_)
                if (c->fd >= 0) SendReplies(*c, reports[c->device]);
        } else if (line == "restart") {
            // The devices go away and come back: every network link is closed (the program
            // reconnects as to a device that restarted; the settings stay, as the device stores them).
            for (auto& c : connections_) {
                if (c->serial || c->fd < 0) continue;
                ::close(c->fd);
                c->fd = -1;
            }
            connections_.erase(std::remove_if(connections_.begin(), connections_.end(),
                                              [](const std::unique_ptr<Connection>& c) { return c->fd < 0; }),
                               connections_.end());
        } else if (!line.empty()) {
            std::fprintf(stderr, "velkan-devsim: unknown control line: %s\n", line.c_str());
        }
    }
}

void DevsimServer::Accept(size_t device, int listenFd) {
    const int fd = ::accept4(listenFd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    auto c = std::make_unique<Connection>();
    c->fd = fd;
    c->device = device;
    connections_.push_back(std::move(c));
}

void DevsimServer::ReadDatagrams(int fd) {
    uint8_t buffer[2048];
    for (;;) {
        sockaddr_in from{};
        socklen_t fromLength = sizeof from;
        const ssize_t n = ::recvfrom(fd, buffer, sizeof buffer, MSG_DONTWAIT, reinterpret_cast<sockaddr*>(&from),
                                     &fromLength);
        if (n < 0) return;
        const auto frame = velklink::ParseDatagram({buffer, static_cast<size_t>(n)});
        if (!frame || frame->type != velklink::FrameCommand || frame->payload.size() < 4) continue;
        // Only the search is answered by datagram; every device that is addressed answers from its own address.
        if (velklink::GetU32(frame->payload.data()) != 69) continue;
        for (size_t d = 0; d < options_.devices.size(); ++d) {
            SimDevice& device = *devices_[d];
            if (!device.Addressed(frame->id)) continue;
            Log(device, *frame);
            const Reply r = device.SearchAnswer();
            const auto bytes = velklink::EncodeFrame(velklink::FrameReply, device.Id(), r.slot, r.payload);
            ::sendto(unicastFds_[d], bytes.data(), bytes.size(), MSG_NOSIGNAL, reinterpret_cast<sockaddr*>(&from),
                     fromLength);
        }
    }
}

void DevsimServer::Serve(Connection& c) {
    uint8_t buffer[65536];
    const ssize_t n = ::read(c.fd, buffer, sizeof buffer);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR)) {
        ::close(c.fd);
        c.fd = -1;
        return;
    }
    if (n < 0) return;
    c.parser.Feed({buffer, static_cast<size_t>(n)});
    velklink::Frame frame;
    SimDevice& device = *devices_[c.device];
    while (c.fd >= 0 && c.parser.Next(frame)) {
        ++c.framesIn;
        if (device.Addressed(frame.id)) {
            Log(device, frame);
            if (!(frame.type == velklink::FramePing && options_.faults.silent))
                Answer(c, device.Handle(frame), DelaysFor(frame));
        }
        if (options_.faults.dropAfter && c.framesIn >= options_.faults.dropAfter) {
            Flush(c);
            ::close(c.fd);
            c.fd = -1;
        }
    }
}

DevsimServer::AnswerDelays DevsimServer::DelaysFor(const velklink::Frame& frame) const {
    AnswerDelays delays{options_.statusDelayMs, 0};
    if (frame.type == velklink::FrameCommand && frame.payload.size() >= 4) {
        const uint32_t command = velklink::GetU32(frame.payload.data());
        for (const auto& [which, ms] : options_.commandStatusDelays)
            if (which == command) delays.statusMs = ms;
        for (const auto& [which, ms] : options_.commandRecordDelays)
            if (which == command) delays.recordsMs = ms;
    }
    return delays;
}

void DevsimServer::Answer(Connection& c, const std::vector<Reply>& replies, AnswerDelays delays) {
    if (delays.statusMs == 0 && delays.recordsMs == 0) {
        SendReplies(c, replies);
        return;
    }
    const auto now = std::chrono::steady_clock::now();
    std::vector<Reply> atOnce;
    for (const Reply& r : replies) {
        const unsigned ms = r.slot == kOperationStatusSlot ? delays.statusMs : delays.recordsMs;
        if (ms == 0) {
            atOnce.push_back(r);
            continue;
        }
        // Held in the order they fall due (commands may be held for different times).
        const auto due = now + std::chrono::milliseconds(ms);
        const auto at = std::upper_bound(c.held.begin(), c.held.end(), due,
                                         [](const auto& t, const auto& held) { return t < held.first; });
        c.held.emplace(at, due, r);
    }
    if (!atOnce.empty()) SendReplies(c, atOnce);
}

int DevsimServer::ReportUnasked() {
    using namespace std::chrono;
    if (options_.reportEveryS == 0) return -1;
    const auto now = steady_clock::now();
    if (nextReport_ == steady_clock::time_point{}) nextReport_ = now + seconds(options_.reportEveryS);
    if (now >= nextReport_) {
        nextReport_ = now + seconds(options_.reportEveryS);
        for (auto& c : connections_)
            if (c->fd >= 0 && !c->serial && c->framesIn > 0) SendReplies(*c, devices_[c->device]->ReportFeather());
    }
    return static_cast<int>(duration_cast<milliseconds>(nextReport_ - now).count()) + 1;
}

int DevsimServer::SendHeldReplies() {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    int next = -1;
    for (auto& c : connections_) {
        std::vector<Reply> due;
        while (!c->held.empty() && c->held.front().first <= now) {
            due.push_back(std::move(c->held.front().second));
            c->held.pop_front();
        }
        if (c->fd >= 0 && !due.empty()) SendReplies(*c, due);
        if (c->fd < 0 || c->held.empty()) continue;
        const int ms = static_cast<int>(duration_cast<milliseconds>(c->held.front().first - now).count()) + 1;
        next = next < 0 ? ms : std::min(next, ms);
    }
    return next;
}

void DevsimServer::SendReplies(Connection& c, const std::vector<Reply>& replies) {
    const FaultSwitches& f = options_.faults;
    const uint8_t id = devices_[c.device]->Id();
    for (const Reply& r : replies) {
        const unsigned k = ++c.repliesOut;
        if (f.garbageEvery && k % f.garbageEvery == 0) c.out.insert(c.out.end(), std::begin(kGarbage), std::end(kGarbage));
        std::vector<uint8_t> payload = r.payload;
        if (f.shortEvery && k % f.shortEvery == 0) payload.resize(velklink::MinimumReplyLength(r.slot) / 2);
        const size_t at = c.out.size();
        velklink::AppendFrame(c.out, velklink::FrameReply, id, r.slot, payload);
        if (f.badCrcEvery && k % f.badCrcEvery == 0) c.out.back() ^= 0x5A;
        (void)at;
    }
    Flush(c);
}

void DevsimServer::Flush(Connection& c) {
    size_t done = 0;
    while (done < c.out.size()) {
        const ssize_t n = c.serial ? ::write(c.fd, c.out.data() + done, c.out.size() - done)
                                   : ::send(c.fd, c.out.data() + done, c.out.size() - done, MSG_NOSIGNAL);
        if (n > 0) {
            done += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        ::close(c.fd);
        c.fd = -1;
        c.out.clear();
        return;
    }
    c.out.erase(c.out.begin(), c.out.begin() + static_cast<std::ptrdiff_t>(done));
    if (c.out.size() > kMaxOutgoing) {
        ::close(c.fd);
        c.fd = -1;
        c.out.clear();
    }
}

int DevsimServer::StreamPreview() {
    using namespace std::chrono;
    const auto now = steady_clock::now();
    const auto period = milliseconds(1000 / kPreviewPicturesPerSecond);
    if (now >= nextPicture_) {
        ++picturesSent_;
        for (auto& c : connections_) {
            if (c->fd < 0 || c->serial || c->framesIn == 0 || !devices_[c->device]->PreviewOn()) continue;
            std::vector<Reply> replies;
            for (auto& packet : preview_.PicturePackets(c->previewPicture++)) replies.push_back({26, std::move(packet)});
            if (picturesSent_ % kPreviewOtherChannelEvery == 0)
                for (uint8_t channel = 1; channel <= 3; ++channel)
                    replies.push_back({26, PreviewStream::OtherChannelPacket(channel)});
            SendReplies(*c, replies);
        }
        nextPicture_ += period;
        if (nextPicture_ < now) nextPicture_ = now + period; // fell behind: no burst to catch up
    }
    return static_cast<int>(duration_cast<milliseconds>(nextPicture_ - now).count()) + 1;
}

void DevsimServer::ApplySignal() {
    const unsigned n = sourceSignalsApplied_++;
    if (options_.signalPreviewTurn) TurnPreview();
    if (options_.signalSources.empty()) return;
    const auto [layer, source] = options_.signalSources[n % options_.signalSources.size()];
    for (size_t d = 0; d < devices_.size(); ++d) {
        const Reply sources = devices_[d]->SetLayerSource(layer, source);
        for (auto& c : connections_)
            if (c->fd >= 0 && c->device == d && c->framesIn > 0) SendReplies(*c, {sources});
    }
}

void DevsimServer::Log(const SimDevice& d, const velklink::Frame& frame) {
    if (!log_) return;
    // One line per frame: device id, frame type, target id, payload in hex.
    std::fprintf(log_, "%u %u %u ", d.Id(), frame.type, frame.id);
    for (uint8_t byte : frame.payload) std::fprintf(log_, "%02x", byte);
    std::fputc('\n', log_);
    std::fflush(log_);
}

} // namespace devsim
