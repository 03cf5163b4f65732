#include "platform/comm/LinkEngine.h"

#include "platform/comm/ComPortPath.h"
#include "platform/comm/LocalAdapter.h"
#include "platform/comm/ReplyInvoke.h"
#include "platform/comm/ReplyLength.h"
#include "platform/comm/SerialPort.h"
#include "platform/os/AppDirectory.h"

#include <algorithm>
#include <cerrno>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace velklink {

namespace {

// Bound of a link's outgoing bytes: a link that cannot take more drops the frame instead of blocking.
constexpr size_t kMaxOutgoing = 4 * 1024 * 1024;
constexpr uint8_t kSerialId = 255;
// Bound of the replies waiting for dispatch: a device that floods a stalled program costs no more.
constexpr size_t kMaxQueuedBytes = 64 * 1024 * 1024;

} // namespace

struct LinkEngine::Link {
    uint64_t key = 0;
    bool serial = false;
    sockaddr_in peer{};    // TCP: the machine
    uint8_t machineId = 0; // last octet of the machine's address, 255 for serial
    std::string devicePath;
    int baud = 0;
    int fd = -1;
    LinkState state = LinkState::Waiting;
    std::vector<uint8_t> out;
    size_t outStart = 0;
    FrameStreamParser parser;
    Clock::time_point lastHeard{};
    Clock::time_point nextPing{};
    Clock::time_point deadline{}; // Connecting: give up; Waiting: retry
    bool lossReported = false;
    bool silentSerial = false; // serial reported lost, waiting for the device's next frame
    std::optional<std::vector<uint8_t>> previewState; // the machine's last preview-state reply
    size_t Pending() const { return out.size() - outStart; }
    std::optional<in_addr> Machine() const { return serial ? std::nullopt : std::optional<in_addr>(peer.sin_addr); }
};

LinkEngine& TheLinkEngine() {
    static LinkEngine engine;
    return engine;
}

LinkEngine::LinkEngine() : timing_(LinkTimingFromEnvironment()) {}

LinkEngine::~LinkEngine() { Close(); }

int LinkEngine::SetTargets(int count, const uint8_t* ids) {
    if (count < 0 || count > 256 || (count > 0 && !ids)) return -1;
    std::lock_guard lock(mutex_);
    targets_.assign(ids, ids + count);
    return 0;
}

int LinkEngine::RegisterCallback(void* callback, int slot) {
    if (slot < 0 || slot >= kReplySlotCount) return -1;
    std::lock_guard lock(mutex_);
    callbacks_[static_cast<size_t>(slot)] = callback;
    return 0;
}

int LinkEngine::Close() {
    StopThread();
    {
        std::lock_guard lock(mutex_);
        for (auto& l : links_) CloseLink(*l, true);
        links_.clear();
        if (searchFd_ >= 0) ::close(searchFd_);
        searchFd_ = -1;
        if (wakeFd_ >= 0) ::close(wakeFd_);
        wakeFd_ = -1;
        queue_.clear();
        queuedBytes_ = 0;
        notifyPending_ = false;
        callbacks_.fill(nullptr);
        targets_.clear();
        selected_.reset();
        ++closeCount_;
    }
    std::lock_guard notifierLock(notifierMutex_);
    notify_ = nullptr;
    notifyContext_ = nullptr;
    return 0;
}

int LinkEngine::ConnectNet(const char* ip, int port) {
    const auto address = ParseIPv4(ip);
    if (!address || port < 0 || port > 65535) return -1;
    const uint16_t p = port == 0 ? kDefaultPort : static_cast<uint16_t>(port);
    std::lock_guard lock(mutex_);
    if (Link* existing = FindTcpLink(*address, p)) {
        if (existing->state == LinkState::Waiting) {
            StartConnect(*existing);
        } else {
            const auto hello = EncodeFrame(FrameHello, existing->machineId, 0, {});
            Enqueue(*existing, hello);
        }
    } else {
        auto l = std::make_unique<Link>();
        l->key = nextKey_++;
        l->peer.sin_family = AF_INET;
        l->peer.sin_port = htons(p);
        l->peer.sin_addr = *address;
        l->machineId = IPv4LastOctet(*address);
        links_.push_back(std::move(l));
        StartConnect(*links_.back());
    }
    EnsureThread();
    Wake();
    return 0;
}

