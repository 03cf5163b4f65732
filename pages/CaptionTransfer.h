#pragma once
// Moving a caption bitmap file to the device: whole pixel rows, top row first, in chunks of at
// most 1344 bytes, one chunk in flight until the device acknowledges its offset. A lost
// acknowledgement is answered by resending the same chunk, three times at most.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t CaptionChunkSize = 1344;
inline constexpr int CaptionResendLimit = 3;

// Resends made since the last give-up; counted across chunks and transfers, reset only when a
// transfer is given up.
extern int CaptionResendCount;

class CaptionUpload {
public:
    // Reads the caption file. False, leaving nothing open, when it cannot be read or is not a
    // 1-bit BMP the device takes (1..3840 x 1..128, pixel data where its header says).
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return Opened; }

    // Starts sending: the first chunk goes out and waits. False when no file is open.
    bool Start(bool invert);

    enum class AckStep {
        Ignored,        // not an acceptance, or not ours: the chunk keeps waiting
        Acknowledged,   // the waiting chunk is through, but there is nothing to go on with
        NextChunkSent,  // the next chunk went out and waits
        Finished,       // every row is through; the file is closed
    };
    AckStep OnAck(uint8_t status, uint32_t offset);

    enum class TimeoutStep { Nothing, Resent, GaveUp };
    // The acknowledgement did not come in time.
    TimeoutStep OnTimeout();

    bool AwaitingAck() const { return Awaiting; }

    uint32_t PixelDataOffset = 0, BitmapWidth = 0, BitmapHeight = 0, BitsPerPixel = 0;
    uint32_t RowBytes = 0, RowsPerChunk = 0, NextRow = 1;
    uint32_t ChunkOffset = 0, ChunkLength = 0;
    uint32_t AwaitedOffset = 0, AwaitedLength = 0;

private:
    void ReadRows(uint32_t count);
    void SendChunk();

    std::vector<uint8_t> File;
    std::vector<uint8_t> Chunk, ResendCopy;
    bool Opened = false, Awaiting = false, Invert = false;
};
