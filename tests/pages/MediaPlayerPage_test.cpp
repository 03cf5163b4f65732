// The media player page: disk buttons by card, key codes and the command each key sends.
#include "support/PageFixture.h"

#include "app/DeviceCommand.h"
#include "pages/MMediaPlayerDlg.h"

TEST(MediaPlayerLogic, DiskButtonsByCard) {
    DiskButtons none = UpdatedDiskButtons(0, 4, DiskButtons{});
    EXPECT_FALSE(none[0].Enabled);
    EXPECT_FALSE(none[1].Enabled);
    EXPECT_EQ(ChosenDisk(none), 0);
    DiskButtons second = UpdatedDiskButtons(6, 9, DiskButtons{});
    EXPECT_FALSE(second[0].Enabled);
    EXPECT_TRUE(second[1].Enabled && second[1].Checked);
    EXPECT_EQ(ChosenDisk(second), 1);
    DiskButtons both = UpdatedDiskButtons(9, 9, second);
    EXPECT_TRUE(both[0].Enabled && both[1].Enabled);
    EXPECT_TRUE(both[1].Checked);   // the earlier choice stays
    EXPECT_FALSE(both[0].Checked);
    DiskButtons first = UpdatedDiskButtons(9, 0, both);
    EXPECT_TRUE(first[0].Checked);
    EXPECT_FALSE(first[1].Checked);
}

TEST(MediaPlayerLogic, KeyCodes) {
    EXPECT_EQ(MediaKeyCode(1575), 1);
    EXPECT_EQ(MediaKeyCode(1577), 3);
    EXPECT_EQ(MediaKeyCode(1581), 7);
    EXPECT_EQ(MediaKeyCode(1574), 0);
    EXPECT_EQ(MediaKeyCode(1582), 0);
}

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

