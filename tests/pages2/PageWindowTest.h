#pragma once
// A page under test: built on a frame that stands in for the main dialog and records the
// messages the page sends it, with the device link replaced by a recording one.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <wx/frame.h>

#include "app/DeviceState.h"
#include "controls/WxTestApp.h"
#include "platform/ui/Messages.h"
#include "support/RecordingCommLink.h"

struct PageMessage {
    unsigned Message;
    WPARAM W;
    LPARAM L;
};

class PageWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Messages of one number the page sent or posted (posted ones after a Pump).
    std::vector<PageMessage> MessagesOf(unsigned message) const;
    // Commands sent, in order, as their numbers.
    std::vector<uint32_t> CommandNumbers() const;
    std::vector<LinkCall> Commands() const { return Link->Link.CallsOf("SendCommand"); }
    void ClearRecords();
    // Saves a picture of the screen into the build's artifacts folder; false when it could not.
    static bool SaveScreenshot(const std::string& name);

    wxFrame* Frame = nullptr;
    std::unique_ptr<MessageMap> FrameMessages;
    std::vector<PageMessage> Got;
    std::unique_ptr<ScopedRecordingLink> Link;
};
