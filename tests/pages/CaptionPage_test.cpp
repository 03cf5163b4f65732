// The caption page under Xvfb: text measurement, the caption file, the announcement and the
// whole transfer through the page, refusals, time-outs, position clamps, folding, refresh.
#include "support/PageFixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

#include "app/DeviceCommand.h"
#include "app/Language.h"
#include "app/LittleEndian.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "controls/SkinEdit.h"
#include "pages/CaptionBitmap.h"
#include "pages/CaptionTextRender.h"
#include "pages/MSubTitleDlg.h"
#include "platform/ui/UserMessages.h"

namespace {
uint8_t Lo16(uint32_t v) {
    return static_cast<uint8_t>(v);
}
uint8_t Hi16(uint32_t v) {
    return static_cast<uint8_t>(v >> 8);
}

std::vector<uint8_t> ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CaptionPageTest : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Home = std::filesystem::temp_directory_path() / ("pages3_home_" + std::to_string(::getpid()));
        std::filesystem::create_directories(Home);
        ::setenv("VELKAN_HOME", Home.c_str(), 1);
        CaptionResendCount = 0; // program-wide: earlier tests in this process may have resent
        DeviceState& s = GetDeviceState();
        s.OutputTiming.HActive = 3840;
        s.OutputTiming.VActive = 1080;
        OpenPage(Page, wxSize(330, 410), false, false);
        ClearRecords();
    }
    void TearDown() override {
        PageTest::TearDown();
        ::unsetenv("VELKAN_HOME");
        std::filesystem::remove_all(Home);
    }
    void PickCaption(int index) {
        Page->CaptionList->SetCurSel(index);
        Page->CaptionList->OnDropListSelChanged(index);
        Pump(20);
    }
    // The device acknowledges the chunk at `offset`.
    void Ack(uint32_t offset) {
        DeviceState& s = GetDeviceState();
        s.CaptionAckStatus = 1;
        s.CaptionAckOffset = offset;
        Page->OnCaptionChunkAck();
    }
    std::vector<LinkCall> Chunks() const { return Link->Link.CallsOf("SendCaptionChunk"); }
    std::filesystem::path Home;
    MSubTitleDlg* Page = nullptr;
};
} // namespace

TEST_F(CaptionPageTest, TypedTextSetsWidthAndHeightUnlessCentred) {
    Page->TextEdit->SetValue("A longer caption text");
    Pump(10);
    const wxSize extent = MeasureCaptionText("A longer caption text", Page->CaptionFont);
    EXPECT_EQ(Page->WidthEdit->Value(), extent.x);
    EXPECT_EQ(Page->HeightEdit->Value(), extent.y);
    EXPECT_GT(extent.x, 200);
    EXPECT_EQ(Page->FromFile, 0);
    Page->CentreButton->Click();
    Page->WidthEdit->SetValue(900);
    Page->TextEdit->SetValue("Hi");
    Pump(10);
    EXPECT_EQ(Page->WidthEdit->Value(), 900);
    EXPECT_EQ(Page->HeightEdit->Value(), MeasureCaptionText("Hi", Page->CaptionFont).y);
}

TEST_F(CaptionPageTest, TextEditGrowsWithTheCaptionAndPushesTheControlsUnderIt) {
    const wxPoint save = Page->SaveButton->GetPosition();
    const int pageHeight = Page->GetSize().y;
    for (const auto& [height, grown] : {std::pair{100, 40}, std::pair{128, 68}, std::pair{30, 0}}) {
        Page->HeightEdit->SetValue(static_cast<float>(height));
        Page->OnEditValueChanged(MSubTitleDlg::IdHeight);
        EXPECT_EQ(Page->TextEdit->GetSize().y, height);
        EXPECT_EQ(Page->SaveButton->GetPosition(), save + wxPoint(0, grown)) << height;
        EXPECT_EQ(Page->GetSize().y, pageHeight + grown) << height;
    }
    wxWindow* scrollBar = Page->FindWindow(MSubTitleDlg::IdHiddenScrollBar);
    ASSERT_NE(scrollBar, nullptr);
    EXPECT_FALSE(scrollBar->IsShown());
}

