#include <gtest/gtest.h>

#include <cstring>

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/OperatorNotices.h"
#include "controls/SkinStatic.h"
#include "pages/MMiscDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"
#include "support/PageFixture.h"

namespace {
class MiscPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        CurrentLanguageStaticId = 1251;
        Listen(MShowBusy);
        Listen(MLanguageChanged);
        FrameMessages->On(MPageEvent, [this](WPARAM w, LPARAM l) -> LRESULT {
            if (w == EvShowSubPage) {
                const auto* r = reinterpret_cast<const SubPageRequest*>(l);
                SubPages.push_back({r->Index, r->Show});
                // As the main dialog does: the settings sub-page shows this page.
                if (r->Index == 0 && r->Show) Page->ShowPage(true);
            } else {
                Events.push_back({static_cast<uint32_t>(w), static_cast<int>(l)});
            }
            return 0;
        });
        FrameMessages->On(MProjectFile, [this](WPARAM w, LPARAM l) -> LRESULT {
            ProjectFiles.push_back({static_cast<uint32_t>(w), *reinterpret_cast<const std::string*>(l)});
            return 0;
        });
        OpenPage(Page, wxSize(320, 526), true, true);
        Events.clear();
        SubPages.clear();
    }
    void TearDown() override {
        PageTest::TearDown();
        CurrentLanguageStaticId = 1251;
    }
    void Press(int step) {
        Page->ResetButtons[step]->Click();
        Pump(10);
    }
    MMiscDlg* Page = nullptr;
    std::vector<SubPageRequest> SubPages;
    std::vector<std::pair<uint32_t, int>> Events;
    std::vector<std::pair<uint32_t, std::string>> ProjectFiles;
};

TEST_F(MiscPage, LoopOutFromTheDeviceLightsWithoutSending) {
    GetDeviceState().LoopOutSource = 3;
    Page->UpdateLoopOutSource();
    EXPECT_TRUE(Page->LoopOutButtons[3]->IsChecked());
    EXPECT_FALSE(Page->LoopOutButtons[0]->IsChecked());
    EXPECT_EQ(Page->LoopOutButtons[3]->GetTextColour(), 0x009CEFu);
    Pump(20);
    EXPECT_TRUE(CommandNumbers().empty());
    ASSERT_EQ(Events.size(), 1u);
    EXPECT_EQ(Events[0], (std::pair<uint32_t, int>{EvLoopOutSource, 3}));
    // A byte that names no button changes nothing.
    GetDeviceState().LoopOutSource = 40;
    Page->UpdateLoopOutSource();
    EXPECT_TRUE(Page->LoopOutButtons[3]->IsChecked());
}

TEST_F(MiscPage, LoopOutClickSendsTheSource) {
    Page->LoopOutButtons[4]->Click();
    Pump(20);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 18u);
    EXPECT_EQ(sent[0].Bytes[0], 4);
    EXPECT_EQ(GetDeviceState().LoopOutSource, 4);
}

TEST_F(MiscPage, ExtButtonsFollowTheExtensionInputs) {
    DeviceState& s = GetDeviceState();
    for (int row : {6, 7, 10, 11})
        s.InputTable[row].Present = 0;
    Page->UpdateExtSourceButtons();
    EXPECT_FALSE(Page->LoopOutButtons[6]->IsEnabled());
    s.InputTable[6].Present = 1;
    Page->UpdateExtSourceButtons();
    EXPECT_TRUE(Page->LoopOutButtons[6]->IsEnabled());
    EXPECT_EQ(Page->LoopOutButtons[6]->GetLabel().ToStdString(), s.InputTable[6].Name);
}

TEST_F(MiscPage, FeatheringButtonOpensThenHides) {
    CGdipButton* feather = Page->WindowButtons[2];
    feather->Click();
    Pump(20);
    EXPECT_TRUE(feather->IsChecked());
    EXPECT_EQ(feather->GetTextColour(), 0x009CEFu);
    ASSERT_EQ(Events.size(), 3u);
    EXPECT_EQ(Events[0], (std::pair<uint32_t, int>{EvFeatherWindow, 0}));
    EXPECT_EQ(Events[1], (std::pair<uint32_t, int>{EvMediaPlayerWindow, 3}));
    EXPECT_EQ(Events[2], (std::pair<uint32_t, int>{EvVideoSettingWindow, 3}));
    feather->Click();
    Pump(20);
    EXPECT_FALSE(feather->IsChecked());
    EXPECT_EQ(feather->GetTextColour(), 0xEBEBEBu);
    EXPECT_EQ(Events[3], (std::pair<uint32_t, int>{EvFeatherWindow, 0}));
}

