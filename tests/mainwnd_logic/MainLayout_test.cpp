#include "mainwnd/MainLayout.h"

#include <gtest/gtest.h>

TEST(MainLayout, WindowSizeScalesWithDpi) {
  EXPECT_EQ(MainWindowSizeForDpi(96, 96), (LayoutSize{1280, 728}));
  EXPECT_EQ(MainWindowSizeForDpi(144, 144), (LayoutSize{1920, 1092}));
  EXPECT_EQ(MainWindowSizeForDpi(120, 120), (LayoutSize{1600, 910}));
}

TEST(MainLayout, NeverSmallerThan1280By728) {
  EXPECT_EQ(ClampMainWindowSize({1000, 500}), (LayoutSize{1280, 728}));
  EXPECT_EQ(ClampMainWindowSize({1500, 800}), (LayoutSize{1500, 800}));
}

TEST(MainLayout, PagePanelIs480PxAt144Dpi) {
  const LayoutRect c{0, 0, 1920, 1092};
  const LayoutRect page = DockedPageRect(c, 1.5);
  EXPECT_EQ(page, (LayoutRect{77, 106, 557, 996}));
  EXPECT_EQ(page.Width(), 480);
}

TEST(MainLayout, WorkingAreaMovesRightWhenAPageIsShown) {
  const LayoutRect c{0, 0, 1264, 689};
  EXPECT_EQ(WorkingAreaRect(c, 1.0, false), (LayoutRect{75, 106, 1240, 548}));
  EXPECT_EQ(WorkingAreaRect(c, 1.0, true), (LayoutRect{397, 106, 1240, 548}));
  // Search, Video Setting, Media Player and Feathering: the working area as it lies beside a page.
  EXPECT_EQ(FloatingPageRect(c, 1.0), (LayoutRect{397, 106, 1240, 548}));
}

TEST(MainLayout, PageButtonsStackFromT104) {
  const LayoutRect c{0, 0, 1264, 689};
  EXPECT_EQ(PageButtonRect(c, 0), (LayoutRect{0, 104, 75, 140}));
  EXPECT_EQ(PageButtonRect(c, 10), (LayoutRect{0, 464, 75, 500}));
}

TEST(MainLayout, InputIcons) {
  const LayoutRect c{0, 0, 1264, 689};
  auto r = InputIconRects(c, 1.0);
  EXPECT_EQ(r[0], (LayoutRect{123, 25, 191, 50}));
  EXPECT_EQ(r[1], (LayoutRect{231, 25, 299, 50}));
  EXPECT_EQ(r[4].Left, 123 + 4 * 108);
  EXPECT_EQ(r[8], (LayoutRect{r[4].Left, 0, r[4].Right, 16}));
  EXPECT_EQ(r[9], (LayoutRect{r[4].Left, 32, r[4].Right, 48}));
  EXPECT_EQ(r[10].Left, r[6].Left);
  EXPECT_EQ(r[11].Top, 32);
  auto big = InputIconRects(c, 1.5);
  EXPECT_EQ(big[0].Width(), 102);
  EXPECT_EQ(big[1].Left, 123 + 102 + 40);
}

TEST(MainLayout, PopupPagesBesideThePageColumn) {
  const LayoutRect window{100, 50, 1380, 778};
  EXPECT_EQ(PopupPageRect(window, 1.0), (LayoutRect{183, 258, 503, 674}));
  EXPECT_EQ(PopupPageRect(window, 1.5).Width(), 480);
}
