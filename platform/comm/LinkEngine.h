// The state behind the C interface: links, the receive thread and the reply queue.
#pragma once
#include "platform/comm/LinkFrame.h"
#include "platform/comm/LinkTiming.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <netinet/in.h>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velklink {

struct QueuedReply {
    uint8_t slot = 0;
    uint8_t id = 0;
    std::vector<uint8_t> payload;
    std::optional<in_addr> machine; // the TCP link's machine it came from; none for serial and search
    bool serial = false;            // it came on the serial link
};

class LinkEngine {
public:
    using Clock = std::chrono::steady_clock;

    LinkEngine();
    ~LinkEngine();
    LinkEngine(const LinkEngine&) = delete;
    LinkEngine& operator=(const LinkEngine&) = delete;

    int SetTargets(int count, const uint8_t* ids);
    int RegisterCallback(void* callback, int slot);
    int Close();
    int ConnectNet(const char* ip, int port);
    int SendStateBlock(const uint8_t* block, uint8_t deviceId);
    int SendCommand(uint32_t command, const uint8_t* block32, uint8_t deviceId);
    int SelectLocalAdapter(const char* ip);
    int DisconnectNet(const char* ip);
    int SelectDevice(const char* ip);
    intptr_t OpenCom(int port, int baud);
    int CloseCom();
    int SendCaptionChunk(uint32_t offset, uint16_t length, const uint8_t* data, uint8_t deviceId);
    void SetReplyNotifier(void (*notify)(void*), void* context);
    int DispatchReplies();

private:
    struct Link;
    enum class LinkState { Connecting, Open, Waiting };

    int Route(uint8_t type, std::span<const uint8_t> payload, uint8_t deviceId);
    int SendSearch(std::span<const uint8_t> payload, uint8_t deviceId);
    bool Enqueue(Link& link, std::span<const uint8_t> frame);
    void Flush(Link& link);
    void StartConnect(Link& link);
    void ConnectionEstablished(Link& link);
    bool ReopenSerial(Link& link);
    void MarkLost(Link& link);
    void CloseLink(Link& link, bool sayBye);
    void ReadFrom(Link& link);
    void ReadSearchReplies();
    void AcceptReply(Frame&& frame, Link* from);
    bool Deliverable(const QueuedReply& reply) const;
    bool SerialOpen() const;
    std::optional<in_addr> WorkingMachine() const;
    void DeliverPreviewStateAgain(std::optional<in_addr> workingBefore);
    void RunTimers(Clock::time_point now);
    int PollTimeoutMs(Clock::time_point now) const;
    Link* FindLink(uint64_t key);
    Link* FindTcpLink(in_addr address, uint16_t port);
    void EnsureThread();
    void StopThread();
    void Wake();
    void ThreadMain();

    const LinkTiming timing_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Link>> links_; // TCP links and the serial link
    std::vector<uint8_t> targets_;
    std::optional<in_addr> adapter_;
    std::optional<in_addr> selected_; // the machine the last SelectDevice named, until OpenCom or its DisconnectNet
    int searchFd_ = -1;
    int wakeFd_ = -1;
    uint64_t nextKey_ = 1;
    bool stop_ = false;
    std::thread thread_;
    std::thread::id threadId_;

    std::deque<QueuedReply> queue_;
    bool notifyPending_ = false;
    size_t queuedBytes_ = 0;
    uint64_t droppedReplies_ = 0;
    std::array<void*, 32> callbacks_{};
    std::atomic<uint64_t> closeCount_{0};

    std::mutex notifierMutex_; // held while the notifier runs, so a caller can safely replace it
    void (*notify_)(void*) = nullptr;
    void* notifyContext_ = nullptr;
};

LinkEngine& TheLinkEngine();

} // namespace velklink
