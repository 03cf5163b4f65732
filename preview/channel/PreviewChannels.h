#pragma once
#include "preview/channel/H264Channel.h"

#include <array>
#include <cstdint>
#include <memory>

// The four preview channels of the working area. The device tags every stream packet with a
// channel number, but only channel 0 is ever started: packets for channels 1..3 find no decode
// thread and are dropped, and numbers beyond 3 are refused before they index anything.
class PreviewChannels {
public:
    static constexpr uint32_t Count = 4;

    explicit PreviewChannels(H264Channel::DecoderFactory makeDecoder = CreateH264Decoder);
    ~PreviewChannels();

    // Stops all four, then starts channel 0 for pictures of this size (preview on, or a new
    // preview resolution). Views must be registered again afterwards.
    void StartPreview(int width, int height);
    void StopAll();
    // Every running channel decodes afresh (H264Channel::Restart); the views stay registered.
    void RestartAll();

    bool PushPacket(uint32_t channel, const uint8_t* data, size_t length);

    // Null for a number beyond 3.
    H264Channel* Channel(uint32_t channel) {
        return channel < Count ? Channels[channel].get() : nullptr;
    }
    H264Channel& Main() { return *Channels[0]; }

private:
    std::array<std::unique_ptr<H264Channel>, Count> Channels;
};
