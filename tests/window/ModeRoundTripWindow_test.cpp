// Modes an operator switches on and off again, on the real program against the simulated
// processor: each row is a sequence of operator steps (clicks, keys, drags, device events), and
// after every row the program must be as usable as the mode it ends in allows: a drag of PIP-1
// and of MAIN on the working area reaches the device as that layer's window, TOP raises the
// layer it names, the canvas lists its four layers shown or hidden as the mode says, a page button
// opens its page at the first click, and the layer buttons, TAKE and Lock Output are as the mode
// wants them.
//
// A new row: write its steps (functions of the fixture, below) and add a line to ModeRows naming
// them and the mode the row ends in.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "tools/devsim/SimDevice.h"
#include "tools/devsim/StateLayout.h"
#include "window/ProgramUnderTest.h"
#include "window/ShownGeometry.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ScratchFolder;

namespace {

// Client positions at 96 dpi: the MISC page button and its TEST PATTERN tab.
constexpr int MiscButtonX = 37, MiscButtonY = 104 + 36 * 9 + 18;
constexpr int TestPatternTabX = 276, TestPatternTabY = 147;
// Control ids: the test pattern's on/off button (on its pop-up page 152), the first preset slot,
// Load, the OUTPUT and PICTURE page buttons with their pages, the canvas.
constexpr int PatternOnOffId = 1273, FirstSlotId = 1223, LoadId = 1246;
constexpr int OutputButtonId = 1025, PictureButtonId = 1021;
constexpr const char* OutputPage = "117";
constexpr const char* PicturePage = "110";
constexpr int CanvasId = 1027;
// Lock Output, the LOGO page button and its page, the pattern page's Pixel Grab.
constexpr int LockOutputId = 1472, LogoButtonId = 1241, PixelGrabId = 1187;
constexpr const char* LogoPage = "164";

const char* const LayerNames[4] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};

// ---- the device ----

