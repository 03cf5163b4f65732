#include "preview/channel/H264Channel.h"

#include <algorithm>
#include <cstring>
#include <system_error>

namespace {
// A packet buffer bigger than this is released after use instead of kept for the next packet,
// so a burst of large key frames does not pin memory in every ring slot.
constexpr size_t KeptPacketCapacity = size_t{256} << 10;
constexpr int MaxPreviewSide = 8192;
} // namespace

H264Channel::H264Channel(DecoderFactory makeDecoder) : MakeDecoder(std::move(makeDecoder)) {}

H264Channel::~H264Channel() {
    Stop();
}

void H264Channel::SetSize(int width, int height) {
    // The size only guides the decoder (the stream carries its own); nonsense is ignored.
    if (width <= 0 || height <= 0 || width > MaxPreviewSide || height > MaxPreviewSide) return;
    Width = width;
    Height = height;
}

void H264Channel::Start() {
    if (!DecodeThread.joinable() && MakeDecoder) {
        H264DecoderSettings settings;
        settings.Width = Width;
        settings.Height = Height;
        Decoder = MakeDecoder(settings);
        if (Decoder) {
            {
                std::lock_guard lock(PacketMutex);
                DecodeStop = false;
            }
            try {
                DecodeThread = std::thread(&H264Channel::DecodeThreadProc, this);
            } catch (const std::system_error&) {
                std::lock_guard lock(PacketMutex);
                DecodeStop = true;
                Decoder.reset();
            }
        }
    }
    if (!DisplayThread.joinable()) {
        {
            std::lock_guard lock(FrameMutex);
            DisplayStop = false;
        }
        try {
            DisplayThread = std::thread(&H264Channel::DisplayThreadProc, this);
        } catch (const std::system_error&) {
            std::lock_guard lock(FrameMutex);
            DisplayStop = true;
        }
    }
}

void H264Channel::Stop() {
    if (DecodeThread.joinable()) {
        std::lock_guard lock(ViewMutex);
        Views.fill(ChannelView{});
    }
    StopDecodeSide();
    StopDisplaySide();
}

void H264Channel::Restart() {
    if (!DecodeThread.joinable() && !DisplayThread.joinable()) return;
    StopDecodeSide();
    StopDisplaySide();
    Start();
}

void H264Channel::StopDecodeSide() {
    if (!DecodeThread.joinable()) return;
    {
        std::lock_guard lock(PacketMutex);
        DecodeStop = true;
    }
    PacketWake.notify_all();
    DecodeThread.join();
    {
        std::lock_guard lock(PacketMutex);
        for (auto& packet : Packets) std::vector<uint8_t>().swap(packet);
        Filled.fill(false);
        WriteIndex = 0;
        ReadIndex = 0;
    }
    Decoder.reset();
}

void H264Channel::StopDisplaySide() {
    if (!DisplayThread.joinable()) return;
    {
        std::lock_guard lock(FrameMutex);
        DisplayStop = true;
    }
    FrameWake.notify_all();
    DisplayThread.join();
    std::lock_guard lock(FrameMutex);
    for (auto& slot : Frames) slot = FrameSlot{};
    FrameWrite = 0;
    FrameRead = 0;
}

bool H264Channel::IsDecoding() const {
    std::lock_guard lock(PacketMutex);
    return !DecodeStop;
}

bool H264Channel::IsDisplaying() const {
    std::lock_guard lock(FrameMutex);
    return !DisplayStop;
}

