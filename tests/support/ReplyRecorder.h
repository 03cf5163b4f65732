// Records every reply the link library delivers, for tests that drive it against devsim.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testsupport {

struct RecordedReply {
    int slot = 0;
    unsigned id = 0;            // the callback's id (slot 27: none)
    std::vector<uint8_t> data;  // the bytes the callback could see
    uint32_t layer = 0;         // slots 8, 10, 11; slot 12's argument; slot 14's count; slot 26's channel
    std::string ipText;         // slot 27
    std::thread::id thread;     // the thread the callback ran on
};

// Registers a recording callback on all 32 slots and a notifier. One per process.
class ReplyRecorder {
public:
    ReplyRecorder();
    ~ReplyRecorder();
    // Dispatches waiting replies (waiting for the notifier) until `done` holds or the time is up.
    bool PumpUntil(const std::function<bool()>& done, int timeoutMs);
    // Dispatches whatever arrives for this long.
    void PumpFor(int milliseconds);
    const std::vector<RecordedReply>& Replies() const;
    std::vector<RecordedReply> OfSlot(int slot) const;
    void Clear();
    // Runs inside each callback once the reply is recorded, as the program's own code would.
    void AfterEach(std::function<void(const RecordedReply&)> action);
    std::thread::id NotifierThread() const;
    int Notifications() const;
};

} // namespace testsupport
