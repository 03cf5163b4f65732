// The system page's pop-ups in the real program at the smallest window (1280 x 728): where they
// stand from their first showing on and after the main window moves, and a schedule task set on
// the time/task pop-up and stored by clicking Confirm, in English and in Chinese.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {
// Client positions at 96 dpi: COMM and MISC page buttons, "Search Machines", SEARCH, and the
// system page's tabs (docked at 77, 106; 80 px each).
constexpr int CommButtonX = 37, CommButtonY = 104 + 36 * 10 + 18;
constexpr int MiscButtonX = 37, MiscButtonY = 104 + 36 * 9 + 18;
constexpr int SearchMachinesX = 233, SearchMachinesY = 220;
constexpr int SearchButtonX = 772, SearchButtonY = 159;
constexpr int TabY = 106 + 26 + 16;
constexpr int TabX(int index) { return 77 + 80 * index + 40; }
// The pop-ups' place: 83 right of and 208 below the main window's corner (no window manager
// runs under the test's X server, so the window's corner is its client's), 320 x 416 down to
// 104 above the window's bottom.
constexpr int PopupLeft = 83, PopupTop = 208, PopupWidth = 320, PopupHeight = 728 - 208 - 104;


// The shown top-level window of the program whose title is `title`.
std::optional<ScreenRect> ShownWindow(const ProgramUnderTest& program, const std::string& title) {
  // By name read back, not xdotool's name search: that one misses titles in Chinese.
  std::istringstream ids(RunCommand("xdotool search --onlyvisible --pid " + std::to_string(program.ProcessId())));
  std::string id;
  while (ids >> id && RunCommand("xdotool getwindowname " + id) != title + "\n") {}
  if (!ids) return std::nullopt;
  return WindowRect(id);
}

// Waits until the pop-up titled `title` is shown at the pop-ups' place of a main window whose
// corner is at (x, y); says where it stands when it is not.
testing::AssertionResult StandsAtItsPlace(const ProgramUnderTest& program, const std::string& title, int x, int y) {
  std::optional<ScreenRect> g;
  const bool placed = WaitUntil([&] {
    g = ShownWindow(program, title);
    return g && g->X == x + PopupLeft && g->Y == y + PopupTop && g->Width == PopupWidth && g->Height == PopupHeight;
  }, 5s);
  if (placed) return testing::AssertionSuccess();
  if (!g) return testing::AssertionFailure() << title << " is not shown";
  return testing::AssertionFailure() << title << " stands at (" << g->X << ", " << g->Y << ") " << g->Width << " x "
                                     << g->Height << ", not at (" << x + PopupLeft << ", " << y + PopupTop << ")";
}

