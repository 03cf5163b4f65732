#include <gtest/gtest.h>

#include "app/DeviceState.h"
#include "controls/CDropButton.h"
#include "controls/KitControlFactory.h"
#include "controls/NumericEdit.h"
#include "controls/oBitmapSlider.h"
#include "pages/MPicSettingDlg.h"
#include "pages/PictureSettingsLogic.h"
#include "platform/ui/UserMessages.h"
#include "support/PageFixture.h"

namespace {
class PicturePage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        DeviceState& s = GetDeviceState();
        s.InputTable[3].Name = "HDMI-1";
        s.LayerWindow[0].Source = 3;
        s.LayerWindow[1].Source = 1;
        s.PictureMode = 7;
        s.BrightLevel = 17;
        s.Gamma = 0.0f;
        Row = *s.GetLayerInputIndex(0);
        PictureSettings& r = s.PictureSettings[4 * Row + 0];
        r.Brightness = 60;
        r.Contrast = 45;
        r.Saturation = 70;
        r.Hue = 50;
        r.Sharpness = 10;
        r.Red = 128;
        r.Green = 120;
        r.Blue = 140;
        r.ColourTemperature = 2;
        Page = new MPicSettingDlg;
        Host(Page, wxSize(320, 526));
        Page->OnInitDialog();
        Page->ApplyLanguage();
        Page->ShowPage(true);
        Page->UpdateFromDevice();
        Pump(50);
        Link->Link.Calls.clear();
    }
    oSliderEdit* Edit(int id) { return FindKitControl<oSliderEdit>(Page, id); }
    CGdipButton* Button(int id) { return FindKitControl<CGdipButton>(Page, id); }
    void Commit(int id, float value) {
        Edit(id)->SetValue(value);
        PostMsg(Page, MEditValueChanged, static_cast<WPARAM>(id), 0);
        Pump(30);
    }

    MPicSettingDlg* Page = nullptr;
    uint32_t Row = 0;
};

TEST_F(PicturePage, RefreshShowsTheLayersRecordAndSource) {
    EXPECT_EQ(Page->Input, Row);
    EXPECT_EQ(Edit(1051)->Value(), 60);
    EXPECT_EQ(Edit(1003)->Value(), 45);
    EXPECT_EQ(Edit(1015)->Value(), 70);
    EXPECT_EQ(Edit(1010)->Value(), 10);
    EXPECT_EQ(Edit(1419)->Value(), 120);
    EXPECT_EQ(Edit(1051)->GetSlider()->GetPos(), 60);
    EXPECT_EQ(Page->PictureModeList->GetCurSel(), 7);
    EXPECT_EQ(Page->ColourTemperatureList->GetCurSel(), 2);
    EXPECT_EQ(Button(1416)->GetLabel(), "HDMI-1");
    EXPECT_TRUE(Button(1416)->IsChecked());
    EXPECT_FALSE(Button(1417)->IsChecked());
    // Bright level and gamma are off: their edits are locked, their switches read "0ff".
    EXPECT_FALSE(Edit(1035)->IsEnabled());
    EXPECT_FALSE(Edit(1039)->IsEnabled());
    EXPECT_EQ(Button(1432)->GetLabel(), "0ff");
    EXPECT_TRUE(Edit(1051)->IsEnabled());
    EXPECT_TRUE(Edit(1418)->IsEnabled());
}

TEST_F(PicturePage, CommittedBrightnessIsStoredAndSentOnce) {
    Commit(1051, 81);
    EXPECT_EQ(GetDeviceState().PictureSettings[4 * Row].Brightness, 81);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, 3u);
    EXPECT_EQ(sent[0].Bytes[0], 1);
    EXPECT_EQ(sent[0].Bytes[1], 7);
    EXPECT_EQ(sent[0].Bytes[4], 0);
    EXPECT_EQ(sent[0].Bytes[6], 81);
}

