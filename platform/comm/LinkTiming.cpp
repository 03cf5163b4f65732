#include "platform/comm/LinkTiming.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

namespace velklink {

namespace {

std::optional<LinkTiming> ScaledTiming(const char* text) {
    double scale = 1.0;
    const auto [end, ec] = std::from_chars(text, text + std::strlen(text), scale);
    if (ec != std::errc() || end == text || !(scale >= 0.01 && scale <= 1.0)) return std::nullopt;
    auto scaled = [scale](std::chrono::milliseconds m) {
        return std::chrono::milliseconds(static_cast<long long>(static_cast<double>(m.count()) * scale));
    };
    LinkTiming timing;
    timing.ping = scaled(timing.ping);
    timing.silence = scaled(timing.silence);
    timing.reconnect = scaled(timing.reconnect);
    return timing;
}

// "ping,silence,reconnect" in milliseconds.
std::optional<LinkTiming> ExplicitTiming(std::string_view text) {
    long long ms[3] = {};
    for (int k = 0; k < 3; ++k) {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), ms[k]);
        if (ec != std::errc() || ms[k] < 50 || ms[k] > 60000) return std::nullopt;
        text.remove_prefix(static_cast<size_t>(end - text.data()));
        if (k < 2) {
            if (text.empty() || text.front() != ',') return std::nullopt;
            text.remove_prefix(1);
        }
    }
    if (!text.empty() || ms[0] >= ms[1]) return std::nullopt;
    return LinkTiming{std::chrono::milliseconds(ms[0]), std::chrono::milliseconds(ms[1]),
                      std::chrono::milliseconds(ms[2])};
}

} // namespace

LinkTiming LinkTimingFromEnvironment() {
    if (const char* text = std::getenv("VELKCOMM_TIMING_MS"); text && *text)
        if (auto timing = ExplicitTiming(text)) return *timing;
    if (const char* text = std::getenv("VELKCOMM_TIMING_SCALE"); text && *text)
        if (auto timing = ScaledTiming(text)) return *timing;
    return {};
}

} // namespace velklink
