// The mosaic page under X.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "app/UiStrings.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "pages/MMosaicDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"

namespace {
class MosaicPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 500), true, false);
        ClearRecords();
    }
    std::vector<long> EventArguments(uint32_t code) {
        Pump(10);
        std::vector<long> out;
        for (const SentMessage& m : MessagesOf(MPageEvent))
            if (m.W == code) out.push_back(m.L);
        return out;
    }
    // The point in the middle of a cell's picture.
    wxPoint CellCentre(int cell) const {
        const CellRect& p = Page->CellAreas[cell].Picture;
        return {p.Left + p.Width / 2, p.Top + p.Height / 2};
    }
    void TurnOnWithPanel(int index) {
        Page->PanelIndex = static_cast<uint32_t>(index);
        Page->OnOffButton->Click();
        Pump(10);
    }
    MMosaicDlg* Page = nullptr;
};
} // namespace

TEST_F(MosaicPage, SwitchingOnWithPanelX3) {
    TurnOnWithPanel(3);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{59, 59, 6, 56, 56, 56, 56, 57, 54, 54, 54, 54}));
    const auto sent = Commands();
    EXPECT_EQ(sent[0].Bytes[0], 1);
    EXPECT_EQ(sent[1].Bytes[0], 3);
    EXPECT_EQ(sent[2].Bytes[0], 0); // sub-code
    EXPECT_EQ(sent[2].Bytes[1], 4); // mode
    EXPECT_EQ(sent[2].Bytes[28], 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(sent[3 + i].Bytes[0], i);
    EXPECT_EQ(EventArguments(EvMosaicMode), std::vector<long>{4});
    EXPECT_EQ(EventArguments(EvMosaicArrangement), std::vector<long>{2});
    EXPECT_EQ(MessagesOf(MShowBusy).size(), 1u);
    EXPECT_EQ(*reinterpret_cast<const std::string*>(MessagesOf(MShowBusy)[0].L), UiStrings[65]);
    EXPECT_EQ(Page->CellIndex, 8);
    EXPECT_EQ(GetDeviceState().MosaicCell, 8);
    EXPECT_TRUE(Page->Edits[0]->IsEnabled());
}

TEST_F(MosaicPage, SwitchingOffAsksNoLayerWindows) {
    TurnOnWithPanel(1);
    ClearRecords();
    Page->OnOffButton->Click();
    Pump(10);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{59, 59, 6, 57, 54, 54, 54, 54}));
    EXPECT_EQ(Commands()[2].Bytes[1], 0);
    EXPECT_TRUE(MessagesOf(MShowBusy).empty());
    EXPECT_EQ(GetDeviceState().MosaicSettings.Mode, 0u);
}

TEST_F(MosaicPage, FourPanelsTakePip3BackFromTheLogo) {
    GetDeviceState().LogoSettings.Pip3Usage = 1;
    TurnOnWithPanel(1);
    EXPECT_EQ(GetDeviceState().LogoSettings.Pip3Usage, 1);
    ClearRecords();
    Page->PanelButtons[4]->Click();
    Pump(10);
    EXPECT_EQ(GetDeviceState().LogoSettings.Pip3Usage, 0);
    const auto logo = MessagesOf(MLogoLayerChanged);
    ASSERT_EQ(logo.size(), 1u);
    EXPECT_EQ(logo[0].W, 1u);
    EXPECT_EQ(CommandNumbers(), (std::vector<uint32_t>{6, 73, 59, 59}));
    EXPECT_EQ(Commands()[2].Bytes[0], 3);
    EXPECT_EQ(Commands()[0].Bytes[1], 5);
    EXPECT_EQ(EventArguments(EvMosaicArrangement), std::vector<long>{5});
}

