// The output page under X: what it sends, what it posts to the main dialog, what it shows.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "pages/MOutputDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"

namespace {
class OutputPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 500), true, false);
        ClearRecords();
    }
    void Type(int controlId, float value) {
        Page->Edit(controlId)->SetValue(value);
        Page->OnEditValueChanged(controlId);
    }
    const std::vector<uint8_t>& Block(size_t i) const {
        static std::vector<uint8_t> none;
        calls = Commands();
        return i < calls.size() ? calls[i].Bytes : none;
    }
    MOutputDlg* Page = nullptr;
    mutable std::vector<LinkCall> calls;
};

constexpr int HActiveEdit = 1323, VActiveEdit = 1024, FpsEdit = 1326, HTotalEdit = 1081, HSyncEdit = 1087;
} // namespace

TEST_F(OutputPage, StartsOn1080p60WithTheTimingGroupHidden) {
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.OutputTiming.ResolutionIndex, 10u);
    EXPECT_EQ(s.OutputTiming.HActive, 1920);
    EXPECT_EQ(s.OutputTiming.VActive, 1080);
    EXPECT_EQ(Page->ResolutionList->GetCurSel(), 10);
    EXPECT_FALSE(Page->TimingGroupShown());
    EXPECT_FALSE(Page->Edit(HTotalEdit)->IsShown());
    EXPECT_FALSE(Page->Edit(HActiveEdit)->IsEnabled());
    EXPECT_FALSE(Page->ApplyButton->IsEnabled());
    EXPECT_EQ(Page->ResolutionList->GetList()->GetText(18), "Customized  Resolution");
}

TEST_F(OutputPage, StandardRowSendsTheTimingAndItsQueries) {
    GetDeviceState().SwitcherSettings.Mode = 1;
    GetDeviceState().LogoSettings.Pip3Usage = 1;
    Page->OnDropListSelChanged(OutputResolutionListId, 11);
    Pump(20);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{2, 54, 54, 54, 54, 60, 58, 70}));
    const std::vector<uint8_t>& b = Block(0);
    ASSERT_EQ(b.size(), 32u);
    EXPECT_EQ(b[0], 11);
    EXPECT_EQ(b[1], 0x80);
    EXPECT_EQ(b[2], 0x07);
    EXPECT_EQ(b[3], 0x38);
    EXPECT_EQ(b[4], 0x04);
    EXPECT_EQ(b[5], 0x88);
    EXPECT_EQ(b[6], 0x13);
    for (int layer = 0; layer < 4; ++layer)
        EXPECT_EQ(Block(1 + layer)[0], layer);
    EXPECT_EQ(Block(7)[0], 0);
    EXPECT_EQ(MessagesOf(MRebuildCanvas).size(), 1u);
}

TEST_F(OutputPage, CustomRowUnlocksAndApplySends) {
    GetDeviceState().SwitcherSettings.Mode = 2;
    GetDeviceState().LogoSettings.Pip3Usage = 1;
    Page->OnDropListSelChanged(OutputResolutionListId, 18);
    Pump(20);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(MessagesOf(MRebuildCanvas).empty());
    EXPECT_TRUE(Page->Edit(HActiveEdit)->IsEnabled());
    EXPECT_TRUE(Page->ApplyButton->IsEnabled());
    // The output keeps the device's size until Apply.
    EXPECT_EQ(GetDeviceState().OutputTiming.HActive, 1920);
    EXPECT_EQ(Page->EditValue(HActiveEdit), 1024);

    Page->Edit(HActiveEdit)->SetValue(1280);
    Page->Edit(VActiveEdit)->SetValue(720);
    Page->Edit(FpsEdit)->SetValue(59.94f);
    Page->ApplyButton->Click();
    Pump(20);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{2, 54, 54, 54, 54, 60}));
    const std::vector<uint8_t>& b = Block(0);
    EXPECT_EQ(b[0], 18);
    EXPECT_EQ(b[1] | b[2] << 8, 1280);
    EXPECT_EQ(b[3] | b[4] << 8, 720);
    EXPECT_EQ(b[5] | b[6] << 8, 5994);
    EXPECT_EQ(b[21], 0); // the timing group was closed
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.ResolutionTable[18].Width, 1280);
    EXPECT_EQ(s.ResolutionTable[18].FrameRate, 5994);
    EXPECT_EQ(MessagesOf(MRebuildCanvas).size(), 1u);
}

