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

TEST(PageEvents, FeatheringOnDisablesKeyerTestPatternLogoAndPip) {
  auto e = FeatherEnablesFor(1, 0, 0);
  EXPECT_EQ(e.KeyerTab, false);
  EXPECT_EQ(e.KeyerPage, false);
  EXPECT_EQ(e.LogoButton, false);
  EXPECT_EQ(e.PipButton, false);
  EXPECT_EQ(e.TestPatternTab, false);
  EXPECT_EQ(e.TestPatternPage, false);
}

TEST(PageEvents, FeatheringOffWithFivePanelMosaicReenablesOnlyTestPattern) {
  auto e = FeatherEnablesFor(0, 5, 0);
  EXPECT_FALSE(e.KeyerTab.has_value());
  EXPECT_FALSE(e.LogoButton.has_value());
  EXPECT_EQ(e.TestPatternTab, true);
  EXPECT_EQ(e.TestPatternPage, true);
  e = FeatherEnablesFor(0, 0, 2);
  EXPECT_FALSE(e.PipButton.has_value());
  e = FeatherEnablesFor(0, 1, 1);
  EXPECT_EQ(e.KeyerTab, true);
  EXPECT_EQ(e.KeyerPage, true);
  EXPECT_EQ(e.LogoButton, true);
  EXPECT_EQ(e.PipButton, true);
  e = FeatherEnablesFor(2, 0, 0);
  EXPECT_FALSE(e.KeyerTab || e.TestPatternTab || e.LogoButton);
}

TEST(PageEvents, MosaicModeDecidesLockOutputAndPageButtons) {
  auto m = MosaicModeEffectsFor(0, 0);
  EXPECT_FALSE(m.LockOutputShown);
  EXPECT_TRUE(m.LockOutputForceChecked);
  EXPECT_TRUE(m.KeyerButtonEnabled);
  EXPECT_EQ(m.LogoPipKeyerEnabled, true);
  m = MosaicModeEffectsFor(5, 0);
  EXPECT_TRUE(m.LockOutputShown);
  EXPECT_FALSE(m.KeyerButtonEnabled);
  EXPECT_EQ(m.LogoPipKeyerEnabled, false);
  m = MosaicModeEffectsFor(5, 1);
  EXPECT_FALSE(m.LogoPipKeyerEnabled.has_value());
  m = MosaicModeEffectsFor(3, 0);
  EXPECT_EQ(m.LogoPipKeyerEnabled, true);
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
