// The decoder layer over FFmpeg's libavcodec: a parser cuts the byte stream into access units,
// one single-threaded decoder turns each into at most one picture at once.
#include "platform/h264/H264Decoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/frame.h>
#include <libavutil/log.h>
#include <libavutil/pixfmt.h>
}

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// Larger pictures than this are not a preview; refusing them bounds every plane we hand on.
constexpr int MaxPictureSide = 8192;
// The parser takes an int length; pieces are fed in bites no larger than this.
constexpr size_t MaxBite = size_t{1} << 20;

void QuietLibavOnce() {
    // Corrupt or truncated preview data is expected (a full ring drops packets); libavcodec's
    // complaints about it would flood stderr at the packet rate.
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

bool IsDeliverable(const AVFrame& frame) {
    if (frame.format != AV_PIX_FMT_YUV420P && frame.format != AV_PIX_FMT_YUVJ420P) return false;
    if (frame.width <= 0 || frame.height <= 0) return false;
    if (frame.width > MaxPictureSide || frame.height > MaxPictureSide) return false;
    const int chromaWidth = H264Picture::ChromaWidth(frame.width);
    for (int plane = 0; plane < 3; ++plane)
        if (!frame.data[plane]) return false;
    return frame.linesize[0] >= frame.width && frame.linesize[1] >= chromaWidth &&
           frame.linesize[2] >= chromaWidth;
}

class AvH264Decoder final : public H264Decoder {
public:
    ~AvH264Decoder() override {
        av_frame_free(&Frame);
        av_packet_free(&Packet);
        av_parser_close(Parser);
        avcodec_free_context(&Context);
    }

    bool Open(const H264DecoderSettings& settings) {
        CompletePictures = settings.CompletePictures;
        const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_H264);
        if (!codec) return false;
        Context = avcodec_alloc_context3(codec);
        if (!Context) return false;
        // One thread and low delay: frame threading would hold back several pictures and then
        // release them in bursts that the two-picture ring behind us would mostly drop.
        Context->thread_count = 1;
        Context->flags |= AV_CODEC_FLAG_LOW_DELAY;
        if (settings.Width > 0 && settings.Height > 0 && settings.Width <= MaxPictureSide &&
            settings.Height <= MaxPictureSide) {
            Context->width = settings.Width;
            Context->height = settings.Height;
        }
        if (avcodec_open2(Context, codec, nullptr) < 0) return false;
        Packet = av_packet_alloc();
        Frame = av_frame_alloc();
        return Packet && Frame && OpenParser();
    }

    int Decode(const uint8_t* data, size_t length, const PictureSink& sink) override {
        if (!data || length == 0) return 0; // an empty piece must not become end-of-stream
        int pictures = 0;
        while (length > 0) {
            const size_t bite = std::min(length, MaxBite);
            // The parser may read a little past what it is given; feed it a padded copy.
            Input.resize(bite + AV_INPUT_BUFFER_PADDING_SIZE);
            std::memcpy(Input.data(), data, bite);
            std::memset(Input.data() + bite, 0, AV_INPUT_BUFFER_PADDING_SIZE);
            pictures += ParseBite(Input.data(), static_cast<int>(bite), sink);
            data += bite;
            length -= bite;
        }
        return pictures;
    }

    int Flush(const PictureSink& sink) override {
        int pictures = 0;
        uint8_t* unit = nullptr;
        int unitSize = 0;
        if (Parser)
            av_parser_parse2(Parser, Context, &unit, &unitSize, nullptr, 0, AV_NOPTS_VALUE,
                             AV_NOPTS_VALUE, 0);
        if (unitSize > 0) pictures += SendAccessUnit(unit, unitSize, sink);
        if (avcodec_send_packet(Context, nullptr) >= 0) pictures += ReceivePictures(sink);
        // Draining leaves the decoder refusing input until it is flushed; the parser has ended
        // its stream too. Both start afresh so the next piece begins a new stream.
        avcodec_flush_buffers(Context);
        av_parser_close(Parser);
        Parser = nullptr;
        OpenParser();
        return pictures;
    }

private:
    bool OpenParser() {
        Parser = av_parser_init(AV_CODEC_ID_H264);
        if (!Parser) return false;
        if (CompletePictures) Parser->flags |= PARSER_FLAG_COMPLETE_FRAMES;
        return true;
    }

    int ParseBite(const uint8_t* data, int size, const PictureSink& sink) {
        if (!Parser) return 0;
        int pictures = 0;
        while (size > 0) {
            uint8_t* unit = nullptr;
            int unitSize = 0;
            const int used = av_parser_parse2(Parser, Context, &unit, &unitSize, data, size,
                                              AV_NOPTS_VALUE, AV_NOPTS_VALUE, 0);
            if (used < 0 || used > size) break; // the parser gave up on this piece: drop the rest
            data += used;
            size -= used;
            if (unitSize > 0) pictures += SendAccessUnit(unit, unitSize, sink);
            if (used == 0 && unitSize == 0) break; // no progress: never spin
        }
        return pictures;
    }

    int SendAccessUnit(uint8_t* unit, int size, const PictureSink& sink) {
        // The packet does not own the bytes; libavcodec copies them (padded) before decoding.
        Packet->data = unit;
        Packet->size = size;
        int result = avcodec_send_packet(Context, Packet);
        int pictures = 0;
        if (result == AVERROR(EAGAIN)) { // output waiting: take it, then offer the unit again
            pictures += ReceivePictures(sink);
            result = avcodec_send_packet(Context, Packet);
        }
        Packet->data = nullptr;
        Packet->size = 0;
        // A unit the decoder refuses (corrupt, no parameter sets yet) is simply skipped.
        return pictures + ReceivePictures(sink);
    }

    int ReceivePictures(const PictureSink& sink) {
        int pictures = 0;
        while (avcodec_receive_frame(Context, Frame) >= 0) {
            if (IsDeliverable(*Frame)) {
                H264Picture picture;
                picture.Width = Frame->width;
                picture.Height = Frame->height;
                for (int plane = 0; plane < 3; ++plane) {
                    picture.Planes[plane] = Frame->data[plane];
                    picture.Strides[plane] = Frame->linesize[plane];
                }
                if (sink) sink(picture);
                ++pictures;
            }
            av_frame_unref(Frame);
        }
        return pictures;
    }

    AVCodecContext* Context = nullptr;
    AVCodecParserContext* Parser = nullptr;
    AVPacket* Packet = nullptr;
    AVFrame* Frame = nullptr;
    std::vector<uint8_t> Input;
    bool CompletePictures = false;
};

} // namespace

std::unique_ptr<H264Decoder> CreateH264Decoder(const H264DecoderSettings& settings) {
    QuietLibavOnce();
    auto decoder = std::make_unique<AvH264Decoder>();
    if (!decoder->Open(settings)) return nullptr;
    return decoder;
}