TEST_F(OutputPage, HidingForgetsAnUnappliedCustomRow) {
    Page->OnDropListSelChanged(OutputResolutionListId, 18);
    Page->ShowPage(false);
    Page->ShowPage(true);
    EXPECT_EQ(Page->ResolutionList->GetCurSel(), 10);
    EXPECT_FALSE(Page->Edit(HActiveEdit)->IsEnabled());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, LanguageSwitchKeepsAnUnappliedCustomRow) {
    Page->ResolutionList->SetCurSel(18);
    Page->OnDropListSelChanged(OutputResolutionListId, 18);
    Page->ApplyLanguage();
    EXPECT_EQ(Page->ResolutionList->GetCurSel(), 18);
    EXPECT_TRUE(Page->Edit(HActiveEdit)->IsEnabled());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, StandardReplyShowsTheRowSizeAndTheReportedRate) {
    OutputTiming& t = GetDeviceState().OutputTiming;
    t.ResolutionIndex = 9;
    t.HActive = 1;
    t.VActive = 2;
    t.FrameRate = 6000;
    Page->UpdateResolution();
    EXPECT_EQ(Page->EditValue(HActiveEdit), 1920);
    EXPECT_EQ(Page->EditValue(VActiveEdit), 1080);
    EXPECT_EQ(Page->EditValue(FpsEdit), 60.0f);
    EXPECT_EQ(Page->ResolutionList->GetCurSel(), 9);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, CustomReplyKeptInTheCustomRow) {
    OutputTiming& t = GetDeviceState().OutputTiming;
    t.ResolutionIndex = 18;
    t.HActive = 2560;
    t.VActive = 1080;
    t.FrameRate = 5000;
    Page->UpdateResolution();
    EXPECT_EQ(GetDeviceState().ResolutionTable[18].Width, 2560);
    EXPECT_EQ(Page->EditValue(HActiveEdit), 2560);
    EXPECT_EQ(Page->EditValue(FpsEdit), 50.0f);
    EXPECT_EQ(Page->ResolutionList->GetCurSel(), 18);
}

TEST_F(OutputPage, PolarityRoundTripKeepsTheBytes) {
    OutputTiming& t = GetDeviceState().OutputTiming;
    t.ResolutionIndex = 18;
    t.HPolarity = 1;
    t.VPolarity = 0;
    Page->UpdateResolution();
    EXPECT_EQ(Page->HPolarityList->GetCurSel(), 1);
    EXPECT_EQ(Page->VPolarityList->GetCurSel(), 0);
    Page->OnBnClickedApply();
    EXPECT_EQ(Block(0)[19], 1);
    EXPECT_EQ(Block(0)[20], 0);
    // A pick stores the picked item's byte and sends nothing.
    ClearRecords();
    Page->VPolarityList->SetCurSel(1);
    Page->OnDropListSelChanged(OutputVPolarityListId, 1);
    EXPECT_EQ(GetDeviceState().OutputTiming.VPolarity, 1);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, EditsDoNothingWhileHidden) {
    Page->ShowPage(false);
    Page->Edit(1365)->SetValue(5000);
    Page->OnEditValueChanged(1365);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, FullScreenFlagGoesOnce) {
    Page->OnBnClickedLayer(2);
    Page->OnBnClickedFullScreen();
    Type(1357, 10);
    ASSERT_EQ(Commands().size(), 2u);
    EXPECT_EQ(Block(0)[0], 2);
    EXPECT_EQ(Block(0)[9], 1);
    EXPECT_EQ(Block(0)[5] | Block(0)[6] << 8, 1920);
    EXPECT_EQ(Block(1)[9], 0);
}

TEST_F(OutputPage, RotateSendsOnceAndTurnsThePicture) {
    const wxImage original = Page->RotatePicture().Copy();
    ASSERT_TRUE(original.IsOk());
    Page->RotateButtons[2]->Click();
    Page->RotateButtons[2]->Click();
    Pump(10);
    ASSERT_EQ(CommandNumbers(), std::vector<uint32_t>{CmdLayerWindow});
    EXPECT_EQ(Block(0)[10], 2);
    // 90 degrees: the unturned picture turned a quarter anticlockwise.
    const wxImage expected = original.Rotate90(false);
    EXPECT_EQ(0, memcmp(expected.GetData(), Page->RotatePicture().GetData(), 3u * 64 * 64));
    Page->RotateButtons[6]->Click();
    using R = RotateFlip;
    EXPECT_EQ(Page->LastRotateSteps,
              (std::vector<R>{R::Rotate90FlipNone, R::Rotate90FlipNone, R::RotateNoneFlipX}));
    EXPECT_TRUE(Page->RotateButtons[6]->IsChecked());
    EXPECT_FALSE(Page->RotateButtons[2]->IsChecked());
    EXPECT_EQ(GetDeviceState().LayerWindow[0].Rotation, 6u);
}

TEST_F(OutputPage, RotationBeyondTheTableShowsOff) {
    GetDeviceState().LayerWindow[0].Rotation = 9;
    Page->UpdateLayer();
    EXPECT_TRUE(Page->RotateButtons[0]->IsChecked());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(OutputPage, CanvasReportsALayer) {
    LayerWindow& w = GetDeviceState().LayerWindow[3];
    w.X = 11;
    w.Y = 12;
    w.Width = 13;
    w.Height = 14;
    Page->ShowLayer(3);
    Page->ShowLayer(7); // no such layer: nothing changes
    EXPECT_EQ(Page->SelectedLayer, 3u);
    EXPECT_EQ(Page->EditValue(1356), 11);
    EXPECT_EQ(Page->EditValue(1367), 14);
    EXPECT_TRUE(Page->LayerButtons[3]->IsChecked());
    EXPECT_FALSE(Page->LayerButtons[0]->IsChecked());
}
