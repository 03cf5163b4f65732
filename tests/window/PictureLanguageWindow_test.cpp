// The picture page's colour-temperature list on the running program, connected to the simulated
// processor: switching the language on the system page (real clicks) keeps the list on the value
// the device's refresh showed.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

using namespace std::chrono_literals;

namespace {
// Client positions at 96 dpi: the page column and the pages docked at (77, 106): the system page's language
// choices and the picture page's lists.
constexpr int PageButtonX = 37;
constexpr int PageButtonY(int index) { return 104 + 36 * index + 18; }
constexpr int PageX = 77, PageY = 106;
constexpr int EnglishX = PageX + 90, ChineseX = PageX + 230, LanguageY = PageY + 89;

// The shown line of an area ("picture lists: colour temperature 8 User" -> "8 User").
std::string ShownValue(const ProgramUnderTest& program, const std::string& prefix) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind(prefix, 0) == 0) return line.substr(prefix.size());
  return {};
}

// The item index of a "N caption" value.
std::string ItemOf(const std::string& value) { return value.substr(0, value.find(' ')); }
}  // namespace

TEST(PictureLanguageWindow, LanguageSwitchKeepsTheColourTemperatureTheDeviceShows) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  testsupport::ScratchFolder home;
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", testsupport::FreeDeviceAddress(53)}));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();

  // The device's refresh: the built-in state runs a preset picture mode, so the colour
  // temperature reads User although the layer's record holds a preset temperature.
  program.Click(PageButtonX, PageButtonY(0));
  ASSERT_TRUE(program.WaitForShown({"page: Picture Setting"}, 5s)) << program.ShownTexts();
  const std::string temperature = "picture lists: colour temperature ", mode = "picture lists: mode ";
  ASSERT_TRUE(WaitUntil([&] { return !ShownValue(program, temperature).empty(); }, 5s)) << program.ShownTexts();
  const std::string shown = ShownValue(program, temperature), shownMode = ShownValue(program, mode);
  EXPECT_EQ(shown, "8 User");
  program.SaveScreenshot(Artifact("picture_colour_temperature_english.png"));

  // Chinese, then English again, each by a click on the system page; after each the picture
  // page shows the same items (in the language's words).
  struct Switch {
    const char* language;
    int x;
    const char* shot;
  };
  for (const Switch& s : {Switch{"Chinese", ChineseX, "picture_colour_temperature_chinese.png"},
                          Switch{"English", EnglishX, "picture_colour_temperature_english_again.png"}}) {
    const std::string picturePage = ShownValue(program, "page: ");
    program.Click(PageButtonX, PageButtonY(9));
    ASSERT_TRUE(WaitUntil([&] { return ShownValue(program, "page: ") != picturePage; }, 5s)) << s.language;
    const std::string systemPage = ShownValue(program, "page: ");
    const std::string before = ShownValue(program, "language: 110 box 1052 ");
    program.Click(s.x, LanguageY);
    ASSERT_TRUE(WaitUntil([&] { return ShownValue(program, "language: 110 box 1052 ") != before; }, 5s))
        << s.language << "\n" << program.ShownTexts();
    program.Click(PageButtonX, PageButtonY(0));
    ASSERT_TRUE(WaitUntil([&] { return ShownValue(program, "page: ") != systemPage; }, 5s)) << s.language;
    EXPECT_EQ(ItemOf(ShownValue(program, temperature)), ItemOf(shown)) << s.language << "\n" << program.ShownTexts();
    EXPECT_EQ(ItemOf(ShownValue(program, mode)), ItemOf(shownMode)) << s.language;
    program.SaveScreenshot(Artifact(s.shot));
  }
  EXPECT_EQ(ShownValue(program, temperature), shown);
  EXPECT_EQ(program.Stop(), 0);
}
