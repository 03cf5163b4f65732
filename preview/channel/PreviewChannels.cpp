#include "preview/channel/PreviewChannels.h"

PreviewChannels::PreviewChannels(H264Channel::DecoderFactory makeDecoder) {
    for (auto& channel : Channels) channel = std::make_unique<H264Channel>(makeDecoder);
}

PreviewChannels::~PreviewChannels() {
    StopAll();
}

void PreviewChannels::StartPreview(int width, int height) {
    StopAll();
    Channels[0]->SetSize(width, height);
    Channels[0]->Start();
}

void PreviewChannels::StopAll() {
    for (auto& channel : Channels) channel->Stop();
}

void PreviewChannels::RestartAll() {
    for (auto& channel : Channels) channel->Restart();
}

bool PreviewChannels::PushPacket(uint32_t channel, const uint8_t* data, size_t length) {
    if (channel >= Count) return false;
    return Channels[channel]->PushPacket(data, length);
}
