// Arbitrary bytes as the preview stream: cut into pieces anywhere (byte 0 chooses the piece
// size), reassembled into access units and decoded by our decoder layer. Every picture handed on
// must describe planes that can be read whole, row by row through its strides.
#include "platform/h264/H264Decoder.h"

#include <cstddef>
#include <cstdint>

namespace {
volatile uint8_t Sink;

void ReadPicture(const H264Picture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0 || picture.Width > 8192 || picture.Height > 8192) __builtin_trap();
    const int widths[3] = {picture.Width, H264Picture::ChromaWidth(picture.Width), H264Picture::ChromaWidth(picture.Width)};
    const int heights[3] = {picture.Height, H264Picture::ChromaHeight(picture.Height),
                            H264Picture::ChromaHeight(picture.Height)};
    for (int p = 0; p < 3; ++p) {
        if (!picture.Planes[p] || picture.Strides[p] < widths[p]) __builtin_trap();
        // The first and last byte of every row: the sanitizer catches a plane shorter than it says.
        for (int row = 0; row < heights[p]; ++row) {
            const uint8_t* line = picture.Planes[p] + static_cast<ptrdiff_t>(row) * picture.Strides[p];
            Sink = static_cast<uint8_t>(line[0] + line[widths[p] - 1]);
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    H264DecoderSettings settings;
    settings.CompletePictures = (data[0] & 0x80) != 0;
    const size_t piece = 1 + (data[0] & 0x7F) * 16;
    auto decoder = CreateH264Decoder(settings);
    if (!decoder) return 0;
    const H264Decoder::PictureSink sink = ReadPicture;
    for (size_t at = 1; at < size; at += piece) {
        const size_t length = size - at < piece ? size - at : piece;
        decoder->Decode(data + at, length, sink);
    }
    decoder->Flush(sink);
    return 0;
}
