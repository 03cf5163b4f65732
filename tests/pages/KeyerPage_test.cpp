// The keyer page under Xvfb: refresh by mosaic mode, on/off against the layer, mode, values, reset.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "pages/MKeyerDlg.h"

namespace {
class KeyerPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 380), false, false);
    }
    void PickTarget(int index) {
        Page->TargetList->SetCurSel(index);
        Page->TargetList->OnDropListSelChanged(index);
        Pump(20);
    }
    MKeyerDlg* Page = nullptr;
};
}  // namespace

TEST_F(KeyerPageTest, RefreshShowsPip3KeyerAndEnablesByModeAndState) {
    DeviceState& s = GetDeviceState();
    KeyerSettings& k = s.KeyerSettings[0];
    k.Enable = 1;
    k.Mode = 0;
    k.RedLow = 12;
    k.BlueHigh = 200;
    k.GainOut = 40;
    Page->UpdateFromDevice();
    EXPECT_TRUE(Page->OnOffButton->IsChecked());
    EXPECT_EQ(Page->ModeList->GetCurSel(), 0);
    EXPECT_EQ(Page->ValueEdits[0]->Value(), 12);
    EXPECT_EQ(Page->ValueEdits[5]->Value(), 200);
    EXPECT_EQ(Page->ValueEdits[7]->Value(), 40);
    EXPECT_TRUE(Page->ValueEdits[3]->IsEnabled());
    EXPECT_TRUE(Page->ResetButton->IsEnabled());
    k.Mode = 5;
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->ModeList->GetCurSel(), 5);
    EXPECT_FALSE(Page->ValueEdits[3]->IsEnabled());
    k.Enable = 0;
    Page->UpdateFromDevice();
    EXPECT_FALSE(Page->ResetButton->IsEnabled());
    EXPECT_FALSE(Page->ModeList->IsEnabled());
    EXPECT_TRUE(Commands().empty());
}

TEST_F(KeyerPageTest, OutsideMosaicMode3ThePageFallsBackToPip3) {
    DeviceState& s = GetDeviceState();
    s.MosaicSettings.Mode = 3;
    s.KeyerSettings[1].Enable = 1;
    s.KeyerSettings[1].GainIn = 21;
    Page->UpdateFromDevice();
    PickTarget(1);
    EXPECT_EQ(Page->CurrentTarget, 1);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdQueryKeyer}));
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->ValueEdits[6]->Value(), 21);
    s.MosaicSettings.Mode = 2;
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->CurrentTarget, 0);
    EXPECT_EQ(Page->TargetList->GetCurSel(), 0);
    EXPECT_EQ(Page->ValueEdits[6]->Value(), 0);
}

TEST_F(KeyerPageTest, SwitchingOnWithLayerOffIsRefused) {
    GetDeviceState().LayerWindow[3].Enable = 0;
    Page->OnOffButton->Click();
    Pump(20);
    EXPECT_FALSE(Page->OnOffButton->IsChecked());
    ASSERT_EQ(Notices.size(), 1u);
    EXPECT_EQ(Notices[0].Text, "PIP3 Is Off");
    EXPECT_EQ(Notices[0].Caption, "Tips");
    EXPECT_TRUE(Commands().empty());
    EXPECT_EQ(GetDeviceState().KeyerSettings[0].Enable, 0);
}

TEST_F(KeyerPageTest, SwitchingOnSendsTheKeyer) {
    DeviceState& s = GetDeviceState();
    s.LayerWindow[3].Enable = 1;
    s.KeyerSettings[0].Mode = 0;
    Page->OnOffButton->Click();
    Pump(20);
    EXPECT_EQ(s.KeyerSettings[0].Enable, 1);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdKeyer}));
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
    EXPECT_EQ(Commands()[0].Bytes[31], 3);
    EXPECT_TRUE(Page->ValueEdits[0]->IsEnabled());
}

TEST_F(KeyerPageTest, ModeChangeSendsKeyerThenQuery) {
    Page->ModeList->SetCurSel(4);
    Page->ModeList->OnDropListSelChanged(4);
    Pump(30);
    EXPECT_EQ(GetDeviceState().KeyerSettings[0].Mode, 4u);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdKeyer, CmdQueryKeyer}));
    EXPECT_EQ(Commands()[0].Bytes[1], 4);
    EXPECT_EQ(Commands()[1].Bytes[0], 3);
    EXPECT_FALSE(Page->ValueEdits[0]->IsEnabled());
}

TEST_F(KeyerPageTest, ValuesAndResetSendTheKeyer) {
    Page->ValueEdits[0]->SetValue(30);
    Page->ValueEdits[8]->SetValue(99);
    Page->OnEditValueChanged(1295);
    const KeyerSettings& k = GetDeviceState().KeyerSettings[0];
    EXPECT_EQ(k.RedLow, 30);
    EXPECT_EQ(k.GainBand, 99);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[2], 30);
    EXPECT_EQ(Commands()[0].Bytes[10], 99);
    ClearRecords();
    Page->OnBnClickedReset();
    EXPECT_EQ(Page->ValueEdits[0]->Value(), 0);
    EXPECT_EQ(Page->ValueEdits[1]->Value(), 255);
    EXPECT_EQ(Page->ValueEdits[8]->Value(), 99);
    EXPECT_EQ(k.GainBand, 99);
    ASSERT_EQ(Commands().size(), 1u);
    const std::vector<uint8_t> range = {0, 255, 0, 255, 0, 255};
    const std::vector<uint8_t> sent = Commands()[0].Bytes;
    EXPECT_EQ(std::vector<uint8_t>(sent.begin() + 2, sent.begin() + 8), range);
    EXPECT_TRUE(Page->ValueEdits[4]->IsEnabled());
}

