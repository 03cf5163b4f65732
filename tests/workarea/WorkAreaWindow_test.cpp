// The real program against the simulated processor: after the connection the canvas shows the
// device's layer windows, the preview runs in the layer cells, and a drag of a PIP on the
// canvas reaches the device as its new layer window. The floating pages lie over the working
// area with no video view over them; the wheel and the right button work over the layer cells.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "tools/devsim/SimDevice.h"
#include "tools/devsim/StateLayout.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ScratchFolder;

namespace {
// Client positions at 96 dpi. With a page docked the working area is (397, 106) .. (1256, 587) of the 1280 x
// 728 client; the layer rows and TAKE stand under it, down to 632.
constexpr int AreaX = 397, AreaY = 106, AreaRight = 1256, AreaBottom = 587, RowsBottom = 632;
// The MISC page button; on that page, the Video Setting and Feathering buttons.
constexpr int MiscButtonX = 37, MiscButtonY = 104 + 36 * 9 + 18;
constexpr int VideoSettingX = 77 + 11 + 48, FeatheringX = 77 + 213 + 48, WindowButtonsY = 106 + 484 + 14;
// On the Video Setting page (over the working area): the Quality list and its first item.
constexpr int QualityX = 600, QualityY = 173, FirstQualityItemY = 193;

void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

struct Window {
  uint8_t enable, source;
  int x, y, w, h;
};

// The device's state: the built-in one with these layer windows (and this mosaic mode).
std::string WriteState(const std::string& home, const Window (&windows)[4], uint32_t mosaicMode = 0) {
  devsim::StateBlock block = devsim::BuiltinStateBlock();
  PutU32(block.data() + devsim::layout::kMosaicMode, mosaicMode);
  for (size_t layer = 0; layer < 4; ++layer) {
    uint8_t* w = block.data() + devsim::layout::kLayerWindow + devsim::layout::kLayerWindowSize * layer;
    w[0] = windows[layer].enable;
    w[2] = windows[layer].source;
    PutU32(w + 4, static_cast<uint32_t>(windows[layer].x));
    PutU32(w + 8, static_cast<uint32_t>(windows[layer].y));
    PutU32(w + 12, static_cast<uint32_t>(windows[layer].w));
    PutU32(w + 16, static_cast<uint32_t>(windows[layer].h));
  }
  const std::string path = home + "state.bin";
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(block.data()),
                                              static_cast<std::streamsize>(block.size()));
  return path;
}

// Layer-window commands (4) the device received for a layer: X of each, in order.
std::vector<int> LayerWindowXs(const std::string& log, int layer) {
  std::vector<int> xs;
  for (const auto& block : testsupport::ReceivedCommands(log, 4))
      if (block[0] == layer) xs.push_back(block[1] | (block[2] << 8));
  return xs;
}

// Commands of a number the device received, with their first argument byte.
std::vector<int> CommandArguments(const std::string& log, int command) {
  std::vector<int> args;
  for (const auto& block : testsupport::ReceivedCommands(log, static_cast<uint32_t>(command)))
      args.push_back(block[0]);
  return args;
}

bool IsRed(const std::array<int, 3>& rgb) { return rgb[0] > 180 && rgb[1] < 80 && rgb[2] < 80; }
// The canvas's own light grey, where no video view lies.
bool IsCanvasGrey(const std::array<int, 3>& rgb) {
  return std::abs(rgb[0] - 241) <= 6 && std::abs(rgb[1] - 240) <= 6 && std::abs(rgb[2] - 238) <= 6;
}
// A page's dark skin: neither the light canvas nor a picture.
bool IsPageDark(const std::array<int, 3>& rgb) {
  return rgb[0] >= 0 && rgb[0] < 100 && rgb[1] < 100 && rgb[2] < 100;
}

// How many pixels of a screen rectangle differ between two screenshots.
long DifferingPixels(const std::string& a, const std::string& b, int x, int y, int w, int h) {
  const std::string crop = "[" + std::to_string(w) + "x" + std::to_string(h) + "+" + std::to_string(x) + "+" +
                           std::to_string(y) + "]";
  const std::string out = RunCommand("compare -metric AE '" + a + crop + "' '" + b + crop + "' null: 2>&1");
  return out.empty() || !std::isdigit(static_cast<unsigned char>(out[0])) ? -1 : std::atol(out.c_str());
}

