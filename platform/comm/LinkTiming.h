// Keep-alive timings of the device link.
#pragma once
#include <chrono>

namespace velklink {

struct LinkTiming {
    std::chrono::milliseconds ping{3000};      // PING on every open link
    std::chrono::milliseconds silence{10000};  // nothing heard for this long: the link is lost
    std::chrono::milliseconds reconnect{5000}; // a lost TCP link is retried this often
};

// The real timings, unless a test asks for others (the program itself never sets these):
// - VELKCOMM_TIMING_SCALE (0.01 .. 1) scales all three, so a loss and a reconnect are seen without
//   waiting for the real 10 s and 5 s;
// - VELKCOMM_TIMING_MS "ping,silence,reconnect" (each 50 .. 60000 ms, ping below silence) sets them
//   one by one, so a test can tell which timing drives which step. It wins over the scale.
// A value out of range leaves the real timings.
LinkTiming LinkTimingFromEnvironment();

} // namespace velklink