TEST_F(MiscPage, SetDataSendsFeatherOffThenTheWholeState) {
    GetDeviceState().FeatherSettings.Enable = 1;
    Page->OnBnClickedGetSetData(1481);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{35}));
    EXPECT_EQ(Commands()[0].Bytes[0], 0);
    EXPECT_EQ(Commands()[0].Bytes[9], 3);
    ASSERT_EQ(Link->Link.CallsOf("SendStateBlock").size(), 1u);
    EXPECT_EQ(Link->Link.CallsOf("SendStateBlock")[0].Bytes.size(), 2360u);
    ASSERT_EQ(BusyTexts().size(), 1u);
    EXPECT_EQ(BusyTexts()[0], UiStrings[84]);
    // Feathering was on: the main window hears that it went off, as from the feathering page.
    EXPECT_EQ(Events, (std::vector<std::pair<uint32_t, int>>{{EvFeatherChanged, 0}}));
    Page->OnBnClickedGetSetData(1480);
    EXPECT_EQ(CommandNumbers().back(), 0u);
    EXPECT_EQ(BusyTexts().back(), UiStrings[82]);
    // Off already: nothing to hand back.
    Events.clear();
    Page->OnBnClickedGetSetData(1481);
    EXPECT_TRUE(Events.empty());
}

TEST_F(MiscPage, ProjectFileGoesToTheMainDialogAfterTheBusyBox) {
    Page->SubmitProjectFile(ProjectOpen, "/tmp/show.pro");
    ASSERT_EQ(ProjectFiles.size(), 1u);
    EXPECT_EQ(ProjectFiles[0].first, ProjectOpen);
    EXPECT_EQ(ProjectFiles[0].second, "/tmp/show.pro");
    ASSERT_EQ(BusyTexts().size(), 1u);
}

TEST_F(MiscPage, LanguageSwitchTellsTheMainDialogOnce) {
    Page->OnBnClickedLanguage(1252);
    Page->OnBnClickedLanguage(1252);
    size_t changes = 0;
    for (const auto& g : Got)
        if (g.Message == MLanguageChanged) {
            ++changes;
            EXPECT_EQ(g.W, 1u);
        }
    EXPECT_EQ(changes, 1u);
    EXPECT_EQ(CurrentLanguageStaticId, 1252);
}

TEST_F(MiscPage, TabsReportTheirSubPageAndShowingReportsItAgain) {
    Page->SubPageTabs[2]->Click();
    Pump(20);
    ASSERT_EQ(SubPages.size(), 1u);
    EXPECT_EQ(SubPages[0].Index, 2);
    EXPECT_TRUE(SubPages[0].Show);
    EXPECT_TRUE(Page->SubPageTabs[2]->IsChecked());
    EXPECT_FALSE(Page->SubPageTabs[0]->IsChecked());
    Page->SubPageTabs[2]->Click(); // the lit tab stays lit and reports nothing
    Pump(20);
    EXPECT_TRUE(Page->SubPageTabs[2]->IsChecked());
    EXPECT_EQ(SubPages.size(), 1u);
    // Back to the settings tab: the main dialog shows this page again, which reports once.
    Page->SubPageTabs[0]->Click();
    Pump(20);
    ASSERT_EQ(SubPages.size(), 3u);
    EXPECT_EQ(SubPages[2].Index, 0);
    Events.clear();
    Page->ShowPage(false);
    EXPECT_FALSE(SubPages.back().Show);
    EXPECT_EQ(Events.size(), 3u); // the three windows hidden
}

TEST_F(MiscPage, SystemInformationIsShown) {
    SystemInfo& info = GetDeviceState().SystemInfo;
    std::memcpy(info.VersionText, "V2.1", 4);
    info.Version[0] = 0x101;
    info.Voltage = 512;
    Page->UpdateSystemInfo();
    const wxString text = Page->SystemInfoStatic->GetLabel();
    EXPECT_TRUE(text.Contains("Version:V2.1- 101-"));
    EXPECT_TRUE(text.Contains("system Voltage:5.12 V"));
    EXPECT_TRUE(Page->VersionStatic->GetLabel().StartsWith("Z81 ZedarEzuzovizu,1.27\nSysDLL:"));
}
} // namespace
