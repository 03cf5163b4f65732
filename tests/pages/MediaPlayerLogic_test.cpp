// The media player's rules: which disk buttons a card offers, and the code of each key.
#include <gtest/gtest.h>

#include "pages/MediaPlayerLogic.h"

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
