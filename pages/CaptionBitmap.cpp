#include "pages/CaptionBitmap.h"

#include <string_view>

#include "app/LittleEndian.h"
#include "platform/os/AtomicFile.h"

std::vector<uint8_t> WhiteMaskFromRgb(const uint8_t* rgb, uint32_t width, uint32_t height) {
    std::vector<uint8_t> mask(static_cast<size_t>(width) * height);
    for (size_t i = 0; i < mask.size(); ++i) {
        const uint8_t* p = rgb + 3 * i;
        // Rec. 601 weights in integers: text drawn in white stays white, black stays black.
        const uint32_t luminance = (299u * p[0] + 587u * p[1] + 114u * p[2]) / 1000u;
        mask[i] = luminance >= 128 ? 1 : 0;
    }
    return mask;
}

std::vector<uint8_t> EncodeBmp1bpp(uint32_t width, uint32_t height, const std::vector<uint8_t>& whiteMask) {
    if (width == 0 || height == 0 || width > 0x7FFFFFF || height > 0x7FFFFFF) return {};
    if (whiteMask.size() < static_cast<size_t>(width) * height) return {};
    const uint32_t stride = Bmp1bppRowBytes(width);
    const uint64_t image = static_cast<uint64_t>(stride) * height;
    if (image > 0xFFFFFFFFull - Bmp1bppHeaderSize) return {};
    std::vector<uint8_t> b(Bmp1bppHeaderSize + image, 0);
    b[0] = 'B';
    b[1] = 'M';
    WriteU32(&b[2], static_cast<uint32_t>(Bmp1bppHeaderSize + image));
    WriteU32(&b[10], Bmp1bppHeaderSize);
    WriteU32(&b[14], 40);
    WriteU32(&b[18], width);
    WriteU32(&b[22], height);   // positive: the bottom row comes first
    WriteU16(&b[26], 1);
    WriteU16(&b[28], 1);
    WriteU32(&b[34], static_cast<uint32_t>(image));
    // Palette: entry 0 black, entry 1 white.
    b[58] = b[59] = b[60] = 0xFF;
    for (uint32_t y = 0; y < height; ++y) {
        uint8_t* row = &b[Bmp1bppHeaderSize + static_cast<size_t>(height - 1 - y) * stride];
        const uint8_t* src = &whiteMask[static_cast<size_t>(y) * width];
        for (uint32_t x = 0; x < width; ++x)
            if (src[x]) row[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
    }
    return b;
}

bool SaveCaptionBmp(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& whiteMask) {
    if (!CaptionSizeFits(width, height)) return false;
    const std::vector<uint8_t> bytes = EncodeBmp1bpp(width, height, whiteMask);
    if (bytes.empty()) return false;
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string CaptionStartPath(const std::string& folder) { return folder + "PFile.BMP"; }

std::string CaptionFilePathFor(const std::string& folder, uint32_t captionIndex) {
    return folder + "PFile" + std::to_string(captionIndex) + ".BMP";
}
