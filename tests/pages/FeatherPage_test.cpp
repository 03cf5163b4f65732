#include <gtest/gtest.h>

#include "support/PageFixture.h"
#include "app/AppGlobals.h"
#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "platform/ui/PageEvents.h"
#include "pages/FeatherLogic.h"
#include "pages/Velk_FeatherDlg.h"
#include "platform/ui/UserMessages.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {
class FeatherPage : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        Listen(MPageEvent);
        OpenPage(Page, wxSize(320, 280), true, false);
    }
    Velk_FeatherDlg* Page = nullptr;
};

TEST_F(FeatherPage, ListsHoldTheSharpAndLevelItemsAndStartDisabled) {
    CDropList* sharp = Page->Lists[0]->GetList();
    ASSERT_EQ(sharp->GetCount(), 5);
    EXPECT_EQ(sharp->GetText(3).ToStdString(), UiStrings[157]);
    EXPECT_EQ(sharp->GetItemData(3), 4);
    CDropList* level = Page->Lists[3]->GetList();
    ASSERT_EQ(level->GetCount(), 4);
    EXPECT_EQ(level->GetText(2), "2");
    for (CDropButton* l : Page->Lists) EXPECT_FALSE(l->IsEnabled());
}

TEST_F(FeatherPage, RefusedSwitchOnReturnsToOffAndSendsNothing) {
    DeviceState& s = GetDeviceState();
    s.MosaicSettings.Mode = 2;
    s.LayerWindow[1].Enable = 1;
    Page->FeatherButton->Click();
    Pump(20);
    EXPECT_FALSE(Page->FeatherButton->IsChecked());
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(Got.empty());
}

TEST_F(FeatherPage, AcceptedSwitchOnSendsAndTellsTheMainDialog) {
    DeviceState& s = GetDeviceState();
    s.MosaicSettings.Mode = 3;
    s.LayerWindow[3].Enable = 1;
    Page->FeatherButton->Click();
    Pump(20);
    EXPECT_TRUE(Page->FeatherButton->IsChecked());
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 35u);
    EXPECT_EQ(sent[0].Bytes[0], 1);
    EXPECT_EQ(sent[0].Bytes[9], 3);
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].W, static_cast<WPARAM>(EvFeatherChanged));
    EXPECT_EQ(Got[0].L, 1);
    for (CDropButton* l : Page->Lists) EXPECT_TRUE(l->IsEnabled());
    // And off again.
    Page->FeatherButton->Click();
    Pump(20);
    EXPECT_EQ(Commands().back().Bytes[0], 0);
    EXPECT_EQ(Got.back().L, 0);
    for (CDropButton* l : Page->Lists) EXPECT_FALSE(l->IsEnabled());
}

TEST_F(FeatherPage, RefreshFollowsTheMosaicModeAndTheDevice) {
    DeviceState& s = GetDeviceState();
    s.MosaicSettings.Mode = 3;
    s.FeatherSettings.Enable = 1;
    s.FeatherSettings.Sharpness[1] = 4;
    s.FeatherSettings.Level[1] = 2;
    s.FeatherSettings.Sharpness[3] = 5;
    s.FeatherSettings.Level[3] = 3;
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->PipLayer, 1);
    EXPECT_EQ(Page->FindGroupBox(IdFeatherGroupFirst)->GetText(), "PIP1");
    EXPECT_EQ(Page->Lists[0]->GetCurSel(), 3);
    EXPECT_EQ(Page->Lists[2]->GetCurSel(), 2);
    EXPECT_EQ(Page->Lists[1]->GetCurSel(), 4);
    EXPECT_EQ(Page->Lists[3]->GetCurSel(), 3);
    EXPECT_TRUE(Page->FeatherButton->IsChecked());
    ASSERT_EQ(Got.size(), 1u);
    EXPECT_EQ(Got[0].L, 1);
    // A list change is sent with its layer.
    Page->OnDropListSelChanged(65402, 1);
    EXPECT_EQ(s.FeatherSettings.Level[1], 1u);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[9], 1);
}

// A language change changes words only: the first group keeps naming the layer it edits (the
// language file holds the template's "PIP2") and every list keeps its item. Feathering off
// elsewhere (Set Data) leaves the page as its own off switch does.
TEST_F(FeatherPage, LanguageSwitchKeepsTitleAndListsAndOffElsewhereShowsOff) {
    const std::string file =
        (std::filesystem::temp_directory_path() / ("velkan-feather-" + std::to_string(getpid()) + ".ini")).string();
    std::ofstream(file) << "[Setting]\nLanguage=Chinese\n[String]\nIDS_1594=PIP2\nIDS_1595=PIP3\nSIDS_154=R1\nSIDS_157=R4\n";
    const std::string before = ActiveLanguageFilePath;
    ActiveLanguageFilePath = file;
    DeviceState& s = GetDeviceState();
    struct Row { uint32_t mode; const char* title; int pip; };
    for (const Row& r : {Row{3, "PIP1", 1}, Row{2, "PIP2", 2}}) {
        SCOPED_TRACE(r.title);
        s.MosaicSettings.Mode = r.mode;
        s.FeatherSettings.Enable = 1;
        s.FeatherSettings.Sharpness[r.pip] = 4;
        s.FeatherSettings.Level[r.pip] = 2;
        s.FeatherSettings.Sharpness[3] = 5;
        s.FeatherSettings.Level[3] = 3;
        Page->UpdateFromDevice();
        Page->ApplyLanguage();
        EXPECT_EQ(Page->FindGroupBox(IdFeatherGroupFirst)->GetText(), r.title);
        EXPECT_EQ(Page->Lists[0]->GetCurSel(), 3);
        EXPECT_EQ(Page->Lists[2]->GetCurSel(), 2);
        EXPECT_EQ(Page->Lists[1]->GetCurSel(), 4);
        EXPECT_EQ(Page->Lists[3]->GetCurSel(), 3);
        EXPECT_TRUE(Page->FeatherButton->IsChecked());
    }
    ActiveLanguageFilePath = before;
    std::filesystem::remove(file);
    Page->ShowSwitchedOff();
    EXPECT_FALSE(Page->FeatherButton->IsChecked());
    for (CDropButton* l : Page->Lists) EXPECT_FALSE(l->IsEnabled());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(FeatherPage, BadIndexOrListIsIgnored) {
    Page->OnDropListSelChanged(65400, 99);
    Page->OnDropListSelChanged(12345, 0);
    EXPECT_TRUE(Commands().empty());
}
}  // namespace