// Relative luminance of a screen colour and the contrast ratio of two, as the readability rules
// for text count them (4.5:1 is the least for text of this size).
double Luminance(const std::array<int, 3>& c) {
  const double weight[] = {0.2126, 0.7152, 0.0722};
  double sum = 0;
  for (int i = 0; i < 3; ++i) {
    const double v = c[i] / 255.0;
    sum += weight[i] * (v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4));
  }
  return sum;
}
double Contrast(const std::array<int, 3>& a, const std::array<int, 3>& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// Every task button of the time/task pop-up shown in `shot` carries its number in its caption
// colour (the current task's 0xEBEBEB, the others' black), readable on the face around it.
testing::AssertionResult TaskNumbersRead(const ProgramUnderTest& program, const std::string& shot,
                                         int current) {
  // Ten buttons of 52 x 26 in two rows of five, 58 and 30 px apart, from (18, 198) of the page.
  constexpr int Width = 58 * 4 + 52, Height = 30 + 26;
  const auto pixels =
      PixelsIn(shot, program.ScreenX() + PopupLeft + 18, program.ScreenY() + PopupTop + 198, Width, Height);
  if (pixels.empty()) return testing::AssertionFailure() << "cannot read " << shot;
  for (int task = 0; task < 10; ++task) {
    std::vector<std::array<int, 3>> inside; // within the face's rim
    for (int y = 3; y < 23; ++y)
      for (int x = 3; x < 49; ++x)
        inside.push_back(pixels[(30 * (task / 5) + y) * Width + 58 * (task % 5) + x]);
    const std::array<int, 3> caption = task == current ? std::array{235, 235, 235} : std::array{0, 0, 0};
    const bool drawn =
        std::any_of(inside.begin(), inside.end(), [&](const auto& p) { return ColourNear(p, caption, 60); });
    auto middle = inside.begin() + inside.size() / 2;
    std::nth_element(inside.begin(), middle, inside.end(),
                     [](const auto& a, const auto& b) { return Luminance(a) < Luminance(b); });
    const double ratio = Contrast(caption, *middle);
    if (!drawn || ratio < 4.5)
      return testing::AssertionFailure()
             << "task " << task + 1 << (drawn ? "" : ": no caption in its colour") << ": contrast "
             << std::round(ratio * 100) / 100 << ":1 on a face of (" << (*middle)[0] << ", " << (*middle)[1]
             << ", " << (*middle)[2] << ")";
  }
  return testing::AssertionSuccess();
}

class PopupPages : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    std::filesystem::copy(VELKAN_LANGUAGE_DIR, Home.Path() + "Language");
    for (const char* variable : {"LC_ALL", "LC_MESSAGES"}) unsetenv(variable);
    setenv("LANG", "en_US.UTF-8", 1);
  }
  void TearDown() override { SaveScreenIfFailed(); }
  testsupport::ScratchFolder Home;
};

TEST_F(PopupPages, StandAtTheirPlaceFromTheFirstShowingAndFollowTheWindow) {
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(MiscButtonX, MiscButtonY);
  // Tabs 1..3 of the system page: each pop-up's first showing.
  const char* titles[] = {"Chroma Keyer Settings", "Test Pattern", "Time/Task Management"};
  for (int tab = 1; tab <= 3; ++tab) {
    program.Click(TabX(tab), TabY);
    EXPECT_TRUE(StandsAtItsPlace(program, titles[tab - 1], program.ScreenX(), program.ScreenY()));
  }
  // The main window moves: the shown pop-up goes with it, and so does the next one shown.
  RunCommand("xdotool windowmove " + program.WindowId() + " 150 60");
  EXPECT_TRUE(StandsAtItsPlace(program, titles[2], 150, 60));
  RunCommand("xdotool mousemove " + std::to_string(150 + TabX(1)) + " " + std::to_string(60 + TabY) + " click 1");
  EXPECT_TRUE(StandsAtItsPlace(program, titles[0], 150, 60));
  EXPECT_EQ(program.Stop(), 0);
}

// One schedule task as an operator sets it: the task button, the date and time typed into the
// pickers, a preset picked from the list, an option and Confirm. Positions are the page's.
struct TaskCase {
  const char* Locale;
  const char* SearchTitle;  // the machine search page's
  const char* Title;
  int Task;              // 0..9
  const char* Date;      // typed into the date picker
  const char* Time;      // typed into the time picker
  const char* Keys;      // then pressed in it (xdotool key names; Up steps the field at the caret)
  int MinuteNotches;     // then wheel notches up over its minutes
  int Option;            // 0 Not Use, 1 Once, 2 Every Day
  std::vector<uint8_t> Stored;  // bytes 0..10 of the command: store, enable, date, time, task, preset, repeat
  const char* Shot;
};

const TaskCase TaskCases[] = {
    {"en_US.UTF-8", "Search Machines", "Time/Task Management", 2, "2027-03-14", "17:05:30", "Home Up", 0, 2, {1, 0, 27, 3, 14, 18, 5, 30, 2, 1, 2},
     "popup_task_english.png"},
    {"zh_CN.UTF-8", "搜索设备", "时间/任务管理", 9, "2030/12/31", "7:07:09", "", 1, 1, {1, 0, 30, 12, 31, 7, 8, 9, 9, 1, 1},
     "popup_task_chinese.png"},
};

