// The logo page under X.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "platform/ui/PageEvents.h"
#include "pages/MLogoDlg.h"
#include "controls/OperatorNotices.h"
#include "platform/ui/UserMessages.h"

namespace {
class LogoPage : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        DeviceState& s = GetDeviceState();
        s.OutputTiming.HActive = 1920;
        s.OutputTiming.VActive = 1080;
        // PIP-3 on, 1280 x 720 at (100, 50), showing HDMI-1 (card 1) with a signal.
        s.LayerWindow[3] = {1, 64, 1, 0, 100, 50, 1280, 720, 0};
        s.InputSignalPresent[1] = 1;
        OpenPage(Page, wxSize(320, 500), true, false);
        ClearRecords();
    }
    void Type(int index, float value) {
        static const int ids[4] = {1356, 1357, 1365, 1367};
        Page->Edits[index]->SetValue(value);
        Page->OnEditValueChanged(ids[index]);
    }
    std::vector<uint8_t> Block(size_t i) const {
        const auto sent = Commands();
        return i < sent.size() ? sent[i].Bytes : std::vector<uint8_t>(32, 0);
    }
    void EnterLogoUsage() {
        LogoSettings& l = GetDeviceState().LogoSettings;
        l.Pip3Usage = 1;
        l.CurrentSlot = 1;
        l.SlotValid[1] = 1;
        l.HPos[1] = 10;
        l.VPos[1] = 20;
        l.Width[1] = 200;
        l.Height[1] = 100;
        l.Enable = 0;
        Page->UpdateFromDevice();
        ClearRecords();
    }
    MLogoDlg* Page = nullptr;
};
}  // namespace

TEST_F(LogoPage, NormalUsageFrameFollowsPip3) {
    EXPECT_TRUE(Page->NormalButton->IsChecked());
    EXPECT_EQ(Page->Edits[2]->Value(), 1280);
    EXPECT_EQ(Page->Edits[3]->Value(), 720);
    EXPECT_FALSE(Page->OnOffButton->IsEnabled());
    EXPECT_FALSE(Page->Pip3OffNotice->IsShown());
    const LogoCaptureRect& f = GetDeviceState().LogoCaptureFrame[0];
    EXPECT_EQ(f.X, 100);
    EXPECT_EQ(f.Y, 50);
    EXPECT_EQ(f.Width, 1280);
}

TEST_F(LogoPage, WidthWithBorderShowsTheFrameUntilHidden) {
    GetDeviceState().LogoSettings.Border = 1;
    Type(0, 30);
    ClearRecords();
    Type(2, 300);
    ASSERT_EQ(CommandNumbers(), std::vector<uint32_t>{CmdLogo});
    const std::vector<uint8_t> b = Block(0);
    EXPECT_EQ(b[0], 3);
    EXPECT_EQ(b[10], 1);
    EXPECT_EQ(b[2] | b[3] << 8, 130);  // PIP-3 at 100 plus the start 30
    EXPECT_EQ(b[4] | b[5] << 8, 50);
    EXPECT_EQ(b[6] | b[7] << 8, 300);
    EXPECT_EQ(b[8] | b[9] << 8, 720);
    EXPECT_EQ(GetDeviceState().LogoFramePending, 1);
    ClearRecords();
    Page->ShowPage(false);
    ASSERT_EQ(CommandNumbers(), std::vector<uint32_t>{CmdLogo});
    EXPECT_EQ(Block(0)[0], 3);
    EXPECT_EQ(Block(0)[10], 0);
    EXPECT_EQ(GetDeviceState().LogoFramePending, 0);
}