int LinkEngine::SendStateBlock(const uint8_t* block, uint8_t deviceId) {
    if (!block) return -1;
    return Route(FrameStateBlock, {block, kStateBlockSize}, deviceId);
}

int LinkEngine::SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId) {
    if (!block32) return -1;
    uint8_t payload[4 + kCommandBlockSize];
    PutU32(payload, command);
    std::copy(block32, block32 + kCommandBlockSize, payload + 4);
    // The search never travels over a link: every machine on the adapter's subnet must hear it.
    if (command == 69) return SendSearch(payload, deviceId);
    return Route(FrameCommand, payload, deviceId);
}

int LinkEngine::SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId) {
    if (length > kMaxCaptionChunk || (length > 0 && !data)) return -1;
    uint8_t payload[6 + kMaxCaptionChunk];
    PutU32(payload, offset);
    PutU16(payload + 4, length);
    if (length > 0) std::copy(data, data + length, payload + 6);
    return Route(FrameCaptionChunk, {payload, size_t(6) + length}, deviceId);
}

int LinkEngine::SelectLocalAdapter(const char* ip) {
    const auto address = ParseIPv4(ip);
    if (!address || !BroadcastAddressOf(*address)) return -1;
    std::lock_guard lock(mutex_);
    adapter_ = address;
    // The search socket is bound to the adapter: make a fresh one for the next search.
    if (searchFd_ >= 0) ::close(searchFd_);
    searchFd_ = -1;
    Wake();
    return 0;
}

int LinkEngine::DisconnectNet(const char* ip) {
    const auto address = ParseIPv4(ip);
    if (!address) return -1;
    std::lock_guard lock(mutex_);
    bool found = false;
    // Closing the selected machine's link ends the selection: no link is at work until the next one.
    if (selected_ && selected_->s_addr == address->s_addr) selected_.reset();
    for (auto it = links_.begin(); it != links_.end();) {
        Link& l = **it;
        if (!l.serial && l.peer.sin_addr.s_addr == address->s_addr) {
            CloseLink(l, true);
            it = links_.erase(it);
            found = true;
        } else {
            ++it;
        }
    }
    if (found) Wake();
    return found ? 0 : -1;
}

int LinkEngine::SelectDevice(const char* ip) {
    const auto address = ParseIPv4(ip);
    if (!address) return -1;
    bool open = false;
    {
        std::lock_guard lock(mutex_);
        const auto workingBefore = WorkingMachine();
        selected_ = address;
        for (auto& l : links_) open |= !l->serial && l->peer.sin_addr.s_addr == address->s_addr;
        DeliverPreviewStateAgain(workingBefore);
    }
    if (!open) ConnectNet(ip, kDefaultPort);
    return 0;
}

intptr_t LinkEngine::OpenCom(int port, int baud) {
    const std::string path = ComPortDevicePath(port, GetAppDirectory());
    if (path.empty()) return 0;
    const int fd = OpenSerialPort(path, baud);
    if (fd < 0) return 0;
    std::lock_guard lock(mutex_);
    for (auto it = links_.begin(); it != links_.end(); ++it) {
        if ((*it)->serial) {
            CloseLink(**it, true);
            links_.erase(it);
            break;
        }
    }
    selected_.reset(); // the serial link takes every frame: the machine chosen before is not at work
    auto l = std::make_unique<Link>();
    l->key = nextKey_++;
    l->serial = true;
    l->machineId = kSerialId;
    l->devicePath = path;
    l->baud = baud;
    l->fd = fd;
    links_.push_back(std::move(l));
    Link& serial = *links_.back();
    ConnectionEstablished(serial);
    EnsureThread();
    Wake();
    return static_cast<intptr_t>(serial.key);
}

