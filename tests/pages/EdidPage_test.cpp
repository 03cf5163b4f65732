// The EDID page under Xvfb: list, refresh, guard, Apply/Restore commands and the verdict box.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "app/UiStrings.h"
#include "controls/CDropButton.h"
#include "controls/NumericEdit.h"
#include "pages/MEdidDlg.h"
#include "platform/ui/UserMessages.h"

namespace {
class EdidPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        DeviceState& s = GetDeviceState();
        for (uint32_t i = 0; i < 8; ++i) s.InputCardType[i] = CardDvi;
        s.InputCardType[6] = CardHdmi;
        s.InputTable[6].Present = 1;
        s.InputTable[7].Present = 0;
        for (size_t k = 0; k < EdidEntryCount; ++k) s.EdidEntry[k].Input = static_cast<uint8_t>(k < 5 ? k : k + 1);
        OpenPage(Page, wxSize(320, 400), false, false);
    }
    std::vector<long> ListData() const {
        std::vector<long> out;
        CDropList* list = Page->InputList->GetList();
        for (int i = 0; i < list->GetCount(); ++i) out.push_back(list->GetItemData(i));
        return out;
    }
    // The operator picks item `index` of the input list.
    void Pick(int index) {
        Page->InputList->SetCurSel(index);
        Page->InputList->OnDropListSelChanged(index);
        Pump(20);
    }
    MEdidDlg* Page = nullptr;
};
}  // namespace

TEST_F(EdidPageTest, ListOffersInputsWithoutInput5AndKeepsSelectionOverRebuild) {
    EXPECT_EQ(ListData(), (std::vector<long>{0, 1, 2, 3, 4, 6}));
    Pick(5);
    EXPECT_EQ(Page->SelectedInput, 6u);
    GetDeviceState().InputCardType[2] = CardSdi;
    Page->FillInputList();
    EXPECT_EQ(ListData(), (std::vector<long>{0, 1, 3, 4, 6}));
    EXPECT_EQ(Page->InputList->GetCurSel(), 4);
    GetDeviceState().InputTable[6].Present = 0;
    Page->FillInputList();
    EXPECT_EQ(Page->InputList->GetCurSel(), 0);
}

TEST_F(EdidPageTest, SyncSelectionShowsEntryWithFpsTruncated) {
    DeviceState& s = GetDeviceState();
    s.EdidEntry[5] = EdidEntry{6, 0, 1920, 1080, 5994, 280, 45};
    Pick(5);
    Page->SyncSelection();
    EXPECT_EQ(Page->HActiveEdit->Value(), 1920);
    EXPECT_EQ(Page->VActiveEdit->Value(), 1080);
    EXPECT_EQ(Page->FpsEdit->Value(), 59);
    EXPECT_EQ(Page->HBlankEdit->Value(), 280);
    EXPECT_EQ(Page->VBlankEdit->Value(), 45);
    // An input without an entry keeps the shown values.
    for (auto& e : s.EdidEntry) e.Input = 99;
    Pick(0);
    EXPECT_EQ(Page->HActiveEdit->Value(), 1920);
}

TEST_F(EdidPageTest, ApplyWithMoreUncheckedSendsAction1AndStoresBlanking) {
    Pick(5);   // input 6, entry 5
    Page->HActiveEdit->SetValue(1920);
    Page->VActiveEdit->SetValue(1080);
    Page->FpsEdit->SetValue(50);
    Page->HBlankEdit->SetValue(720);
    Page->VBlankEdit->SetValue(45);
    EXPECT_FALSE(Page->HBlankEdit->IsShown());
    ClearRecords();
    Page->OnBnClickedApply();
    const DeviceState& s = GetDeviceState();
    EXPECT_EQ(s.EdidEntry[5].HBlank, 720);
    EXPECT_EQ(s.EdidEntry[5].FrameRate, 5000);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdEdid}));
    EXPECT_EQ(Commands()[0].Bytes[0], 6);
    EXPECT_EQ(Commands()[0].Bytes[1], 1);
    const auto busy = MessagesOf(MShowBusy);
    ASSERT_EQ(busy.size(), 1u);
    EXPECT_EQ(busy[0].W, 1u);
    EXPECT_EQ(busy[0].Text, UiStrings[65]);

    Page->MoreButton->Click();
    Pump(10);
    EXPECT_TRUE(Page->HBlankEdit->IsShown());
    ClearRecords();
    Page->OnBnClickedApply();
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Bytes[1], 2);
}

TEST_F(EdidPageTest, RestoreSendsDefaultThenQuery) {
    Pick(2);
    ClearRecords();
    Page->OnBnClickedRestore();
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdEdid, CmdQueryEdid}));
    EXPECT_EQ(Commands()[0].Bytes[0], 2);
    EXPECT_EQ(Commands()[0].Bytes[1], 0);
    EXPECT_EQ(Commands()[1].Bytes[0], 2);
    EXPECT_EQ(MessagesOf(MShowBusy).size(), 1u);
}

TEST_F(EdidPageTest, ApplyResultBox) {
    GetDeviceState().OperationStatus.Detail = 1;
    Page->ShowApplyResult();
    GetDeviceState().OperationStatus.Detail = 0;
    Page->ShowApplyResult();
    ASSERT_EQ(Notices.size(), 2u);
    EXPECT_EQ(Notices[0].Text, "Edid Apply Ok");
    EXPECT_EQ(Notices[1].Text, "Edid Apply Failed");
    EXPECT_EQ(Notices[0].Caption, "");
}