TEST_F(LogoPage, SaveIntoSlot2) {
    Page->OnBnClickedLogoSlot(2);
    Page->Edits[0]->SetValue(40);
    Type(2, 300);
    ClearRecords();
    Page->OnBnClickedSaveLoad(2);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdLogo, CmdLogo}));
    EXPECT_EQ(Block(0)[0], 3);
    EXPECT_EQ(Block(0)[10], 0);
    EXPECT_EQ(Block(1)[0], 2);
    EXPECT_EQ(Block(1)[1], GetDeviceState().LogoShownSlot);
    EXPECT_EQ(Block(1)[1], 2);
    const LogoSettings& l = GetDeviceState().LogoSettings;
    EXPECT_EQ(l.HPos[2], 0);
    EXPECT_EQ(l.VPos[2], 0);
    EXPECT_EQ(l.Width[2], 300);
    EXPECT_EQ(l.SlotValid[2], 1);
    EXPECT_EQ(Page->ClearButtons[2]->GetLabel(), wxString::FromUTF8(UiStrings[10]));
    EXPECT_EQ(Page->SlotButtons[2]->GetTextColour(), 0x009CEFu);
    EXPECT_EQ(MessagesOf(MShowBusy).size(), 1u);
}

TEST_F(LogoPage, SaveWithoutSignalOnlyTells) {
    DeviceState& s = GetDeviceState();
    s.LayerWindow[3].Source = 9;  // half of DP-1: card 4
    s.InputSignalPresent[4] = 0;
    Page->OnBnClickedSaveLoad(0);
    EXPECT_TRUE(Commands().empty());
    ASSERT_EQ(NoticeTexts().size(), 1u);
    EXPECT_EQ(NoticeTexts()[0], "PIP3 Input Source Is  Signal Off");
    EXPECT_EQ(s.LogoSettings.SlotValid[0], 0);
    s.InputSignalPresent[4] = 1;
    Page->OnBnClickedSaveLoad(0);
    EXPECT_EQ(Commands().size(), 2u);
    s.LayerWindow[3].Source = 200;  // no input at all
    ClearRecords();
    Page->OnBnClickedSaveLoad(0);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(LogoPage, CurrentSlotBeyondFourShowsAsZero) {
    GetDeviceState().LogoSettings.CurrentSlot = 7;
    Page->UpdateFromDevice();
    EXPECT_EQ(GetDeviceState().LogoSettings.CurrentSlot, 0);
    EXPECT_EQ(Page->PageSlot, 0u);
    EXPECT_EQ(GetDeviceState().LogoShownSlot, 0);
    Pump(10);
    EXPECT_EQ(MessagesOf(MLogoLayerChanged).size(), 1u);
    ASSERT_EQ(MessagesOf(MPageEvent).size(), 1u);
    EXPECT_EQ(MessagesOf(MPageEvent)[0].L, 2);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(LogoPage, ClearSlot1) {
    GetDeviceState().LogoSettings.SlotValid[1] = 1;
    Page->OnBnClickedClear(1);
    ASSERT_EQ(CommandNumbers(), std::vector<uint32_t>{CmdLogo});
    EXPECT_EQ(Block(0)[0], 0);
    EXPECT_EQ(Block(0)[1], 1);
    EXPECT_EQ(Block(0)[10], 1);
    EXPECT_EQ(GetDeviceState().LogoSettings.SlotValid[1], 0);
    EXPECT_EQ(Page->ClearButtons[1]->GetLabel(), "O");
    EXPECT_FALSE(Page->ClearButtons[1]->IsEnabled());
}

TEST_F(LogoPage, LogoUsageShowsTheStoredLogo) {
    EnterLogoUsage();
    EXPECT_TRUE(Page->LogoButton->IsChecked());
    EXPECT_FALSE(Page->NormalButton->IsChecked());
    EXPECT_EQ(Page->Edits[0]->Value(), 10);
    EXPECT_EQ(Page->Edits[2]->Value(), 200);
    EXPECT_FALSE(Page->Edits[2]->IsEnabled());
    EXPECT_TRUE(Page->OnOffButton->IsEnabled());
    EXPECT_EQ(Page->SaveLoadButtons[1]->GetLabel(), wxString::FromUTF8(UiStrings[80]));
    EXPECT_TRUE(Page->SaveLoadButtons[1]->IsEnabled());
    EXPECT_FALSE(Page->SaveLoadButtons[0]->IsEnabled());
    EXPECT_EQ(Page->SlotButtons[1]->GetTextColour(), 0x00FF00u);
}

TEST_F(LogoPage, StoredPositionOffTheOutputStartsAtItsEdge) {
    LogoSettings& l = GetDeviceState().LogoSettings;
    l.Pip3Usage = 1;
    l.CurrentSlot = 0;
    l.SlotValid[0] = 1;
    l.HPos[0] = 1800;
    l.Width[0] = 200;
    l.Height[0] = 100;
    Page->UpdateFromDevice();
    EXPECT_EQ(l.HPos[0], 0);
    EXPECT_EQ(Page->Edits[0]->Value(), 0);
}

TEST_F(LogoPage, SwitchingOnAfterAMoveCancelledSendsNothing) {
    EnterLogoUsage();
    Type(0, 500);
    EXPECT_TRUE(Page->PositionChanged);
    ClearRecords();
    NoticeAnswer = false;
    Page->OnOffButton->Click();
    Pump(10);
    EXPECT_EQ(NoticeTexts().size(), 1u);
    EXPECT_EQ(NoticeTexts()[0], UiStrings[99]);
    EXPECT_TRUE(Commands().empty());
    EXPECT_FALSE(Page->OnOffButton->IsChecked());
    EXPECT_EQ(GetDeviceState().LogoSettings.Enable, 0);
    EXPECT_FALSE(Page->PositionChanged);
    EXPECT_EQ(Page->Edits[0]->Value(), 10);  // the stored place again
}

TEST_F(LogoPage, SwitchingOnAfterAMoveLoadsFirst) {
    EnterLogoUsage();
    Type(0, 500);
    ClearRecords();
    NoticeAnswer = true;
    Page->OnOffButton->Click();
    Pump(10);
    // Load at the new place (the frame taken away first), then switch on.
    std::vector<int> subCodes;
    for (const LinkCall& c : Commands()) subCodes.push_back(c.Bytes[0]);
    EXPECT_EQ(subCodes, (std::vector<int>{3, 1, 5}));
    EXPECT_EQ(Block(1)[2] | Block(1)[3] << 8, 500);
    EXPECT_EQ(GetDeviceState().LogoSettings.HPos[1], 500);
    EXPECT_EQ(GetDeviceState().LogoSettings.Enable, 1);
    EXPECT_EQ(Block(2)[12], 1);
    EXPECT_FALSE(Page->PositionChanged);
}

TEST_F(LogoPage, OnOffRefusedWhilePip3IsOnProgram) {
    EnterLogoUsage();
    SwitcherSettings& s = GetDeviceState().SwitcherSettings;
    s.Mode = 1;
    s.OnProgram[3] = 1;
    Page->OnOffButton->Click();
    Pump(10);
    EXPECT_FALSE(Page->OnOffButton->IsChecked());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(LogoPage, UsageChangeSwitchesTheLogoOff) {
    GetDeviceState().LogoFramePending = 1;
    GetDeviceState().LogoSettings.Enable = 1;
    Page->OnBnClickedLogo();
    std::vector<int> subCodes;
    for (const LinkCall& c : Commands()) subCodes.push_back(c.Bytes[0]);
    EXPECT_EQ(subCodes, (std::vector<int>{4, 3}));
    EXPECT_EQ(Block(0)[11], 1);
    EXPECT_EQ(Block(0)[12], 0);
    EXPECT_EQ(GetDeviceState().LogoFramePending, 0);
    ClearRecords();
    Page->OnBnClickedLogo();  // no change of usage
    EXPECT_TRUE(Commands().empty());
}

TEST_F(LogoPage, TopAndBorder) {
    Page->LogoTopButton->Click();
    Page->LogoBorderButton->Click();
    Pump(10);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdLogo, CmdLogo}));
    EXPECT_EQ(Block(0)[0], 6);
    EXPECT_EQ(Block(0)[13], Page->LogoTopButton->IsChecked() ? 0 : 1);
    EXPECT_EQ(Block(1)[0], 7);
    EXPECT_EQ(Block(1)[14], 1);
}

TEST_F(LogoPage, Pip3OffInNormalUsage) {
    GetDeviceState().LayerWindow[3].Enable = 0;
    Page->OnPip3Switched(false);
    EXPECT_TRUE(Page->Pip3OffNotice->IsShown());
    EXPECT_FALSE(Page->Edits[0]->IsEnabled());
    EXPECT_FALSE(Page->SaveLoadButtons[0]->IsEnabled());
}

