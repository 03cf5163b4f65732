#pragma once
#include "preview/channel/PictureMailbox.h"
#include "preview/channel/YuvFrameView.h"

#include <functional>

// A view that only passes pictures on to the UI thread: the display thread leaves each picture
// in the mailbox and, when the UI thread has not been told yet, calls WakeUi (which must only
// queue a call, e.g. wxEvtHandler::CallAfter). The UI thread then takes the newest picture and
// draws it. Canvas cells and preview panes own one each.
class MailboxView final : public YuvFrameView {
public:
    explicit MailboxView(std::function<void()> wakeUi) : WakeUi(std::move(wakeUi)) {}

    void OnYuvFrame(const H264Picture& picture) override {
        if (Mailbox.Put(picture) && WakeUi) WakeUi();
    }
    // On the UI thread: the newest picture since the last call; false when none came.
    bool TakeLatest(OwnedPicture& into) { return Mailbox.Take(into); }
    uint64_t PicturesSkipped() const { return Mailbox.Replaced(); }

private:
    std::function<void()> WakeUi;
    PictureMailbox Mailbox;
};
