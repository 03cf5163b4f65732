#include <gtest/gtest.h>

#include "support/PageFixture.h"
#include "app/DeviceState.h"
#include "controls/CGdipButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "platform/ui/PageEvents.h"
#include "pages/MTstPatternDlg.h"
#include "pages/TestPatternLogic.h"
#include "platform/ui/UserMessages.h"

namespace {
class PatternPage : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        GetDeviceState().OutputTiming.HActive = 1920;
        GetDeviceState().OutputTiming.VActive = 1080;
        Listen(MTestPatternSwitched);
        FrameMessages->On(MPageEvent, [this](WPARAM w, LPARAM l) -> LRESULT {
            if (w == EvShowSubPage) {
                const auto* r = reinterpret_cast<const SubPageRequest*>(l);
                SubPages.push_back({r->Index, r->Show});
            }
            return 0;
        });
        OpenPage(Page, wxSize(320, 370), true, false);
    }
    CGdipButton* Button(int id) { return FindKitControl<CGdipButton>(Page, id); }
    template <class T = oRealEdit> T* Edit(int id) { return FindKitControl<T>(Page, id); }
    void PatternOn(int number) {
        Edit<oSliderEdit>(IdPatternNumber)->SetValue(static_cast<float>(number));
        Button(IdPatternOnOff)->Click();
        Pump(20);
    }
    MTstPatternDlg* Page = nullptr;
    std::vector<SubPageRequest> SubPages;
};

TEST_F(PatternPage, SwitchingThePatternOnSendsItAndTellsTheMainDialog) {
    PatternOn(7);
    EXPECT_EQ(Page->PatternNumber, 7u);
    EXPECT_EQ(Button(IdPatternOnOff)->GetLabel(), "0n");
    EXPECT_TRUE(Edit<oSliderEdit>(IdPatternNumber)->IsEnabled());
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 12u);
    EXPECT_EQ(sent[0].Bytes[0], 7);
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].L, 1);
    ASSERT_EQ(SubPages.size(), 1u);
    EXPECT_EQ(SubPages[0].Index, 4);
    EXPECT_FALSE(SubPages[0].Show);
    Button(IdPatternOnOff)->Click();
    Pump(20);
    EXPECT_EQ(Button(IdPatternOnOff)->GetLabel(), "0ff");
    EXPECT_EQ(Commands().back().Bytes[0], 0);
    EXPECT_EQ(Got.back().L, 0);
}

TEST_F(PatternPage, HidingWithAPatternSwitchesItOffAndHidingWithoutSendsNothing) {
    PatternOn(7);
    Got.clear();
    Page->ShowPage(false);
    Pump(20);
    auto sent = Commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].Bytes[0], 0);
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].W, 0u);
    EXPECT_EQ(Got[0].L, 0);
    EXPECT_EQ(Button(IdPatternOnOff)->GetLabel(), "Off");
    EXPECT_EQ(Page->PatternNumber, 0u);
    Page->ShowPage(true);
    Page->ShowPage(false);
    Pump(20);
    EXPECT_EQ(Commands().size(), 2u);
}

// The page reads "Off" once the grab is on: the machine and the main dialog are told so too,
// or the layer buttons would stay held by a pattern nobody sees.
TEST_F(PatternPage, GrabOnSwitchesARunningPatternOff) {
    struct Row {
        const char* What;
        int Pattern; // 0: none on
        std::vector<uint32_t> Sent;
        size_t Told;
    };
    const Row rows[] = {
        {"pattern on", 9, {12, 13, 12}, 2},
        {"no pattern", 0, {13}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.What);
        Got.clear();
        Link->Link.Calls.clear();
        if (row.Pattern) PatternOn(row.Pattern);
        Button(IdPixelGrab)->Click();
        Pump(20);
        EXPECT_EQ(Button(IdPatternOnOff)->GetLabel(), "Off");
        EXPECT_FALSE(Button(IdPatternOnOff)->IsChecked());
        EXPECT_FALSE(Edit<oSliderEdit>(IdPatternNumber)->IsEnabled());
        EXPECT_EQ(Page->PatternNumber, 0u);
        EXPECT_EQ(GetDeviceState().TestPattern, 0);
        const auto sent = Commands();
        std::vector<uint32_t> numbers;
        for (const auto& c : sent) numbers.push_back(c.Command);
        EXPECT_EQ(numbers, row.Sent);
        if (row.Pattern) {
            EXPECT_EQ(sent[2].Bytes[0], 0);
        }
        ASSERT_EQ(Got.size(), row.Told);
        if (row.Told) {
            EXPECT_EQ(Got.back().L, 0);
        }
        Button(IdPixelGrab)->Click(); // grab off again for the next row
        Pump(20);
    }
}

// The link came back: a machine that restarted runs no pattern, so the page lets go of its own.
TEST_F(PatternPage, LinkBackSwitchesAHeldPatternOffAndOtherwiseSendsNothing) {
    Page->OnMachineStateRead();
    Pump(20);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(Got.empty());
    PatternOn(4);
    Got.clear();
    Page->OnMachineStateRead();
    Pump(20);
    EXPECT_EQ(Button(IdPatternOnOff)->GetLabel(), "Off");
    EXPECT_EQ(Page->PatternNumber, 0u);
    ASSERT_EQ(Commands().size(), 2u);
    EXPECT_EQ(Commands()[1].Bytes[0], 0);
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].L, 0);
}

TEST_F(PatternPage, CaptionButtonOpensTheCaptionPageAndSwitchesBothOff) {
    PatternOn(5);
    Button(IdPixelGrab)->Click(); // resets the pattern controls only
    Pump(20);
    SubPages.clear();
    Button(IdCaptionSettings)->Click();
    Pump(20);
    ASSERT_FALSE(SubPages.empty());
    EXPECT_EQ(SubPages[0].Index, 4);
    EXPECT_TRUE(SubPages[0].Show);
    EXPECT_FALSE(Button(IdPixelGrab)->IsChecked());
    EXPECT_FALSE(Edit(IdGrabH)->IsEnabled());
    const auto c = Commands().back();
    EXPECT_EQ(c.Command, 13u);
    EXPECT_EQ(c.Bytes[0], 0);
}

TEST_F(PatternPage, GrabbedColourShowsAsSwatchAndText) {
    EXPECT_FALSE(Page->HasSwatch());
    GetDeviceState().GrabbedColour = {0x1FF, 128, 32};
    PostMsg(Page, MGrabColorReady, 0, 0);
    Pump(30);
    ASSERT_TRUE(Page->HasSwatch());
    EXPECT_EQ(Page->SwatchColour(), wxColour(0xFF, 128, 32));
    // The swatch sits in the right half of the grab group.
    EXPECT_EQ(Page->SwatchRect.x, 11 + 298 / 2);
    EXPECT_EQ(Page->SwatchRect.y, 136 + 25);
}
}  // namespace

// The switcher mode disables this page; a busy box that closes frees only the pages that
// locked themselves behind it, so this one stays disabled.
TEST_F(PatternPage, ABusyBoxTimeOutLeavesThePageTheSwitcherModeDisabled) {
    Page->Enable(false);
    EXPECT_FALSE(Page->EndWaitForDevice());
    EXPECT_FALSE(Page->IsThisEnabled());
    Page->Enable(true);
}