// An environment variable set for the program started meanwhile, and put back afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : Name(name) {
    if (const char* old = std::getenv(name)) Old = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (Old) setenv(Name, Old->c_str(), 1);
    else unsetenv(Name);
  }

 private:
  const char* Name;
  std::optional<std::string> Old;
};

// Opens the canvas's context menu with the right button at a client position; true once it shows
// its item with this text (a slow start of the menu is given a second and a third try).
bool OpenCanvasMenu(const ProgramUnderTest& program, int x, int y, const std::string& item) {
  for (int attempt = 0; attempt < 3; ++attempt) {
    // (xdotool's --sync would wait for a move that never comes when the pointer is there.)
    RunCommand("xdotool mousemove " + std::to_string(program.ScreenX() + x) + " " +
               std::to_string(program.ScreenY() + y) + " sleep 0.2 click 3");
    if (program.WaitForShown({"menu: " + item}, 3s)) {
      std::this_thread::sleep_for(700ms);
      return true;
    }
    RunCommand("xdotool key Escape");
  }
  return false;
}

// The colour of a screen pixel.
std::array<int, 3> ScreenPixel(int x, int y) {
  const std::string text = RunCommand("import -window root -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
                                      " +repage -depth 8 txt:- 2>/dev/null");
  const size_t hash = text.find('#', text.find('\n'));
  if (hash == std::string::npos || text.size() < hash + 7) return {-1, -1, -1};
  const unsigned long rgb = std::stoul(text.substr(hash + 1, 6), nullptr, 16);
  return {int(rgb >> 16 & 0xFF), int(rgb >> 8 & 0xFF), int(rgb & 0xFF)};
}


// "<prefix>N" from the shown line that starts with the prefix; -1 without one.
int ShownNumber(const std::string& shown, const std::string& prefix) {
  const size_t at = shown.find("\n" + prefix);
  return at == std::string::npos ? -1 : std::atoi(shown.c_str() + at + 1 + prefix.size());
}

std::string CanvasLine(const std::string& shown, const std::string& start) {
  std::istringstream in(shown);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("canvas: " + start, 0) == 0) return line;
  return {};
}

class WorkAreaWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
  void TearDown() override { SaveScreenIfFailed(); }
  ScratchFolder Home;
};

