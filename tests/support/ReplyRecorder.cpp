#include "support/ReplyRecorder.h"

#include "platform/comm/LinkFrame.h"
#include "platform/comm/ReplyLength.h"
#include "platform/comm/VelkComm.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace testsupport {

namespace {

std::vector<RecordedReply> replies;
std::mutex notifyMutex;
std::condition_variable notifyCv;
bool notified = false;
int notifications = 0;
std::thread::id notifierThread;
std::function<void(const RecordedReply&)> afterEach;

void Notify(void*) {
    std::lock_guard lock(notifyMutex);
    notified = true;
    ++notifications;
    notifierThread = std::this_thread::get_id();
    notifyCv.notify_all();
}

void Record(int slot, unsigned id, const uint8_t* data, size_t size, uint32_t layer = 0) {
    RecordedReply r;
    r.slot = slot;
    r.id = id;
    r.data.assign(data, data + size);
    r.layer = layer;
    r.thread = std::this_thread::get_id();
    replies.push_back(std::move(r));
    if (afterEach) afterEach(replies.back());
}

// One plain callback per slot, each copying exactly the bytes its slot guarantees.
template <int Slot> void OnData(const uint8_t* data, uint8_t id) {
    Record(Slot, id, data, velklink::MinimumReplyLength(Slot));
}
void OnPicture(const uint8_t* block, const uint8_t* record, uint32_t layer, uint32_t, uint8_t id) {
    std::vector<uint8_t> both(block, block + 12);
    both.insert(both.end(), record, record + 20);
    Record(8, id, both.data(), both.size(), layer);
}
void OnLayerWindow(const uint8_t* data, uint32_t layer, uint8_t id) { Record(10, id, data, 20, layer); }
void OnCrop(const uint8_t* record, uint32_t layer, uint32_t, uint8_t id) { Record(11, id, record, 14, layer); }
void OnMosaic(const uint8_t* data, uint32_t argument, uint8_t id) { Record(12, id, data, 108, argument); }
void OnLayerSources(const uint8_t* triples, uint32_t count, uint8_t id) { Record(14, id, triples, 3 * count, count); }
void OnStream(const uint8_t* data, uint32_t length, uint32_t channel) { Record(26, 0, data, length, channel); }
void OnDeviceInfo(const char* ip, const uint8_t* mac) {
    Record(27, 0, mac, 6);
    replies.back().ipText = ip;
}

template <int Slot> void* DataCallback() { return reinterpret_cast<void*>(&OnData<Slot>); }

template <int... Slots> void RegisterDataSlots(std::integer_sequence<int, Slots...>) {
    (VelkComm_RegisterCallback(DataCallback<Slots>(), Slots), ...);
}

} // namespace

ReplyRecorder::ReplyRecorder() {
    replies.clear();
    RegisterDataSlots(std::make_integer_sequence<int, 32>{});
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnPicture), 8);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnLayerWindow), 10);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnCrop), 11);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnMosaic), 12);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnLayerSources), 14);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnStream), 26);
    VelkComm_RegisterCallback(reinterpret_cast<void*>(&OnDeviceInfo), 27);
    VelkComm_SetReplyNotifier(&Notify, nullptr);
}

ReplyRecorder::~ReplyRecorder() {
    VelkComm_Close();
    afterEach = nullptr;
}

void ReplyRecorder::AfterEach(std::function<void(const RecordedReply&)> action) { afterEach = std::move(action); }

bool ReplyRecorder::PumpUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        VelkComm_DispatchReplies();
        if (done()) return true;
        std::unique_lock lock(notifyMutex);
        if (!notifyCv.wait_until(lock, deadline, [] { return notified; })) {
            lock.unlock();
            VelkComm_DispatchReplies();
            return done();
        }
        notified = false;
    }
}

void ReplyRecorder::PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

const std::vector<RecordedReply>& ReplyRecorder::Replies() const { return replies; }

std::vector<RecordedReply> ReplyRecorder::OfSlot(int slot) const {
    std::vector<RecordedReply> out;
    for (const auto& r : replies)
        if (r.slot == slot) out.push_back(r);
    return out;
}

void ReplyRecorder::Clear() { replies.clear(); }

std::thread::id ReplyRecorder::NotifierThread() const {
    std::lock_guard lock(notifyMutex);
    return notifierThread;
}

int ReplyRecorder::Notifications() const {
    std::lock_guard lock(notifyMutex);
    return notifications;
}

} // namespace testsupport
