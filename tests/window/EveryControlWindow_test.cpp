// Every page, sub-page and pop-up of the real program, reached by clicking its opener with real X
// input against the simulated processor (with an extension card), in English and in Chinese, at
// the smallest window and at 1600 x 1000: each screen keeps the rules of ShownGeometry::Faults.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/ShownGeometry.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

using namespace std::chrono_literals;

namespace {
// A control to click: the window it shows in (main, popup:<page>) and its control id; for a
// drop-down list, its last item is clicked next; for an edit, the text typed into it.
struct Opener {
  std::string Window;
  int Id;
  bool PickLastItem = false;
  std::string Type = {};
};

struct PageRow {
  const char* Name;
  std::vector<Opener> Open;   // clicked in order
  std::string Shows;          // "page <id>", "window <kind>" or "control <window> <id>" that must appear
  std::vector<Opener> Close;  // clicked after the check (optional)
  bool DeviceHeld = false;    // the device is stopped meanwhile (the busy box waits for it)
};

// The page buttons (page index order), the system page's tabs and window buttons, the
// connection page's search button, the video-window button.
const std::vector<PageRow> Rows = {
    {"main", {}, "window main", {}},
    {"picture", {{"main", 1021}}, "page 110", {}},
    {"output", {{"main", 1025}}, "page 117", {}},
    // The timing edits unfold for the custom resolution, the list's last row.
    {"output_timing", {{"main", 65472, true}, {"main", 1328}}, "control main 1100", {{"main", 1328}}},
    {"mosaic", {{"main", 1180}}, "page 120", {}},
    {"switcher", {{"main", 1245}}, "page 183", {}},
    {"pip", {{"main", 1123}}, "page 150", {}},
    {"crop", {{"main", 1126}}, "page 119", {}},
    {"logo", {{"main", 1241}}, "page 164", {}},
    {"edid", {{"main", 1179}}, "page 156", {}},
    {"edid_blanking", {{"main", 1328}}, "control main 1114", {{"main", 1328}}},
    {"system", {{"main", 1244}}, "page 158", {}},
    {"keyer", {{"main", 1506}}, "window popup:154", {}},
    {"test_pattern", {{"main", 1507}}, "window popup:152", {}},
    {"caption", {{"popup:152", 1515}}, "window popup:1514", {}},
    {"caption_advanced", {{"popup:1514", 1530}}, "control popup:1514 1356", {{"popup:1514", 1530}, {"popup:1514", 1002}}},
    {"time_task", {{"main", 1508}}, "window popup:162", {{"main", 1505}}},
    {"video_setting", {{"main", 1547}}, "page 1533", {{"main", 1547}}},
    {"media_player", {{"main", 1574}}, "page 1563", {{"main", 1574}}},
    {"feathering", {{"main", 1593}}, "page 184", {{"main", 1593}}},
    {"busy", {{"main", 1480}}, "window busy", {}, true},
    {"connection", {{"main", 1178}}, "page 127", {}},
    {"search", {{"main", 1190}}, "page 179", {{"main", 1190}}},
    {"preview_window", {{"main", 1564}}, "window popup:1559", {{"main", 1564}}},
};

// The VGA page needs a VGA source, which leaves no room for the extension card: it has a run of
// its own.
const std::vector<PageRow> VgaRows = {
    {"vga", {{"main", 1183}}, "page 160", {}},
    {"vga_adc", {{"main", 1368, false, "5807"}, {"main", 1372}}, "control main 1186", {{"main", 1440}}},
};

struct Setting {
  const char* Language;
  int Width, Height;
  const char* Card;  // the devsim option that puts in the card the pages need
  const std::vector<PageRow>* Walk;
};

// Named in test output by language, width and card rather than by its bytes.
void PrintTo(const Setting& s, std::ostream* os) { *os << s.Language << " " << s.Width << "x" << s.Height << " " << s.Card; }

class EveryControl : public testing::TestWithParam<Setting> {};

ShownGeometry ReadGeometry(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  return ShownGeometry::Parse(all.str());
}

bool Shows(const ShownGeometry& g, const std::string& what) {
  if (what.rfind("page ", 0) == 0) return g.HasPage(what.substr(5));
  if (what.rfind("control ", 0) == 0) {
    std::istringstream words(what.substr(8));
    std::string window;
    int id = 0;
    words >> window >> id;
    return g.Control(window, id) != nullptr;
  }
  return g.Window(what.substr(7)) != nullptr;
}

// Clicks the centre of a shown control as an operator would; false when it is not shown.
bool ClickOn(const std::string& geometry, const Opener& o) {
  GeoControl at;
  const bool shown = WaitUntil([&] {
    const ShownGeometry g = ReadGeometry(geometry);
    const GeoControl* c = g.Control(o.Window, o.Id);
    if (c) at = *c;
    return c != nullptr;
  }, 3s);
  if (!shown) return false;
  RunCommand("xdotool mousemove " + std::to_string(at.Rect.X + at.Rect.W / 2) + " " +
             std::to_string(at.Rect.Y + at.Rect.H / 2) + " click 1");
  std::this_thread::sleep_for(400ms);
  if (!o.Type.empty()) {
    RunCommand("xdotool key ctrl+a type --delay 40 '" + o.Type + "'");
    std::this_thread::sleep_for(300ms);
  }
  if (o.PickLastItem) {
    GeoRect list;
    const bool open = WaitUntil([&] {
      for (const auto& [id, r] : ReadGeometry(geometry).Popups)
        if (id == o.Id) list = r;
      return !list.Empty();
    }, 3s);
    if (!open) return false;
    // Scrolled to its end first, as a long list shows only part of its rows.
    RunCommand("xdotool mousemove " + std::to_string(list.X + 20) + " " + std::to_string(list.Bottom() - 8) +
               " click --repeat 12 --delay 30 5 sleep 0.3 click 1");
    std::this_thread::sleep_for(400ms);
  }
  return true;
}
}  // namespace

