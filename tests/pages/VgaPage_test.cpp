#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/DeviceState.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/OperatorNotices.h"
#include "pages/MVgaDlg.h"
#include "pages/VgaAdjustLogic.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "support/PageFixture.h"

namespace {
class VgaPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 526), true, true);
    }
    oRealEdit* Edit(int id) { return FindKitControl<oRealEdit>(Page, id); }
    CGdipButton* Button(int id) { return FindKitControl<CGdipButton>(Page, id); }
    void Unlock() {
        Edit(IdVgaCode)->SetValue(5807);
        Button(IdVgaEnter)->Click();
        Pump(20);
    }
    MVgaDlg* Page = nullptr;
};

TEST_F(VgaPage, RightCodeShowsThePanelAndMovesDdcDown) {
    Unlock();
    EXPECT_TRUE(NoticeTexts().empty());
    EXPECT_TRUE(Page->AdcPanelShown());
    EXPECT_TRUE(Edit(IdVgaRedOffset)->IsShown());
    EXPECT_TRUE(Button(IdVgaAdcOnOff)->IsEnabled());
    EXPECT_TRUE(Button(IdVgaAdcOnOff)->IsChecked());
    EXPECT_FALSE(Button(IdVgaEnter)->IsEnabled());
    EXPECT_EQ(Button(IdVgaDdcOnOff)->GetPosition().y, 318 + 150);
    // Hiding the page locks it again.
    Page->ShowPage(false);
    Page->ShowPage(true);
    Pump(20);
    EXPECT_FALSE(Page->AdcPanelShown());
    EXPECT_FALSE(Edit(IdVgaRedOffset)->IsShown());
    EXPECT_EQ(Button(IdVgaDdcOnOff)->GetPosition().y, 318);
    EXPECT_TRUE(Button(IdVgaEnter)->IsEnabled());
    EXPECT_EQ(Edit(IdVgaCode)->Value(), 0);
}

TEST_F(VgaPage, WrongCodeSaysSoAndStaysLocked) {
    Edit(IdVgaCode)->SetValue(1234);
    Button(IdVgaEnter)->Click();
    Pump(20);
    ASSERT_EQ(NoticeTexts().size(), 1u);
    EXPECT_EQ(NoticeTexts()[0], UiStrings[35]);
    EXPECT_FALSE(Page->AdcPanelShown());
}

TEST_F(VgaPage, AdcButtonLocksAndCannotBePressedTwice) {
    Unlock();
    Button(IdVgaAdcOnOff)->Click();
    Pump(20);
    EXPECT_FALSE(Page->AdcPanelShown());
    EXPECT_FALSE(Button(IdVgaAdcOnOff)->IsEnabled());
    EXPECT_EQ(Button(IdVgaDdcOnOff)->GetPosition().y, 318);
}

TEST_F(VgaPage, UpdateInputSourceOnPipQueriesButKeepsTheCodeLocked) {
    DeviceState& s = GetDeviceState();
    s.InputCardType[3] = 3;
    s.LayerWindow[1].Source = 3;
    s.InputTable[3].Name = "VGA";
    Page->UpdateInputSource(1);
    auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 49u);
    EXPECT_EQ(sent[0].Bytes[0], 3);
    EXPECT_EQ(s.VgaSettings.Input, 3);
    EXPECT_FALSE(Edit(IdVgaCode)->IsEnabled());
    EXPECT_FALSE(Button(IdVgaEnter)->IsEnabled());
    EXPECT_EQ(FindControl(Page, IdVgaInputSource)->GetLabel(), "Input Source\nVGA");
}

TEST_F(VgaPage, TheCodeFollowsMainWhicheverLayerIsRefreshedLast) {
    DeviceState& s = GetDeviceState();
    s.InputCardType[7] = 3;
    s.LayerWindow[0].Source = 7;
    s.LayerWindow[3].Source = 1;
    for (int layer = 0; layer < 4; ++layer) Page->UpdateInputSource(layer);
    EXPECT_TRUE(Edit(IdVgaCode)->IsEnabled());
    EXPECT_TRUE(Button(IdVgaEnter)->IsEnabled());
    s.LayerWindow[0].Source = 1;
    Page->UpdateInputSource(3);
    EXPECT_FALSE(Edit(IdVgaCode)->IsEnabled());
}

