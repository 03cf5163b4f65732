#include "preview/PreviewSession.h"

#include "preview/settings/VideoEncoderTables.h"

PreviewSession::PreviewSession(wxWindow* owner) {
    PreviewWindow = CreatePreviewWindow(owner, wxRect(100, 100, 760, 560));
}

PreviewSession::~PreviewSession() {
    if (PreviewWindow) PreviewWindow->RebuildPanes(nullptr);
    ChannelSet.reset();
    if (PreviewWindow) {
        if (wxWindow* host = PreviewWindow->PopupHost()) host->Destroy();
        else PreviewWindow->Destroy();
    }
}

bool PreviewSession::SetPreviewOn(bool on) {
    if (on == (ChannelSet != nullptr)) return false;
    if (on) {
        ChannelSet = std::make_unique<PreviewChannels>();
        ChannelSet->StartPreview(Width, Height);
        if (PreviewWindow) PreviewWindow->RebuildPanes(ChannelSet.get());
    } else {
        // The panes leave the channels before they are freed.
        if (PreviewWindow) PreviewWindow->RebuildPanes(nullptr);
        ChannelSet.reset();
    }
    return true;
}

bool PreviewSession::SetPreviewResolution(uint8_t code) {
    const auto resolution = FindPreviewResolution(code);
    if (!resolution) return false;
    Width = resolution->Width;
    Height = resolution->Height;
    if (!ChannelSet) return false;
    ChannelSet->StartPreview(Width, Height);
    if (PreviewWindow) PreviewWindow->RebuildPanes(ChannelSet.get());
    return true;
}

void PreviewSession::RestartDecoding() {
    if (ChannelSet) ChannelSet->RestartAll();
    if (PreviewWindow) PreviewWindow->ClearPanes();
}

bool PreviewSession::PushPacket(uint32_t channel, const uint8_t* data, uint32_t length) {
    return ChannelSet && data && ChannelSet->PushPacket(channel, data, length);
}

void PreviewSession::ShowWindow(bool show) {
    if (PreviewWindow) PreviewWindow->ShowPage(show);
}
