// Frames of the device link: the same 12-byte header, payload and CRC-32 travel over TCP,
// UDP and serial. Shared by the library and the simulated processor.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace velklink {

inline constexpr uint8_t kMagic0 = 0xA5;
inline constexpr uint8_t kMagic1 = 0x5A;
inline constexpr uint8_t kVersion = 1;
inline constexpr size_t kHeaderSize = 12;
inline constexpr size_t kCrcSize = 4;
inline constexpr uint32_t kMaxPayload = 1048576;
inline constexpr uint16_t kDefaultPort = 61213;
inline constexpr uint8_t kAnyDevice = 255;
inline constexpr size_t kStateBlockSize = 2360;
inline constexpr size_t kCommandBlockSize = 32;
inline constexpr uint16_t kMaxCaptionChunk = 1344;

enum FrameType : uint8_t {
    FrameCommand = 0x01,
    FrameStateBlock = 0x02,
    FrameCaptionChunk = 0x03,
    FrameHello = 0x04,
    FramePing = 0x05,
    FrameBye = 0x06,
    FrameReply = 0x80,
};

struct Frame {
    uint8_t type = 0;
    uint8_t id = 0;
    uint8_t slot = 0;
    std::vector<uint8_t> payload;
};

uint32_t LinkCrc32(std::span<const uint8_t> bytes);

// Appends one whole frame to `out`. Payloads above kMaxPayload are the caller's fault: nothing is appended.
bool AppendFrame(std::vector<uint8_t>& out, uint8_t type, uint8_t id, uint8_t slot,
                 std::span<const uint8_t> payload);
std::vector<uint8_t> EncodeFrame(uint8_t type, uint8_t id, uint8_t slot, std::span<const uint8_t> payload);

// One datagram holds exactly one frame; anything else about it is wrong and it is dropped.
std::optional<Frame> ParseDatagram(std::span<const uint8_t> bytes);

// Byte-stream parser for TCP and serial: resynchronises on the next magic after anything wrong.
class FrameStreamParser {
public:
    void Feed(std::span<const uint8_t> bytes);
    // Takes the next good frame out of the buffered bytes; false when none is complete yet.
    bool Next(Frame& frame);
    // Bytes thrown away while resynchronising (garbage, bad CRCs, bad headers).
    uint64_t DiscardedBytes() const { return discarded_; }
    void Reset();

private:
    void Drop(size_t count);
    std::vector<uint8_t> buffer_;
    size_t start_ = 0;
    uint64_t discarded_ = 0;
};

// Little-endian helpers for payload building and reading.
inline void PutU16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
inline void PutU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); p[2] = uint8_t(v >> 16); p[3] = uint8_t(v >> 24);
}
inline uint16_t GetU16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
inline uint32_t GetU32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

} // namespace velklink
