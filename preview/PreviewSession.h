#pragma once
// What the working area needs of the live preview, in one place: the four channels (made when
// the device reports the preview on, freed when off, restarted at each new preview size) and the
// preview window whose panes follow them. The working area forwards the device's reports and
// the stream packets here, and registers its canvas cells with Channels() after each change.
#include "preview/MShowVideoDlg.h"
#include "preview/channel/PreviewChannels.h"

#include <cstdint>
#include <memory>

#include <wx/weakref.h>

class PreviewSession {
public:
    // Makes the preview window (hidden) as a pop-up owned by `owner`.
    explicit PreviewSession(wxWindow* owner);
    // The panes leave the channels, the channels stop, then the window goes.
    ~PreviewSession();
    PreviewSession(const PreviewSession&) = delete;
    PreviewSession& operator=(const PreviewSession&) = delete;

    // The device's preview state (reply slot 1). Returns whether anything changed.
    bool SetPreviewOn(bool on);
    // A preview resolution code (the settings page's EvPreviewResolution): the channels restart
    // at its size when the preview is on. Unknown codes change nothing (false).
    bool SetPreviewResolution(uint8_t code);
    // Another machine's stream follows: the channels decode afresh, with the views registered,
    // and the preview window's panes drop their pictures.
    void RestartDecoding();
    // A stream packet from the reply path; dropped while the preview is off.
    bool PushPacket(uint32_t channel, const uint8_t* data, uint32_t length);

    // Null while the preview is off. Views registered with it must be registered again after
    // every SetPreviewOn / SetPreviewResolution that returned true.
    PreviewChannels* Channels() const { return ChannelSet.get(); }
    MShowVideoDlg* Window() const { return PreviewWindow; }
    int PreviewWidth() const { return Width; }
    int PreviewHeight() const { return Height; }
    // The main dialog's video-window button.
    void ShowWindow(bool show);

private:
    std::unique_ptr<PreviewChannels> ChannelSet;
    // The window may go first (with its owner); it then lets go of the channels by itself.
    wxWeakRef<MShowVideoDlg> PreviewWindow;
    int Width = 352;
    int Height = 240;
};
