#pragma once
// Caption bitmap files: the device takes a caption as a bottom-up, one-bit-per-pixel Windows BMP
// (black/white palette, 1 = white), at most 3840 x 128 pixels.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t CaptionMaxWidth = 3840;
inline constexpr uint32_t CaptionMaxHeight = 128;
inline constexpr uint32_t Bmp1bppHeaderSize = 62;   // file header, info header, two palette entries

// Bytes of one row, padded to a 32-bit boundary.
inline uint32_t Bmp1bppRowBytes(uint32_t width) { return ((width + 31) / 32) * 4; }
// A size the device takes (and a file we write).
inline bool CaptionSizeFits(uint32_t width, uint32_t height) {
    return width >= 1 && height >= 1 && width <= CaptionMaxWidth && height <= CaptionMaxHeight;
}

// Which pixels are white, row by row from the top: light pixels (luminance of at least half) of
// an RGB picture (3 bytes a pixel).
std::vector<uint8_t> WhiteMaskFromRgb(const uint8_t* rgb, uint32_t width, uint32_t height);

// The whole file for a white mask (width x height bytes, top row first, non-zero = white).
// Empty when the size is 0 or the mask is short.
std::vector<uint8_t> EncodeBmp1bpp(uint32_t width, uint32_t height, const std::vector<uint8_t>& whiteMask);

// Writes the file beside the old one and renames it over it; false (old file kept) on failure
// or for a size the device does not take.
bool SaveCaptionBmp(const std::string& path, uint32_t width, uint32_t height, const std::vector<uint8_t>& whiteMask);

// "PFile.BMP" before any preview, "PFile<index>.BMP" for a rendered caption, in the program folder
// (which ends in '/').
std::string CaptionStartPath(const std::string& folder);
std::string CaptionFilePathFor(const std::string& folder, uint32_t captionIndex);
