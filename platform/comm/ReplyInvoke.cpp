#include "platform/comm/ReplyInvoke.h"

#include "platform/comm/LinkFrame.h"

#include <algorithm>

namespace velklink {

namespace {

using DataId = void (*)(const uint8_t*, uint8_t);
using Picture = void (*)(const uint8_t*, const uint8_t*, uint32_t, uint32_t, uint8_t);
using LayerWindow = void (*)(const uint8_t*, uint32_t, uint8_t);
using Crop = void (*)(const uint8_t*, uint32_t, uint32_t, uint8_t);
using DataArgument = void (*)(const uint8_t*, uint32_t, uint8_t);
using Triples = void (*)(const uint8_t*, uint32_t, uint8_t);
using Stream = void (*)(const uint8_t*, uint32_t, uint32_t);
using DeviceInfo = void (*)(const char*, const uint8_t*);

template <typename F> F As(void* callback) { return reinterpret_cast<F>(callback); }

} // namespace

void InvokeReplyCallback(void* callback, uint8_t slot, uint8_t id, const std::vector<uint8_t>& payload) {
    // Slots of any length may arrive empty; their callbacks still get a valid pointer.
    static const uint8_t kNothing[4] = {};
    const uint8_t* p = payload.empty() ? kNothing : payload.data();
    const auto n = static_cast<uint32_t>(payload.size());
    switch (slot) {
    case 8: As<Picture>(callback)(p, p + 12, p[32], GetU32(p + 33), id); break;
    case 10: As<LayerWindow>(callback)(p, p[20], id); break;
    case 11: As<Crop>(callback)(p, p[14], GetU32(p + 15), id); break;
    case 12: As<DataArgument>(callback)(p, GetU32(p + 108), id); break;
    case 14: As<Triples>(callback)(p + 1, p[0], id); break;
    case 26: As<Stream>(callback)(p + 1, n - 1, p[0]); break;
    case 27: {
        char ip[17] = {};
        std::copy(p, p + 16, ip);
        As<DeviceInfo>(callback)(ip, p + 16);
        break;
    }
    default: As<DataId>(callback)(p, id); break;
    }
}

} // namespace velklink
