#pragma once
// Colours as the windows write them: COLORREF 0x00BBGGRR (0x009CEF is red 239, green 156, blue 0).
#include <cstdint>

using COLORREF = std::uint32_t;

constexpr int RefRed(COLORREF c) { return static_cast<int>(c & 0xFF); }
constexpr int RefGreen(COLORREF c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int RefBlue(COLORREF c) { return static_cast<int>((c >> 16) & 0xFF); }
constexpr COLORREF MakeColourRef(int red, int green, int blue) {
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}