int LinkEngine::CloseCom() {
    std::lock_guard lock(mutex_);
    for (auto it = links_.begin(); it != links_.end(); ++it) {
        if ((*it)->serial) {
            CloseLink(**it, true);
            links_.erase(it);
            // A machine selected while the serial link was open is at work from now on.
            DeliverPreviewStateAgain(std::nullopt);
            Wake();
            return 0;
        }
    }
    return -1;
}

void LinkEngine::SetReplyNotifier(void (*notify)(void*), void* context) {
    std::lock_guard notifierLock(notifierMutex_);
    notify_ = notify;
    notifyContext_ = context;
    std::lock_guard lock(mutex_);
    // Replies already waiting deserve a notification under the new notifier.
    notifyPending_ = false;
    Wake();
}

int LinkEngine::DispatchReplies() {
    std::deque<QueuedReply> batch;
    uint64_t generation = 0;
    {
        std::lock_guard lock(mutex_);
        batch.swap(queue_);
        queuedBytes_ = 0;
        notifyPending_ = false;
        generation = closeCount_.load();
    }
    int delivered = 0;
    for (const QueuedReply& reply : batch) {
        void* callback = nullptr;
        {
            std::lock_guard lock(mutex_);
            // A callback may have closed the library: nothing more is delivered then.
            if (closeCount_.load() != generation) break;
            // Judged now, not on arrival: a callback before this one may have chosen another machine.
            if (!Deliverable(reply)) continue;
            callback = callbacks_[reply.slot];
        }
        if (!callback) continue;
        InvokeReplyCallback(callback, reply.slot, reply.id, reply.payload);
        ++delivered;
    }
    return delivered;
}

// ---- routing and sending (mutex held by the callers below) ----

int LinkEngine::Route(uint8_t type, std::span<const uint8_t> payload, uint8_t deviceId) {
    std::lock_guard lock(mutex_);
    for (auto& l : links_) {
        if (!l->serial) continue;
        // While a serial link is open it takes every frame, addressed to any device.
        const auto frame = EncodeFrame(type, kSerialId, 0, payload);
        return Enqueue(*l, frame) ? 0 : -1;
    }
    const auto frame = EncodeFrame(type, deviceId, 0, payload);
    bool taken = false;
    for (auto& l : links_) {
        if (l->state == LinkState::Waiting) continue;
        const bool addressed = deviceId == kAnyDevice
                                   ? std::find(targets_.begin(), targets_.end(), l->machineId) != targets_.end()
                                   : l->machineId == deviceId;
        if (!addressed) continue;
        if (Enqueue(*l, frame)) taken = true;
        if (deviceId != kAnyDevice) break;
    }
    return taken ? 0 : -1;
}

int LinkEngine::SendSearch(std::span<const uint8_t> payload, uint8_t deviceId) {
    std::lock_guard lock(mutex_);
    in_addr local{};
    local.s_addr = htonl(INADDR_LOOPBACK);
    if (adapter_) local = *adapter_;
    const auto broadcast = BroadcastAddressOf(local);
    if (!broadcast) return -1;
    if (searchFd_ < 0) {
        const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) return -1;
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
        sockaddr_in bindAddress{};
        bindAddress.sin_family = AF_INET;
        bindAddress.sin_addr = local;
        if (::bind(fd, reinterpret_cast<const sockaddr*>(&bindAddress), sizeof bindAddress) != 0) {
            ::close(fd);
            return -1;
        }
        searchFd_ = fd;
    }
    const auto frame = EncodeFrame(FrameCommand, deviceId, 0, payload);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(kDefaultPort);
    to.sin_addr = *broadcast;
    const ssize_t sent = ::sendto(searchFd_, frame.data(), frame.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&to), sizeof to);
    EnsureThread();
    Wake();
    return sent == static_cast<ssize_t>(frame.size()) ? 0 : -1;
}

bool LinkEngine::Enqueue(Link& link, std::span<const uint8_t> frame) {
    if (link.fd < 0 || link.Pending() + frame.size() > kMaxOutgoing) return false;
    if (link.outStart > 0 && link.outStart == link.out.size()) {
        link.out.clear();
        link.outStart = 0;
    }
    link.out.insert(link.out.end(), frame.begin(), frame.end());
    if (link.state == LinkState::Open) Flush(link);
    if (link.Pending() > 0) Wake(); // the thread writes the rest when the link can take it
    return true;
}

