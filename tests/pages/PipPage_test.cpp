// The PIP page under X.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/NumericEdit.h"
#include "platform/ui/PageEvents.h"
#include "pages/MPIPDlg.h"
#include "platform/ui/UserMessages.h"

namespace {
class PipPage : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 500), true, false);
        ClearRecords();
    }
    MPIPDlg* Page = nullptr;
};
}  // namespace

TEST_F(PipPage, SwitchingPip2OnSendsItsAlpha) {
    GetDeviceState().LayerWindow[2].Alpha = 40;
    Page->OnOffButtons[1]->Click();
    Pump(10);
    const auto sent = Commands();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Command, static_cast<uint32_t>(CmdPipEnable));
    EXPECT_EQ(sent[0].Bytes[0], 2);
    EXPECT_EQ(sent[0].Bytes[1], 1);
    EXPECT_EQ(sent[0].Bytes[2], 40);
    EXPECT_EQ(sent[0].Bytes[3], 0x55);
    const auto events = MessagesOf(MPageEvent);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].W, EvPipChanged);
    EXPECT_EQ(events[0].L, 1);
    EXPECT_TRUE(Page->AlphaEdits[1]->IsEnabled());
    EXPECT_TRUE(Page->InputLists[1]->IsEnabled());
}

TEST_F(PipPage, AlphaTypedIsSentAndBounded) {
    Page->AlphaEdits[0]->SetValue(64);
    Page->OnEditValueChanged(1260);
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
    EXPECT_EQ(Commands()[0].Bytes[2], 64);
    Page->AlphaEdits[0]->SetValue(200);
    EXPECT_EQ(Page->AlphaEdits[0]->Value(), 64.0f);
}

TEST_F(PipPage, ListsHoldPresentInputsByRow) {
    DeviceState& s = GetDeviceState();
    s.InputTable[2].Present = 0;
    s.InputTable[9].Present = 1;
    Page->FillInputLists();
    CDropList* items = Page->InputLists[0]->GetList();
    std::vector<long> data;
    for (int i = 0; i < items->GetCount(); ++i) data.push_back(items->GetItemData(i));
    EXPECT_EQ(data, (std::vector<long>{0, 1, 3, 4, 5, 9}));
    // A pick stores the input's row, not the list position, and asks the main dialog to send it.
    Page->OnDropListSelChanged(45041, 2);
    Pump(10);
    EXPECT_EQ(s.LayerWindow[2].Source, 3);
    const auto changed = MessagesOf(MLayerSourceChanged);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].W, 2u);
    EXPECT_EQ(changed[0].L, 1);
    EXPECT_TRUE(Commands().empty());
    Page->OnDropListSelChanged(45041, 99);  // no such item
    EXPECT_EQ(s.LayerWindow[2].Source, 3);
}

TEST_F(PipPage, RefreshPostsAndSendsNoCommand) {
    DeviceState& s = GetDeviceState();
    s.LayerWindow[1] = {1, 20, 4, 0, 0, 0, 0, 0, 0};
    s.LayerWindow[3].Source = 200;  // out of the table: the list shows its first item
    Page->UpdateFromDevice();
    Pump(20);
    EXPECT_TRUE(Commands().empty());
    const auto sources = MessagesOf(MLayerSourceChanged);
    ASSERT_EQ(sources.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sources[i].W, static_cast<WPARAM>(i + 1));
        EXPECT_EQ(sources[i].L, 0);
    }
    const auto events = MessagesOf(MPageEvent);
    ASSERT_EQ(events.size(), 3u);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(events[i].L, i);
    EXPECT_TRUE(Page->OnOffButtons[0]->IsChecked());
    EXPECT_EQ(Page->AlphaEdits[0]->Value(), 20.0f);
    EXPECT_EQ(Page->InputLists[0]->GetList()->GetItemData(Page->InputLists[0]->GetCurSel()), 4);
    EXPECT_EQ(Page->InputLists[2]->GetCurSel(), 0);
    EXPECT_FALSE(Page->AlphaEdits[1]->IsEnabled());
}

TEST_F(PipPage, MainDialogSwitchShown) {
    GetDeviceState().LayerWindow[3].Enable = 1;
    Page->ShowPipOn(2);
    EXPECT_TRUE(Page->OnOffButtons[2]->IsChecked());
    EXPECT_TRUE(Page->AlphaEdits[2]->IsEnabled());
    Page->ShowPipOn(5);  // no such PIP
    EXPECT_TRUE(Commands().empty());
}

TEST(PipPageStart, ShowsTheStateBeforeAnyReply) {
    ResetDeviceState();
    GetDeviceState().LayerWindow[2] = {1, 30, 3, 0, 0, 0, 0, 0, 0};
    auto* frame = new wxFrame(nullptr, wxID_ANY, "pip", wxPoint(0, 0), wxSize(340, 540));
    auto* page = new MPIPDlg;
    page->Create(frame, wxRect(0, 0, 320, 500));
    page->OnInitDialog();
    EXPECT_EQ(page->InputLists[1]->GetList()->GetItemData(page->InputLists[1]->GetCurSel()), 3);
    EXPECT_TRUE(page->OnOffButtons[1]->IsChecked());
    EXPECT_TRUE(page->AlphaEdits[1]->IsEnabled());
    EXPECT_EQ(page->AlphaEdits[1]->Value(), 30.0f);
    EXPECT_FALSE(page->AlphaEdits[0]->IsEnabled());
    EXPECT_EQ(page->InputLists[0]->GetCurSel(), 0);
    frame->Destroy();
    Pump(20);
    ResetDeviceState();
}
