// Bytes from a device, cut anywhere: the stream parser, the datagram parser and the reply length
// checks must never read outside their buffers, and every frame they hand out must be whole.
#include "platform/comm/LinkFrame.h"
#include "platform/comm/ReplyLength.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace velklink;
    if (size == 0) return 0;
    (void)ParseDatagram({data, size});
    // The first byte chooses how the rest is cut into reads.
    const size_t piece = 1 + data[0] % 64;
    FrameStreamParser parser;
    Frame frame;
    for (size_t at = 1; at < size; at += piece) {
        const size_t n = at + piece <= size ? piece : size - at;
        parser.Feed({data + at, n});
        while (parser.Next(frame)) {
            if (frame.payload.size() > kMaxPayload) std::abort();
            if (frame.type == FrameReply) (void)ReplyPayloadAcceptable(frame.slot, frame.payload);
        }
    }
    return 0;
}