void PutU32(uint8_t* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

struct LayerWindowSetting {
  uint8_t enable, source;
  int x, y, w, h;
};

// MAIN smaller than the output so that it can be moved; PIP-1 over its bottom right; PIP-2 and
// PIP-3 off.
constexpr LayerWindowSetting StartWindows[4] = {{1, 1, 0, 0, 1440, 810},
                                                {1, 0, 1200, 600, 640, 360},
                                                {0, 4, 120, 600, 480, 270},
                                                {0, 3, 960, 540, 960, 540}};

// A row's change to the state the device starts from.
using StateChange = void (*)(devsim::StateBlock&);

std::string WriteState(const std::string& home, uint32_t mosaicMode, StateChange change = nullptr) {
  devsim::StateBlock block = devsim::BuiltinStateBlock();
  PutU32(block.data() + devsim::layout::kMosaicMode, mosaicMode);
  PutU32(block.data() + devsim::layout::kMosaicArrangement, mosaicMode == 4 ? 2 : mosaicMode == 5 ? 5 : 0);
  for (size_t layer = 0; layer < 4; ++layer) {
    uint8_t* w = block.data() + devsim::layout::kLayerWindow + devsim::layout::kLayerWindowSize * layer;
    const LayerWindowSetting& s = StartWindows[layer];
    w[0] = s.enable;
    w[2] = s.source;
    PutU32(w + 4, static_cast<uint32_t>(s.x));
    PutU32(w + 8, static_cast<uint32_t>(s.y));
    PutU32(w + 12, static_cast<uint32_t>(s.w));
    PutU32(w + 16, static_cast<uint32_t>(s.h));
  }
  if (change) change(block);
  return testsupport::WriteStateFile(home + "state.bin", block);
}

// A layer window as command 4 carries it: layer, X, Y, width, height (16 bits each, low first).
struct SentWindow {
  int layer = -1, x = 0, y = 0, w = 0, h = 0;
};
std::vector<SentWindow> LayerWindowsSent(const std::string& log) {
  std::vector<SentWindow> sent;
  for (const auto& b : testsupport::ReceivedCommands(log, 4))
    sent.push_back({b[0], b[1] | (b[2] << 8), b[3] | (b[4] << 8), b[5] | (b[6] << 8), b[7] | (b[8] << 8)});
  return sent;
}

// ---- what the program shows ----

struct Box {
  int x = 0, y = 0, w = 0, h = 0;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

// "canvas: <start>..." from the shown texts; empty without one.
std::string CanvasLine(const std::string& shown, const std::string& start) {
  std::istringstream in(shown);
  for (std::string line; std::getline(in, line);)
    if (line.rfind("canvas: " + start, 0) == 0) return line;
  return {};
}

// The canvas rectangle a layer cell is drawn in ("canvas: drawn <layer> L,T WxH").
std::optional<Box> DrawnCell(const std::string& shown, int layer) {
  const std::string line = CanvasLine(shown, "drawn " + std::to_string(layer) + " ");
  Box b;
  if (line.empty() ||
      std::sscanf(line.c_str() + line.find(' ', 15) + 1, "%d,%d %dx%d", &b.x, &b.y, &b.w, &b.h) != 4)
    return std::nullopt;
  return b;
}

// The layer window the canvas shows for a layer ("canvas: layer N [label] X,Y WxH shown|hidden").
std::optional<SentWindow> ShownWindow(const std::string& shown, int layer) {
  const std::string line = CanvasLine(shown, "layer " + std::to_string(layer) + " ");
  const size_t at = line.find("] ");
  SentWindow w{layer};
  if (at == std::string::npos || std::sscanf(line.c_str() + at + 2, "%d,%d %dx%d", &w.x, &w.y, &w.w, &w.h) != 4)
    return std::nullopt;
  return w;
}

// The last layer shown on top of the others ("canvas: stack 0 2 1"); -1 without one.
int TopLayer(const std::string& shown) {
  const std::string line = CanvasLine(shown, "stack");
  const size_t last = line.find_last_of(' ');
  return last == std::string::npos || last + 1 >= line.size() ? -1 : std::atoi(line.c_str() + last + 1);
}

// ---- the mode a row ends in ----

struct EndMode {
  const char* name;
  int switcher;                  // 0 plain, 1 PGM/PVW, 2 dual
  uint32_t mosaic;               // the mosaic mode (0 none)
  std::array<bool, 4> shown;     // which layer cells show
};
const EndMode Plain{"plain", 0, 0, {true, true, false, false}};
const EndMode TwoPanels{"two panels", 0, 2, {true, true, false, false}};
const EndMode FourPanels{"four panels", 0, 5, {true, true, false, false}};
const EndMode MosaicX3{"mosaic x3", 0, 4, {true, true, false, false}};

// ---- the fixture: the program, the device and the operator's hands ----

class ModeRoundTrip : public ::testing::Test {
 public:
  std::string Log;
  std::string GeometryPath;
  DevsimProcess Devsim;
  std::optional<ProgramUnderTest> Program;
  std::string DeviceAddress;
  std::string Control;  // lines appended here make the device act by itself

  void StartAndConnect(const std::vector<std::string>& devsimArgs, uint32_t startMosaic, StateChange change = nullptr) {
    Log = Home.Path() + "devsim.log";
    GeometryPath = Home.Path() + "geometry.txt";
    Control = Home.Path() + "device-control.txt";
    DeviceAddress = FreeDeviceAddress(61);
    std::vector<std::string> args{"--device", DeviceAddress, "--log", Log, "--state", WriteState(Home.Path(), startMosaic, change),
                                  "--presets-stored", "--control", Control};
    args.insert(args.end(), devsimArgs.begin(), devsimArgs.end());
    ASSERT_TRUE(Devsim.Start(args));
    setenv("VELKAN_GEOMETRY", GeometryPath.c_str(), 1);
    Program.emplace(Home.Path());
    ASSERT_TRUE(Program->Start());
    ASSERT_EQ(Program->WindowWidth(), 1280) << "the positions below are those of a 96-dpi screen";
    ASSERT_TRUE(Program->ConnectBySearch()) << Program->ShownTexts();
    ASSERT_TRUE(Program->WaitForShown({"canvas: layer 1 [PIP-1 : DVI-1] 1200,600 640x360 shown"}, 15s))
        << Program->ShownTexts();
  }

  std::string Shown() const { return Program->ShownTexts(); }

  ShownGeometry Geometry() const {
    std::ifstream in(GeometryPath);
    std::stringstream all;
    all << in.rdbuf();
    return ShownGeometry::Parse(all.str());
  }

  // The screen rectangle of a shown control of a window ("main", "popup:152"; empty: any window).
  std::optional<GeoRect> ControlRect(const std::string& window, int id, std::chrono::milliseconds limit = 5s) const {
    std::optional<GeoRect> found;
    WaitUntil([&] {
      const ShownGeometry g = Geometry();
      for (const GeoControl& c : g.Controls) {
        if (c.Id != id) continue;
        const GeoWindow* w = nullptr;
        for (const GeoWindow& gw : g.Windows)
          if (gw.Index == c.Window) w = &gw;
        if (!window.empty() && (!w || w->Kind != window)) continue;
        found = c.Rect;
        return true;
      }
      return false;
    }, limit);
    return found;
  }

  // Brings a pop-up page to the front, as the operator's click on it would under a window manager.
  void RaisePopup(const std::string& kind) const {
    std::string title;
    for (const GeoWindow& w : Geometry().Windows)
      if (w.Kind == kind) title = w.Title;
    if (title.empty()) return;
    std::istringstream ids(RunCommand("xdotool search --onlyvisible --pid " + std::to_string(Program->ProcessId())));
    for (std::string id; ids >> id;) {
      std::string name = RunCommand("xdotool getwindowname " + id);
      while (!name.empty() && (name.back() == '\n' || name.back() == ' ')) name.pop_back();
      if (name == title) RunCommand("xdotool windowraise " + id);
    }
    std::this_thread::sleep_for(200ms);
  }

  // Clicks the middle of a shown control as an operator would.
  bool ClickControl(const std::string& window, int id) const {
    const std::optional<GeoRect> r = ControlRect(window, id);
    if (!r) return false;
    if (!window.empty() && window != "main") RaisePopup(window);
    RunCommand("xdotool mousemove --sync " + std::to_string(r->X + r->W / 2) + " " + std::to_string(r->Y + r->H / 2) +
               " click 1");
    std::this_thread::sleep_for(300ms);
    return true;
  }

  // The screen position of the canvas's origin (its own rectangle, which may start outside the view).
  std::optional<std::array<int, 2>> CanvasOrigin() const {
    const std::optional<GeoRect> r = ControlRect("main", CanvasId);
    if (!r) return std::nullopt;
    return std::array<int, 2>{r->X, r->Y};
  }

  // A screen point on the layer's cell that no other shown cell and no pop-up page covers.
  std::optional<std::array<int, 2>> GrabPoint(int layer) const {
    const std::string shown = Shown();
    const std::optional<Box> cell = DrawnCell(shown, layer);
    const auto origin = CanvasOrigin();
    if (!cell || !origin) return std::nullopt;
    std::vector<Box> covered;
    for (int other = 0; other < 4; ++other) {
      if (other == layer) continue;
      const std::string line = CanvasLine(shown, "layer " + std::to_string(other) + " ");
      if (line.find(" shown") == std::string::npos) continue;
      if (const auto b = DrawnCell(shown, other)) covered.push_back(*b);
    }
    const ShownGeometry g = Geometry();
    std::vector<GeoRect> popups;
    for (const GeoWindow& w : g.Windows)
      if (w.Kind != "main") popups.push_back(w.Visible);
    // Away from the edges (the resize handles), the first free point of a coarse grid.
    for (int fy = 1; fy < 8; ++fy)
      for (int fx = 1; fx < 8; ++fx) {
        const int cx = cell->x + cell->w * fx / 8, cy = cell->y + cell->h * fy / 8;
        if (cx - cell->x < 10 || cell->x + cell->w - cx < 10 || cy - cell->y < 10 || cell->y + cell->h - cy < 10)
          continue;
        bool free = true;
        for (const Box& b : covered) free = free && !b.Contains(cx, cy);
        const int sx = (*origin)[0] + cx, sy = (*origin)[1] + cy;
        for (const GeoRect& p : popups) free = free && !(sx >= p.X && sy >= p.Y && sx < p.Right() && sy < p.Bottom());
        if (free) return std::array<int, 2>{sx, sy};
      }
    return std::nullopt;
  }

  // Presses on the layer's cell, moves the pointer by (dx, dy) in three steps and lets go.
  bool DragLayer(int layer, int dx, int dy) const {
    const auto at = GrabPoint(layer);
    if (!at) return false;
    const std::string step = std::to_string(dx / 3) + " " + std::to_string(dy / 3);
    RunCommand("xdotool windowraise " + Program->WindowId() + " mousemove --sync " + std::to_string((*at)[0]) + " " +
               std::to_string((*at)[1]) + " mousedown 1 sleep 0.2 mousemove_relative --sync -- " + step +
               " sleep 0.1 mousemove_relative --sync -- " + step + " sleep 0.1 mousemove_relative --sync -- " + step +
               " sleep 0.2 mouseup 1");
    std::this_thread::sleep_for(300ms);
    return true;
  }

  // The number of times the busy box has closed.
  size_t TimesBusyClosed() const {
    const std::string shown = "\n" + Shown();
    size_t n = 0;
    for (size_t at = shown.find("\nbusy: hidden"); at != std::string::npos; at = shown.find("\nbusy: hidden", at + 1)) ++n;
    return n;
  }

  void TearDown() override { SaveScreenIfFailed(); }

 private:
  ScratchFolder Home;
};

// ---- steps ----

using Step = std::function<void(ModeRoundTrip&)>;

// MISC (unless its page is up), then its TEST PATTERN tab.
void OpenTestPatternPage(ModeRoundTrip& t) {
  if (!t.Program->Shows("page: Misc Settings")) t.Program->Click(MiscButtonX, MiscButtonY);
  t.Program->Click(TestPatternTabX, TestPatternTabY);
  ASSERT_TRUE(t.ControlRect("popup:152", PatternOnOffId)) << "no test pattern page\n" << t.Shown();
}

void PatternOn(ModeRoundTrip& t) {
  OpenTestPatternPage(t);
  const size_t before = testsupport::ReceivedCommands(t.Log, 12).size();
  ASSERT_TRUE(t.ClickControl("popup:152", PatternOnOffId));
  // The layer buttons lock while the pattern holds the output.
  ASSERT_TRUE(t.Program->WaitForShown({"layer buttons: left PIP-1 on disabled grey"}, 5s)) << t.Shown();
  EXPECT_GT(testsupport::ReceivedCommands(t.Log, 12).size(), before) << "no pattern command";
}

void PatternOff(ModeRoundTrip& t) {
  OpenTestPatternPage(t);
  ASSERT_TRUE(t.ClickControl("popup:152", PatternOnOffId));
  ASSERT_TRUE(t.Program->WaitForShown({"layer buttons: left PIP-1 on enabled plain"}, 5s)) << t.Shown();
}

// While the pattern holds the output a pressed layer still becomes the current one and comes on top.
void PressMainDuringPattern(ModeRoundTrip& t) {
  ASSERT_NE(TopLayer(t.Shown()), 0) << "MAIN is on top already\n" << t.Shown();
  const auto at = t.GrabPoint(0);
  ASSERT_TRUE(at) << t.Shown();
  RunCommand("xdotool windowraise " + t.Program->WindowId() + " mousemove --sync " + std::to_string((*at)[0]) + " " +
             std::to_string((*at)[1]) + " click 1");
  EXPECT_TRUE(WaitUntil([&] { return TopLayer(t.Shown()) == 0; }, 4s)) << "MAIN was not raised\n" << t.Shown();
  EXPECT_NE(t.Shown().find("source: MAIN "), std::string::npos) << t.Shown();
}

// PIP-1 pressed and moved; the device reports its preview turned on before the button comes up
// (the layer cells are made again under the pointer).
void PreviewReportDuringDrag(ModeRoundTrip& t) {
  const auto at = t.GrabPoint(1);
  ASSERT_TRUE(at) << t.Shown();
  RunCommand("xdotool windowraise " + t.Program->WindowId() + " mousemove --sync " + std::to_string((*at)[0]) + " " +
             std::to_string((*at)[1]) + " mousedown 1 sleep 0.2 mousemove_relative --sync 6 0");
  kill(t.Devsim.Pid(), SIGUSR1);
  const bool rebuilt = WaitUntil([&] { return CanvasLine(t.Shown(), "zoom").ends_with("preview on"); }, 10s);
  RunCommand("xdotool mousemove_relative --sync 6 0 sleep 0.2 mouseup 1");
  std::this_thread::sleep_for(300ms);
  ASSERT_TRUE(rebuilt) << t.Shown();
}

// ---- the mosaic page ----

constexpr int MosaicButtonId = 1180, PanelX3Id = 1513, PanelX4Id = 1168;
constexpr const char* MosaicPage = "120";

void OpenMosaicPage(ModeRoundTrip& t) {
  if (t.Geometry().HasPage(MosaicPage)) return;
  ASSERT_TRUE(t.ClickControl("main", MosaicButtonId));
  ASSERT_TRUE(WaitUntil([&] { return t.Geometry().HasPage(MosaicPage); }, 5s)) << t.Shown();
}

// A click that changes the mosaic: the busy box comes and goes when the device has done it.
void ClickAndWaitForDevice(ModeRoundTrip& t, const std::function<void()>& click) {
  const size_t closed = t.TimesBusyClosed();
  click();
  ASSERT_TRUE(WaitUntil([&] { return t.TimesBusyClosed() > closed; }, 20s)) << t.Shown();
  ASSERT_TRUE(t.Program->WaitForShown({"main window: enabled"}, 10s)) << t.Shown();
  std::this_thread::sleep_for(500ms);
}

void PanelX3(ModeRoundTrip& t) {
  ASSERT_NO_FATAL_FAILURE(OpenMosaicPage(t));
  ASSERT_NO_FATAL_FAILURE(ClickAndWaitForDevice(t, [&] { ASSERT_TRUE(t.ClickControl("main", PanelX3Id)); }));
}

void PanelX4(ModeRoundTrip& t) {
  ASSERT_NO_FATAL_FAILURE(OpenMosaicPage(t));
  ASSERT_NO_FATAL_FAILURE(ClickAndWaitForDevice(t, [&] { ASSERT_TRUE(t.ClickControl("main", PanelX4Id)); }));
}

// The third arrangement picture of Panel x 4 (the row's pictures: 64 x 64, 94 apart, from (36, 172)
// of the page).
void PickThirdArrangement(ModeRoundTrip& t) {
  std::optional<GeoRect> page;
  for (const GeoPage& p : t.Geometry().Pages)
    if (p.Id == MosaicPage) page = p.Rect;
  ASSERT_TRUE(page) << t.Shown();
  const int x = page->X + 36 + 94 * 2 + 32, y = page->Y + 172 + 32;
  const size_t closed = t.TimesBusyClosed();
  RunCommand("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " click 1");
  // Only a cell other than the marked one goes to the device (and brings the busy box).
  if (WaitUntil([&] { return t.TimesBusyClosed() > closed; }, 5s)) {
    ASSERT_TRUE(t.Program->WaitForShown({"main window: enabled"}, 10s)) << t.Shown();
  }
  std::this_thread::sleep_for(500ms);
}

// Panel x 3 is drawn as its first arrangement: three frames in a row, the fourth hidden.
void ExpectThreeFramesInARow(ModeRoundTrip& t) {
  EXPECT_TRUE(t.Program->WaitForShown({"canvas: frame 1 [OUTPUT:DVI-2] 2045,198 1920x1080 shown",
                                       "canvas: frame 2 [OUTPUT:DVI-3] 3965,198 1920x1080 shown"},
                                      5s))
      << t.Shown();
  EXPECT_TRUE(CanvasLine(t.Shown(), "frame 3 ").ends_with(" hidden")) << t.Shown();
}

// Ctrl + wheel forward over the canvas: zoom 5.5.
void ZoomIn(ModeRoundTrip& t) {
  const auto at = t.GrabPoint(0);
  ASSERT_TRUE(at) << t.Shown();
  RunCommand("xdotool windowraise " + t.Program->WindowId() + " mousemove --sync " + std::to_string((*at)[0]) + " " +
             std::to_string((*at)[1]) + " keydown ctrl click 4 keyup ctrl");
  ASSERT_TRUE(WaitUntil([&] { return CanvasLine(t.Shown(), "zoom 5.5 ").size() > 0; }, 5s)) << t.Shown();
}

// PIP-1 moved by one canvas pixel: the device gets its window moved by one step (5.5 output pixels
// at this zoom), its size untouched.
void NudgePip1(ModeRoundTrip& t) {
  const size_t before = LayerWindowsSent(t.Log).size();
  ASSERT_TRUE(t.DragLayer(1, 3, 0));
  ASSERT_TRUE(WaitUntil([&] { return LayerWindowsSent(t.Log).size() > before; }, 5s)) << t.Shown();
  const SentWindow w = LayerWindowsSent(t.Log).back();
  EXPECT_EQ(w.layer, 1);
  EXPECT_GE(w.x, 1201);
  EXPECT_LE(w.x, 1200 + 3 * 6);
  EXPECT_EQ(w.y, 600);
  EXPECT_EQ(w.w, 640);
  EXPECT_EQ(w.h, 360);
}

// Slot 1 of the Presets bank, then Load; the device's state comes back.
void LoadPresetOne(ModeRoundTrip& t) {
  ASSERT_TRUE(t.ClickControl("main", FirstSlotId));
  const size_t closed = t.TimesBusyClosed();
  ASSERT_TRUE(t.ClickControl("main", LoadId));
  ASSERT_TRUE(WaitUntil([&] { return t.TimesBusyClosed() > closed; }, 20s)) << t.Shown();
  ASSERT_TRUE(t.Program->WaitForShown({"main window: enabled"}, 10s)) << t.Shown();
  std::this_thread::sleep_for(500ms);
}

// ---- the device acting by itself (devsim's control file) ----

void DeviceDoes(ModeRoundTrip& t, const std::string& line) { std::ofstream(t.Control, std::ios::app) << line << "\n"; }

// The last pattern the device was sent (-1: none yet).
int LastPatternSent(const ModeRoundTrip& t) {
  const auto sent = testsupport::ReceivedCommands(t.Log, 12);
  return sent.empty() ? -1 : sent.back()[0];
}

bool CellShown(const ModeRoundTrip& t, int layer) {
  const std::string line = CanvasLine(t.Shown(), "layer " + std::to_string(layer) + " ");
  return line.size() > 6 && line.compare(line.size() - 6, 6, " shown") == 0;
}

void DeviceMosaicTwoPanels(ModeRoundTrip& t) {
  DeviceDoes(t, "mosaic 2");
  ASSERT_TRUE(t.Program->WaitForShown({"controls: Lock Output on", "canvas: frames locked"}, 10s)) << t.Shown();
}

void LockOutputOff(ModeRoundTrip& t) {
  ASSERT_TRUE(t.ClickControl("main", LockOutputId));
  ASSERT_TRUE(t.Program->WaitForShown({"controls: Lock Output off", "canvas: frames movable"}, 5s)) << t.Shown();
  ASSERT_FALSE(CellShown(t, 1)) << t.Shown();
}

// The device enters PGM/PVW by itself: its layers show in the views and Lock Output goes.
void DevicePgmPvw(ModeRoundTrip& t) {
  DeviceDoes(t, "switcher 1");
  ASSERT_TRUE(t.Program->WaitForShown({"controls: TAKE shown"}, 10s)) << t.Shown();
  EXPECT_TRUE(WaitUntil([&] { return CellShown(t, 0) && CellShown(t, 1); }, 5s))
      << "MAIN and PIP-1 stay hidden in PGM/PVW\n" << t.Shown();
  EXPECT_FALSE(t.Program->Shows("controls: Lock Output off")) << t.Shown();
  EXPECT_TRUE(t.Program->Shows("canvas: frames locked")) << t.Shown();
}

void DeviceBackToPlain(ModeRoundTrip& t) {
  DeviceDoes(t, "switcher 0");
  ASSERT_TRUE(WaitUntil([&] { return !t.Program->Shows("controls: TAKE shown"); }, 10s)) << t.Shown();
}

// A pattern on when PGM/PVW comes: its page goes (the mode forbids it) and takes the pattern off
// the output, so TAKE and the layer buttons are free again.
void PatternGoesWithPgmPvw(ModeRoundTrip& t) {
  DeviceDoes(t, "switcher 1");
  ASSERT_TRUE(t.Program->WaitForShown({"controls: TAKE shown", "disabled: MISC TEST PATTERN"}, 10s)) << t.Shown();
  EXPECT_TRUE(t.Program->WaitForShown({"layer buttons: TAKE enabled"}, 5s)) << t.Shown();
  EXPECT_TRUE(WaitUntil([&] { return LastPatternSent(t) == 0; }, 5s)) << "the pattern stays on the output";
  // The geometry record is written twice a second: wait for one without the page.
  EXPECT_TRUE(WaitUntil([&] { return !t.ControlRect("popup:152", PatternOnOffId, 0ms); }, 5s))
      << "the test pattern page stays up\n" << t.Shown();
}

// The device restarts (its links drop); it comes back running no pattern, and the program agrees.
void DeviceRestarts(ModeRoundTrip& t) {
  const size_t patternsBefore = testsupport::ReceivedCommands(t.Log, 12).size();
  DeviceDoes(t, "restart");
  ASSERT_TRUE(t.Program->WaitForShown({"layer buttons: left PIP-1 on enabled plain"}, 30s))
      << "the layer buttons stay held by a pattern the restarted device does not run\n" << t.Shown();
  EXPECT_GT(testsupport::ReceivedCommands(t.Log, 12).size(), patternsBefore);
  EXPECT_EQ(LastPatternSent(t), 0);
}

void PixelGrabOn(ModeRoundTrip& t) {
  OpenTestPatternPage(t);
  ASSERT_TRUE(t.ClickControl("popup:152", PixelGrabId));
  ASSERT_TRUE(WaitUntil([&] { return !testsupport::ReceivedCommands(t.Log, 13).empty(); }, 5s));
  EXPECT_TRUE(t.Program->WaitForShown({"layer buttons: left PIP-1 on enabled plain"}, 5s))
      << "the page reads Off, but the layer buttons stay held\n" << t.Shown();
  EXPECT_TRUE(WaitUntil([&] { return LastPatternSent(t) == 0; }, 5s)) << "the pattern stays on the output";
}

// PIP-3 carries a logo that is switched off, while the layer switch of PIP-3 is still on.
void LogoOff(devsim::StateBlock& block) {
  block[devsim::layout::kLogo + 0] = 1;  // PIP-3 shows a logo
  block[devsim::layout::kLogo + 2] = 0;  // the logo is off
  block[devsim::layout::kLayerWindow + 3 * devsim::layout::kLayerWindowSize] = 1;
}

void LogoStaysOff(ModeRoundTrip& t) {
  EXPECT_TRUE(WaitUntil([&] { return !CellShown(t, 3); }, 5s)) << t.Shown();
}

void DevicePreviewOn(ModeRoundTrip& t) {
  DeviceDoes(t, "preview 1");
  ASSERT_TRUE(t.Program->WaitForShown({"canvas: zoom 6.0 preview on"}, 10s)) << t.Shown();
  std::this_thread::sleep_for(500ms);
  EXPECT_FALSE(CellShown(t, 3)) << "the logo that is off came back with the preview\n" << t.Shown();
}

void OpenLogoPage(ModeRoundTrip& t) {
  ASSERT_TRUE(t.ClickControl("main", LogoButtonId));
  ASSERT_TRUE(WaitUntil([&] { return t.Geometry().HasPage(LogoPage); }, 5s)) << t.Shown();
}

// Four panels take PIP-3 from the logo: the LOGO page goes as its button would take it.
void DeviceFourPanels(ModeRoundTrip& t) {
  DeviceDoes(t, "mosaic 5");
  ASSERT_TRUE(t.Program->WaitForShown({"disabled: LOGO"}, 10s)) << t.Shown();
  EXPECT_TRUE(WaitUntil([&] { return !t.Geometry().HasPage(LogoPage); }, 5s))
      << "the LOGO page stays up under four panels\n" << t.Shown();
}

// ---- the modes' rule whichever reply comes last ----

// The MISC page's Get Data, Set Data, Feathering and sub-page tabs; the feathering switch on its
// floating page 184; the keyer page's (154) ON/OFF.
constexpr int GetDataId = 1480, SetDataId = 1481, FeatheringWindowId = 1593, FeatherId = 1600;
constexpr int KeyerTabId = 1506, TestPatternTabId = 1507, KeyerOnOffId = 1165;

void OpenMisc(ModeRoundTrip& t) {
  if (!t.Program->Shows("page: Misc Settings")) t.Program->Click(MiscButtonX, MiscButtonY);
  ASSERT_TRUE(t.Program->WaitForShown({"page: Misc Settings"}, 5s)) << t.Shown();
}

// Every read of the whole state is followed by the feathering query: its answer is the last reply.
void AwaitFeatherAnswer(ModeRoundTrip& t, size_t queriesBefore) {
  ASSERT_TRUE(WaitUntil([&] { return testsupport::ReceivedCommands(t.Log, 73).size() > queriesBefore; }, 30s))
      << "no feathering query\n" << t.Shown();
  std::this_thread::sleep_for(1s);
}

void DeviceRestartsInMode(ModeRoundTrip& t) {
  const size_t queries = testsupport::ReceivedCommands(t.Log, 73).size();
  DeviceDoes(t, "restart");
  AwaitFeatherAnswer(t, queries);
}

void GetData(ModeRoundTrip& t) {
  OpenMisc(t);
  const size_t queries = testsupport::ReceivedCommands(t.Log, 73).size();
  ASSERT_TRUE(t.ClickControl("main", GetDataId));
  AwaitFeatherAnswer(t, queries);
}

void DeviceDual(ModeRoundTrip& t) {
  DeviceDoes(t, "switcher 2");
  ASSERT_TRUE(t.Program->WaitForShown({"controls: TAKE shown", "disabled: MISC Keyer"}, 10s)) << t.Shown();
}

void DeviceFeatherOn(ModeRoundTrip& t) {
  DeviceDoes(t, "feather 1");
  ASSERT_TRUE(t.Program->WaitForShown({"feather: on lists enabled"}, 10s)) << t.Shown();
}

// The feathering page's switch, then the page closed again.
void FeatheringOff(ModeRoundTrip& t) {
  OpenMisc(t);
  ASSERT_TRUE(t.ClickControl("main", FeatheringWindowId));
  ASSERT_TRUE(t.ClickControl("main", FeatherId)) << t.Shown();
  ASSERT_TRUE(t.Program->WaitForShown({"feather: off lists disabled"}, 5s)) << t.Shown();
  ASSERT_TRUE(t.ClickControl("main", FeatheringWindowId));
}

void SetData(ModeRoundTrip& t) {
  OpenMisc(t);
  const size_t closed = t.TimesBusyClosed();
  ASSERT_TRUE(t.ClickControl("main", SetDataId));
  ASSERT_TRUE(WaitUntil([&] { return t.TimesBusyClosed() > closed; }, 20s)) << t.Shown();
  ASSERT_TRUE(t.Program->WaitForShown({"feather: off lists disabled"}, 5s)) << t.Shown();
  std::this_thread::sleep_for(1s);
}

// PGM/PVW and dual forbid the test pattern whatever came last: its tab and page stay disabled,
// the tab opens nothing, and no pattern (12) or caption switch (24) reaches the device.
void TestPatternForbidden(ModeRoundTrip& t) {
  for (const char* line : {"disabled: MISC TEST PATTERN", "disabled: test pattern page"})
    EXPECT_TRUE(t.Program->Shows(line)) << line << "\n" << t.Shown();
  OpenMisc(t);
  ASSERT_TRUE(t.ClickControl("main", TestPatternTabId));
  // What the operator then tries on the page, should it open.
  if (t.ControlRect("popup:152", PatternOnOffId, 1500ms)) t.ClickControl("popup:152", PatternOnOffId);
  EXPECT_FALSE(t.ControlRect("popup:152", PatternOnOffId, 0ms)) << "the test pattern page opened\n" << t.Shown();
  EXPECT_EQ(testsupport::ReceivedCommands(t.Log, 12).size() + testsupport::ReceivedCommands(t.Log, 24).size(), 0u);
}

void OpenKeyerTab(ModeRoundTrip& t) {
  OpenMisc(t);
  ASSERT_TRUE(t.ClickControl("main", KeyerTabId));
  ASSERT_TRUE(t.ControlRect("popup:154", KeyerOnOffId)) << "no keyer page\n" << t.Shown();
}

// A lit MISC tab has its page up: the keyer page, or the MISC page's own settings.
void LitTabHasItsPage(ModeRoundTrip& t) {
  std::this_thread::sleep_for(1s);
  const bool keyerUp = t.ControlRect("popup:154", KeyerOnOffId, 0ms).has_value();
  EXPECT_EQ(t.Program->Shows("misc tab: Keyer"), keyerUp) << t.Shown();
  EXPECT_TRUE(keyerUp || t.Program->Shows("misc tab: Setting")) << t.Shown();
}

struct ModeRow {
  const char* name;
  std::vector<Step> steps;
  EndMode end;
  uint32_t startMosaic = 0;  // the device's mosaic mode at the start (its first arrangement)
  std::vector<std::string> devsimArgs = {};
  StateChange startState = nullptr;
};

void PrintTo(const ModeRow& row, std::ostream* os) { *os << row.name; }

const ModeRow ModeRows[] = {
    {"PatternOnOff", {PatternOn, PressMainDuringPattern, PatternOff}, Plain},
    {"PatternThenPresetLoad", {PatternOn, LoadPresetOne}, Plain},
    {"PreviewReportDuringDrag", {PreviewReportDuringDrag}, Plain, 0, {"--usr1-preview"}},
    {"X2ThenPanelX3ThenZoom", {PanelX3, ZoomIn, NudgePip1}, MosaicX3, 2},
    {"PanelX4ThenPanelX3", {PanelX4, PickThirdArrangement, PanelX3, ExpectThreeFramesInARow}, MosaicX3, 2},
    {"LockOutputOffPgmPvwDeviceBackToPlain", {DeviceMosaicTwoPanels, LockOutputOff, DevicePgmPvw, DeviceBackToPlain},
     TwoPanels},
    {"LogoOffThenPreviewOn", {LogoStaysOff, DevicePreviewOn}, Plain, 0, {}, LogoOff},
    {"LogoPageOpenThenFourPanels", {OpenLogoPage, DeviceFourPanels}, FourPanels},
    {"PatternOnThenPgmPvw", {PatternOn, PatternGoesWithPgmPvw, DeviceBackToPlain}, Plain},
    {"PatternOnThenDeviceRestart", {PatternOn, DeviceRestarts}, Plain},
    {"PixelGrabAfterPattern", {PatternOn, PixelGrabOn}, Plain},
    {"PgmPvwThenReadAll", {DevicePgmPvw, DeviceRestartsInMode, TestPatternForbidden, DeviceBackToPlain}, Plain},
    {"PgmPvwThenGetData", {DevicePgmPvw, GetData, TestPatternForbidden, DeviceBackToPlain}, Plain},
    {"PgmPvwThenFeatheringOff", {DevicePgmPvw, DeviceFeatherOn, FeatheringOff, TestPatternForbidden, DeviceBackToPlain},
     Plain},
    {"PgmPvwThenSetDataFeathering", {DevicePgmPvw, DeviceFeatherOn, SetData, TestPatternForbidden, DeviceBackToPlain},
     Plain},
    {"DualThenReadAll", {DeviceDual, DeviceRestartsInMode, TestPatternForbidden, DeviceBackToPlain}, Plain},
    {"KeyerTabHiddenThenAllowed", {OpenKeyerTab, DeviceDual, DeviceBackToPlain, LitTabHasItsPage}, Plain},
};

// ---- the checks every row ends with ----

void CheckLayersListed(ModeRoundTrip& t, const EndMode& end) {
  for (int layer = 0; layer < 4; ++layer) {
    SCOPED_TRACE(LayerNames[layer]);
    const std::string expected = end.shown[static_cast<size_t>(layer)] ? " shown" : " hidden";
    EXPECT_TRUE(WaitUntil([&] {
      const std::string line = CanvasLine(t.Shown(), "layer " + std::to_string(layer) + " ");
      return line.size() > expected.size() && line.compare(line.size() - expected.size(), expected.size(), expected) == 0;
    }, 5s)) << "the canvas does not list the layer" << expected << "\n" << t.Shown();
  }
}

void CheckControls(ModeRoundTrip& t, const EndMode& end) {
  const std::string shown = t.Shown();
  if (end.switcher == 0) {
    EXPECT_TRUE(t.Program->Shows("layer buttons: left MAIN on disabled grey")) << shown;
    for (int layer = 1; layer < 4; ++layer) {
      const std::string line = std::string("layer buttons: left ") + LayerNames[layer] +
                               (end.shown[static_cast<size_t>(layer)] ? " on" : " off") + " enabled plain";
      EXPECT_TRUE(t.Program->Shows(line)) << line << "\n" << shown;
    }
    EXPECT_EQ(shown.find("controls: TAKE shown"), std::string::npos) << shown;
  } else {
    EXPECT_NE(shown.find("controls: TAKE shown"), std::string::npos) << shown;
  }
  // Lock Output is offered (checked) with a mosaic in the plain mode only.
  const bool lockShown = end.switcher == 0 && end.mosaic != 0;
  EXPECT_EQ(t.Program->Shows("controls: Lock Output on"), lockShown) << shown;
  EXPECT_EQ(t.Program->Shows("disabled: MISC TEST PATTERN"), end.switcher != 0) << shown;
  EXPECT_FALSE(t.Program->Shows("controls: Lock Output off")) << shown;
}

void CheckPageOpensAtFirstClick(ModeRoundTrip& t) {
  const bool outputOpen = t.Geometry().HasPage(OutputPage);
  const int button = outputOpen ? PictureButtonId : OutputButtonId;
  const std::string page = outputOpen ? PicturePage : OutputPage;
  ASSERT_TRUE(t.ClickControl("main", button));
  EXPECT_TRUE(WaitUntil([&] { return t.Geometry().HasPage(page); }, 5s))
      << "page " << page << " did not open at the first click\n" << t.Shown();
}

// A drag of the layer reaches the device as that layer's window, the one the canvas then shows.
void CheckDragSends(ModeRoundTrip& t, int layer) {
  SCOPED_TRACE(std::string("drag of ") + LayerNames[layer]);
  const size_t before = LayerWindowsSent(t.Log).size();
  ASSERT_TRUE(t.DragLayer(layer, 24, 12)) << "no free point on the cell\n" << t.Shown();
  ASSERT_TRUE(WaitUntil([&] { return LayerWindowsSent(t.Log).size() > before; }, 5s))
      << "no layer window sent\n" << t.Shown();
  const SentWindow sent = LayerWindowsSent(t.Log).back();
  EXPECT_EQ(sent.layer, layer);
  std::optional<SentWindow> shown;
  EXPECT_TRUE(WaitUntil([&] {
    shown = ShownWindow(t.Shown(), layer);
    return shown && shown->x == sent.x && shown->y == sent.y && shown->w == sent.w && shown->h == sent.h;
  }, 5s)) << "sent " << sent.x << "," << sent.y << " " << sent.w << "x" << sent.h << "\n" << t.Shown();
}

// "Top Set" from the canvas's menu, then TOP-M: MAIN becomes the current layer and is drawn on top.
void CheckTopRaisesMain(ModeRoundTrip& t) {
  const auto at = t.GrabPoint(1);
  ASSERT_TRUE(at) << t.Shown();
  bool topShown = false;
  for (int attempt = 0; attempt < 3 && !topShown; ++attempt) {
    RunCommand("xdotool windowraise " + t.Program->WindowId() + " mousemove --sync " + std::to_string((*at)[0]) + " " +
               std::to_string((*at)[1]) + " sleep 0.2 click 3");
    if (t.Program->WaitForShown({"menu: Top Set"}, 3s)) std::this_thread::sleep_for(700ms);
    RunCommand("xdotool key Down Return");
    topShown = t.Program->WaitForShown({"controls: TOP buttons shown"}, 3s);
  }
  ASSERT_TRUE(topShown) << t.Shown();
  ASSERT_NE(TopLayer(t.Shown()), 0) << "MAIN is on top already: the check would prove nothing\n" << t.Shown();
  // The TOP buttons stand one under the other in a small pop-up of the main window, TOP-M first.
  std::optional<GeoRect> panel;
  ASSERT_TRUE(WaitUntil([&] {
    const ShownGeometry g = t.Geometry();
    if (!g.Popups.empty()) panel = g.Popups.front().second;
    return panel.has_value();
  }, 5s)) << "no TOP buttons in the geometry record";
  RunCommand("xdotool mousemove --sync " + std::to_string(panel->X + panel->W / 2) + " " +
             std::to_string(panel->Y + panel->H / 8) + " click 1");
  EXPECT_TRUE(WaitUntil([&] { return TopLayer(t.Shown()) == 0; }, 4s)) << "TOP-M did not raise MAIN\n" << t.Shown();
  EXPECT_NE(t.Shown().find("source: MAIN "), std::string::npos) << t.Shown();
}

class ModeRoundTripWindowTest : public ModeRoundTrip, public ::testing::WithParamInterface<ModeRow> {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
};

TEST_P(ModeRoundTripWindowTest, EveryModeComesBack) {
  const ModeRow& row = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartAndConnect(row.devsimArgs, row.startMosaic, row.startState));
  for (size_t i = 0; i < row.steps.size(); ++i) {
    SCOPED_TRACE("step " + std::to_string(i + 1));
    ASSERT_NO_FATAL_FAILURE(row.steps[i](*this));
    Program->SaveScreenshot(Artifact(std::string("mode_round_trip_") + row.name + "_step" + std::to_string(i + 1) + ".png"));
  }
  SCOPED_TRACE(std::string("ends ") + row.end.name);
  Program->SaveScreenshot(Artifact(std::string("mode_round_trip_") + row.name + ".png"));
  CheckLayersListed(*this, row.end);
  CheckControls(*this, row.end);
  // A page button before anything lands on a layer cell (which would end a drag left over);
  // then MAIN, then PIP-1 (which then lies on top), then TOP-M.
  CheckPageOpensAtFirstClick(*this);
  CheckDragSends(*this, 0);
  CheckDragSends(*this, 1);
  CheckTopRaisesMain(*this);
  Program->SaveScreenshot(Artifact(std::string("mode_round_trip_") + row.name + "_end.png"));
  EXPECT_EQ(Program->Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sequences, ModeRoundTripWindowTest, ::testing::ValuesIn(ModeRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
