#include "mainwnd/PageSwitcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class RecordingHost : public PageHost {
 public:
  std::vector<std::string> Log;
  void ShowPageWindow(int i, bool show) override { Log.push_back((show ? "show " : "hide ") + std::to_string(i)); }
  void SetPageButtonLit(int i, bool lit) override { Log.push_back((lit ? "lit " : "unlit ") + std::to_string(i)); }
  void SetPageButtonChecked(int i, bool c) override { Log.push_back((c ? "check " : "uncheck ") + std::to_string(i)); }
  void LayoutPageArea() override { Log.push_back("layout"); }
};
using Log = std::vector<std::string>;
}  // namespace

TEST(PageSwitcher, PageTableMatchesTheButtons) {
  const int ids[PageCount] = {1021, 1025, 1180, 1245, 1123, 1126, 1241, 1179, 1183, 1244, 1178};
  const char* captions[PageCount] = {"PICTURE", "OUTPUT", "MOSAIC", "KEYER", "PIP", "CROP",
                                     "LOGO", "EDID", "VGA ADJ.", "MISC", "COMM"};
  for (int i = 0; i < PageCount; ++i) {
    EXPECT_EQ(PageButtons[i].ControlId, ids[i]);
    EXPECT_STREQ(PageButtons[i].Caption, captions[i]);
  }
  EXPECT_EQ(static_cast<int>(PageIndex::Connect), 10);
  EXPECT_EQ(static_cast<int>(PageIndex::Switcher), 3);
}

TEST(PageSwitcher, FirstPageMakesRoomThenShows) {
  RecordingHost h;
  PageSwitcher p(h);
  EXPECT_EQ(p.CurrentPage(), NoPage);
  p.ShowPage(10, true);
  EXPECT_EQ(h.Log, (Log{"layout", "show 10", "lit 10"}));
  EXPECT_EQ(p.CurrentPage(), 10);
}

TEST(PageSwitcher, AnotherPageSwitchesWithoutLayout) {
  RecordingHost h;
  PageSwitcher p(h);
  p.ShowPage(1, true);
  h.Log.clear();
  p.ShowPage(4, true);
  EXPECT_EQ(h.Log, (Log{"hide 1", "unlit 1", "show 4", "lit 4"}));
  EXPECT_EQ(p.CurrentPage(), 4);
}

TEST(PageSwitcher, SamePageTogglesOffAndGivesTheWidthBack) {
  RecordingHost h;
  PageSwitcher p(h);
  p.ShowPage(2, true);
  h.Log.clear();
  p.ShowPage(2, false);
  EXPECT_TRUE(h.Log.empty());
  p.ShowPage(2, true);
  EXPECT_EQ(h.Log, (Log{"hide 2", "unlit 2", "layout"}));
  EXPECT_EQ(p.CurrentPage(), NoPage);
}

TEST(PageSwitcher, IndexAboveTenOnlyHidesTheShownPage) {
  RecordingHost h;
  PageSwitcher p(h);
  p.ShowPage(0, true);
  h.Log.clear();
  p.ShowPage(11, true);
  EXPECT_EQ(h.Log, (Log{"hide 0", "unlit 0"}));
}

TEST(PageSwitcher, ButtonClickUnchecksTheShownPageFirst) {
  RecordingHost h;
  PageSwitcher p(h);
  p.OnPageButton(9);
  h.Log.clear();
  p.OnPageButton(10);
  EXPECT_EQ(h.Log, (Log{"uncheck 9", "hide 9", "unlit 9", "show 10", "lit 10"}));
}

TEST(PageSwitcher, ClosedPageUnlitsItsButtonAndLaysOut) {
  RecordingHost h;
  PageSwitcher p(h);
  p.OnPageClosed();
  EXPECT_TRUE(h.Log.empty());
  p.ShowPage(5, true);
  h.Log.clear();
  p.OnPageClosed();
  EXPECT_EQ(h.Log, (Log{"unlit 5", "uncheck 5", "layout"}));
  EXPECT_EQ(p.CurrentPage(), NoPage);
}