TEST_P(EveryControl, EveryPageKeepsItsControlsInReachAndReadable) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  const Setting setting = GetParam();
  testsupport::ScratchFolder home;
  const std::string geometry = home.Path() + "geometry.txt";
  setenv("VELKAN_GEOMETRY", geometry.c_str(), 1);
  testsupport::DevsimProcess devsim;
  std::vector<std::string> devsimArgs = {"--device", testsupport::FreeDeviceAddress(53)};
  if (std::string(setting.Card) == "ext") devsimArgs.insert(devsimArgs.end(), {"--ext-card", "hdmi"});
  if (std::string(setting.Card) == "vga") devsimArgs.insert(devsimArgs.end(), {"--ext-card", "none", "--vga-card"});
  ASSERT_TRUE(devsim.Start(devsimArgs));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  const std::string size = std::to_string(setting.Width) + "x" + std::to_string(setting.Height);
  RunCommand("xdotool windowsize " + program.WindowId() + " " + std::to_string(setting.Width) + " " +
             std::to_string(setting.Height));
  const auto windowIs = [&](const std::string& box) {
    return WaitUntil([&] {
      const ShownGeometry g = ReadGeometry(geometry);
      const GeoWindow* w = g.Window("main");
      return w && std::to_string(w->Visible.W) + "x" + std::to_string(w->Visible.H) == box;
    }, 5s);
  };
  ASSERT_TRUE(windowIs(size));

  // Connect through the machine search, then the language of this run.
  ASSERT_TRUE(ClickOn(geometry, {"main", 1178}));
  ASSERT_TRUE(ClickOn(geometry, {"main", 1190}));
  ASSERT_TRUE(ClickOn(geometry, {"main", 1191}));
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "busy: hidden"}, 20s)) << program.ShownTexts();
  if (std::string(setting.Card) == "ext") {
    ASSERT_TRUE(program.WaitForShown({"extcard: shown"}, 10s));
  }
  ASSERT_TRUE(ClickOn(geometry, {"main", 1190}));
  if (std::string(setting.Language) == "chinese") {
    ASSERT_TRUE(ClickOn(geometry, {"main", 1244}));
    ASSERT_TRUE(ClickOn(geometry, {"main", 1252}));
  }
  // Back to the bare main window: the shown page's button hides it.
  const ShownGeometry start = ReadGeometry(geometry);
  if (start.HasPage("158")) ClickOn(geometry, {"main", 1244});
  if (start.HasPage("127")) ClickOn(geometry, {"main", 1178});

  std::vector<PageRow> rows = {Rows.front()};
  rows.insert(rows.end(), setting.Walk->begin() + (setting.Walk == &Rows ? 1 : 0), setting.Walk->end());
  for (const PageRow& row : rows) {
    SCOPED_TRACE(std::string(row.Name) + " " + setting.Language + " " + size + " " + setting.Card);
    if (row.DeviceHeld) kill(devsim.Pid(), SIGSTOP);
    bool reached = true;
    for (const Opener& o : row.Open) reached = reached && ClickOn(geometry, o);
    EXPECT_TRUE(reached) << "an opener of " << row.Name << " is not shown";
    ShownGeometry g;
    EXPECT_TRUE(WaitUntil([&] { return Shows(g = ReadGeometry(geometry), row.Shows); }, 5s))
        << row.Name << " did not open";
    std::this_thread::sleep_for(600ms);  // the next record, after the page has settled
    g = ReadGeometry(geometry);
    const std::string shot = "walk_" + std::string(setting.Language) + "_" + size + "_" + setting.Card + "_" + row.Name;
    program.SaveScreenshot(Artifact(shot + ".png"));
    // The record beside the screenshot is for a reader: a copy that fails loses only that record.
    std::ofstream(Artifact(shot + ".txt")) << std::ifstream(geometry).rdbuf();
    std::string faults;
    for (const auto& f : g.Faults()) faults += "\n  " + f;
    EXPECT_TRUE(faults.empty()) << row.Name << ":" << faults;
    if (row.DeviceHeld) {
      kill(devsim.Pid(), SIGCONT);
      EXPECT_TRUE(WaitUntil([&] { return !ReadGeometry(geometry).Window("busy"); }, 30s)) << "the busy box stays";
    }
    for (const Opener& o : row.Close) EXPECT_TRUE(ClickOn(geometry, o)) << "a closer of " << row.Name;
  }
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndSizes, EveryControl,
                         testing::Values(Setting{"english", 1280, 728, "ext", &Rows},
                                         Setting{"chinese", 1280, 728, "ext", &Rows},
                                         Setting{"english", 1600, 1000, "ext", &Rows},
                                         Setting{"chinese", 1600, 1000, "ext", &Rows},
                                         Setting{"english", 1280, 728, "vga", &VgaRows},
                                         Setting{"chinese", 1280, 728, "vga", &VgaRows}),
                         [](const testing::TestParamInfo<Setting>& info) {
                           return std::string(info.param.Language) + "_" + std::to_string(info.param.Width) + "_" +
                                  info.param.Card;
                         });
