#pragma once
#include <cstdint>

// One decoded picture in I420 layout: a full-size Y plane and U, V planes of half width and
// half height (rounded up). Each plane has its own line stride, which decoders pad beyond the
// width (352 -> 384 bytes), so a reader must step rows by the stride, never by the width.
struct H264Picture {
    int Width = 0;
    int Height = 0;
    const uint8_t* Planes[3] = {nullptr, nullptr, nullptr}; // Y, U, V
    int Strides[3] = {0, 0, 0};

    static int ChromaWidth(int width) { return (width + 1) / 2; }
    static int ChromaHeight(int height) { return (height + 1) / 2; }
};
