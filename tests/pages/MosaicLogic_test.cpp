// The mosaic page's tables, cell layout and clamps.
#include <gtest/gtest.h>

#include "pages/MosaicPageLogic.h"

#include <string>

TEST(PanelModes, ButtonsAndCells) {
    const struct {
        int Id;
        const char* Caption;
        int First, Count;
        uint8_t Entry;
    } expected[5] = {{1170, "Panel x 1", 0, 0, 8},
                     {1173, "Panel x 2", 0, 2, 0},
                     {1586, "Panel x2_1", 0, 2, 0},
                     {1513, "Panel x 3", 2, 3, 2},
                     {1168, "Panel x 4", 5, 3, 5}};
    for (int i = 0; i < 5; ++i) {
        const PanelModeRow& row = PanelModes()[i];
        EXPECT_EQ(row.Mode, static_cast<uint32_t>(i + 1));
        EXPECT_EQ(row.ControlId, expected[i].Id);
        EXPECT_STREQ(row.Caption, expected[i].Caption);
        EXPECT_EQ(row.FirstCell, expected[i].First);
        EXPECT_EQ(row.CellCount, expected[i].Count);
        EXPECT_EQ(row.EntryCell, expected[i].Entry);
        EXPECT_EQ(EntryCellOf(i + 1), expected[i].Entry);
    }
    EXPECT_EQ(EntryCellOf(0), 8);
    EXPECT_EQ(EntryCellOf(9), 8);
}

TEST(PanelModes, UnknownModeAndArrangementShowAsNone) {
    EXPECT_EQ(ShownMosaicMode(5), 5u);
    EXPECT_EQ(ShownMosaicMode(6), 0u);
    EXPECT_EQ(ShownMosaicMode(0xFFFFFFFFu), 0u);
}

// A reported arrangement cell is shown as it is when the mode offers it, else as the mode's first.
TEST(PanelModes, ArrangementOfAnotherModeShowsAsTheModesFirst) {
    const struct {
        uint32_t Mode, Reported;
        uint8_t Shown;
    } rows[] = {
        {5, 7, 7}, {5, 5, 5}, {5, 3, 5}, {5, 8, 5}, {5, 20, 5},  // Panel x 4: 5..7
        {4, 5, 2}, {4, 3, 3}, {4, 4, 4}, {4, 1, 2},              // Panel x 3: 2..4
        {2, 1, 1}, {2, 2, 0}, {3, 5, 0},                         // Panel x 2, x2_1: 0..1
        {1, 3, 8}, {0, 3, 8}, {9, 3, 8},                         // no cells, unknown mode
    };
    for (const auto& r : rows) {
        SCOPED_TRACE("mode " + std::to_string(r.Mode) + " cell " + std::to_string(r.Reported));
        EXPECT_EQ(ShownArrangement(r.Mode, r.Reported), r.Shown);
    }
}

TEST(CellLayout, SlotsAndMarks) {
    const auto cells = LayOutCells(6, 142, 12, 12);
    EXPECT_EQ(cells[0].Picture.Left, 36);
    EXPECT_EQ(cells[0].Picture.Top, 172);
    EXPECT_EQ(cells[0].Picture.Width, 64);
    EXPECT_EQ(cells[1].Picture.Left, 36 + 94);
    EXPECT_EQ(cells[2].Picture.Left, 36);
    EXPECT_EQ(cells[4].Picture.Left, 36 + 188);
    EXPECT_EQ(cells[7].Picture.Left, 36 + 188);
    // The mark ends two pixels left of the picture, centred on its middle.
    EXPECT_EQ(cells[0].Mark.Left + cells[0].Mark.Width, 36 - 2);
    EXPECT_EQ(cells[0].Mark.Top, 172 + 32 - 6);
}

TEST(CellLayout, HitsByMode) {
    const auto cells = LayOutCells(0, 0, 12, 12);
    EXPECT_EQ(HitArrangementCell(4, cells, 30 + 94 + 10, 40), 3);
    EXPECT_EQ(HitArrangementCell(5, cells, 30 + 94 + 10, 40), 6);
    EXPECT_EQ(HitArrangementCell(2, cells, 30 + 94 + 10, 40), 1);
    EXPECT_EQ(HitArrangementCell(2, cells, 30 + 188 + 10, 40), std::nullopt);  // mode 2 has two cells
    EXPECT_EQ(HitArrangementCell(1, cells, 40, 40), std::nullopt);
    EXPECT_EQ(HitArrangementCell(5, cells, 30 - 8, 30 + 32), 5);                // on the mark
    EXPECT_EQ(HitArrangementCell(5, cells, 5, 5), std::nullopt);
}

TEST(MosaicClamp, StartInsideTheTotal) {
    using E = MosaicEdit;
    MosaicGeometry g;
    g[E::HStart] = 1500;
    g[E::Width] = 1000;
    g[E::HTotal] = 1920;
    g = ClampMosaicEdit(g, E::HStart, 1920, 1080);
    EXPECT_EQ(g[E::HStart], 920);
}

TEST(MosaicClamp, NewTotalLowersWidthThenStart) {
    using E = MosaicEdit;
    MosaicGeometry g;
    g[E::HStart] = 920;
    g[E::Width] = 1000;
    g[E::HTotal] = 800;
    g = ClampMosaicEdit(g, E::HTotal, 1920, 1080);
    EXPECT_EQ(g[E::Width], 800);
    EXPECT_EQ(g[E::HStart], 0);
    g[E::VStart] = 100;
    g[E::Height] = 1080;
    g[E::VTotal] = 720;
    g = ClampMosaicEdit(g, E::VTotal, 1920, 1080);
    EXPECT_EQ(g[E::Height], 720);
    EXPECT_EQ(g[E::VStart], 0);
}

TEST(MosaicClamp, NeverNegative) {
    using E = MosaicEdit;
    MosaicGeometry g;
    g[E::Width] = 5000;
    g = ClampMosaicEdit(g, E::HStart, 1920, 1080);
    EXPECT_EQ(g[E::HStart], 0);
    g[E::VStart] = 50;
    g = ClampMosaicEdit(g, E::Height, 1920, 10);
    EXPECT_EQ(g[E::Height], 0);
}