TEST_F(CaptionPageTest, PreviewWritesTheFileOfTheListedCaptionAndAnnouncesIt) {
    PickCaption(1);
    ClearRecords();
    Page->TextEdit->SetValue("Welcome");
    Pump(10);
    const uint32_t w = static_cast<uint32_t>(Page->WidthEdit->Value()),
                   h = static_cast<uint32_t>(Page->HeightEdit->Value());
    Page->OnBnClickedPreview();
    const std::string path = Home.string() + "/PFile1.BMP";
    EXPECT_EQ(Page->CaptionFilePath, path);
    ASSERT_FALSE(ReadAll(path).empty());

    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaption, CmdCaption, CmdCaptionLayout}));
    const auto c = Commands();
    EXPECT_EQ(c[0].Bytes[0], 1); // caption 2
    EXPECT_EQ(c[0].Bytes[1], 3);
    const std::vector<uint8_t> colours = {255, 0, 0, 255, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(c[0].Bytes.begin() + 2, c[0].Bytes.begin() + 10), colours);
    EXPECT_EQ(c[1].Bytes[1], 0);
    const std::vector<uint8_t> layout = {1, 0, Lo16(w), Hi16(w), Lo16(h), Hi16(h), 0};
    EXPECT_EQ(std::vector<uint8_t>(c[2].Bytes.begin(), c[2].Bytes.begin() + 7), layout);
    const auto busy = MessagesOf(MShowBusy);
    ASSERT_EQ(busy.size(), 1u);
    EXPECT_EQ(busy[0].Text, UiStrings[65]);
    EXPECT_FALSE(Page->IsEnabled());
    EXPECT_TRUE(Page->SaveButton->IsThisEnabled());
    EXPECT_TRUE(Page->HStartEdit->IsThisEnabled());
    EXPECT_EQ(Page->DisplayWidthEdit->Value(), 3840);
}

TEST_F(CaptionPageTest, WholeTransferThroughThePage) {
    Page->WidthEdit->SetValue(600);
    Page->HeightEdit->SetValue(60);
    Page->OnBnClickedPreview();
    ClearRecords();
    Page->StartCaptionUpload(true);
    const uint32_t offsets[] = {0, 1292, 2584, 3876};
    for (uint32_t o : offsets) {
        ASSERT_FALSE(Chunks().empty());
        EXPECT_EQ(static_cast<uint32_t>(Chunks().back().Number), o);
        Ack(o);
    }
    const auto chunks = Chunks();
    ASSERT_EQ(chunks.size(), 4u);
    EXPECT_EQ(chunks[3].Bytes.size(), 684u);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaptionLayout, CmdCaption, CmdQuery70}));
    const auto c = Commands();
    const std::vector<uint8_t> finish = {0, 1, 0x58, 0x02, 60, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(c[0].Bytes.begin(), c[0].Bytes.begin() + 10), finish);
    EXPECT_EQ(c[1].Bytes[1], 1); // saved, as the advanced area is folded
    EXPECT_EQ(c[2].Bytes[0], 0);
    EXPECT_TRUE(Page->OnOffButton->IsChecked());
    const auto busy = MessagesOf(MShowBusy);
    ASSERT_EQ(busy.size(), 1u);
    EXPECT_EQ(busy[0].W, 0u);
    EXPECT_TRUE(Page->IsEnabled());
}

TEST_F(CaptionPageTest, RefusedUploadAndSkippedUpload) {
    Page->OnBnClickedPreview();
    ClearRecords();
    Page->StartCaptionUpload(false);
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Text, "Caption Invalid");
    EXPECT_EQ(MessagesOf(MShowBusy).size(), 1u);
    EXPECT_TRUE(Page->IsEnabled());
    EXPECT_TRUE(Chunks().empty());

    ClearRecords();
    Page->OnOffButton->Click();
    Pump(10);
    EXPECT_EQ(Page->SkipUpload, 1);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaption, CmdQuery70}));
    EXPECT_EQ(Commands()[0].Bytes[1], 2);
    Page->StartCaptionUpload(true);
    EXPECT_TRUE(Chunks().empty());

    // An announcement that cannot be made (its file is gone) leaves Save and the on-air
    // controls as they were.
    const std::string written = Page->CaptionFilePath;
    Page->FromFile = 1;
    Page->CaptionFilePath = (Home / "gone.bmp").string();
    Page->SaveButton->Enable(false);
    Page->EnableAllControls(false);
    Page->OnBnClickedPreview();
    EXPECT_FALSE(Page->SaveButton->IsThisEnabled());
    EXPECT_FALSE(Page->HStartEdit->IsThisEnabled());
    EXPECT_TRUE(Page->IsEnabled());
    EXPECT_EQ(Notices.back().Text, "Caption Invalid");
    Page->CaptionFilePath = written; // the page's own paint would complain of the missing file
}