TEST_F(WorkAreaWindowTest, CanvasShowsTheDevicesLayersRunsThePreviewAndSendsADrag) {
  const Window windows[4] = {{1, 1, 0, 0, 1920, 1080},
                             {1, 0, 1200, 120, 640, 360},
                             {1, 4, 120, 600, 480, 270},
                             {0, 3, 960, 540, 960, 540}};
  const std::string state = WriteState(Home.Path(), windows);
  const std::string a = FreeDeviceAddress(31);
  const std::string log = Home.Path() + "devsim.log";
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", a, "--log", log, "--state", state, "--preview",
                            std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions below are those of a 96-dpi screen";
  // Before any device: the default canvas, frame 0 where the output begins, no preview.
  EXPECT_TRUE(program.WaitForShown({"canvas: frame 0 [OUTPUT:DVI-1] 125,198 1920x1080 shown",
                                    "canvas: zoom 6.0 preview off"}, 10s))
      << program.ShownTexts();

  // One machine answers the search: it becomes the controlled one and its state is read.
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();

  // The cells are the device's layer windows, labelled with their inputs; PIP-3 is off.
  EXPECT_TRUE(program.WaitForShown({"canvas: layer 0 [Main : HDMI-1] 0,0 1920x1080 shown",
                                    "canvas: layer 1 [PIP-1 : DVI-1] 1200,120 640x360 shown",
                                    "canvas: layer 2 [PIP-2 : DP-1] 120,600 480x270 shown",
                                    "canvas: layer 3 [PIP-3 : HDMI-2] 960,540 960x540 hidden",
                                    "canvas: frame 0 [OUTPUT:DVI-1] 125,198 1920x1080 shown",
                                    "output: MAIN HDMI-1", "output: PIP-2 DP-1"},
                                   15s))
      << program.ShownTexts();
  // The device reported its preview on: the channels run and the cells show its pictures.
  EXPECT_TRUE(program.WaitForShown({"canvas: zoom 6.0 preview on"}, 10s)) << program.ShownTexts();
  std::this_thread::sleep_for(1500ms);
  program.SaveScreenshot(Artifact("workarea_connected.png"));

  // Drag PIP-2 30 canvas pixels to the right: at zoom 6 that is 180 output pixels.
  const int cellX = AreaX + (125 + 120) / 6 + 40, cellY = AreaY + (198 + 600) / 6 + 22;
  const size_t before = LayerWindowXs(log, 2).size();
  RunCommand("xdotool mousemove --sync " + std::to_string(program.ScreenX() + cellX) + " " +
             std::to_string(program.ScreenY() + cellY) + " mousedown 1 sleep 0.2 mousemove_relative --sync 10 0" +
             " sleep 0.1 mousemove_relative --sync 10 0 sleep 0.1 mousemove_relative --sync 10 0 sleep 0.2 "
             "mouseup 1");
  ASSERT_TRUE(WaitUntil([&] { return LayerWindowXs(log, 2).size() > before; }, 5s));
  const int sentX = LayerWindowXs(log, 2).back();
  EXPECT_GE(sentX, 120 + 150);
  EXPECT_LE(sentX, 120 + 210);
  // The device's answer keeps the canvas where the drag left it.
  EXPECT_TRUE(WaitUntil([&] {
    return CanvasLine(program.ShownTexts(), "layer 2 ") ==
           "canvas: layer 2 [PIP-2 : DP-1] " + std::to_string(sentX) + ",600 480x270 shown";
  }, 5s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("workarea_dragged.png"));

  // Video Setting and Feathering lie over the working area, on its rectangle as placed beside a
  // page, and no video view draws over them while the preview runs: where MAIN and PIP-1 showed
  // their pictures the page is seen, as in the area's corners. The rows under the area stay
  // where they were, and the views come back when the pages go.
  const int pipX = AreaX + (125 + 1200 + 320) / 6, pipY = AreaY + (198 + 120 + 180) / 6;
  const int mainX = AreaX + (125 + 300) / 6, mainY = AreaY + (198 + 300) / 6;
  const std::string unopened = Artifact("workarea_before_pages.png");
  ASSERT_TRUE(WaitUntil([&] {
    program.SaveScreenshot(unopened);
    return IsRed(PixelAt(unopened, program.ScreenX() + pipX, program.ScreenY() + pipY));
  }, 5s)) << "PIP-1 shows no picture";
  program.Click(MiscButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
  struct Probe {
    const char* what;
    int x, y;
  };
  const Probe covered[] = {{"the area's top-left corner", AreaX + 2, AreaY + 2},
                           {"the area's bottom-right corner", AreaRight - 3, AreaBottom - 3},
                           {"MAIN's picture", mainX, mainY},
                           {"PIP-1's picture", pipX, pipY}};
  const std::pair<int, std::string> floating[] = {{VideoSettingX, "Video Display Setting"}, {FeatheringX, "Feathering"}};
  for (const auto& [x, title] : floating) {
    program.Click(x, WindowButtonsY);
    ASSERT_TRUE(program.WaitForShown({"floating: " + title}, 5s)) << program.ShownTexts();
    const std::string shot =
        Artifact(x == VideoSettingX ? "video_setting_over_working_area.png" : "feathering_over_working_area.png");
    std::string seen;
    EXPECT_TRUE(WaitUntil([&] {
      program.SaveScreenshot(shot);
      seen.clear();
      for (const Probe& p : covered) {
        const auto rgb = PixelAt(shot, program.ScreenX() + p.x, program.ScreenY() + p.y);
        if (!IsPageDark(rgb)) seen += std::string(p.what) + " shows " + std::to_string(rgb[0]) + "," +
                                      std::to_string(rgb[1]) + "," + std::to_string(rgb[2]) + "; ";
      }
      return seen.empty();
    }, 5s)) << title << ": " << seen;
    EXPECT_EQ(DifferingPixels(unopened, shot, program.ScreenX() + AreaX, program.ScreenY() + AreaBottom + 1,
                              AreaRight - AreaX, RowsBottom - AreaBottom - 1), 0)
        << title << " moved the rows under the working area";
    if (x != VideoSettingX) continue;
    // The page's controls take the clicks where MAIN's view lies under them: the Quality list
    // opens (its first item lit), and the same item chosen again closes it.
    program.Click(QualityX, QualityY);
    const std::string list = Artifact("video_setting_quality_list.png");
    EXPECT_TRUE(WaitUntil([&] {
      program.SaveScreenshot(list);
      const auto item = PixelAt(list, program.ScreenX() + QualityX, program.ScreenY() + FirstQualityItemY);
      return item[0] > 200 && item[1] > 200 && item[2] > 200;
    }, 5s)) << "the Quality list did not open";
    program.ClickInPopup(QualityX, FirstQualityItemY);
  }
  // One of these pages at a time: Feathering's button took Video Setting away; it goes itself.
  program.Click(FeatheringX, WindowButtonsY);
  ASSERT_TRUE(program.WaitForShown({"floating: none"}, 5s)) << program.ShownTexts();
  const std::string after = Artifact("workarea_pages_gone.png");
  EXPECT_TRUE(WaitUntil([&] {
    program.SaveScreenshot(after);
    return IsRed(PixelAt(after, program.ScreenX() + pipX, program.ScreenY() + pipY));
  }, 5s)) << "PIP-1's picture did not come back";
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(WorkAreaWindowTest, VideoWindowTopButtonsAndLockOutputInAFourPanelMosaic) {
  const Window windows[4] = {
      {1, 1, 0, 0, 1920, 1080}, {1, 0, 0, 0, 1920, 1080}, {1, 4, 0, 0, 1920, 1080}, {1, 3, 0, 0, 1920, 1080}};
  const std::string state = WriteState(Home.Path(), windows, 5);
  const std::string a = FreeDeviceAddress(32);
  const std::string log = Home.Path() + "devsim.log";
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", a, "--log", log, "--state", state, "--preview",
                            std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions below are those of a 96-dpi screen";
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();

  // Four panels: four frames in 2 x 2, Lock Output offered and on; the keyer and the logo are
  // out of reach, the multi-machine mode is not (a network link).
  ASSERT_TRUE(program.WaitForShown(
      {"canvas: frame 1 [OUTPUT:DVI-2] 2045,198 1920x1080 shown",
       "canvas: frame 3 [OUTPUT:DVI-4] 2045,1278 1920x1080 shown", "canvas: frames locked", "controls: Lock Output on",
       "disabled: LOGO", "disabled: MISC Keyer", "disabled: keyer page", "canvas: zoom 6.0 preview on"},
      15s))
      << program.ShownTexts();
  EXPECT_FALSE(program.Shows("disabled: MISC TEST PATTERN"));
  EXPECT_FALSE(program.Shows("disabled: Multi-Machine"));

  // The video-window button (left of the Sync Mode group) opens the preview window, whose
  // panes show the device's stream: quadrant 1 red, quadrant 3 blue.
  program.Click(1056, 53);
  ASSERT_TRUE(program.WaitForShown({"video window: shown"}, 5s)) << program.ShownTexts();
  std::array<int, 2> at{-1, -1};
  ASSERT_TRUE(WaitUntil([&] { return (at = WindowOfSize(program.ProcessId(), 760, 560))[0] >= 0; }, 5s))
      << program.ShownTexts();
  // The panes of a 760 x 560 window: the right column from x 380, 370 wide; rows from y 46 and
  // 313, 247 high.
  EXPECT_TRUE(WaitUntil(
      [&] {
        const auto red = ScreenPixel(at[0] + 380 + 185, at[1] + 46 + 123),
                   blue = ScreenPixel(at[0] + 380 + 185, at[1] + 313 + 123);
        return red[0] > 200 && red[1] < 60 && red[2] < 60 && blue[0] < 60 && blue[1] < 60 && blue[2] > 200;
      },
      10s))
      << "the preview window at " << at[0] << "," << at[1] << " shows no stream";
  program.SaveScreenshot(Artifact("video_window.png"));

  // "Top Set" from the canvas's menu shows TOP-M..TOP-3; TOP-1 picks PIP-1, and the next input
  // chosen goes to PIP-1.
  // (A slow start of the menu can miss the keys: the menu is asked for again.)
  bool topShown = false;
  for (int attempt = 0; attempt < 3 && !topShown; ++attempt) {
    RunCommand("xdotool windowraise " + program.WindowId() + " mousemove --sync " +
               std::to_string(program.ScreenX() + 1100) + " " + std::to_string(program.ScreenY() + 560) + " click 3");
    std::this_thread::sleep_for(1s);
    RunCommand("xdotool key Down Return");
    topShown = program.WaitForShown({"controls: TOP buttons shown"}, 3s);
  }
  ASSERT_TRUE(topShown) << program.ShownTexts();
  std::this_thread::sleep_for(500ms);
  program.SaveScreenshot(Artifact("top_buttons.png"));
  program.ClickInPopup(626, 126 + 76 + 35);
  EXPECT_TRUE(program.WaitForShown({"source: PIP-1 DVI-1"}, 5s)) << program.ShownTexts();
  EXPECT_FALSE(program.Shows("controls: TOP buttons shown"));
  const size_t sourcesBefore = CommandArguments(log, 7).size();
  program.Click(265, 37);  // HDMI-1
  ASSERT_TRUE(WaitUntil([&] { return CommandArguments(log, 7).size() > sourcesBefore; }, 5s));
  EXPECT_EQ(CommandArguments(log, 7).back(), 1);

  // Lock Output off: the frames become solid and draggable, the layer cells step aside.
  program.Click(826, 618);
  ASSERT_TRUE(program.WaitForShown({"controls: Lock Output off", "canvas: frames movable"}, 5s))
      << program.ShownTexts();
  for (int layer = 0; layer < 4; ++layer) {
    const std::string line = CanvasLine(program.ShownTexts(), "layer " + std::to_string(layer) + " ");
    EXPECT_NE(line.find(" hidden"), std::string::npos) << line;
  }
  std::this_thread::sleep_for(500ms);
  const std::string unlocked = Artifact("mosaic_lock_output_off.png");
  program.SaveScreenshot(unlocked);
  // A solid frame's green name stands on black, not on the frame's blue: just under the text of
  // "OUTPUT:DVI-1" at frame 0's bottom right (canvas 300, 211).
  const auto underName = PixelAt(unlocked, program.ScreenX() + AreaX + 300, program.ScreenY() + AreaY + 211);
  EXPECT_TRUE(underName[0] >= 0 && underName[0] < 40 && underName[1] < 40 && underName[2] < 40)
      << underName[0] << "," << underName[1] << "," << underName[2];
  // Frame 1 dragged 30 canvas pixels up and right stays there (180 output pixels at zoom 6).
  const int frameX = AreaX + 2045 / 6 + 160, frameY = AreaY + 198 / 6 + 90;
  RunCommand("xdotool mousemove --sync " + std::to_string(program.ScreenX() + frameX) + " " +
             std::to_string(program.ScreenY() + frameY) + " mousedown 1 sleep 0.2 mousemove_relative --sync -- 10 -10" +
             " sleep 0.1 mousemove_relative --sync -- 10 -10 sleep 0.1 mousemove_relative --sync -- 10 -10 "
             "sleep 0.2 mouseup 1");
  EXPECT_TRUE(WaitUntil(
      [&] {
        const std::string line = CanvasLine(program.ShownTexts(), "frame 1 ");
        const int x = std::atoi(line.c_str() + line.find("] ") + 2);
        return x >= 2045 + 150 && x <= 2045 + 210;
      },
      5s))
      << program.ShownTexts();

  // Moving the window re-places the video views, there and back; the layers stay hidden.
  for (const int dx : {30, 0}) {
    const int placed = ShownNumber(program.ShownTexts(), "views: placed ");
    RunCommand("xdotool windowmove " + program.WindowId() + " " + std::to_string(program.ScreenX() + dx) + " " +
               std::to_string(program.ScreenY()));
    EXPECT_TRUE(WaitUntil([&] { return ShownNumber(program.ShownTexts(), "views: placed ") > placed; }, 5s))
        << program.ShownTexts();
    for (int layer = 0; layer < 4; ++layer) {
      const std::string line = CanvasLine(program.ShownTexts(), "layer " + std::to_string(layer) + " ");
      EXPECT_NE(line.find(" hidden"), std::string::npos) << line;
    }
  }

  // Locked again: the layers come back, the frames are outlines.
  program.Click(826, 618);
  EXPECT_TRUE(program.WaitForShown({"controls: Lock Output on", "canvas: frames locked"}, 5s)) << program.ShownTexts();
  EXPECT_NE(CanvasLine(program.ShownTexts(), "layer 1 ").find(" shown"), std::string::npos);
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(WorkAreaWindowTest, WheelAndMenuReachTheCanvasOverTheLayerCellsAndTheTopButtonsSpeakChinese) {
  // A Chinese operator's system.
  const ScopedEnv lang("LANG", "zh_CN.UTF-8"), all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr);
  const Window windows[4] = {{1, 1, 0, 0, 1920, 1080},
                             {1, 0, 1200, 120, 640, 360},
                             {0, 4, 120, 600, 480, 270},
                             {0, 3, 960, 540, 960, 540}};
  const std::string state = WriteState(Home.Path(), windows);
  const std::string a = FreeDeviceAddress(33);
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", a, "--state", state, "--preview",
                            std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions below are those of a 96-dpi screen";
  ASSERT_TRUE(program.ConnectBySearch("搜索设备")) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"canvas: layer 0 [Main : HDMI-1] 0,0 1920x1080 shown",
                                    "canvas: layer 1 [PIP-1 : DVI-1] 1200,120 640x360 shown",
                                    "canvas: zoom 6.0 preview on"},
                                   15s))
      << program.ShownTexts();

  // Over each layer cell the pointer rests on its video view (its picture is there, not the
  // canvas); Ctrl + wheel zooms the canvas all the same, and the right button opens its menu.
  struct Cell {
    const char* name;
    int x, y;
  };
  const Cell cells[] = {{"MAIN", AreaX + (125 + 300) / 6, AreaY + (198 + 300) / 6},
                        {"PIP-1", AreaX + (125 + 1200 + 320) / 6, AreaY + (198 + 120 + 180) / 6}};
  for (const Cell& cell : cells) {
    SCOPED_TRACE(cell.name);
    const std::string shot = Artifact(std::string("wheel_over_") + cell.name + ".png");
    std::array<int, 3> rgb{};
    ASSERT_TRUE(WaitUntil([&] {
      program.SaveScreenshot(shot);
      rgb = PixelAt(shot, program.ScreenX() + cell.x, program.ScreenY() + cell.y);
      return rgb[0] >= 0 && !IsCanvasGrey(rgb);
    }, 5s)) << "no picture under the pointer: " << rgb[0] << "," << rgb[1] << "," << rgb[2];
    const std::string at =
        std::to_string(program.ScreenX() + cell.x) + " " + std::to_string(program.ScreenY() + cell.y);
    RunCommand("xdotool windowraise " + program.WindowId() + " mousemove --sync " + at +
               " keydown ctrl click 4 keyup ctrl");
    EXPECT_TRUE(program.WaitForShown({"canvas: zoom 5.5 preview on"}, 5s)) << program.ShownTexts();
    RunCommand("xdotool keydown ctrl click 5 keyup ctrl");
    EXPECT_TRUE(program.WaitForShown({"canvas: zoom 6.0 preview on"}, 5s)) << program.ShownTexts();
    ASSERT_TRUE(OpenCanvasMenu(program, cell.x, cell.y, "置顶")) << program.ShownTexts();
    RunCommand("xdotool key Escape");
    EXPECT_TRUE(program.WaitForShown({"menu: none"}, 5s)) << program.ShownTexts();
  }

  // "置顶" (Top Set) over PIP-1 brings the TOP buttons, captioned from the Chinese file.
  ASSERT_TRUE(OpenCanvasMenu(program, cells[1].x, cells[1].y, "置顶")) << program.ShownTexts();
  RunCommand("xdotool key Down Return");
  ASSERT_TRUE(program.WaitForShown({"controls: TOP buttons shown", "language: 102 1446 置顶-M",
                                    "language: 102 1447 置顶-1", "language: 102 1448 置顶-2",
                                    "language: 102 1449 置顶-3"},
                                   5s))
      << program.ShownTexts();
  std::this_thread::sleep_for(500ms);
  program.SaveScreenshot(Artifact("top_buttons_chinese.png"));
  EXPECT_EQ(program.Stop(), 0);
}

}  // namespace
