// The media player page: the disk buttons it shows and the command each key sends.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "pages/MMediaPlayerDlg.h"

namespace {
class MediaPageTest : public PageTest {
protected:
    void SetUp() override {
        PageTest::SetUp();
        OpenPage(Page, wxSize(320, 260), false, false);
    }
    MMediaPlayerDlg* Page = nullptr;
};
}  // namespace

TEST_F(MediaPageTest, WithoutUdiskBothDisabledAndKeyGoesToDisk0) {
    Page->UpdateDiskButtons();
    EXPECT_FALSE(Page->DiskButtonsShown[0]->IsEnabled());
    EXPECT_FALSE(Page->DiskButtonsShown[1]->IsEnabled());
    Page->KeyButtons[0]->Click();
    Pump(10);
    ASSERT_EQ(CommandNumbers(), (std::vector<uint32_t>{CmdMediaPlayerKey}));
    EXPECT_EQ(Commands()[0].Bytes[0], 1);
    EXPECT_EQ(Commands()[0].Bytes[1], 0);
}

TEST_F(MediaPageTest, ChoiceStaysOverRefreshAndRightKeySends7) {
    DeviceState& s = GetDeviceState();
    s.InputCardType[6] = 9;
    s.InputCardType[7] = 9;
    Page->UpdateDiskButtons();
    Page->DiskButtonsShown[1]->Click();
    Pump(10);
    EXPECT_TRUE(Page->DiskButtonsShown[1]->IsChecked());
    EXPECT_FALSE(Page->DiskButtonsShown[0]->IsChecked());
    Page->UpdateDiskButtons();
    EXPECT_TRUE(Page->DiskButtonsShown[1]->IsChecked());
    ClearRecords();
    Page->OnBnClickedKey(1581);   // "右"
    ASSERT_EQ(Commands().size(), 1u);
    EXPECT_EQ(Commands()[0].Command, 34u);
    EXPECT_EQ(Commands()[0].Bytes[0], 7);
    EXPECT_EQ(Commands()[0].Bytes[1], 1);
    for (size_t i = 2; i < 32; ++i) EXPECT_EQ(Commands()[0].Bytes[i], 0x55) << i;
}

