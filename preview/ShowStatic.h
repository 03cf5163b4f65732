#pragma once
// One pane of the preview window: a child window showing one quadrant of channel 0's picture.
// The channel's display thread leaves pictures in the pane's mailbox; the UI thread, woken by
// the mailbox, draws the newest one with SDL. Every SDL object of the pane is made, drawn and
// destroyed on the UI thread.
#include "preview/channel/MailboxView.h"
#include "preview/video/SdlVideoView.h"

#include <cstdint>
#include <functional>

#include <wx/gdicmn.h>

class H264Channel;
class wxWindow;

class staticShow {
public:
    virtual ~staticShow() = default;
    virtual void Release() = 0;
};

class ShowStatic final : public staticShow {
public:
    // wakeUi is called on the display thread when a picture waits; it must only queue a call
    // (CallAfter) that ends in ShowLatest on the UI thread.
    explicit ShowStatic(std::function<void()> wakeUi);
    ~ShowStatic() override;
    ShowStatic(const ShowStatic&) = delete;
    ShowStatic& operator=(const ShowStatic&) = delete;

    // Makes the pane window on `parent`, or moves it there when it exists.
    void Create(wxWindow* parent, const wxRect& rect);
    // SDL window and renderer on the pane window; false without a pane window or when SDL refuses.
    bool CreateSDL();
    void DestroySDL();
    // Leaves the channel, drops the SDL objects and destroys the pane window.
    void Release() override;

    // The quadrant (0..3) this pane shows, taken from each picture's own size.
    void SetQuadrant(int quadrant);
    // Moves the pane window and tells SDL its new size.
    void Place(const wxRect& rect);

    // Enters the pane in the channel's view table (once); false when the table is full.
    bool Register(H264Channel& channel);
    // Leaves the channel; no picture arrives afterwards.
    void Unregister();
    bool IsRegistered() const;

    // On the UI thread: draws the newest waiting picture. A hidden pane takes it but draws nothing.
    void ShowLatest();
    // Drops the picture shown and the one waiting: black until the next one.
    void ClearPicture();

    wxWindow* Window() const { return Pane; }
    bool HasSDL() const { return View.IsAttached(); }
    uint64_t PicturesDrawn() const { return Drawn; }
    const SdlVideoView& Video() const { return View; }

  private:
    wxWindow* Pane = nullptr;
    SdlVideoView View;
    MailboxView Mailbox;
    OwnedPicture Latest;
    H264Channel* Channel = nullptr;
    uint64_t Drawn = 0;
};
