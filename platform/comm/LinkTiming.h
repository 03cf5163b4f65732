// Keep-alive timings of the device link.
#pragma once
#include <chrono>

namespace velklink {

struct LinkTiming {
    std::chrono::milliseconds ping{3000};      // PING on every open link
    std::chrono::milliseconds silence{10000};  // nothing heard for this long: the link is lost
    std::chrono::milliseconds reconnect{5000}; // a lost TCP link is retried this often
};

// The real timings, scaled by VELKCOMM_TIMING_SCALE (0.01 .. 1) when that is set. The variable exists
// only so tests can watch a loss and a reconnect without waiting for the real 10 s and 5 s.
LinkTiming LinkTimingFromEnvironment();

} // namespace velklink
