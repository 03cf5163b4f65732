#pragma once
// A page under test: built on a frame that stands in for the main dialog and records the
// messages the page sends it, with the device link replaced by a recording one and message
// boxes caught by the notice hook.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/DeviceState.h"
#include "controls/WxTestApp.h"
#include "platform/ui/Messages.h"
#include "support/RecordingCommLink.h"

struct SentMessage {
    unsigned Message;
    WPARAM W;
    std::string Text;   // the busy box's text
};

struct ShownNotice {
    std::string Text, Caption;
};

class Pages3WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::vector<SentMessage> MessagesOf(unsigned message) const;
    std::vector<LinkCall> Commands() const { return Link->Link.CallsOf("SendCommand"); }
    std::vector<uint32_t> CommandNumbers() const;
    void ClearRecords();
    static bool SaveScreenshot(const std::string& name);

    wxFrame* Frame = nullptr;
    std::unique_ptr<MessageMap> FrameMessages;
    std::vector<SentMessage> Got;
    std::vector<ShownNotice> Notices;
    bool NoticeAnswer = true;
    std::unique_ptr<ScopedRecordingLink> Link;
};

// The 32-byte block of a recorded command.
std::vector<uint8_t> BlockOf(const LinkCall& call);
