#pragma once
#include "platform/h264/H264Decoder.h"
#include "preview/channel/YuvFrameView.h"

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// One preview channel: pieces of the device's H.264 stream go into a ring of packets, a
// decode thread turns them into pictures in a ring of two, and a display thread hands each
// picture to every registered view. Both rings drop rather than block. Start, Stop and the
// view table are used from the UI thread; PushPacket from the thread that delivers replies.
class H264Channel {
public:
    static constexpr size_t PacketSlots = 100;
    static constexpr size_t FrameSlots = 2;
    static constexpr size_t ViewSlots = 240;
    // The link never carries a larger payload; anything bigger is not a preview packet.
    static constexpr size_t MaxPacketBytes = size_t{1} << 20;

    using DecoderFactory = std::function<std::unique_ptr<H264Decoder>(const H264DecoderSettings&)>;

    explicit H264Channel(DecoderFactory makeDecoder = CreateH264Decoder);
    ~H264Channel();
    H264Channel(const H264Channel&) = delete;
    H264Channel& operator=(const H264Channel&) = delete;

    // The preview size the device was told; handed to the decoder at the next Start.
    void SetSize(int width, int height);
    int GetWidth() const { return Width; }
    int GetHeight() const { return Height; }

    // Starts the decode thread when the decoder can be made (else every packet is dropped),
    // and the display thread. Parts already running are left alone.
    void Start();
    // Stops and joins both threads, then empties the rings; stopping the decode side also
    // clears the view table. A channel that never started is left as it is.
    void Stop();
    // Starts decoding afresh, as for a new stream: the packets and pictures waiting are dropped
    // and a new decoder takes the next packet, so nothing of the stream before (its parameter
    // sets, its reference pictures) is used for the next one. The views stay registered. A
    // channel that does not run is left as it is.
    void Restart();
    bool IsDecoding() const;
    bool IsDisplaying() const;

    // Copies one piece of the stream into the ring. Dropped (false) when the channel does not
    // decode, the ring is full, or the piece is empty or larger than MaxPacketBytes.
    bool PushPacket(const uint8_t* data, size_t length);

    // The view table: a view is entered once, into the first free entry; a full table adds
    // nothing (false). Removal clears every entry of the view and waits for a delivery in
    // progress, so a removed view is never called again. A view may remove itself (or others)
    // from inside OnYuvFrame.
    bool AddView(YuvFrameView* view, ChannelViewKind kind);
    void RemoveView(YuvFrameView* view);
    bool HasView(const YuvFrameView* view) const;

    struct Counters {
        uint64_t PacketsAccepted = 0;
        uint64_t PacketsDropped = 0;
        uint64_t PicturesDecoded = 0;
        uint64_t PicturesDropped = 0; // both picture slots still waiting for the display thread
        uint64_t PicturesShown = 0;   // pictures handed to the views (once per picture)
    };
    Counters GetCounters() const;

private:
    struct ChannelView {
        YuvFrameView* View = nullptr;
        ChannelViewKind Kind = ChannelViewKind::Cell;
    };
    struct FrameSlot {
        std::array<std::vector<uint8_t>, 3> Planes;
        H264Picture Picture; // size and strides; plane pointers into Planes
        bool Ready = false;
    };

    void DecodeThreadProc();
    void DisplayThreadProc();
    void StorePicture(const H264Picture& picture);
    void DispatchFrame(const H264Picture& picture);
    void StopDecodeSide();
    void StopDisplaySide();

    const DecoderFactory MakeDecoder;
    int Width = 352;
    int Height = 240;

    // Packet ring: filled by PushPacket, emptied by the decode thread.
    mutable std::mutex PacketMutex;
    std::condition_variable PacketWake;
    std::array<std::vector<uint8_t>, PacketSlots> Packets;
    std::array<bool, PacketSlots> Filled{};
    size_t WriteIndex = 0;
    size_t ReadIndex = 0;
    bool DecodeStop = true; // true while no decode thread runs
    std::unique_ptr<H264Decoder> Decoder;
    std::thread DecodeThread;

    // Picture ring: filled by the decode thread, emptied by the display thread. A slot's planes
    // belong to the decode thread while it is not Ready and to the display thread while it is.
    mutable std::mutex FrameMutex;
    std::condition_variable FrameWake;
    std::array<FrameSlot, FrameSlots> Frames;
    size_t FrameWrite = 0;
    size_t FrameRead = 0;
    bool DisplayStop = true; // true while no display thread runs
    std::thread DisplayThread;

    // Held while pictures are delivered, so removal waits for a delivery in progress; recursive
    // so a view may change the table from inside its callback.
    mutable std::recursive_mutex ViewMutex;
    std::array<ChannelView, ViewSlots> Views{};

    std::atomic<uint64_t> PacketsAccepted{0};
    std::atomic<uint64_t> PacketsDropped{0};
    std::atomic<uint64_t> PicturesDecoded{0};
    std::atomic<uint64_t> PicturesDropped{0};
    std::atomic<uint64_t> PicturesShown{0};
};