TEST_F(VgaPage, RefreshShowsTheDeviceValues) {
    VgaSettings& v = GetDeviceState().VgaSettings;
    v.Clock = 1344;
    v.Phase = 21;
    v.HPosition = -5;
    v.VPosition = 7;
    for (int i = 0; i < 6; ++i)
        v.Adc[i] = static_cast<uint16_t>(500 + i);
    Page->UpdateFromDevice();
    EXPECT_EQ(Edit(IdVgaClock)->Value(), 1344);
    EXPECT_EQ(Edit(IdVgaPhase)->Value(), 21);
    EXPECT_EQ(Edit(IdVgaHPosition)->Value(), -5);
    EXPECT_EQ(Edit(IdVgaVPosition)->Value(), 7);
    EXPECT_EQ(Edit(IdVgaRedOffset)->Value(), 500);
    EXPECT_EQ(Edit(IdVgaGreenOffset)->Value(), 501);
    EXPECT_EQ(Edit(IdVgaRedGain)->Value(), 503);
    EXPECT_EQ(Edit(IdVgaBlueGain)->Value(), 505);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(VgaPage, ResultMessageNamesOkOrFailed) {
    GetDeviceState().OperationStatus.Result = 1;
    Page->ShowResult();
    GetDeviceState().OperationStatus.Result = 0;
    Page->ShowResult();
    ASSERT_EQ(NoticeTexts().size(), 2u);
    EXPECT_EQ(NoticeTexts()[0], UiStrings[34] + " " + UiStrings[66]);
    EXPECT_EQ(NoticeTexts()[1], UiStrings[34] + " " + UiStrings[67]);
}

TEST_F(VgaPage, AutoAdjustSendsThenQueriesTheSelectedInput) {
    GetDeviceState().VgaSettings.Input = 2;
    Button(IdVgaAutoAdjust)->Click();
    Pump(20);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].Bytes[2], 1);
    EXPECT_EQ(sent[1].Command, 49u);
    EXPECT_EQ(sent[1].Bytes[0], 2);
}
// A commit sends what every edit of its section shows, also when the record the page holds
// differs (here it is all zeros): one row per section.
struct SectionCommit {
    int Committed;
    std::vector<std::pair<int, float>> Shown;
    uint8_t Section;
    std::vector<std::pair<size_t, int>> Words; // byte offset in the command -> 16-bit value
    std::vector<std::pair<size_t, int>> Bytes;
};

TEST_F(VgaPage, ACommitSendsEveryEditOfItsSectionAsShown) {
    const SectionCommit rows[] = {
        {IdVgaPhase,
         {{IdVgaClock, 1344}, {IdVgaPhase, 20}, {IdVgaHPosition, -5}, {IdVgaVPosition, 7}},
         0,
         {{3, 1344}},
         {{5, 20}, {6, 0xFB}, {7, 7}}},
        {IdVgaBlueGain,
         {{IdVgaRedOffset, 10}, {IdVgaGreenOffset, 20}, {IdVgaBlueOffset, 30},
          {IdVgaRedGain, 400}, {IdVgaGreenGain, 500}, {IdVgaBlueGain, 600}},
         1,
         {{9, 10}, {11, 30}, {13, 500}, {15, 20}, {17, 400}, {19, 600}},
         {}},
    };
    for (const SectionCommit& row : rows) {
        SCOPED_TRACE(row.Committed);
        GetDeviceState().VgaSettings = VgaSettings{};
        ClearRecords();
        for (const auto& [id, value] : row.Shown) Edit(id)->SetValue(value);
        PostMsg(Page, MEditValueChanged, static_cast<WPARAM>(row.Committed), 0);
        Pump(20);
        const auto sent = Commands();
        ASSERT_EQ(sent.size(), 1u);
        EXPECT_EQ(sent[0].Command, 14u);
        EXPECT_EQ(sent[0].Bytes[0], row.Section);
        EXPECT_EQ(sent[0].Bytes[2], 0);
        for (const auto& [at, value] : row.Words) EXPECT_EQ(sent[0].Bytes[at] | sent[0].Bytes[at + 1] << 8, value) << at;
        for (const auto& [at, value] : row.Bytes) EXPECT_EQ(sent[0].Bytes[at], value) << at;
    }
}
} // namespace
