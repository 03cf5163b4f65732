#pragma once
#include "platform/h264/H264Picture.h"

#include <cstddef>
#include <functional>
#include <memory>

// Our decoder layer in place of the device maker's H.264 decoder: create it, feed it pieces of
// an Annex-B byte stream, get zero or more pictures back, destroy it.
class H264Decoder {
public:
    // Called once per decoded picture; the picture's planes stay valid only during the call.
    using PictureSink = std::function<void(const H264Picture&)>;

    virtual ~H264Decoder() = default;

    // Feeds one piece of the stream. Pieces may be cut anywhere, even inside a start code: the
    // decoder reassembles access units itself. An empty piece is ignored. Corrupt data yields no
    // picture rather than an error. Returns the number of pictures handed to the sink.
    virtual int Decode(const uint8_t* data, size_t length, const PictureSink& sink) = 0;

    // End of the stream: hands on the pictures still held back (the access unit that waits for
    // the next one to start), after which the decoder accepts a new stream.
    virtual int Flush(const PictureSink& sink) = 0;
};

// The expected picture size (the preview size the device was told) is only a hint; the stream
// itself says the size. Returns null when no H.264 decoder is available.
struct H264DecoderSettings {
    int Width = 352;
    int Height = 240;
    // Set when every piece holds whole access units: each picture then comes out with its own
    // piece instead of when the next picture starts.
    bool CompletePictures = false;
};
std::unique_ptr<H264Decoder> CreateH264Decoder(const H264DecoderSettings& settings = {});
