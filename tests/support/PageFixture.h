#pragma once
// A page under test: hosted on a frame that stands in for the main dialog and records the
// messages the page sends it, with the device link replaced by a recording one and message
// boxes caught by the notice hook. The screen of each suite's first test is kept as
// <suite>.png in the build's artifacts folder.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/DeviceState.h"
#include "controls/MBaseDialog.h"
#include "platform/ui/Messages.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

struct SentMessage {
    unsigned Message;
    WPARAM W;
    LPARAM L;
    std::string Text; // the busy box's text (its lParam lives only for the call)
};

struct ShownNotice {
    std::string Text, Caption;
};

class PageTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Builds `page` on the frame at its top-left, shown (closeButton: with its caption buttons).
    void Host(MBaseDialog* page, const wxSize& size, bool closeButton = true);
    // Records `message` too when it reaches the frame (the page events, the busy box, page
    // closing and the layer and canvas messages are recorded from the start).
    void Listen(unsigned message);
    // Makes the page, hosts it, builds its controls (initDialog: OnInitDialog and texts) and
    // shows it; `page` is set before any of its messages can arrive.
    template <class Dlg> void OpenPage(Dlg*& page, const wxSize& size, bool initDialog, bool closeButton) {
        page = new Dlg;
        Host(page, size, closeButton);
        if (initDialog) {
            page->OnInitDialog();
            page->ApplyLanguage();
        }
        page->ShowPage(true);
        Pump(30);
    }
    // Messages of one number the page sent or posted (posted ones after a Pump).
    std::vector<SentMessage> MessagesOf(unsigned message) const;
    std::vector<LinkCall> Commands() const { return Link->Link.CallsOf("SendCommand"); }
    std::vector<uint32_t> CommandNumbers() const;
    std::vector<std::string> BusyTexts() const;
    // The texts of the message boxes and questions shown, in order.
    std::vector<std::string> NoticeTexts() const;
    void ClearRecords();

    wxFrame* Frame = nullptr;
    std::unique_ptr<MessageMap> FrameMessages;
    std::vector<SentMessage> Got;
    std::vector<ShownNotice> Notices;
    bool NoticeAnswer = true;
    std::unique_ptr<ScopedRecordingLink> Link;
};