TEST_F(PicturePage, CommitWhileHiddenIsDropped) {
    Page->ShowPage(false);
    Pump(20);
    Commit(1051, 11);
    EXPECT_EQ(GetDeviceState().PictureSettings[4 * Row].Brightness, 60);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PicturePage, PresetModeLocksEveryValueControl) {
    Page->OnDropListSelChanged(PictureModeListId, 4);
    EXPECT_EQ(GetDeviceState().PictureMode, 4u);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[1], 4);
    for (int id : {1035, 1039, 1051, 1003, 1015, 1019, 1010, 1418, 1419, 1424})
        EXPECT_FALSE(Edit(id)->IsEnabled()) << id;
    EXPECT_FALSE(Page->ColourTemperatureList->IsEnabled());
    EXPECT_FALSE(Button(1432)->IsEnabled());
    EXPECT_EQ(Edit(1051)->Value(), 48); // the Video preset shown
}

TEST_F(PicturePage, LanguageChangeKeepsTheShownColourTemperature) {
    // The layer's record holds 6500K (item 2); a preset mode shows User whatever the record holds.
    struct Case {
        uint32_t mode;
        int shown;
    };
    for (const Case c : {Case{0, 8}, Case{4, 8}, Case{7, 2}}) {
        GetDeviceState().PictureMode = c.mode;
        Page->UpdateFromDevice();
        ASSERT_EQ(Page->ColourTemperatureList->GetCurSel(), c.shown) << c.mode;
        const wxString before = Page->ColourTemperatureList->GetLabel();
        Page->ApplyLanguage();
        EXPECT_EQ(Page->ColourTemperatureList->GetCurSel(), c.shown) << c.mode;
        EXPECT_EQ(Page->ColourTemperatureList->GetLabel(), before) << c.mode;
        EXPECT_EQ(Page->PictureModeList->GetCurSel(), static_cast<int>(c.mode)) << c.mode;
    }
}

TEST_F(PicturePage, SelectingTheCurrentLayerAgainDoesNothingElse) {
    Button(1060)->Click();
    Pump(20);
    EXPECT_TRUE(Button(1060)->IsChecked());
    EXPECT_EQ(Page->Layer, 0u);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PicturePage, AnotherLayerShowsItsOwnRecordAndScope) {
    DeviceState& s = GetDeviceState();
    s.ApplyToAllInputs[1] = 1;
    const uint32_t pipRow = *s.GetLayerInputIndex(1);
    s.PictureSettings[4 * pipRow + 1].Brightness = 33;
    Button(1061)->Click();
    Pump(20);
    EXPECT_EQ(Page->Layer, 1u);
    EXPECT_FALSE(Button(1060)->IsChecked());
    EXPECT_TRUE(Button(1061)->IsChecked());
    EXPECT_EQ(Button(1061)->GetTextColour(), 0x009CEFu);
    EXPECT_EQ(Button(1060)->GetTextColour(), 0xEBEBEBu);
    EXPECT_TRUE(Button(1417)->IsChecked());
    EXPECT_EQ(Edit(1051)->Value(), 33);
}

TEST_F(PicturePage, SwitcherModeOneSelectsThePreviewLayerAndLocksProgram) {
    DeviceState& s = GetDeviceState();
    Button(1062)->Click();
    Pump(20);
    s.SwitcherSettings.Mode = 1;
    s.SwitcherSettings.OnProgram[1] = 1;
    s.SwitcherSettings.OnPreview[0] = 1;
    Page->UpdateLayerButtons();
    EXPECT_EQ(Page->Layer, 0u);
    EXPECT_EQ(Button(1060)->GetLabel(), "PVW");
    EXPECT_EQ(Button(1061)->GetLabel(), "PGM");
    EXPECT_FALSE(Button(1061)->IsEnabled());
    EXPECT_EQ(Button(1062)->GetLabel(), "PIP2");
    s.SwitcherSettings = {};
    Page->UpdateLayerButtons();
    EXPECT_EQ(Button(1061)->GetLabel(), "PIP-1");
    EXPECT_TRUE(Button(1061)->IsEnabled());
}

} // namespace