TEST_F(CaptionPageTest, LostAcknowledgementsEndInTimeOutMessage) {
    Page->OnBnClickedPreview();
    Page->StartCaptionUpload(true);
    ClearRecords();
    for (int i = 0; i < 3; ++i)
        Page->OnTimer(MSubTitleDlg::CaptionAckTimer);
    EXPECT_EQ(Chunks().size(), 3u);
    EXPECT_TRUE(Notices.empty());
    Page->OnTimer(MSubTitleDlg::CaptionAckTimer);
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Text, "Send Caption Time Out");
    EXPECT_EQ(Notices[0].Caption, "Tips");
    EXPECT_TRUE(Page->IsEnabled());
    EXPECT_EQ(Chunks().size(), 3u);
}

TEST_F(CaptionPageTest, PositionEditsClampedToTheOutput) {
    Page->EnableAllControls(true);
    Page->DisplayWidthEdit->SetValue(1920);
    Page->HStartEdit->SetValue(3000);
    Page->OnEditValueChanged(MSubTitleDlg::IdHStart);
    EXPECT_EQ(Page->HStartEdit->Value(), 1920);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaptionLayout}));
    const std::vector<uint8_t> want = {0, 2, 0x80, 0x07, 0, 0, 0x80, 0x07, 0x55, 0x55};
    const std::vector<uint8_t> sent = Commands()[0].Bytes;
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 10), want);
    ClearRecords();
    Page->HeightEdit->SetValue(100);
    Page->VStartEdit->SetValue(1050);
    Page->OnEditValueChanged(MSubTitleDlg::IdVStart);
    EXPECT_EQ(Page->VStartEdit->Value(), 980);
    Page->WidthEdit->SetValue(3000);
    Page->OnEditValueChanged(MSubTitleDlg::IdWidth);
    EXPECT_EQ(Page->WidthEdit->Value(), 1920); // 3840 - H start
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaptionLayout}));
}

TEST_F(CaptionPageTest, HidingThePageFoldsAndResetsItsLook) {
    // Hidden with the advanced area open, then hidden folded: both reopen in the default look.
    for (const bool unfolded : {true, false}) {
        SCOPED_TRACE(unfolded ? "advanced open" : "folded");
        Page->ShowPage(true);
        if (unfolded) {
            Page->AdvancedButton->Click();
            Pump(10);
            EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdQuery70}));
            EXPECT_EQ(Page->AdvancedButton->GetTextColour(), 0x009CEFu);
        }
        Page->ApplyForegroundColour(0x00FF00);
        Page->ApplyBackgroundColour(0x123456);
        Page->SpeedList->SetCurSel(3);
        Page->BackgroundList->SetCurSel(2);
        Page->DirectionList->SetCurSel(1);
        Page->ApplyCaptionFont(CaptionFontWithHeight(Page->CaptionFont, 50));
        Page->ShowPage(false);
        EXPECT_FALSE(Page->AdvancedButton->IsChecked());
        EXPECT_EQ(Page->ForegroundColour, 0x0000FFu);
        EXPECT_EQ(Page->BackgroundColour, 0u);
        EXPECT_EQ(Page->SpeedList->GetCurSel(), 0);
        EXPECT_EQ(Page->BackgroundList->GetCurSel(), 0);
        EXPECT_EQ(Page->DirectionList->GetCurSel(), 0);
        EXPECT_EQ(Page->CaptionFont.GetPixelSize().y, DefaultCaptionFont().GetPixelSize().y);
    }
}

