#include "platform/comm/LinkTiming.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace velklink {

LinkTiming LinkTimingFromEnvironment() {
    LinkTiming timing;
    const char* text = std::getenv("VELKCOMM_TIMING_SCALE");
    if (!text || !*text) return timing;
    double scale = 1.0;
    const auto [end, ec] = std::from_chars(text, text + std::strlen(text), scale);
    if (ec != std::errc() || end == text || !(scale >= 0.01 && scale <= 1.0)) return timing;
    auto scaled = [scale](std::chrono::milliseconds m) {
        return std::chrono::milliseconds(static_cast<long long>(static_cast<double>(m.count()) * scale));
    };
    timing.ping = scaled(timing.ping);
    timing.silence = scaled(timing.silence);
    timing.reconnect = scaled(timing.reconnect);
    return timing;
}

} // namespace velklink
