// The crop page under X.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "pages/MCropDlg.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/UserMessages.h"

namespace {
class CropPage : public PageTest {
  protected:
    void SetUp() override {
        PageTest::SetUp();
        DeviceState& s = GetDeviceState();
        // MAIN shows HDMI-1 (row 1), a 1920 x 1080 signal, its crop on.
        s.LayerWindow[0].Source = 1;
        CropRect& c = s.CropRect[4 * 1 + 0];
        c = {1, 0, 200, 0, 1000, 1080, 1920, 1080};
        Page = new MCropDlg;
        Page->Create(Frame, wxRect(0, 0, 320, 500));
        Page->OnInitDialog();
        Page->ApplyLanguage();
        Page->ShowPage(true);
        Page->UpdateFromDevice();
        Pump(30);
        ClearRecords();
    }
    void Type(int controlId, float value) {
        for (oRealEdit* e : Page->Edits)
            if (e->GetId() == controlId) e->SetValue(value);
        Page->OnEditValueChanged(controlId);
    }
    MCropDlg* Page = nullptr;
};
} // namespace

TEST_F(CropPage, RefreshShowsTheLayersCropForItsInput) {
    EXPECT_TRUE(Page->CropOn);
    EXPECT_EQ(Page->Edits[0]->Value(), 200);
    EXPECT_EQ(Page->Edits[2]->Value(), 1000);
    EXPECT_TRUE(Page->ResetButton->IsEnabled());
    EXPECT_EQ(Page->SourceRow, 1u);
}

TEST_F(CropPage, ResetOnlyWhileOn) {
    Page->ResetButton->Click();
    Pump(10);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[10], 1);
    ClearRecords();
    Page->OnOffButton->Click();
    Pump(10);
    EXPECT_FALSE(Page->CropOn);
    EXPECT_EQ(GetDeviceState().CropRect[4].Enable, 0);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[1], 0);
    ClearRecords();
    Page->OnBnClickedReset();
    EXPECT_TRUE(Commands().empty());
}

TEST_F(CropPage, NewInputOfTheSelectedLayerBringsItsCrop) {
    DeviceState& s = GetDeviceState();
    s.CropRect[4 * 3 + 1] = {1, 0, 7, 8, 640, 480, 1280, 720};
    Page->OnBnClickedLayer(1);
    ClearRecords();
    s.LayerWindow[1].Source = 3;
    Page->UpdateInputSource();
    Page->UpdateFromDevice();
    EXPECT_EQ(Page->Edits[0]->Value(), 7);
    EXPECT_EQ(Page->Edits[2]->Value(), 640);
    const auto events = MessagesOf(MPageEvent);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].L, 0x0301);
    EXPECT_TRUE(Page->InputCaption->GetLabel().EndsWith(wxString::FromUTF8(s.InputTable[3].Name)));
    EXPECT_TRUE(Commands().empty());
}

TEST_F(CropPage, SourceBeyondTheTableHasNoCrop) {
    GetDeviceState().LayerWindow[0].Source = 200;
    Page->UpdateInputSource();
    Page->UpdateFromDevice();
    EXPECT_FALSE(Page->SourceRow.has_value());
    EXPECT_FALSE(Page->CropOn);
    Page->OnBnClickedOnOff();
    Type(1012, 500);
    EXPECT_TRUE(Commands().empty());
    EXPECT_TRUE(MessagesOf(MPageEvent).empty());
    EXPECT_EQ(Page->InputCaption->GetLabel(), "Input Source\n");
}

TEST_F(CropPage, PgmLayerButtonDisabled) {
    SwitcherSettings& s = GetDeviceState().SwitcherSettings;
    s.Mode = 2;
    s.OnProgram[0] = 1;
    s.OnPreview[2] = 1;
    Page->UpdateLayerButtons();
    EXPECT_EQ(Page->LayerButtons[0]->GetLabel(), "PGM1");
    EXPECT_FALSE(Page->LayerButtons[0]->IsEnabled());
    EXPECT_EQ(Page->LayerButtons[2]->GetLabel(), "PVW1");
}

// The layer moved to another input without the page hearing of it: a typed value is stored in
// the record the crop command is built from, with that record's other values (not the old
// input's the edits showed), and the page shows that input and its crop.
TEST_F(CropPage, EditAfterAnUnseenInputChangeGoesToTheInputTheLayerShows) {
    DeviceState& s = GetDeviceState();
    s.CropRect[4 * 4 + 0] = {1, 0, 50, 40, 800, 600, 1920, 1080};
    s.LayerWindow[0].Source = 4;
    Type(1137, 300);
    const CropRect& c = s.CropRect[4 * 4 + 0];
    EXPECT_EQ(std::vector<int>({c.HStart, c.VStart, c.Width, c.Height}), std::vector<int>({300, 40, 800, 600}));
    EXPECT_EQ(s.CropRect[4 * 1 + 0].HStart, 200);
    ASSERT_EQ(Commands().size(), 1u);
    const auto b = Commands()[0].Bytes;
    EXPECT_EQ(std::vector<int>({b[2] | b[3] << 8, b[4] | b[5] << 8, b[6] | b[7] << 8, b[8] | b[9] << 8}),
              std::vector<int>({300, 40, 800, 600}));
    EXPECT_EQ(Page->Edits[3]->Value(), 600);
    EXPECT_EQ(Page->SourceRow, 4u);
    EXPECT_TRUE(Page->InputCaption->GetLabel().EndsWith(wxString::FromUTF8(s.InputTable[4].Name)));
}
