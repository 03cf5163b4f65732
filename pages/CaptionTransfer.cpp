#include "pages/CaptionTransfer.h"

#include <algorithm>

#include "app/CommLink.h"
#include "app/DeviceState.h"
#include "app/LittleEndian.h"
#include "app/MachineAtWork.h"
#include "pages/CaptionBitmap.h"
#include "platform/os/AtomicFile.h"

int CaptionResendCount = 0;

namespace {
// A chunk goes where the commands go: with no machine addressed, to none.
void SendCaptionChunkToMachineAtWork(uint32_t offset, uint32_t length, const uint8_t* data) {
    const std::optional<uint8_t> address = CommandAddress();
    CommLink* link = GetCommLink();
    if (address && link) link->SendCaptionChunk(offset, static_cast<uint16_t>(length), data, *address);
}
} // namespace

bool CaptionUpload::Open(const std::string& path) {
    Close();
    // Only a regular file is read, so a FIFO or a device at the path never holds the page up.
    std::string raw;
    if (!ReadWholeFile(path, raw)) return false;
    std::vector<uint8_t> bytes(raw.begin(), raw.end());
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return false;
    const uint32_t offset = ReadU32(&bytes[10]);
    const int32_t width = static_cast<int32_t>(ReadU32(&bytes[18]));
    const int32_t height = static_cast<int32_t>(ReadU32(&bytes[22]));
    const uint32_t bits = ReadU16(&bytes[28]);
    // Only what the page writes is sent: the rows are copied as they stand, so any other depth,
    // a top-down file or a size the device does not take would reach it as garbage.
    if (bits != 1 || width <= 0 || height <= 0) return false;
    if (!CaptionSizeFits(static_cast<uint32_t>(width), static_cast<uint32_t>(height))) return false;
    if (offset < 54 || offset > bytes.size()) return false;
    File = std::move(bytes);
    PixelDataOffset = offset;
    BitmapWidth = static_cast<uint32_t>(width);
    BitmapHeight = static_cast<uint32_t>(height);
    BitsPerPixel = bits;
    RowBytes = Bmp1bppRowBytes(BitmapWidth);
    RowsPerChunk = std::min(CaptionChunkSize / RowBytes, BitmapHeight);
    Opened = true;
    return true;
}

void CaptionUpload::Close() {
    File.clear();
    ResendCopy.clear();
    Opened = false;
    Awaiting = false;
}

void CaptionUpload::ReadRows(uint32_t count) {
    for (uint32_t j = 0; j < count; ++j) {
        // Image row NextRow + j (1-based from the top) is file row H - NextRow - j of the bottom-up file.
        const uint32_t fileRow = BitmapHeight - NextRow - j;
        const size_t at = PixelDataOffset + static_cast<size_t>(fileRow) * RowBytes;
        // A short file makes the chunk shorter; the next offset follows what was really sent.
        const size_t available = at < File.size() ? std::min<size_t>(RowBytes, File.size() - at) : 0;
        if (ChunkLength + available > CaptionChunkSize) break;
        Chunk.insert(Chunk.end(), File.begin() + static_cast<std::ptrdiff_t>(at),
                     File.begin() + static_cast<std::ptrdiff_t>(at + available));
        ChunkLength += static_cast<uint32_t>(available);
    }
}

void CaptionUpload::SendChunk() {
    if (Invert)
        for (uint8_t& b : Chunk) b = static_cast<uint8_t>(~b);
    if (!Awaiting) {
        AwaitedOffset = ChunkOffset;
        AwaitedLength = ChunkLength;
        Awaiting = true;
        ResendCopy = Chunk;
    }
    SendCaptionChunkToMachineAtWork(ChunkOffset, ChunkLength, Chunk.data());
}

bool CaptionUpload::Start(bool invert) {
    if (!Opened) return false;
    Invert = invert;
    Awaiting = false;
    ResendCopy.clear();
    ChunkOffset = 0;
    NextRow = 1;
    ChunkLength = 0;
    Chunk.clear();
    ReadRows(RowsPerChunk);
    NextRow += RowsPerChunk;
    SendChunk();
    return true;
}

CaptionUpload::AckStep CaptionUpload::OnAck(uint8_t status, uint32_t offset) {
    if (status != 1) return AckStep::Ignored;
    if (!Awaiting || offset != AwaitedOffset) return AckStep::Ignored;
    Awaiting = false;
    if (!Opened) return AckStep::Acknowledged;
    if (NextRow > BitmapHeight) {
        Close();
        return AckStep::Finished;
    }
    Chunk.clear();
    ChunkOffset += ChunkLength;
    ChunkLength = 0;
    const uint32_t n = NextRow + RowsPerChunk <= BitmapHeight ? RowsPerChunk : BitmapHeight - NextRow + 1;
    ReadRows(n);
    NextRow += n;
    SendChunk();
    return AckStep::NextChunkSent;
}

CaptionUpload::TimeoutStep CaptionUpload::OnTimeout() {
    // A timer that outlived its chunk has nothing to resend.
    if (!Awaiting) return TimeoutStep::Nothing;
    if (CaptionResendCount < CaptionResendLimit) {
        ++CaptionResendCount;
        SendCaptionChunkToMachineAtWork(AwaitedOffset, AwaitedLength, ResendCopy.data());
        return TimeoutStep::Resent;
    }
    CaptionResendCount = 0;
    Close();
    return TimeoutStep::GaveUp;
}
