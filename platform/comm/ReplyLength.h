// The shortest payload each reply slot may carry; shorter replies are dropped, never delivered.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace velklink {

inline constexpr int kReplySlotCount = 32;

// Fixed minimum payload length of a reply slot (slot 14 also needs 3 bytes per counted layer,
// slot 27 a zero byte inside its IP text; see ReplyPayloadAcceptable). 0 for slots of any length.
size_t MinimumReplyLength(int slot);

// Whether a reply payload may be handed to the callback of its slot.
bool ReplyPayloadAcceptable(int slot, std::span<const uint8_t> payload);

} // namespace velklink