TEST_F(CaptionPageTest, RefreshFromDeviceOnlyWithValidRecordAndAdvancedShown) {
    DeviceState& s = GetDeviceState();
    CaptionSettings& r = s.CaptionSettings[2];
    r.SelectedCaption = 2;
    r.Width = 800;
    r.Height = 40;
    r.HStart = 100;
    r.VStart = 200;
    r.DisplayWidth = 1500;
    r.ScrollSpeed = 2;
    r.BackgroundMode = 1;
    r.ScrollDirection = 1;
    r.Enable = 1;
    r.OutputEnable[3] = 1;
    r.ForegroundColour = 0x00FF00;
    Page->UpdateFromDevice(2);
    EXPECT_EQ(Page->CurrentCaption, 2u);
    EXPECT_EQ(Page->WidthEdit->Value(), 600); // folded: nothing more
    Page->AdvancedButton->Click();
    Pump(10);
    Page->UpdateFromDevice(2);
    EXPECT_EQ(Page->CaptionList->GetCurSel(), 2);
    EXPECT_EQ(Page->WidthEdit->Value(), 800);
    EXPECT_EQ(Page->HeightEdit->Value(), 40);
    EXPECT_EQ(Page->DisplayWidthEdit->Value(), 1500);
    EXPECT_EQ(Page->SpeedList->GetCurSel(), 2);
    EXPECT_EQ(Page->BackgroundList->GetCurSel(), 1);
    EXPECT_EQ(Page->DirectionList->GetCurSel(), 1);
    EXPECT_TRUE(Page->OnOffButton->IsChecked());
    EXPECT_TRUE(Page->OutputButtons[3]->IsChecked());
    EXPECT_FALSE(Page->OutputButtons[0]->IsChecked());
    EXPECT_EQ(Page->ForegroundColour, 0x00FF00u);
    // Out-of-range numbers from the device change nothing.
    Page->UpdateFromDevice(7);
    Page->UpdateFromDevice(-1);
    s.CaptionSettings[1].SelectedCaption = 9;
    Page->UpdateFromDevice(1);
    EXPECT_EQ(Page->CurrentCaption, 2u);
    EXPECT_TRUE(Commands().size() <= 1u);
}

TEST_F(CaptionPageTest, OutputsSaveAndInitialise) {
    PickCaption(3);
    ClearRecords();
    Page->EnableAllControls(true);
    Page->OutputButtons[1]->SetChecked(true);
    Page->OnBnClickedOutput(MSubTitleDlg::IdFirstOutput + 1);
    EXPECT_EQ(GetDeviceState().CaptionSettings[3].OutputEnable[1], 1);
    ASSERT_EQ(Commands().size(), 1u);
    const std::vector<uint8_t> out = {3, 4, 0, 1, 0, 0};
    const std::vector<uint8_t> sent = Commands()[0].Bytes;
    EXPECT_EQ(std::vector<uint8_t>(sent.begin(), sent.begin() + 6), out);
    ClearRecords();
    Page->OnBnClickedSave();
    EXPECT_EQ(Commands()[0].Bytes[1], 1);
    EXPECT_FALSE(Page->IsEnabled());
    Listen(MBusyWaitTimedOut);
    Page->OnTimer(MSubTitleDlg::CaptionBusyTimer);
    EXPECT_TRUE(Page->IsEnabled());
    EXPECT_EQ(MessagesOf(MShowBusy).back().W, 0u);
    // The main window ends the wait as unanswered, and tells the operator.
    EXPECT_EQ(MessagesOf(MBusyWaitTimedOut).size(), 1u);
    // The device's answer to a save ends its time-out, which would otherwise withdraw the busy
    // box of whatever runs 15 seconds after the save.
    Page->OnBnClickedSave();
    ASSERT_TRUE(Page->IsTimerRunning(MSubTitleDlg::CaptionBusyTimer));
    Page->OnSaveResult();
    EXPECT_FALSE(Page->IsTimerRunning(MSubTitleDlg::CaptionBusyTimer));
    EXPECT_TRUE(Page->IsEnabled());
    ClearRecords();
    NoticeAnswer = false;
    Page->OnBnClickedInitialise();
    EXPECT_TRUE(Commands().empty());
    NoticeAnswer = true;
    Page->OnBnClickedInitialise();
    ASSERT_EQ(Notices.size(), 2u);
    EXPECT_EQ(Notices[1].Text, "Reset Caption ?");
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[0], 0x55);
    EXPECT_EQ(Commands()[0].Bytes[1], 5);
}