TEST_F(MosaicPage, PanelChangeCarriesThePreviousCell) {
    TurnOnWithPanel(1);
    Page->OnLButtonDown(CellCentre(1).x, CellCentre(1).y);
    ClearRecords();
    // The mode's cell is not known yet when the mode goes out.
    GetDeviceState().MosaicCell = 1;
    Page->OnBnClickedPanelMode(3);
    EXPECT_EQ(Commands()[0].Bytes[2], 1);
    EXPECT_EQ(GetDeviceState().MosaicCell, 8);
    ClearRecords();
    Page->OnBnClickedPanelMode(3); // the same panel again
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MosaicPage, PickingACell) {
    TurnOnWithPanel(4);
    ClearRecords();
    const wxPoint p = CellCentre(6);
    Page->OnLButtonDown(p.x, p.y);
    ASSERT_EQ(CommandNumbers(), std::vector<uint32_t>{CmdMosaic});
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
    EXPECT_EQ(Commands()[0].Bytes[2], 6);
    EXPECT_EQ(Commands()[0].Bytes[3], 0);
    EXPECT_EQ(GetDeviceState().MosaicSettings.Arrangement, 6u);
    EXPECT_TRUE(Page->CellSelected[6]);
    EXPECT_FALSE(Page->CellSelected[5]);
    EXPECT_EQ(EventArguments(EvMosaicArrangement), std::vector<long>{6});
    ClearRecords();
    Page->OnLButtonDown(p.x, p.y); // the marked cell again
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MosaicPage, ClickWithOnePanelOrOffDoesNothing) {
    TurnOnWithPanel(0);
    ClearRecords();
    Page->OnLButtonDown(CellCentre(0).x, CellCentre(0).y);
    EXPECT_TRUE(Commands().empty());
    Page->OnOffButton->Click();
    Page->PanelIndex = 4;
    ClearRecords();
    Page->OnLButtonDown(CellCentre(5).x, CellCentre(5).y);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MosaicPage, ReplyOtherThanThreeIgnored) {
    GetDeviceState().MosaicSettings.Mode = 2;
    Page->UpdateFromDevice(1);
    EXPECT_FALSE(Page->MosaicOn);
    EXPECT_TRUE(MessagesOf(MPageEvent).empty());
}

TEST_F(MosaicPage, RefreshShowsModeCellAndValues) {
    MosaicSettings& m = GetDeviceState().MosaicSettings;
    m.Mode = 4;
    m.Arrangement = 3;
    m.Width[0] = 1234;
    Page->UpdateFromDevice(3);
    EXPECT_TRUE(Page->MosaicOn);
    EXPECT_EQ(Page->PanelIndex, 3u);
    EXPECT_TRUE(Page->PanelButtons[3]->IsChecked());
    EXPECT_EQ(Page->Edits[2]->Value(), 1234);
    EXPECT_TRUE(Page->CellSelected[3]);
    EXPECT_EQ(GetDeviceState().MosaicCell, 3);
    EXPECT_EQ(EventArguments(EvMosaicMode), std::vector<long>{4});
    EXPECT_EQ(EventArguments(EvMosaicArrangement), std::vector<long>{3});
    EXPECT_TRUE(Commands().empty());
}

TEST_F(MosaicPage, ResetFlagGoesOnce) {
    TurnOnWithPanel(1);
    Page->OnBnClickedLayer(2);
    ClearRecords();
    Page->ResetButton->Click();
    Pump(10);
    Page->Edits[1]->SetValue(5);
    Page->OnEditValueChanged(1149);
    ASSERT_EQ(Commands().size(), 2u);
    const std::vector<uint8_t> first = Commands()[0].Bytes, second = Commands()[1].Bytes;
    EXPECT_EQ(first[28], 1);
    EXPECT_EQ(first[3], 2);
    EXPECT_EQ(first[12] | first[13] << 8, 1920);
    EXPECT_EQ(first[24] | first[25] << 8, 1080);
    EXPECT_EQ(second[28], 0);
    EXPECT_EQ(GetDeviceState().MosaicReset, 0u);
}
