// A cell's grab handles, resizing, clamping into its limit and its stored form.
#include <gtest/gtest.h>

#include "mainwnd/canvas_geometry/CellModel.h"

namespace {

const CanvasRect Bounds{0, 0, 1000, 800};

TEST(CellHandles, BandsOfFivePixelsInsideTheCell) {
    CellModel cell({100, 50, 200, 150});
    EXPECT_EQ(cell.GetHandleRect(HandleLeft), (CanvasRect{100, 55, 105, 145}));
    EXPECT_EQ(cell.GetHandleRect(HandleTop), (CanvasRect{105, 50, 195, 55}));
    EXPECT_EQ(cell.GetHandleRect(HandleRight), (CanvasRect{195, 55, 200, 145}));
    EXPECT_EQ(cell.GetHandleRect(HandleBottom), (CanvasRect{105, 145, 195, 150}));
    EXPECT_EQ(cell.GetHandleRect(HandleInside), (CanvasRect{105, 55, 195, 145}));
    EXPECT_EQ(cell.GetHandleRect(HandleTopLeft), (CanvasRect{100, 50, 105, 55}));
    EXPECT_EQ(cell.GetHandleRect(HandleBottomLeft), (CanvasRect{100, 145, 105, 150}));
    EXPECT_EQ(cell.GetHandleRect(HandleTopRight), (CanvasRect{195, 50, 200, 55}));
    EXPECT_EQ(cell.GetHandleRect(HandleBottomRight), (CanvasRect{195, 145, 200, 150}));
    EXPECT_TRUE(cell.GetHandleRect(9).IsEmpty());
    EXPECT_TRUE(cell.GetHandleRect(-1).IsEmpty());
}

TEST(CellHandles, BoundaryPointsBelongToTheLowerCode) {
    CellModel cell({100, 50, 200, 150});
    EXPECT_EQ(cell.HitTest(100, 55), HandleLeft); // also on the top-left corner band
    EXPECT_EQ(cell.HitTest(105, 55), HandleLeft); // left band's right edge, inside's corner
    EXPECT_EQ(cell.HitTest(106, 55), HandleTop);  // top before inside
    EXPECT_EQ(cell.HitTest(150, 100), HandleInside);
    EXPECT_EQ(cell.HitTest(102, 52), HandleTopLeft);
    EXPECT_EQ(cell.HitTest(102, 148), HandleBottomLeft);
    EXPECT_EQ(cell.HitTest(198, 52), HandleTopRight);
    EXPECT_EQ(cell.HitTest(200, 150), HandleBottomRight); // edges included
    EXPECT_EQ(cell.HitTest(201, 150), HandleNone);
    EXPECT_EQ(cell.HitTest(99, 100), HandleNone);
}

TEST(CellHandles, CursorsByCode) {
    const HandleCursor byCode[] = {HandleCursor::SizeWE,   HandleCursor::SizeNS,   HandleCursor::SizeWE,
                                   HandleCursor::SizeNS,   HandleCursor::Hand,     HandleCursor::SizeNWSE,
                                   HandleCursor::SizeNESW, HandleCursor::SizeNESW, HandleCursor::SizeNWSE,
                                   HandleCursor::Arrow};
    for (int code = 0; code < 10; ++code)
        EXPECT_EQ(CellModel::GetHandleCursor(code), byCode[code]) << code;
}

// Each handle moves its own edges of {100, 50, 200, 150}, never closer than 8 pixels, within the bounds.
TEST(CellResize, EachCodeMovesItsEdges) {
    const struct {
        int Code, X, Y;
        CanvasRect After;
    } rows[] = {
        {HandleLeft, 195, 999, {192, 50, 200, 150}}, // past the right edge: 8 pixels kept
        {HandleLeft, 191, 0, {191, 50, 200, 150}},   // right - x = 9: the point is taken
        {HandleBottomRight, 300, 250, {100, 50, 300, 250}},
        {HandleTopRight, 102, 149, {100, 142, 108, 150}}, // both clamp to the minimum span
        {HandleBottomLeft, 80, 40, {80, 50, 200, 58}},
        {HandleInside, 90, 40, {90, 40, 200, 150}},   // inside behaves as top-left
        {HandleRight, 5000, 0, {100, 50, 1000, 150}}, // clamped to the bounds
    };
    for (const auto& row : rows) {
        CellModel cell({100, 50, 200, 150});
        cell.ResizeByHandle(Bounds, row.Code, row.X, row.Y);
        EXPECT_EQ(cell.Rect, row.After) << "code " << row.Code << " to " << row.X << "," << row.Y;
    }
}

TEST(CellClamp, ClampRectCutsToTheLimit) {
    CellModel cell;
    cell.LimitRect = {20, 30, 340, 210};
    EXPECT_EQ(cell.ClampRect(Bounds, {10, 40, 100, 300}), (CanvasRect{20, 40, 100, 210}));
    EXPECT_EQ(cell.ClampRect(Bounds, {100, 100, 50, 60}), (CanvasRect{50, 60, 100, 100})); // normalised
    CellModel free;
    EXPECT_EQ(free.ClampRect(Bounds, {-5, 1, 1200, 900}), (CanvasRect{0, 1, 1000, 800})); // a top of 1 stays
    EXPECT_EQ(free.ClampRect(Bounds, {-5, -9, 1200, 900}), (CanvasRect{0, 0, 1000, 800}));
}

TEST(CellClamp, KeepInsideLimitKeepsTheSize) {
    CellModel cell;
    cell.LimitRect = {20, 30, 340, 210};
    EXPECT_EQ(cell.KeepInsideLimit(Bounds, {300, 200, 400, 260}), (CanvasRect{240, 150, 340, 210}));
    EXPECT_EQ(cell.KeepInsideLimit(Bounds, {0, 10, 100, 70}), (CanvasRect{20, 30, 120, 90}));
    // larger than the limit: cut to its size
    EXPECT_EQ(cell.KeepInsideLimit(Bounds, {25, 35, 1025, 835}), (CanvasRect{20, 30, 340, 210}));
}

TEST(CellClamp, KeepInsideLimitLeavesALeftAtZero) {
    CellModel cell;
    EXPECT_EQ(cell.KeepInsideLimit(Bounds, {0, 0, 2000, 100}), (CanvasRect{0, 0, 1000, 100}));
    EXPECT_EQ(cell.KeepInsideLimit(Bounds, {-30, -3, 70, 97}), (CanvasRect{0, 0, 100, 100}));
}

TEST(CellClamp, TrySetRectRefusesOutsideOrUnchanged) {
    CellModel cell({10, 10, 60, 60});
    EXPECT_FALSE(cell.TrySetRect(Bounds, {10, 10, 60, 60}));
    EXPECT_FALSE(cell.TrySetRect(Bounds, {-1, 10, 49, 60}));
    EXPECT_FALSE(cell.TrySetRect(Bounds, {960, 10, 1010, 60}));
    EXPECT_EQ(cell.Rect, (CanvasRect{10, 10, 60, 60}));
    EXPECT_TRUE(cell.TrySetRect(Bounds, {950, 10, 1000, 60}));
    EXPECT_EQ(cell.Rect, (CanvasRect{950, 10, 1000, 60}));
    cell.LimitRect = {100, 0, 500, 400};
    EXPECT_TRUE(cell.TrySetRect(Bounds, {480, 20, 530, 70})); // inside bounds, pushed into the limit
    EXPECT_EQ(cell.Rect, (CanvasRect{450, 20, 500, 70}));
}

TEST(CellRects, ApplyRectAndIntersects) {
    CellModel cell({0, 0, 10, 10});
    cell.ApplyRect({500, -20, 100, 80});
    EXPECT_EQ(cell.OutputRect, (CanvasRect{100, 0, 500, 80}));
    EXPECT_TRUE(cell.Intersects({9, 9, 20, 20}));
    EXPECT_FALSE(cell.Intersects({10, 0, 20, 10})); // touching is not overlapping
    EXPECT_TRUE(cell.Intersects({5, 5, -5, -5}));   // normalised first
}

TEST(CellRects, SourceRectNeedsAReferenceWithArea) {
    CellModel cell;
    cell.SetSourceRect({0, 0, 0, 240}, {10, 20, 30, 40});
    EXPECT_EQ(cell.SourceRect, (PixelArea{}));
    cell.SetSourceRect({0, 0, 352, 240}, {10, 20, 30, 50});
    EXPECT_EQ(cell.SourceRect, (PixelArea{10, 20, 20, 30}));
}

TEST(CellSerialize, NeverStoresTheSelectedBit) {
    CellModel cell({1, 2, 300, 0x10000});
    cell.Flags = CellSelected | CellHidden;
    cell.SerialWord = 0xBEEF;
    const std::vector<uint8_t> bytes = cell.Serialize();
    const std::vector<uint8_t> expected{1, 0, 0, 0, 2, 0, 0, 0, 0x2C, 1,    0,
                                        0, 0, 0, 1, 0, 2, 0, 0, 0,    0xEF, 0xBE};
    EXPECT_EQ(bytes, expected);
    CellModel back;
    ASSERT_TRUE(back.Deserialize(bytes));
    EXPECT_EQ(back.Rect, cell.Rect);
    EXPECT_EQ(back.Flags, CellHidden);
    EXPECT_EQ(back.SerialWord, 0xBEEF);
    CellModel shortRead({5, 5, 6, 6});
    EXPECT_FALSE(shortRead.Deserialize({1, 2, 3}));
    EXPECT_EQ(shortRead.Rect, (CanvasRect{5, 5, 6, 6}));
}

TEST(CellTexts, PositionInsideTheFrameAndSize) {
    CellModel cell;
    cell.OutputRect = {125, 300, 1085, 840};
    cell.Origin = {125, 198};
    EXPECT_EQ(FormatPosText(cell), "Pos:[0,102]");
    EXPECT_EQ(FormatSizeText(cell), "Size:[960,540]");
    cell.Origin = {200, 400};
    EXPECT_EQ(FormatPosText(cell), "Pos:[0,0]");
}

} // namespace