class ScheduleTask : public PopupPages, public ::testing::WithParamInterface<TaskCase> {};

TEST_P(ScheduleTask, SetOnThePopupAndStoredByClickingConfirm) {
  const TaskCase& c = GetParam();
  setenv("LANG", c.Locale, 1);
  const std::string log = Home.Path() + "devsim.log";
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", testsupport::FreeDeviceAddress(53), "--log", log, "--presets-stored"}));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(CommButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({std::string("floating: ") + c.SearchTitle}, 5s)) << program.ShownTexts();
  program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "busy: hidden"}, 20s)) << program.ShownTexts();
  program.Click(SearchMachinesX, SearchMachinesY);
  program.Click(MiscButtonX, MiscButtonY);
  program.Click(TabX(3), TabY);
  ASSERT_TRUE(StandsAtItsPlace(program, c.Title, program.ScreenX(), program.ScreenY()));

  const auto click = [&](int x, int y) { program.ClickInPopup(PopupLeft + x, PopupTop + y); };
  const auto typeInto = [&](int x, int y, const std::string& text) {
    click(x, y);
    RunCommand("xdotool key ctrl+a type --delay 40 '" + text + "'");
  };
  click(18 + 58 * (c.Task % 5) + 26, 198 + 30 * (c.Task / 5) + 13);   // the task's button
  typeInto(22 + 52, 310 + 11, c.Date);
  typeInto(136 + 42, 310 + 11, c.Time);
  if (*c.Keys) RunCommand(std::string("xdotool key --delay 60 ") + c.Keys);
  if (c.MinuteNotches > 0)
    RunCommand("xdotool click --repeat " + std::to_string(c.MinuteNotches) + " --delay 60 4");
  // The preset list opens at the task's preset: rolled back to its top, its second item is preset 2.
  click(82 + 37, 282 + 10);
  RunCommand("xdotool mousemove " + std::to_string(program.ScreenX() + PopupLeft + 82 + 37) + " " +
             std::to_string(program.ScreenY() + PopupTop + 302 + 27) + " click --repeat 10 --delay 30 4");
  click(82 + 37, 302 + 27);
  click(22 + 92 * c.Option + 43, 338 + 13);
  EXPECT_TRUE(ScreenshotPasses(program, Artifact(c.Shot), [&](auto& shot) { return TaskNumbersRead(program, shot, c.Task); }));
  click(206 + 45, 370 + 14);   // Confirm

  std::vector<uint8_t> stored;
  EXPECT_TRUE(WaitUntil(
      [&] {
          for (const auto& block : testsupport::ReceivedCommands(log, 17))
              if (block[0] == 1) stored.assign(block.begin(), block.begin() + 11);
          return !stored.empty();
      },
      5s))
      << "no store-task command reached the device";
  EXPECT_EQ(stored, c.Stored);
  // The confirmed task shows lit; then, with the next task chosen, lit beside the current one.
  EXPECT_TRUE(ScreenshotPasses(program, Artifact(std::string("confirmed_") + c.Shot),
                               [&](auto& shot) { return TaskNumbersRead(program, shot, c.Task); }));
  const int next = (c.Task + 1) % 10;
  click(18 + 58 * (next % 5) + 26, 198 + 30 * (next / 5) + 13);
  EXPECT_TRUE(ScreenshotPasses(program, Artifact(std::string("next_") + c.Shot),
                               [&](auto& shot) { return TaskNumbersRead(program, shot, next); }));
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ScheduleTask, ::testing::ValuesIn(TaskCases),
                         [](const auto& info) { return std::string(info.param.Locale).substr(0, 2); });
}  // namespace
