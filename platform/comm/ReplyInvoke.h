// Calls a registered reply callback with the arguments its slot takes.
#pragma once
#include <cstdint>
#include <vector>

namespace velklink {

// The payload has passed ReplyPayloadAcceptable for `slot`.
void InvokeReplyCallback(void* callback, uint8_t slot, uint8_t id, const std::vector<uint8_t>& payload);

} // namespace velklink
