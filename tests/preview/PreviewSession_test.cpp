// The working area's side of the preview: channels made on preview-on and freed on preview-off,
// restarted at a new preview size, the preview window's panes following them.
#include "preview/MShowVideoDlg.h"
#include "preview/PreviewSession.h"
#include "preview/PreviewTestStreams.h"
#include "support/WxTestApp.h"

#include <gtest/gtest.h>

#include <wx/frame.h>

namespace {

class PreviewSessionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Owner = new wxFrame(nullptr, wxID_ANY, "owner", wxPoint(900, 700), wxSize(200, 100));
        Owner->Show();
        Session = std::make_unique<PreviewSession>(Owner);
        ASSERT_NE(Session->Window(), nullptr);
        Session->ShowWindow(true);
        Pump(150);
    }
    void TearDown() override {
        Session.reset();
        if (Owner) Owner->Destroy();
        Pump(50);
    }
    void Feed(const char* name) {
        for (const auto& piece : CutEvenly(ReadTestStream(name), 1400)) {
            Session->PushPacket(0, piece.data(), static_cast<uint32_t>(piece.size()));
            Pump(3);
        }
        Pump(300);
    }
    wxFrame* Owner = nullptr;
    std::unique_ptr<PreviewSession> Session;
};

} // namespace

TEST_F(PreviewSessionTest, PacketsAreDroppedWhileThePreviewIsOff) {
    EXPECT_EQ(Session->Channels(), nullptr);
    const uint8_t piece[] = {0, 0, 0, 1, 0x09, 0xF0};
    EXPECT_FALSE(Session->PushPacket(0, piece, sizeof piece));
    EXPECT_FALSE(Session->SetPreviewOn(false));
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(Session->Window()->Pane(i).HasSDL());
        EXPECT_FALSE(Session->Window()->Pane(i).IsRegistered());
    }
}

TEST_F(PreviewSessionTest, PreviewOnStartsChannel0AndThePanesDrawTheStream) {
    ASSERT_TRUE(Session->SetPreviewOn(true));
    ASSERT_NE(Session->Channels(), nullptr);
    EXPECT_TRUE(Session->Channels()->Main().IsDecoding());
    EXPECT_FALSE(Session->Channels()->Channel(1)->IsDecoding());
    // Channels 1..3 and numbers beyond them take nothing.
    const uint8_t piece[] = {0, 0, 0, 1, 0x09, 0xF0};
    EXPECT_FALSE(Session->PushPacket(2, piece, sizeof piece));
    EXPECT_FALSE(Session->PushPacket(7, piece, sizeof piece));
    Feed(QuadStream);
    // Decoding runs beside the UI: a loaded machine draws the last pictures later.
    PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (Session->Window()->Pane(i).PicturesDrawn() < 5u) return false;
        return true;
    }, 10000);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(Session->Window()->Pane(i).PicturesDrawn(), 5u) << "pane " << i;
}

TEST_F(PreviewSessionTest, ANewResolutionRestartsTheChannelAtItsSizeAndThePanesFollow) {
    ASSERT_TRUE(Session->SetPreviewOn(true));
    EXPECT_FALSE(Session->SetPreviewResolution(99));
    ASSERT_TRUE(Session->SetPreviewResolution(21)); // 480 x 270
    EXPECT_EQ(Session->Channels()->Main().GetWidth(), 480);
    EXPECT_EQ(Session->Channels()->Main().GetHeight(), 270);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Session->Window()->Pane(i).IsRegistered());
    Feed(WideStream);
    PumpUntil([&] {
        for (int i = 0; i < 4; ++i)
            if (Session->Window()->Pane(i).PicturesDrawn() < 3u) return false;
        return true;
    }, 10000);
    for (int i = 0; i < 4; ++i)
        EXPECT_GE(Session->Window()->Pane(i).PicturesDrawn(), 3u) << "pane " << i;
}

TEST_F(PreviewSessionTest, PreviewOffFreesTheChannelsAndReleasesThePanes) {
    ASSERT_TRUE(Session->SetPreviewOn(true));
    ASSERT_TRUE(Session->SetPreviewOn(false));
    EXPECT_EQ(Session->Channels(), nullptr);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Session->Window()->Pane(i).Window(), nullptr);
    // The size chosen while off is used at the next preview-on.
    EXPECT_FALSE(Session->SetPreviewResolution(7));
    ASSERT_TRUE(Session->SetPreviewOn(true));
    EXPECT_EQ(Session->Channels()->Main().GetWidth(), 640);
    EXPECT_EQ(Session->Channels()->Main().GetHeight(), 480);
}

TEST_F(PreviewSessionTest, TheOwnerClosingFirstLeavesTheSessionSafeToEnd) {
    ASSERT_TRUE(Session->SetPreviewOn(true));
    Owner->Destroy();
    Owner = nullptr;
    Pump(100);
    EXPECT_EQ(Session->Window(), nullptr);
    const uint8_t piece[] = {0, 0, 0, 1, 0x09, 0xF0};
    EXPECT_TRUE(Session->PushPacket(0, piece, sizeof piece));
    EXPECT_TRUE(Session->SetPreviewResolution(1));
    EXPECT_TRUE(Session->SetPreviewOn(false));
    Session.reset();
}
