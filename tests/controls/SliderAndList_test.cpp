#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "controls/logic/DropListModel.h"
#include "controls/logic/SliderMath.h"

namespace {
SliderGeometry Track200() {
    SliderGeometry g;
    g.Width = 200;
    g.Height = 20;
    g.ThumbWidth = 12;
    g.ThumbHeight = 20;
    g.MarginLeft = g.MarginRight = 2;
    g.Min = 0;
    g.Max = 100;
    return g;
}
}  // namespace

TEST(SliderMath, EndsOfTheRangeSitAtTheEndsOfTheTrack) {
    const SliderGeometry g = Track200();
    // Track = 200 - 2 - 2 - 12 = 184 pixels; the thumb centre starts 2 + 6 in.
    EXPECT_EQ(Pos2Pixel(g, 0), 8);
    EXPECT_EQ(Pos2Pixel(g, 100), 192);
    EXPECT_EQ(Pos2Pixel(g, 50), 100);
    EXPECT_EQ(Pixel2Pos(g, 8), 0);
    // The last position is reached before the very end of the track.
    EXPECT_EQ(Pixel2Pos(g, 192 - 8), 100);
    EXPECT_EQ(Pixel2Pos(g, 192), 100);
    EXPECT_EQ(Pixel2Pos(g, -50), 0);
}

TEST(SliderMath, DraggingAlongTheTrackReachesEveryPositionInOrder) {
    const SliderGeometry g = Track200();
    std::vector<bool> reached(101, false);
    int last = -1;
    for (int pixel = ClampThumbPixel(g, 0); pixel <= ClampThumbPixel(g, 1000); ++pixel) {
        const int pos = Pixel2Pos(g, pixel);
        EXPECT_GE(pos, last);
        last = pos;
        reached[static_cast<std::size_t>(pos)] = true;
    }
    for (int pos = 0; pos <= 100; ++pos)
        EXPECT_TRUE(reached[static_cast<std::size_t>(pos)]) << pos;
}

TEST(SliderMath, CollapsedRangeOrTinyTrackNeverDividesByZero) {
    SliderGeometry g = Track200();
    g.Min = g.Max = 7;
    EXPECT_EQ(Pos2Pixel(g, 7), 8);
    EXPECT_EQ(Pixel2Pos(g, 100), 7);
    g = Track200();
    g.Width = 20;   // narrower than thumb + margins + 8
    EXPECT_EQ(Pixel2Pos(g, 10), 0);
    g.Vertical = true;
    g.Height = 20;  // as tall as the thumb: no vertical track
    EXPECT_EQ(Pixel2Pos(g, 5), 0);
}

TEST(SliderMath, VerticalSliderRunsFromTheBottom) {
    SliderGeometry g = Track200();
    g.Vertical = true;
    g.Width = 20;
    g.Height = 120;
    g.MarginTop = g.MarginBottom = 0;
    EXPECT_EQ(Pos2Pixel(g, 100), 10);    // top
    EXPECT_EQ(Pos2Pixel(g, 0), 110);     // bottom
    EXPECT_EQ(Pixel2Pos(g, 110), 0);
    EXPECT_EQ(Pixel2Pos(g, 10), 100);
}

TEST(SliderMath, KeysStepAndClamp) {
    EXPECT_EQ(SliderKeyPosition(SliderKey::PageUp, 10, 20, 0, 100), 0);   // Page Up at 10 with page 20
    EXPECT_EQ(SliderKeyPosition(SliderKey::PageDown, 90, 20, 0, 100), 100);
    EXPECT_EQ(SliderKeyPosition(SliderKey::Home, 55, 20, 0, 100), 0);
    EXPECT_EQ(SliderKeyPosition(SliderKey::End, 55, 20, 0, 100), 100);
    EXPECT_EQ(SliderKeyPosition(SliderKey::Left, 55, 20, 0, 100), 54);
    EXPECT_EQ(SliderKeyPosition(SliderKey::Down, 55, 20, 0, 100), 56);
    EXPECT_EQ(SliderKeyPosition(SliderKey::Right, 100, 20, 0, 100), 100);
}

TEST(SliderMath, PressOnTheThumbKeepsItsOffsetBesideItCentres) {
    const SliderGeometry g = Track200();
    EXPECT_EQ(DragOffset(g, 50, 103), 3);
    EXPECT_EQ(DragOffset(g, 50, 150), 0);
    EXPECT_EQ(ClampThumbPixel(g, 0), 8);
    EXPECT_EQ(ClampThumbPixel(g, 500), 192);
}

TEST(DropList, SelectByDataFallsBackToTheFirstItem) {
    DropListModel m;
    for (long v : {10L, 20L, 30L})
        m.SetItemData(m.AddString("item " + std::to_string(v)), v);
    EXPECT_EQ(m.IndexForData(20), 1);
    EXPECT_EQ(m.IndexForData(99), 0);
    EXPECT_EQ(m.FindData(30), 2);
    EXPECT_EQ(m.FindData(99), -1);
    DropListModel empty;
    EXPECT_EQ(empty.FindData(0), -1);
}

TEST(DropList, BadIndexLeavesTheSelectionAlone) {
    DropListModel m;
    m.AddString("a");
    m.AddString("b");
    EXPECT_TRUE(m.SetCurSel(1));
    EXPECT_FALSE(m.SetCurSel(7));
    EXPECT_FALSE(m.SetCurSel(-1));
    EXPECT_EQ(m.GetCurSel(), 1);
    EXPECT_EQ(m.GetItemData(5), 0);
    EXPECT_EQ(m.DeleteString(2), -1);
}

TEST(DropList, DisabledItemCannotBePicked) {
    DropListModel m;
    m.AddString("a");
    m.AddString("b");
    m.SetDisabled(1, true);
    EXPECT_FALSE(m.Pick(1));
    EXPECT_EQ(m.GetCurSel(), 0);
    EXPECT_TRUE(m.Pick(0));
    EXPECT_EQ(m.RememberedIndex(), 0);
}

TEST(DropList, DeleteRemovesExactlyOneItemEvenAfterManyAdds) {
    DropListModel m;
    for (int i = 0; i < 300; ++i)
        m.AddString(std::to_string(i));
    EXPECT_EQ(m.DeleteString(255), 299);
    EXPECT_EQ(m.Item(255)->Text, "256");
    EXPECT_EQ(m.Item(256)->Text, "257");
}

TEST(DropList, ResetClearsItemsSelectionAndRememberedPick) {
    DropListModel m;
    m.AddString("a");
    m.AddString("b");
    m.Pick(1);
    m.ResetContent();
    EXPECT_EQ(m.GetCount(), 0);
    EXPECT_EQ(m.GetCurSel(), -1);
    EXPECT_EQ(m.RememberedIndex(), 0);
}

TEST(DropList, DropHeightIsAllItemsUpToOneHundredPixels) {
    DropListModel m;
    for (int i = 0; i < 3; ++i)
        m.AddString("x");
    EXPECT_EQ(m.DropHeight(15), 45);
    for (int i = 0; i < 17; ++i)
        m.AddString("y");
    EXPECT_EQ(m.DropHeight(15), 100);
}

TEST(DropList, NewItemsCarryTheListColours) {
    DropListModel m;
    m.AddString("a");
    EXPECT_EQ(m.Item(0)->TextColour, 0xD5D5D5u);
    EXPECT_EQ(m.Item(0)->SelectedTextColour, 0u);
    EXPECT_FALSE(m.Item(0)->Disabled);
}
