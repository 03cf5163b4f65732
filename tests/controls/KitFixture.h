#pragma once
// A page on a main-dialog stand-in, recording what the kit's controls post.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <wx/frame.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/UserMessages.h"
#include "support/WxTestApp.h"

namespace {
struct Recorded {
    unsigned Message;
    WPARAM W;
    LPARAM L;
};

// A page that records the messages its controls post to it.
class TestPage : public MBaseDialog {
  public:
    explicit TestPage(bool notify = true) : MBaseDialog(9000, notify) {}
    void Listen(unsigned message) {
        OnMsg(message, [this, message](WPARAM w, LPARAM l) -> LRESULT {
            Got.push_back({message, w, l});
            return 0;
        });
    }
    int Count(unsigned message) const {
        int n = 0;
        for (const Recorded& r : Got)
            n += r.Message == message;
        return n;
    }
    std::vector<Recorded> Got;
};

// The main dialog stand-in: a frame that records page messages and its own button handler.
class KitWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        Frame = new wxFrame(nullptr, wxID_ANY, "kit", wxPoint(0, 0), wxSize(800, 600));
        FrameMessages = std::make_unique<MessageMap>(Frame);
        FrameMessages->On(MPageClosed, [this](WPARAM, LPARAM) -> LRESULT {
            ++PageClosed;
            return 0;
        });
        Frame->Bind(
            wxEVT_BUTTON, [this](wxCommandEvent&) { ++FrameClicks; }, CloseButtonId);
        Frame->Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
            ++FrameKeys;
            e.Skip();
        });
        Page = new TestPage;
        Page->Create(Frame, wxRect(0, 0, 600, 400));
        Page->PageTitle = "Picture Setting";
        Page->CreateCaptionButtons(false);
        Frame->Show();
        Pump(50);
    }
    void TearDown() override {
        FrameMessages.reset();
        Frame->Destroy();
        Pump(20);
    }
    static wxKeyEvent CharHook(wxWindow* target, int key) {
        wxKeyEvent e(wxEVT_CHAR_HOOK);
        e.m_keyCode = key;
        e.SetEventObject(target);
        e.ResumePropagation(wxEVENT_PROPAGATE_MAX);
        return e;
    }

    wxFrame* Frame = nullptr;
    TestPage* Page = nullptr;
    std::unique_ptr<MessageMap> FrameMessages;
    int PageClosed = 0, FrameClicks = 0, FrameKeys = 0;
};
} // namespace
