#include "app/ReplySleep.h"

#include <chrono>
#include <thread>

namespace {
std::function<void(unsigned)>& SleepHook() {
    static std::function<void(unsigned)> hook;
    return hook;
}
} // namespace

void ReplySleep(unsigned milliseconds) {
    if (SleepHook()) {
        SleepHook()(milliseconds);
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void SetReplySleepFunction(std::function<void(unsigned)> sleep) { SleepHook() = std::move(sleep); }
