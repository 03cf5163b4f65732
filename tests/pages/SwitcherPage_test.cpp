#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/OperatorNotices.h"
#include "pages/MSwitcherDlg.h"
#include "pages/SwitcherLogic.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"
#include "support/PageFixture.h"

namespace {
class SwitcherPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        Listen(MPageEvent);
        Listen(MShowBusy);
        OpenPage(Page, wxSize(320, 290), true, true);
    }
    MSwitcherDlg* Page = nullptr;
};

TEST_F(SwitcherPage, SwitchingOnWithPanelTwoSendsModeTwoAndClearsTheLogoUsage) {
    DeviceState& s = GetDeviceState();
    s.SwitcherSettings.Mode = 2;
    s.MosaicSettings.Mode = 3;
    Page->UpdateFromDevice();
    s.SwitcherSettings.Mode = 0;
    Page->UpdateFromDevice(); // off again; the panel choice stays
    EXPECT_FALSE(Page->PanelButtons[1]->IsEnabled());
    EXPECT_EQ(Page->CurrentPanel, 1);
    s.LogoSettings.Pip3Usage = 1;
    Pump(20);
    Got.clear();
    Page->OnOffButton->Click();
    Pump(30);
    EXPECT_EQ(s.SwitcherSettings.Mode, 2);
    EXPECT_EQ(s.LogoSettings.Pip3Usage, 0);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{15, 59, 59}));
    const auto sent = Commands();
    EXPECT_EQ(sent[0].Bytes[0], 2);
    EXPECT_EQ(sent[1].Bytes[0], 1);
    EXPECT_EQ(sent[2].Bytes[0], 3);
    ASSERT_EQ(BusyTexts().size(), 1u);
    EXPECT_EQ(BusyTexts()[0], UiStrings[65]);
    std::vector<std::pair<WPARAM, LPARAM>> events;
    for (const auto& g : Got)
        if (g.Message == MPageEvent) events.push_back({g.W, g.L});
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0], (std::pair<WPARAM, LPARAM>{EvSwitcherMode, 1}));
    EXPECT_EQ(events[1], (std::pair<WPARAM, LPARAM>{EvMosaicMode, 3}));
    EXPECT_TRUE(Page->PanelButtons[1]->IsEnabled());
}

TEST_F(SwitcherPage, ClickingTheChosenPanelSendsNothing) {
    Page->OnOffButton->Click();
    Pump(20);
    Link->Link.Calls.clear();
    Page->PanelButtons[0]->Click();
    Pump(20);
    EXPECT_TRUE(CommandNumbers().empty());
    EXPECT_TRUE(Page->PanelButtons[0]->IsChecked());
}

TEST_F(SwitcherPage, ChoosingTheDualPanelQueriesKeyersThenSwitchesThenQueries63) {
    Page->OnOffButton->Click();
    Pump(20);
    Link->Link.Calls.clear();
    Page->PanelButtons[1]->Click();
    Pump(20);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{59, 59, 15, 63}));
    EXPECT_TRUE(Page->PanelButtons[1]->IsChecked());
    EXPECT_FALSE(Page->PanelButtons[0]->IsChecked());
    Link->Link.Calls.clear();
    Page->PanelButtons[0]->Click();
    Pump(20);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{15, 63}));
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
}

TEST_F(SwitcherPage, FadeHalfASecondStoresAndSendsFour) {
    Page->OnDropListSelChanged(FadeTimeListId, 4);
    EXPECT_EQ(GetDeviceState().SwitcherSettings.FadeTime, 4u);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 16u);
    EXPECT_EQ(sent[0].Bytes[0], 4);
    Page->OnDropListSelChanged(FadeTimeListId, 12);
    EXPECT_EQ(Commands().size(), 1u);
}

TEST_F(SwitcherPage, RefreshShowsModeAndFadeAndSendsNothing) {
    DeviceState& s = GetDeviceState();
    s.SwitcherSettings.Mode = 1;
    s.SwitcherSettings.FadeTime = 6;
    Page->UpdateFromDevice();
    EXPECT_TRUE(Page->OnOffButton->IsChecked());
    EXPECT_TRUE(Page->PanelButtons[0]->IsChecked());
    EXPECT_EQ(Page->FadeList->GetCurSel(), 6);
    EXPECT_TRUE(CommandNumbers().empty());
    s.SwitcherSettings.Mode = 9; // unknown: switched on, but no panel index from it
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->CurrentPanel, 0);
}

} // namespace