// The answer the page waited for will not come (the busy box closed, or the link went or came
// back): the page is usable again, its box is withdrawn and nothing it waited for goes on, whether
// that was an announced caption, one being sent, a save or an initialise. A caption cut off is
// told to the operator as not taken.
TEST_F(CaptionPageTest, AnEndedWaitFreesThePageAndEndsItsWork) {
    struct Row {
        const char* name;
        void (*start)(MSubTitleDlg&);
        bool announces;
    };
    const Row rows[] = {
        {"preview", [](MSubTitleDlg& page) { page.OnBnClickedPreview(); }, true},
        {"sending", [](MSubTitleDlg& page) { page.OnBnClickedPreview(), page.StartCaptionUpload(true); }, true},
        {"save", [](MSubTitleDlg& page) { page.OnBnClickedSave(); }, false},
        {"initialise", [](MSubTitleDlg& page) { page.OnBnClickedInitialise(); }, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClearRecords();
        row.start(*Page);
        ASSERT_FALSE(Page->IsThisEnabled());
        const size_t notices = Notices.size();
        EXPECT_EQ(Page->EndWaitForDevice(), row.announces);
        Pump(10);
        EXPECT_TRUE(Page->IsThisEnabled());
        EXPECT_EQ(MessagesOf(MShowBusy).back().W, 0u);
        EXPECT_FALSE(Page->IsTimerRunning(MSubTitleDlg::CaptionBusyTimer));
        EXPECT_FALSE(Page->IsTimerRunning(MSubTitleDlg::CaptionAckTimer));
        EXPECT_FALSE(Page->Upload.IsOpen());
        ASSERT_EQ(Notices.size(), notices + (row.announces ? 1 : 0));
        // Once ended, a wait ends nothing again.
        EXPECT_FALSE(Page->EndWaitForDevice());
        if (!row.announces) continue;
        EXPECT_EQ(Notices.back().Text, LanguageText("XIDS_CaptionNotTaken"));
        // The device's late acceptance or refusal starts no transfer and withdraws no other busy box.
        const size_t busy = MessagesOf(MShowBusy).size(), chunks = Chunks().size();
        Page->StartCaptionUpload(true);
        Page->StartCaptionUpload(false);
        Pump(10);
        EXPECT_EQ(Chunks().size(), chunks);
        EXPECT_FALSE(Page->IsTimerRunning(MSubTitleDlg::CaptionAckTimer));
        EXPECT_EQ(MessagesOf(MShowBusy).size(), busy);
        EXPECT_EQ(Notices.size(), notices + 1);
    }
    // The next preview announces and sends again.
    const size_t chunks = Chunks().size();
    Page->OnBnClickedPreview();
    Page->StartCaptionUpload(true);
    EXPECT_EQ(Chunks().size(), chunks + 1);
}

// Which caption the list names and the page acts on, after a caption record from the device:
// the caption the device says is selected; a record is shown only under its own name.
TEST_F(CaptionPageTest, DeviceRecordsKeepTheListAndThePageOnOneCaption) {
    struct Row {
        const char* name;
        bool advanced;
        int listBefore;
        int record, selected;
        int listAfter;
        float width; // the Width edit after it: the record's (1000 + 100 * record), or 600 untouched
    };
    const Row rows[] = {
        {"folded, the chosen caption's own record", false, 2, 2, 2, 2, 600},
        {"folded, another controller chose caption 1", false, 2, 2, 0, 0, 600},
        {"open, the chosen caption's own record", true, 2, 2, 2, 2, 1200},
        {"open, the first record that ends an upload", true, 2, 0, 2, 2, 600},
        {"open, another controller chose caption 4", true, 0, 3, 3, 3, 1300},
        {"open, a record of caption 2 while caption 4 is selected", true, 2, 1, 3, 3, 600},
    };
    DeviceState& s = GetDeviceState();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Page->ShowPage(false);
        Page->ShowPage(true);
        if (row.advanced) {
            Page->AdvancedButton->SetChecked(true);
            Page->OnBnClickedAdvanced();
        }
        PickCaption(row.listBefore);
        Page->WidthEdit->SetValue(600);
        for (int c = 0; c < 4; ++c) {
            s.CaptionSettings[c].Width = static_cast<uint16_t>(1000 + 100 * c);
            s.CaptionSettings[c].Height = 40;
            s.CaptionSettings[c].SelectedCaption = static_cast<uint8_t>(row.selected);
        }
        Page->UpdateFromDevice(row.record);
        EXPECT_EQ(Page->CaptionList->GetCurSel(), row.listAfter);
        EXPECT_EQ(Page->CurrentCaption, static_cast<uint32_t>(row.listAfter));
        EXPECT_EQ(Page->WidthEdit->Value(), row.width);
        // ON/OFF and the position go to the caption the list names.
        ClearRecords();
        Page->OnOffButton->Click();
        Pump(10);
        Page->EnableAllControls(true);
        Page->OnEditValueChanged(MSubTitleDlg::IdHStart);
        Pump(10);
        const auto c = Commands();
        ASSERT_EQ(c.size(), 3u);
        EXPECT_EQ(c[0].Command, CmdCaption);
        EXPECT_EQ(c[0].Bytes[0], row.listAfter);
        EXPECT_EQ(c[1].Command, CmdQuery70);
        EXPECT_EQ(c[1].Bytes[0], row.listAfter);
        EXPECT_EQ(c[2].Command, CmdCaptionLayout);
        EXPECT_EQ(c[2].Bytes[0], row.listAfter);
    }
}

