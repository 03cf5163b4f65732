#include "platform/ui/PageEvents.h"
#include "mainwnd/PageEventRules.h"
#include "platform/ui/UserMessages.h"

#include <gtest/gtest.h>

TEST(PageEvents, FloatingWindowZeroAndOneToggleOthersHide) {
  EXPECT_TRUE(FloatingWindowShownAfter(false, 0));
  EXPECT_FALSE(FloatingWindowShownAfter(true, 0));
  EXPECT_TRUE(FloatingWindowShownAfter(false, 1));
  EXPECT_FALSE(FloatingWindowShownAfter(true, 1));
  EXPECT_FALSE(FloatingWindowShownAfter(true, 3));
  EXPECT_FALSE(FloatingWindowShownAfter(false, 3));
  EXPECT_FALSE(FloatingWindowShownAfter(true, 2));
}

TEST(PageEvents, SubPagesShowOneAndHideTheOthers) {
  auto v = SubPageVisibilityFor(0, true);
  EXPECT_EQ(v.Misc, true);
  EXPECT_EQ(v.Task, false);
  EXPECT_EQ(v.Keyer, false);
  EXPECT_EQ(v.TestPattern, false);
  EXPECT_FALSE(v.SubTitle.has_value());
  v = SubPageVisibilityFor(1, true);
  EXPECT_EQ(v.Keyer, true);
  EXPECT_EQ(v.Task, false);
  EXPECT_EQ(v.TestPattern, false);
  EXPECT_FALSE(v.Misc.has_value());
  v = SubPageVisibilityFor(2, true);
  EXPECT_EQ(v.TestPattern, true);
  EXPECT_EQ(v.Keyer, false);
  EXPECT_EQ(v.Task, false);
  v = SubPageVisibilityFor(3, true);
  EXPECT_EQ(v.Task, true);
  EXPECT_EQ(v.Keyer, false);
  EXPECT_EQ(v.TestPattern, false);
  v = SubPageVisibilityFor(4, true);
  EXPECT_EQ(v.SubTitle, true);
  EXPECT_FALSE(v.Keyer.has_value());
  v = SubPageVisibilityFor(7, true);
  EXPECT_FALSE(v.Misc || v.Keyer || v.TestPattern || v.Task || v.SubTitle);
  v = SubPageVisibilityFor(4, false);
  EXPECT_EQ(v.SubTitle, false);
  EXPECT_FALSE(v.Keyer.has_value());
  v = SubPageVisibilityFor(2, false);
  EXPECT_EQ(v.Keyer, false);
  EXPECT_EQ(v.Task, false);
  EXPECT_EQ(v.TestPattern, false);
  EXPECT_FALSE(v.SubTitle.has_value());
}

TEST(PageEvents, PipThreeFollowsTheLogoWhenItCarriesTheLogo) {
  auto v = PipLayerVisibility(0, 1, 1, 0);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->Layer, 1);
  EXPECT_TRUE(v->Shown);
  v = PipLayerVisibility(2, 1, 1, 0);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->Layer, 3);
  EXPECT_FALSE(v->Shown);
  v = PipLayerVisibility(2, 0, 0, 1);
  ASSERT_TRUE(v);
  EXPECT_FALSE(v->Shown);
  EXPECT_FALSE(PipLayerVisibility(2, 1, 2, 1).has_value());
  EXPECT_FALSE(PipLayerVisibility(3, 1, 0, 1).has_value());
  EXPECT_FALSE(PipLayerVisibility(-1, 1, 0, 1).has_value());
}
