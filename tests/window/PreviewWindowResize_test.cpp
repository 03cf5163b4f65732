// The borderless preview window of the real program, with the simulated processor's stream in
// its panes: dragged by its bottom edge and by a corner with real X input it takes the new size,
// and the pointer over an edge shows a resize cursor.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ScratchFolder;

namespace {
constexpr int VideoWindowButtonX = 1056, VideoWindowButtonY = 53;
// The window as the working area first makes it.
constexpr int StartWidth = 760, StartHeight = 560;


// Presses the left button at (x, y), moves by (dx, dy) in steps and lets go.
void Drag(int x, int y, int dx, int dy) {
  std::string steps;
  for (int i = 1; i <= 4; ++i)
    steps += " mousemove --sync " + std::to_string(x + dx * i / 4) + " " + std::to_string(y + dy * i / 4) + " sleep 0.1";
  RunCommand("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y) + " sleep 0.2 mousedown 1 sleep 0.2" +
             steps + " sleep 0.2 mouseup 1");
}

// The pointer's picture at (x, y): its size, hot spot and pixels.
std::vector<unsigned long> CursorAt(int x, int y) {
  RunCommand("xdotool mousemove --sync " + std::to_string(x) + " " + std::to_string(y));
  std::this_thread::sleep_for(300ms);
  std::vector<unsigned long> shape;
  Display* display = XOpenDisplay(nullptr);
  if (!display) return shape;
  if (XFixesCursorImage* image = XFixesGetCursorImage(display)) {
    shape = {image->width, image->height, image->xhot, image->yhot};
    shape.insert(shape.end(), image->pixels, image->pixels + size_t(image->width) * image->height);
    XFree(image);
  }
  XCloseDisplay(display);
  return shape;
}
} // namespace

TEST(PreviewWindowResize, BottomEdgeAndCornerDragsSizeTheWindowAndEdgesShowResizeCursors) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  ScratchFolder home;
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", FreeDeviceAddress(62), "--preview",
                            std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"}));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions here are those of a 96-dpi screen";
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"canvas: zoom 6.0 preview on"}, 10s)) << program.ShownTexts();

  program.Click(VideoWindowButtonX, VideoWindowButtonY);
  ASSERT_TRUE(program.WaitForShown({"video window: shown"}, 5s)) << program.ShownTexts();
  std::array<int, 2> at{-1, -1};
  ASSERT_TRUE(WaitUntil([&] { return (at = WindowOfSize(program.ProcessId(), StartWidth, StartHeight))[0] >= 0; }, 5s));
  std::this_thread::sleep_for(1s);  // the panes show the stream

  // The bottom edge is the last rows of the lower panes: the pointer there is a resize
  // cursor, unlike over the middle of a pane; the left edge's differs from both.
  const int bottomY = at[1] + StartHeight - 2, middleX = at[0] + StartWidth / 2 + 100;
  const auto inPane = CursorAt(middleX, at[1] + StartHeight - 60);
  const auto onBottom = CursorAt(middleX, bottomY);
  const auto onLeft = CursorAt(at[0] + 1, at[1] + StartHeight / 2);
  ASSERT_FALSE(inPane.empty()) << "no cursor image";
  EXPECT_TRUE(onBottom != inPane) << "no resize cursor over the bottom edge";
  EXPECT_TRUE(onLeft != inPane) << "no resize cursor over the left edge";
  EXPECT_TRUE(onLeft != onBottom) << "the left and bottom edges show one cursor";

  // Down by 80 from the bottom edge: only the height changes.
  Drag(middleX, bottomY, 0, 80);
  std::array<int, 2> after{-1, -1};
  EXPECT_TRUE(WaitUntil([&] { return (after = WindowOfSize(program.ProcessId(), StartWidth, StartHeight + 80))[0] >= 0; },
                        5s))
      << "the bottom edge did not size the window";
  EXPECT_EQ(after, at);
  std::this_thread::sleep_for(1s);
  program.SaveScreenshot(Artifact("preview_window_bottom_resized.png"));

  // The bottom-right corner, 10 px in from both edges, up and left by (60, 40).
  const int height = StartHeight + 80;
  Drag(at[0] + StartWidth - 11, at[1] + height - 11, -60, -40);
  EXPECT_TRUE(WaitUntil([&] { return (after = WindowOfSize(program.ProcessId(), StartWidth - 60, height - 40))[0] >= 0; },
                        5s))
      << "the corner did not size the window";
  EXPECT_EQ(after, at);
  program.SaveScreenshot(Artifact("preview_window_corner_resized.png"));
  EXPECT_EQ(program.Stop(), 0);
}
