#include "platform/os/SdlNotifyHook.h"

#include <atomic>

namespace {
std::atomic<SdlNotifyFunction> Callback{nullptr};
} // namespace

void SDL_SetCallBackFunction(SdlNotifyFunction callback) {
    Callback.store(callback);
}

bool RaiseSdlNotify() {
    const SdlNotifyFunction callback = Callback.load();
    if (!callback) return false;
    callback();
    return true;
}
