#include "tools/devsim/PreviewStream.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace devsim {

namespace {

// Offsets of the NAL units (just past their start codes).
std::vector<size_t> NalStarts(const std::vector<uint8_t>& s) {
    std::vector<size_t> starts;
    for (size_t i = 0; i + 3 <= s.size(); ++i)
        if (s[i] == 0 && s[i + 1] == 0 && s[i + 2] == 1) {
            starts.push_back(i + 3);
            i += 2;
        }
    return starts;
}

// Where the unit's start code begins (a 4-byte code has one more zero before it).
size_t CodeStart(const std::vector<uint8_t>& s, size_t nal) {
    size_t at = nal - 3;
    if (at > 0 && s[at - 1] == 0) --at;
    return at;
}

} // namespace

std::vector<std::vector<uint8_t>> CutPictures(const std::vector<uint8_t>& stream) {
    std::vector<std::vector<uint8_t>> pictures;
    const std::vector<size_t> nals = NalStarts(stream);
    size_t begin = 0;
    bool sliceSeen = false;
    for (size_t nal : nals) {
        if (nal >= stream.size()) break;
        const int type = stream[nal] & 0x1F;
        const bool slice = type == 1 || type == 5;
        // first_mb_in_slice is the slice header's first field (ue(v)): a leading 1 bit means 0.
        const bool firstSlice = slice && nal + 1 < stream.size() && (stream[nal + 1] & 0x80) != 0;
        const bool opensPicture = (type >= 6 && type <= 9) || firstSlice;
        if (sliceSeen && opensPicture) {
            const size_t end = CodeStart(stream, nal);
            pictures.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(begin),
                                  stream.begin() + static_cast<std::ptrdiff_t>(end));
            begin = end;
            sliceSeen = false;
        }
        sliceSeen = sliceSeen || slice;
    }
    if (sliceSeen)
        pictures.emplace_back(stream.begin() + static_cast<std::ptrdiff_t>(begin), stream.end());
    return pictures;
}

bool PreviewStream::Load(const std::string& path) {
    pictures_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    pictures_ = CutPictures(bytes);
    return !pictures_.empty();
}

std::vector<std::vector<uint8_t>> PreviewStream::PicturePackets(size_t index) const {
    std::vector<std::vector<uint8_t>> packets;
    if (pictures_.empty()) return packets;
    const std::vector<uint8_t>& picture = pictures_[index % pictures_.size()];
    for (size_t at = 0; at < picture.size(); at += kPreviewPieceBytes) {
        const size_t n = std::min(kPreviewPieceBytes, picture.size() - at);
        std::vector<uint8_t> packet;
        packet.reserve(n + 1);
        packet.push_back(0); // channel 0: the working area's picture
        packet.insert(packet.end(), picture.begin() + static_cast<std::ptrdiff_t>(at),
                      picture.begin() + static_cast<std::ptrdiff_t>(at + n));
        packets.push_back(std::move(packet));
    }
    return packets;
}

std::vector<uint8_t> PreviewStream::OtherChannelPacket(uint8_t channel) {
    return {channel, 0, 0, 0, 1, 0x09, 0xF0};
}

} // namespace devsim
