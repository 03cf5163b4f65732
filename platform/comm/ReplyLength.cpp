#include "platform/comm/ReplyLength.h"

#include <algorithm>
#include <array>

namespace velklink {

namespace {

constexpr std::array<uint32_t, kReplySlotCount> kMinimumLength = {
    1,    // 0 connection status
    1,    // 1 preview state
    2360, // 2 full state
    6,    // 3 grab colour
    10,   // 4 input signal
    28,   // 5 VGA
    12,   // 6 EDID
    124,  // 7 schedule
    37,   // 8 picture: block 12, record 20, layer, u32 extra
    0,    // 9 output resolution: any length
    21,   // 10 layer window and layer
    19,   // 11 crop record, layer, u32 extra
    112,  // 12 mosaic and u32 argument
    6,    // 13 date and time
    1,    // 14 count, then 3 bytes per layer
    42,   // 15 logo
    20,   // 16 keyer
    10,   // 17 preset states
    1,    // 18 loop out
    18,   // 19 system info
    16,   // 20 PGM/PVW
    2,    // 21 DP split
    8,    // 22 input states
    0,    // 23 device online: any length
    8,    // 24 operation status
    32,   // 25 caption
    2,    // 26 channel and at least one stream byte
    22,   // 27 IP text (16) and MAC (6)
    10,   // 28 video encoder
    44,   // 29 extension card
    36,   // 30 feathering
    1,    // 31 freeze state
};

} // namespace

size_t MinimumReplyLength(int slot) {
    if (slot < 0 || slot >= kReplySlotCount) return 0;
    return kMinimumLength[static_cast<size_t>(slot)];
}

bool ReplyPayloadAcceptable(int slot, std::span<const uint8_t> payload) {
    if (slot < 0 || slot >= kReplySlotCount) return false;
    if (payload.size() < MinimumReplyLength(slot)) return false;
    if (slot == 14) return payload.size() >= 1 + 3 * size_t(payload[0]);
    if (slot == 27) return std::find(payload.begin(), payload.begin() + 16, uint8_t{0}) != payload.begin() + 16;
    return true;
}

} // namespace velklink
