#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <string>
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

TEST(DropList, SetCurSelSelectsAValidItemAndABadIndexLeavesNone) {
    struct Case {
        int index;
        int selected;
    };
    for (const Case c : {Case{1, 1}, Case{0, 0}, Case{2, -1}, Case{7, -1}, Case{-1, -1}}) {
        DropListModel m;
        m.AddString("a");
        m.AddString("b");
        m.Pick(1);
        EXPECT_EQ(m.SetCurSel(c.index), c.selected >= 0) << c.index;
        EXPECT_EQ(m.GetCurSel(), c.selected) << c.index;
        EXPECT_EQ(m.RememberedIndex(), 1) << "SetCurSel keeps the operator's last pick";
    }
    DropListModel m;
    EXPECT_EQ(m.GetItemData(5), 0);
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

namespace {
// A list of records with the given chain ids, texts "0", "1", ... in order.
DropListModel Chain(std::initializer_list<int> ids) {
    DropListModel m;
    int n = 0;
    for (int id : ids) {
        DropListItem record{std::to_string(n++)};
        record.Id = static_cast<std::uint8_t>(id);
        m.AddItem(record);
    }
    return m;
}
std::string Texts(const DropListModel& m) {
    std::string out;
    for (int i = 0; i < m.GetCount(); ++i)
        out += m.Item(i)->Text;
    return out;
}
}  // namespace

TEST(DropList, DeleteTakesTheIdZeroRecordsThatFollowAChainedRecord) {
    struct Case {
        const char* what;
        std::initializer_list<int> ids;
        int index, result;
        const char* left;
    };
    const Case cases[] = {
        {"a record with id 0 goes alone", {1, 0, 0, 2}, 1, 3, "023"},
        {"a chained record takes the id-0 records after it", {1, 2, 0, 0, 3}, 1, 2, "04"},
        {"the chain ends at the next non-zero id", {5, 0, 6, 0}, 0, 2, "23"},
        {"the chain may run to the end", {4, 7, 0, 0}, 1, 1, "0"},
        {"the last record", {1, 2, 3}, 2, 2, "01"},
        {"past the end", {1, 2}, 2, -1, "01"},
        {"a negative index", {1, 2}, -1, -1, "01"},
    };
    for (const Case& c : cases) {
        DropListModel m = Chain(c.ids);
        EXPECT_EQ(m.DeleteString(c.index), c.result) << c.what;
        EXPECT_EQ(Texts(m), c.left) << c.what;
    }
}

TEST(DropList, AddedItemsTakeTheRunningIdThatResetsNeverRestart) {
    DropListModel m;
    for (int i = 0; i < 300; ++i)
        m.AddString(std::to_string(i));
    EXPECT_EQ(m.Item(1)->Id, 1);
    EXPECT_EQ(m.Item(255)->Id, 255);
    EXPECT_EQ(m.Item(256)->Id, 0);   // the low byte has wrapped
    // Item 256 now follows 255 as part of its chain and goes with it.
    EXPECT_EQ(m.DeleteString(255), 298);
    EXPECT_EQ(m.Item(255)->Text, "257");
    m.ResetContent();
    EXPECT_EQ(m.Item(m.AddString("x"))->Id, 300 - 256);
}

TEST(DropList, DeletingMovesTheSelectionAsAListBoxDoes) {
    struct Case {
        int selected, deleted, after;
    };
    for (const Case c : {Case{3, 1, 2}, Case{1, 1, -1}, Case{1, 3, 1}}) {
        DropListModel m = Chain({1, 2, 3, 4});
        m.SetCurSel(c.selected);
        m.DeleteString(c.deleted);
        EXPECT_EQ(m.GetCurSel(), c.after) << c.selected << " " << c.deleted;
    }
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