// An upload started with the advanced area open ends without the save a folded page's upload
// makes, and on the caption it was announced for, even when the page was hidden (and so
// folded) and the device reported another selection meanwhile.
TEST_F(CaptionPageTest, AnUploadEndsAsItStarted) {
    PickCaption(2);
    Page->AdvancedButton->SetChecked(true);
    Page->OnBnClickedAdvanced();
    Page->WidthEdit->SetValue(100);
    Page->HeightEdit->SetValue(10);
    Page->FromFile = 0;
    Page->OnBnClickedPreview();
    Page->ShowPage(false);
    GetDeviceState().CaptionSettings[1].SelectedCaption = 1;
    Page->UpdateFromDevice(1);
    ASSERT_EQ(Page->CurrentCaption, 1u);
    ClearRecords();
    Page->StartCaptionUpload(true);
    ASSERT_EQ(Chunks().size(), 1u);
    Ack(0);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdCaptionLayout, CmdQuery70}));
    EXPECT_EQ(Commands()[0].Bytes[0], 2);
    EXPECT_EQ(Commands()[0].Bytes[1], 1);
    EXPECT_TRUE(Page->IsThisEnabled());
}

TEST_F(CaptionPageTest, LoadedPictureLimitsAndConversion) {
    wxImage big(3841, 20);
    const std::string bigPath = (Home / "big.png").string();
    ASSERT_TRUE(big.SaveFile(bigPath, wxBITMAP_TYPE_PNG));
    EXPECT_FALSE(Page->LoadCaptionPicture(bigPath));
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Text, "图片超过 3840*128 的限制");
    const std::string junk = (Home / "junk.bmp").string();
    std::ofstream(junk) << "not a picture";
    wxLogNull quiet;
    EXPECT_FALSE(Page->LoadCaptionPicture(junk));
    EXPECT_EQ(Notices.size(), 2u);
    EXPECT_EQ(Page->FromFile, 0);

    wxImage colour(40, 8);
    colour.SetRGB(wxRect(0, 0, 40, 8), 0, 0, 0);
    colour.SetRGB(wxRect(0, 0, 8, 8), 250, 250, 250);
    const std::string colourPath = (Home / "pic.bmp").string();
    ASSERT_TRUE(colour.SaveFile(colourPath, wxBITMAP_TYPE_BMP));
    ASSERT_TRUE(Page->LoadCaptionPicture(colourPath));
    EXPECT_EQ(Page->FromFile, 1);
    EXPECT_EQ(Page->WidthEdit->Value(), 40);
    EXPECT_EQ(Page->HeightEdit->Value(), 10); // the edit's lowest value
    const std::vector<uint8_t> file = ReadAll(Page->CaptionFilePath);
    ASSERT_EQ(file.size(), 62u + 8u * 8u);
    EXPECT_EQ(ReadU16(&file[28]), 1u);
    for (int row = 0; row < 8; ++row) {
        EXPECT_EQ(file[62 + row * 8], 0xFF) << row;
        EXPECT_EQ(file[62 + row * 8 + 1], 0x00) << row;
    }
}
