// The preview encoder settings page as the operator uses it: what goes to the link for each
// choice and edit, what the device's encoder replies change on the page, and the progress text.
#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"
#include "pages/MVideoSettingDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"
#include "support/RecordingCommLink.h"
#include "support/WxTestApp.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/image.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

class VideoSettingPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Frame = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(400, 460));
        FrameMessages = std::make_unique<MessageMap>(Frame);
        FrameMessages->On(MPageEvent, [this](WPARAM w, LPARAM l) -> LRESULT {
            Events.push_back({static_cast<uint32_t>(w), static_cast<long>(l)});
            return 0;
        });
        Page = new MVideoSettingDlg;
        Page->Create(Frame, wxRect(0, 0, 320, 400));
        Page->OnInitDialog();
        Frame->Show();
        Pump(50);
        Link.Link.Calls.clear();
    }
    void TearDown() override {
        FrameMessages.reset();
        Frame->Destroy();
        Pump(20);
        GetDeviceState().EncoderReply = {};
    }

    // The 9 argument bytes of the last command 25 sent.
    std::vector<uint8_t> LastEncoderBytes() {
        const auto calls = Link.Link.CallsOf("SendCommand");
        if (calls.empty() || calls.back().Command != CmdPreviewEncoder) return {};
        return std::vector<uint8_t>(calls.back().Bytes.begin(), calls.back().Bytes.begin() + 9);
    }
    void Pick(int listId, int item) {
        FindKitControl<CDropButton>(Page, listId)->OnDropListSelChanged(item);
        Pump(50);
    }
    void Reply(std::array<uint8_t, 10> bytes) {
        GetDeviceState().EncoderReply = bytes;
        Page->UpdateFromDevice();
        Pump(50);
    }
    oRealEdit* Edit(int id) { return FindKitControl<oRealEdit>(Page, id); }
    wxString Text(int id) { return FindKitControl<SkinStatic>(Page, id)->GetLabel(); }

    struct PageEvent {
        uint32_t Code;
        long Argument;
    };
    ScopedRecordingLink Link;
    wxFrame* Frame = nullptr;
    MVideoSettingDlg* Page = nullptr;
    std::unique_ptr<MessageMap> FrameMessages;
    std::vector<PageEvent> Events;
};

} // namespace

TEST_F(VideoSettingPageTest, UltraClearSendsItsPresetTwiceAndAsksForThePreviewSize) {
    Pick(MVideoSettingDlg::QualityListId, 3);
    EXPECT_EQ(LastEncoderBytes(), (std::vector<uint8_t>{0, 7, 17, 0x20, 0x00, 7, 17, 0x20, 0x00}));
    ASSERT_EQ(Events.size(), 1u);
    EXPECT_EQ(Events[0].Code, EvPreviewResolution);
    EXPECT_EQ(Events[0].Argument, 17);
    // The edits wait for the device's answer.
    EXPECT_EQ(Edit(1565)->GetValue(), "15");
}

TEST_F(VideoSettingPageTest, ACommittedEditSendsOnceFollowedByFourFF) {
    Edit(1565)->SetValue(25.0f);
    PostMsg(Page, MEditValueChanged, 1565, 0);
    Pump(50);
    EXPECT_EQ(LastEncoderBytes(), (std::vector<uint8_t>{0, 25, 17, 0x18, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(Link.Link.CallsOf("SendCommand").size(), 1u);
    EXPECT_TRUE(Events.empty());
    // Other edits' commits send nothing.
    PostMsg(Page, MEditValueChanged, 1555, 0);
    Pump(50);
    EXPECT_EQ(Link.Link.CallsOf("SendCommand").size(), 1u);
}

TEST_F(VideoSettingPageTest, SettingsReplyFillsThePageAndAsksForThePreviewSize) {
    Reply({2, 0, 7, 17, 0x20, 0x00, 0, 0, 0, 0});
    EXPECT_EQ(Edit(1565)->GetValue(), "7");
    EXPECT_EQ(Edit(1566)->GetValue(), "8192");
    EXPECT_EQ(FindKitControl<CDropButton>(Page, MVideoSettingDlg::QualityListId)->GetCurSel(), 3);
    ASSERT_EQ(Events.size(), 1u);
    EXPECT_EQ(Events[0].Argument, 17);
}

TEST_F(VideoSettingPageTest, AnUploadWithoutAnEncoderAddressEndsInFailureText) {
    ASSERT_TRUE(Page->ChoosePackage("/nonexistent/VP_venc.tar.gz"));
    ASSERT_TRUE(Page->StartUpload());
    ASSERT_TRUE(PumpUntil(
        [&] { return !Page->IsUploading() && Text(1570) == wxString::FromUTF8(UiStrings[142]); }, 5000));
}

TEST_F(VideoSettingPageTest, ThePagePhotographedShowsItsControlsOnTheSkin) {
    Page->ApplyLanguage();
    Reply({1, 0x02, 0x03, 0, 0, 0, 0, 0, 0, 0});
    Page->SetProgress(40);
    Pump(200);
    const std::filesystem::path folder = VELKAN_ARTIFACTS_DIR;
    std::filesystem::create_directories(folder);
    const std::string shot = (folder / "video_setting_page.png").string();
    std::filesystem::remove(shot);
    const wxRect r = Page->GetScreenRect();
    const std::string command = "import -window root -crop " + std::to_string(r.width) + "x" +
                                std::to_string(r.height) + "+" + std::to_string(r.x) + "+" +
                                std::to_string(r.y) + " +repage " + shot;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    wxImage image;
    ASSERT_TRUE(image.LoadFile(shot, wxBITMAP_TYPE_PNG));
    EXPECT_EQ(image.GetSize(), r.GetSize());
    EXPECT_EQ(Text(1570), "40%");
    EXPECT_EQ(FindKitControl<oBitmapSlider>(Page, MVideoSettingDlg::ProgressSliderId)->GetPos(), 40);
    Page->SetProgress(-1);
    EXPECT_EQ(Text(1570), wxString::FromUTF8(UiStrings[142]));
    // The title bar's caption is drawn in the accent (orange) somewhere in its middle.
    int accent = 0;
    for (int x = 0; x < image.GetWidth(); ++x)
        for (int y = 4; y < 22; ++y)
            accent += image.GetRed(x, y) > 200 && image.GetGreen(x, y) > 110 && image.GetBlue(x, y) < 80;
    EXPECT_GT(accent, 20);
}