bool H264Channel::PushPacket(const uint8_t* data, size_t length) {
    // An empty piece would mean end of stream to a decoder and stop it taking more.
    if (!data || length == 0 || length > MaxPacketBytes) {
        PacketsDropped.fetch_add(1, std::memory_order_relaxed);
        return false;
    }
    {
        std::lock_guard lock(PacketMutex);
        if (DecodeStop || Filled[WriteIndex]) {
            PacketsDropped.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        Packets[WriteIndex].assign(data, data + length);
        Filled[WriteIndex] = true;
        WriteIndex = (WriteIndex + 1) % PacketSlots;
    }
    PacketsAccepted.fetch_add(1, std::memory_order_relaxed);
    PacketWake.notify_one();
    return true;
}

void H264Channel::DecodeThreadProc() {
    std::vector<uint8_t> packet;
    const H264Decoder::PictureSink store = [this](const H264Picture& picture) {
        StorePicture(picture);
    };
    for (;;) {
        {
            // Woken per packet and draining every waiting one, so the packet rate is bounded
            // only by the decoder, not by a polling period.
            std::unique_lock lock(PacketMutex);
            PacketWake.wait(lock, [this] { return DecodeStop || Filled[ReadIndex]; });
            if (DecodeStop) return;
            packet.swap(Packets[ReadIndex]); // the slot keeps the old buffer for reuse
            Packets[ReadIndex].clear();
            Filled[ReadIndex] = false;
            ReadIndex = (ReadIndex + 1) % PacketSlots;
        }
        Decoder->Decode(packet.data(), packet.size(), store);
        packet.clear();
        if (packet.capacity() > KeptPacketCapacity) std::vector<uint8_t>().swap(packet);
    }
}

void H264Channel::StorePicture(const H264Picture& picture) {
    PicturesDecoded.fetch_add(1, std::memory_order_relaxed);
    if (picture.Width <= 0 || picture.Height <= 0) return;
    size_t slotIndex;
    {
        std::lock_guard lock(FrameMutex);
        slotIndex = FrameWrite;
        if (Frames[slotIndex].Ready) { // the display thread is behind: this picture is dropped
            PicturesDropped.fetch_add(1, std::memory_order_relaxed);
            return;
        }
    }
    // The slot is not Ready, so the display thread does not touch it while it is filled.
    FrameSlot& slot = Frames[slotIndex];
    const int rows[3] = {picture.Height, H264Picture::ChromaHeight(picture.Height),
                         H264Picture::ChromaHeight(picture.Height)};
    const int widths[3] = {picture.Width, H264Picture::ChromaWidth(picture.Width),
                           H264Picture::ChromaWidth(picture.Width)};
    slot.Picture = H264Picture{};
    slot.Picture.Width = picture.Width;
    slot.Picture.Height = picture.Height;
    for (int plane = 0; plane < 3; ++plane) {
        // Odd sizes round the chroma planes up; a stride shorter than a row is refused, since
        // views step rows by the stride.
        if (!picture.Planes[plane] || picture.Strides[plane] < widths[plane]) {
            PicturesDropped.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        const size_t bytes = static_cast<size_t>(picture.Strides[plane]) * rows[plane];
        slot.Planes[plane].resize(bytes);
        std::memcpy(slot.Planes[plane].data(), picture.Planes[plane], bytes);
        slot.Picture.Planes[plane] = slot.Planes[plane].data();
        slot.Picture.Strides[plane] = picture.Strides[plane];
    }
    {
        std::lock_guard lock(FrameMutex);
        slot.Ready = true;
        FrameWrite = (FrameWrite + 1) % FrameSlots;
    }
    FrameWake.notify_one();
}

void H264Channel::DisplayThreadProc() {
    for (;;) {
        size_t slotIndex;
        {
            std::unique_lock lock(FrameMutex);
            FrameWake.wait(lock, [this] { return DisplayStop || Frames[FrameRead].Ready; });
            if (DisplayStop) return;
            slotIndex = FrameRead;
        }
        // Ready: the decode thread leaves this slot alone until it is handed back below.
        DispatchFrame(Frames[slotIndex].Picture);
        {
            std::lock_guard lock(FrameMutex);
            Frames[slotIndex].Ready = false;
            FrameRead = (FrameRead + 1) % FrameSlots;
        }
    }
}

void H264Channel::DispatchFrame(const H264Picture& picture) {
    std::lock_guard lock(ViewMutex);
    // Entries are read afresh each step: a view removed by an earlier callback is skipped.
    for (size_t i = 0; i < ViewSlots; ++i) {
        YuvFrameView* view = Views[i].View;
        if (!view) continue;
        const ChannelViewKind kind = Views[i].Kind;
        if (kind != ChannelViewKind::Cell && kind != ChannelViewKind::Pane) continue;
        view->OnYuvFrame(picture);
    }
    PicturesShown.fetch_add(1, std::memory_order_relaxed);
}

bool H264Channel::AddView(YuvFrameView* view, ChannelViewKind kind) {
    if (!view) return false;
    std::lock_guard lock(ViewMutex);
    for (const auto& entry : Views)
        if (entry.View == view) return true;
    for (auto& entry : Views) {
        if (!entry.View) {
            entry = ChannelView{view, kind};
            return true;
        }
    }
    return false;
}

void H264Channel::RemoveView(YuvFrameView* view) {
    if (!view) return;
    std::lock_guard lock(ViewMutex);
    for (auto& entry : Views)
        if (entry.View == view) entry = ChannelView{};
}

bool H264Channel::HasView(const YuvFrameView* view) const {
    std::lock_guard lock(ViewMutex);
    return std::any_of(Views.begin(), Views.end(),
                       [view](const ChannelView& entry) { return view && entry.View == view; });
}

H264Channel::Counters H264Channel::GetCounters() const {
    Counters counters;
    counters.PacketsAccepted = PacketsAccepted.load(std::memory_order_relaxed);
    counters.PacketsDropped = PacketsDropped.load(std::memory_order_relaxed);
    counters.PicturesDecoded = PicturesDecoded.load(std::memory_order_relaxed);
    counters.PicturesDropped = PicturesDropped.load(std::memory_order_relaxed);
    counters.PicturesShown = PicturesShown.load(std::memory_order_relaxed);
    return counters;
}
