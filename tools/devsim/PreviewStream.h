// The preview stream a simulated processor sends while its preview is on: an H.264 Annex-B file
// played in a loop, one picture per tick (25 per second), each picture cut into pieces of at
// most 1,400 bytes as the device's network packets are.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace devsim {

inline constexpr size_t kPreviewPieceBytes = 1400;
inline constexpr int kPreviewPicturesPerSecond = 25;
// Every this many pictures a small packet goes out on channels 1..3 (the program drops those).
inline constexpr unsigned kPreviewOtherChannelEvery = 25;

// Cuts an Annex-B stream into pictures (access units): a new one begins at a parameter set, SEI
// or delimiter that follows a slice, or at a slice whose first macroblock is 0 that follows a slice.
std::vector<std::vector<uint8_t>> CutPictures(const std::vector<uint8_t>& stream);

class PreviewStream {
public:
    // Empty (and false) when the file cannot be read or holds no picture.
    bool Load(const std::string& path);
    bool Empty() const { return pictures_.empty(); }
    size_t PictureCount() const { return pictures_.size(); }

    // The reply payloads (slot 26: channel byte, then a piece) for picture `index` of the loop.
    std::vector<std::vector<uint8_t>> PicturePackets(size_t index) const;
    // A short packet for channel 1..3, sent now and then so the program's dropping is exercised.
    static std::vector<uint8_t> OtherChannelPacket(uint8_t channel);

private:
    std::vector<std::vector<uint8_t>> pictures_;
};

} // namespace devsim