void LinkEngine::Flush(Link& link) {
    while (link.fd >= 0 && link.Pending() > 0) {
        const uint8_t* data = link.out.data() + link.outStart;
        const ssize_t n = link.serial ? ::write(link.fd, data, link.Pending())
                                      : ::send(link.fd, data, link.Pending(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            link.outStart += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        MarkLost(link);
        return;
    }
    if (link.Pending() == 0) {
        link.out.clear();
        link.outStart = 0;
    }
}

// ---- link life ----

void LinkEngine::StartConnect(Link& link) {
    if (link.fd >= 0) ::close(link.fd);
    link.fd = -1;
    link.out.clear();
    link.outStart = 0;
    link.parser.Reset();
    const auto now = Clock::now();
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        link.state = LinkState::Connecting; // MarkLost turns this into a retry
        MarkLost(link);
        return;
    }
    const int on = 1;
    ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    if (adapter_) {
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr = *adapter_;
        ::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    }
    link.fd = fd;
    link.state = LinkState::Connecting;
    link.deadline = now + timing_.silence;
    const auto hello = EncodeFrame(FrameHello, link.machineId, 0, {});
    link.out.assign(hello.begin(), hello.end());
    const int rc = ::connect(fd, reinterpret_cast<const sockaddr*>(&link.peer), sizeof link.peer);
    if (rc == 0) {
        ConnectionEstablished(link);
    } else if (errno != EINPROGRESS) {
        MarkLost(link);
    }
}

void LinkEngine::ConnectionEstablished(Link& link) {
    const auto now = Clock::now();
    link.state = LinkState::Open;
    link.lastHeard = now;
    link.nextPing = now + timing_.ping;
    link.lossReported = false;
    link.silentSerial = false;
    if (link.serial) {
        const auto hello = EncodeFrame(FrameHello, kSerialId, 0, {});
        link.out.insert(link.out.begin() + static_cast<std::ptrdiff_t>(link.outStart), hello.begin(), hello.end());
    }
    Flush(link);
}

bool LinkEngine::ReopenSerial(Link& link) {
    const int fd = OpenSerialPort(link.devicePath, link.baud);
    if (fd < 0) return false;
    link.fd = fd;
    link.out.clear();
    link.outStart = 0;
    link.parser.Reset();
    const bool reported = link.lossReported;
    ConnectionEstablished(link);
    // The serial link counts as back only when the device speaks again.
    link.lossReported = reported;
    link.silentSerial = reported;
    return true;
}

void LinkEngine::MarkLost(Link& link) {
    if (link.fd >= 0) ::close(link.fd);
    link.fd = -1;
    link.out.clear();
    link.outStart = 0;
    link.parser.Reset();
    link.state = LinkState::Waiting;
    link.deadline = Clock::now() + timing_.reconnect;
    if (!link.lossReported) {
        link.lossReported = true;
        queue_.push_back({0, link.machineId, {0}, link.Machine(), link.serial});
        // A send on the program's thread may find the loss: the receive thread tells the program
        // now, not at its next time-out.
        Wake();
    }
    link.silentSerial = link.serial;
}

void LinkEngine::CloseLink(Link& link, bool sayBye) {
    if (link.fd >= 0 && sayBye && link.state == LinkState::Open) {
        // Best effort: a link that cannot take the goodbye at once is closed all the same.
        const auto bye = EncodeFrame(FrameBye, link.machineId, 0, {});
        if (link.Pending() + bye.size() <= kMaxOutgoing) {
            link.out.insert(link.out.end(), bye.begin(), bye.end());
            Flush(link);
        }
    }
    if (link.fd >= 0) ::close(link.fd);
    link.fd = -1;
    link.state = LinkState::Waiting;
}

void LinkEngine::ReadFrom(Link& link) {
    uint8_t buffer[65536];
    for (int rounds = 0; rounds < 16 && link.fd >= 0; ++rounds) {
        const ssize_t n = ::read(link.fd, buffer, sizeof buffer);
        if (n > 0) {
            link.parser.Feed({buffer, static_cast<size_t>(n)});
            Frame frame;
            while (link.fd >= 0 && link.parser.Next(frame)) AcceptReply(std::move(frame), &link);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        if (n == 0 && link.serial) return; // a terminal reads nothing when no byte waits; only errors end it
        MarkLost(link); // closed by the peer, or failed
        return;
    }
}

void LinkEngine::ReadSearchReplies() {
    uint8_t buffer[2048];
    for (int rounds = 0; rounds < 64 && searchFd_ >= 0; ++rounds) {
        const ssize_t n = ::recv(searchFd_, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n < 0) return;
        if (auto frame = ParseDatagram({buffer, static_cast<size_t>(n)})) AcceptReply(std::move(*frame), nullptr);
    }
}

void LinkEngine::AcceptReply(Frame&& frame, Link* from) {
    if (frame.type != FrameReply) return;
    if (from) {
        from->lastHeard = Clock::now();
        if (from->serial && from->silentSerial) {
            from->silentSerial = false;
            from->lossReported = false;
            queue_.push_back({0, kSerialId, {1}, std::nullopt, true});
        }
    }
    if (!ReplyPayloadAcceptable(frame.slot, frame.payload) ||
        queuedBytes_ + frame.payload.size() > kMaxQueuedBytes) {
        ++droppedReplies_;
        return;
    }
    if (from && !from->serial && frame.slot == 1) from->previewState = frame.payload;
    queuedBytes_ += frame.payload.size();
    queue_.push_back({frame.slot, frame.id, std::move(frame.payload), from ? from->Machine() : std::nullopt,
                      from && from->serial});
}

bool LinkEngine::Deliverable(const QueuedReply& reply) const {
    // The machine list hears every machine (its connection status and its answers to PING) and
    // every search answer; everything else belongs to the working link alone.
    if (reply.slot == 0 || reply.slot == 23 || reply.slot == 27) return true;
    if (reply.serial) return SerialOpen();
    const auto working = WorkingMachine();
    return reply.machine && working && reply.machine->s_addr == working->s_addr;
}

bool LinkEngine::SerialOpen() const {
    return std::any_of(links_.begin(), links_.end(), [](const auto& l) { return l->serial; });
}

// The network machine whose link is the working link: none while the serial link is open.
std::optional<in_addr> LinkEngine::WorkingMachine() const {
    if (SerialOpen()) return std::nullopt;
    return selected_;
}

// A machine that has just become the working one had its preview state held back: the program
// learns it now, or it would go on showing the previous link's preview state.
void LinkEngine::DeliverPreviewStateAgain(std::optional<in_addr> workingBefore) {
    const auto working = WorkingMachine();
    if (!working || (workingBefore && workingBefore->s_addr == working->s_addr)) return;
    for (auto& l : links_) {
        if (l->serial || l->peer.sin_addr.s_addr != working->s_addr || !l->previewState) continue;
        queue_.push_back({1, l->machineId, *l->previewState, l->peer.sin_addr});
        Wake();
    }
}

void LinkEngine::RunTimers(Clock::time_point now) {
    for (auto& lp : links_) {
        Link& l = *lp;
        switch (l.state) {
        case LinkState::Connecting:
            if (now >= l.deadline) MarkLost(l);
            break;
        case LinkState::Waiting:
            if (now < l.deadline) break;
            if (l.serial) {
                if (!ReopenSerial(l)) l.deadline = now + timing_.reconnect;
            } else {
                StartConnect(l);
            }
            break;
        case LinkState::Open:
            if (now - l.lastHeard >= timing_.silence) {
                if (!l.serial) {
                    MarkLost(l);
                    break;
                }
                // A silent serial line stays open: the device's next frame brings it back.
                if (!l.lossReported) {
                    l.lossReported = true;
                    l.silentSerial = true;
                    queue_.push_back({0, kSerialId, {0}, std::nullopt, true});
                }
            }
            if (now >= l.nextPing) {
                l.nextPing = now + timing_.ping;
                const auto ping = EncodeFrame(FramePing, l.machineId, 0, {});
                Enqueue(l, ping);
            }
            break;
        }
    }
}

int LinkEngine::PollTimeoutMs(Clock::time_point now) const {
    auto next = now + std::chrono::milliseconds(1000);
    for (const auto& l : links_) {
        if (l->state == LinkState::Open) {
            next = std::min(next, l->nextPing);
            if (!l->lossReported) next = std::min(next, l->lastHeard + timing_.silence);
        } else {
            next = std::min(next, l->deadline);
        }
    }
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
    return static_cast<int>(std::clamp<long long>(ms + 1, 0, 1000));
}

LinkEngine::Link* LinkEngine::FindLink(uint64_t key) {
    for (auto& l : links_)
        if (l->key == key) return l.get();
    return nullptr;
}

LinkEngine::Link* LinkEngine::FindTcpLink(in_addr address, uint16_t port) {
    for (auto& l : links_)
        if (!l->serial && l->peer.sin_addr.s_addr == address.s_addr && l->peer.sin_port == htons(port))
            return l.get();
    return nullptr;
}

// ---- the receive thread ----

void LinkEngine::EnsureThread() {
    if (thread_.joinable()) return;
    if (wakeFd_ < 0) wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    stop_ = false;
    thread_ = std::thread([this] { ThreadMain(); });
}

void LinkEngine::StopThread() {
    {
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) return;
        stop_ = true;
        Wake();
    }
    thread_.join();
}

void LinkEngine::Wake() {
    if (wakeFd_ < 0) return;
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t n = ::write(wakeFd_, &one, sizeof one);
}

void LinkEngine::ThreadMain() {
    std::vector<pollfd> fds;
    std::vector<uint64_t> keys; // link key per pollfd; 0 for the wake and search descriptors
    for (;;) {
        bool notify = false;
        int timeout = 0;
        fds.clear();
        keys.clear();
        {
            std::lock_guard lock(mutex_);
            if (stop_) return;
            fds.push_back({wakeFd_, POLLIN, 0});
            keys.push_back(0);
            if (searchFd_ >= 0) {
                fds.push_back({searchFd_, POLLIN, 0});
                keys.push_back(0);
            }
            for (auto& l : links_) {
                if (l->fd < 0) continue;
                short events = POLLIN;
                if (l->state == LinkState::Connecting || l->Pending() > 0) events |= POLLOUT;
                fds.push_back({l->fd, events, 0});
                keys.push_back(l->key);
            }
            timeout = PollTimeoutMs(Clock::now());
            if (!queue_.empty() && !notifyPending_) {
                notifyPending_ = true;
                notify = true;
            }
        }
        if (notify) {
            std::lock_guard notifierLock(notifierMutex_);
            if (notify_) notify_(notifyContext_);
        }
        const int ready = ::poll(fds.data(), fds.size(), notify ? 0 : timeout);
        std::lock_guard lock(mutex_);
        if (stop_) return;
        if (ready > 0) {
            for (size_t i = 0; i < fds.size(); ++i) {
                const short revents = fds[i].revents;
                if (!revents) continue;
                if (keys[i] == 0) {
                    if (fds[i].fd == wakeFd_) {
                        uint64_t count = 0;
                        [[maybe_unused]] const ssize_t n = ::read(wakeFd_, &count, sizeof count);
                    } else if (fds[i].fd == searchFd_) {
                        ReadSearchReplies();
                    }
                    continue;
                }
                Link* l = FindLink(keys[i]);
                if (!l || l->fd != fds[i].fd) continue; // closed or replaced meanwhile
                if (l->state == LinkState::Connecting) {
                    int error = 0;
                    socklen_t length = sizeof error;
                    ::getsockopt(l->fd, SOL_SOCKET, SO_ERROR, &error, &length);
                    if (error != 0 || (revents & (POLLERR | POLLHUP))) {
                        MarkLost(*l);
                        continue;
                    }
                    ConnectionEstablished(*l);
                    continue;
                }
                if (revents & (POLLIN | POLLHUP | POLLERR)) ReadFrom(*l);
                if (l->fd >= 0 && (revents & POLLOUT)) Flush(*l);
            }
        }
        RunTimers(Clock::now());
    }
}

} // namespace velklink
