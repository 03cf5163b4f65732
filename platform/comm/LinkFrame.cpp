#include "platform/comm/LinkFrame.h"

#include <algorithm>
#include <zlib.h>

namespace velklink {

uint32_t LinkCrc32(std::span<const uint8_t> bytes) {
    uLong crc = crc32(0L, Z_NULL, 0);
    // zlib takes a uInt length; feed in pieces so any span size is safe.
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t piece = std::min<size_t>(bytes.size() - done, 1u << 30);
        crc = crc32(crc, bytes.data() + done, static_cast<uInt>(piece));
        done += piece;
    }
    return static_cast<uint32_t>(crc);
}

bool AppendFrame(std::vector<uint8_t>& out, uint8_t type, uint8_t id, uint8_t slot,
                 std::span<const uint8_t> payload) {
    if (payload.size() > kMaxPayload) return false;
    const size_t begin = out.size();
    out.resize(begin + kHeaderSize + payload.size() + kCrcSize);
    uint8_t* p = out.data() + begin;
    p[0] = kMagic0;
    p[1] = kMagic1;
    p[2] = kVersion;
    p[3] = type;
    p[4] = id;
    p[5] = slot;
    p[6] = 0;
    p[7] = 0;
    PutU32(p + 8, static_cast<uint32_t>(payload.size()));
    if (!payload.empty()) std::copy(payload.begin(), payload.end(), p + kHeaderSize);
    const uint32_t crc = LinkCrc32({p, kHeaderSize + payload.size()});
    PutU32(p + kHeaderSize + payload.size(), crc);
    return true;
}

std::vector<uint8_t> EncodeFrame(uint8_t type, uint8_t id, uint8_t slot, std::span<const uint8_t> payload) {
    std::vector<uint8_t> out;
    AppendFrame(out, type, id, slot, payload);
    return out;
}

namespace {

// Length of the whole frame whose header starts at p, or 0 when the header is not acceptable.
size_t FrameLengthFromHeader(const uint8_t* p) {
    if (p[0] != kMagic0 || p[1] != kMagic1 || p[2] != kVersion) return 0;
    const uint32_t n = GetU32(p + 8);
    if (n > kMaxPayload) return 0;
    return kHeaderSize + n + kCrcSize;
}

bool CrcMatches(const uint8_t* p, size_t frameLength) {
    const size_t covered = frameLength - kCrcSize;
    return LinkCrc32({p, covered}) == GetU32(p + covered);
}

Frame FrameFromBytes(const uint8_t* p, size_t frameLength) {
    Frame f;
    f.type = p[3];
    f.id = p[4];
    f.slot = p[5];
    f.payload.assign(p + kHeaderSize, p + frameLength - kCrcSize);
    return f;
}

} // namespace

std::optional<Frame> ParseDatagram(std::span<const uint8_t> bytes) {
    if (bytes.size() < kHeaderSize + kCrcSize) return std::nullopt;
    const size_t length = FrameLengthFromHeader(bytes.data());
    if (length == 0 || length != bytes.size()) return std::nullopt;
    if (!CrcMatches(bytes.data(), length)) return std::nullopt;
    return FrameFromBytes(bytes.data(), length);
}

void FrameStreamParser::Feed(std::span<const uint8_t> bytes) {
    // Compact before growing so a long-lived link never keeps consumed bytes.
    if (start_ > 0 && (start_ == buffer_.size() || start_ > 65536)) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

void FrameStreamParser::Drop(size_t count) {
    start_ += count;
    discarded_ += count;
}

bool FrameStreamParser::Next(Frame& frame) {
    for (;;) {
        const uint8_t* data = buffer_.data() + start_;
        const size_t available = buffer_.size() - start_;
        // Skip to the next magic; a lone 0xA5 at the very end may be the start of one.
        size_t skip = 0;
        while (skip < available) {
            if (data[skip] == kMagic0 && (skip + 1 == available || data[skip + 1] == kMagic1)) break;
            ++skip;
        }
        if (skip > 0) {
            Drop(skip);
            continue;
        }
        if (available < kHeaderSize) return false;
        const size_t length = FrameLengthFromHeader(data);
        if (length == 0) {
            Drop(1);
            continue;
        }
        if (available < length) return false;
        if (!CrcMatches(data, length)) {
            Drop(1);
            continue;
        }
        frame = FrameFromBytes(data, length);
        start_ += length;
        return true;
    }
}

void FrameStreamParser::Reset() {
    buffer_.clear();
    start_ = 0;
}

} // namespace velklink
