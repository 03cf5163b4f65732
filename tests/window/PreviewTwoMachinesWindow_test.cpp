// Two processors on the search page, each streaming a preview of its own colour; the operator
// chooses one. The canvas cells show that machine's picture only, never one the program took
// before; then a restart of the other machine (whose HELLO then says preview off) leaves the
// preview on, while the machine list still sees it come back; or, with long gaps between key
// frames, the other machine chosen is decoded afresh, never on the first one's pictures.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/ShownGeometry.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {
// Client positions at 96 dpi: the COMM page button, "Search Machines", SEARCH, the first tile.
constexpr int CommButtonX = 37, CommButtonY = 104 + 36 * 10 + 18;
constexpr int SearchMachinesX = 233, SearchMachinesY = 220;
constexpr int SearchButtonX = 772, SearchButtonY = 159;
constexpr int FirstTileX = 397 + 10 + 100, FirstTileY = 106 + 80 + 40, TileStep = 200 + 10;

const std::array<int, 3> Magenta{255, 0, 255}, Yellow{255, 255, 0};

struct Machine {
  std::string Ip;
  std::string Stream;
  std::array<int, 3> Colour;
  testsupport::DevsimProcess Device;
};

// The search page's line of the machine with this IP ("Z81-1 127.0.0.21 online controlled"), or "".
std::string MachineLine(const ProgramUnderTest& program, const std::string& ip) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind("machines: ", 0) == 0 && line.find(" " + ip + " ") != std::string::npos) return line;
  return {};
}

bool LineHas(const ProgramUnderTest& program, const std::string& ip, const std::string& what) {
  return MachineLine(program, ip).find(what) != std::string::npos;
}

// The largest video view on the screen: the canvas cell of MAIN, full screen on the output.
GeoRect MainCellOnScreen(const std::string& geometryPath) {
  std::ifstream in(geometryPath);
  std::stringstream all;
  all << in.rdbuf();
  GeoRect best;
  for (const auto& v : ShownGeometry::Parse(all.str()).Videos)
    if (v.Rect.W * v.Rect.H > best.W * best.H) best = v.Rect;
  return best;
}

// How many of the cell's pixels are near each colour, in one screenshot.
struct ColourCount {
  size_t Mine = 0, Theirs = 0, All = 0;
};
ColourCount CountColours(const std::string& shot, const GeoRect& cell, const std::array<int, 3>& mine,
                         const std::array<int, 3>& theirs) {
  ColourCount c;
  for (const auto& p : PixelsIn(shot, cell.X, cell.Y, cell.W, cell.H)) {
    ++c.All;
    if (ColourNear(p, mine, 90)) ++c.Mine;
    if (ColourNear(p, theirs, 90)) ++c.Theirs;
  }
  return c;
}

// Over several screenshots, the cell shows the controlled machine's colour and never the other's.
testing::AssertionResult ShowsOnly(const ProgramUnderTest& program, const std::string& name, const GeoRect& cell,
                                   const Machine& mine, const Machine& theirs) {
  for (int look = 0; look < 8; ++look) {
    const std::string shot = Artifact(name + "_" + std::to_string(look) + ".png");
    if (!program.SaveScreenshot(shot)) return testing::AssertionFailure() << "no screenshot";
    const ColourCount c = CountColours(shot, cell, mine.Colour, theirs.Colour);
    if (c.All == 0) return testing::AssertionFailure() << "no pixels read from " << shot;
    if (c.Theirs > c.All / 100 || c.Mine < c.All / 2)
      return testing::AssertionFailure() << shot << ": " << c.Mine << " of " << c.All << " pixels in the controlled "
                                         << "machine's colour, " << c.Theirs << " in the other machine's";
    std::this_thread::sleep_for(300ms);
  }
  return testing::AssertionSuccess();
}

// From now on the cell never shows the other machine's colour: while it waits for the machine's
// own picture (its next key frame), and then as ShowsOnly.
testing::AssertionResult FromNowOnShowsOnly(const ProgramUnderTest& program, const std::string& name,
                                            const GeoRect& cell, const Machine& mine, const Machine& theirs) {
  for (int look = 0; look < 60; ++look) {
    const std::string shot = Artifact(name + "_waiting_" + std::to_string(look) + ".png");
    const ColourCount c = program.SaveScreenshot(shot) ? CountColours(shot, cell, mine.Colour, theirs.Colour) : ColourCount{};
    if (c.All == 0 || c.Theirs > c.All / 100)
      return testing::AssertionFailure() << shot << ": " << c.Theirs << " of " << c.All << " pixels of " << theirs.Ip;
    if (c.Mine > 0) return ShowsOnly(program, name, cell, mine, theirs);
    std::this_thread::sleep_for(200ms);
  }
  return testing::AssertionFailure() << "no picture of " << mine.Ip << " in the cell";
}

struct Row {
  const char* Name;
  bool LongKeyFrameGaps;  // the streams made at build time: one key frame per 12 s loop
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.Name; }

// The canvas's own record of the preview: "canvas: zoom 6.0 preview on".
bool PreviewShownOn(const ProgramUnderTest& program) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind("canvas: zoom ", 0) == 0) return line.ends_with(" preview on");
  return false;
}
}  // namespace

class PreviewTwoMachinesWindow : public testing::TestWithParam<Row> {};

TEST_P(PreviewTwoMachinesWindow, TheCellsShowOnlyTheMachineAtWork) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  const Row& row = GetParam();
  // Links retried every 500 ms, so the restarted machine comes back quickly.
  setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
  testsupport::ScratchFolder home;
  const std::string geometry = home.Path() + "geometry.txt";
  setenv("VELKAN_GEOMETRY", geometry.c_str(), 1);
  const std::string data = VELKAN_TEST_DATA_DIR, made = VELKAN_KEYGAP_STREAMS_DIR;
  std::array<Machine, 2> machines;
  machines[0].Ip = testsupport::FreeDeviceAddress(51);
  machines[0].Stream = row.LongKeyFrameGaps ? made + "/keygap_magenta_352x240.h264" : data + "/preview_magenta_352x240.h264";
  machines[0].Colour = Magenta;
  machines[1].Ip = testsupport::FreeDeviceAddress(52);
  machines[1].Stream = row.LongKeyFrameGaps ? made + "/keygap_yellow_352x240.h264" : data + "/preview_yellow_480x270.h264";
  machines[1].Colour = Yellow;
  for (auto& m : machines) {
    if (!std::filesystem::exists(m.Stream)) GTEST_SKIP() << m.Stream << " was not made (no ffmpeg with libx264)";
    ASSERT_TRUE(m.Device.Start({"--device", m.Ip, "--preview", m.Stream}));
  }

  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(CommButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: Search Machines"}, 5s)) << program.ShownTexts();
  program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(WaitUntil([&] { return LineHas(program, machines[0].Ip, " online") && LineHas(program, machines[1].Ip, " online"); },
                        20s))
      << program.ShownTexts();
  // The operator chooses the first tile (double click, OK to "Select the Machine ?").
  program.DoubleClick(FirstTileX, FirstTileY);
  EXPECT_EQ(program.BoxText("Tips"), "Select the Machine ?");
  ASSERT_TRUE(program.PressReturnIn("Tips"));
  ASSERT_TRUE(WaitUntil([&] { return LineHas(program, machines[0].Ip, "online controlled") ||
                                     LineHas(program, machines[1].Ip, "online controlled"); },
                        10s))
      << program.ShownTexts();
  const int chosen = LineHas(program, machines[0].Ip, "controlled") ? 0 : 1;
  Machine* mine = &machines[static_cast<size_t>(chosen)];
  Machine* other = &machines[static_cast<size_t>(1 - chosen)];
  ASSERT_TRUE(program.WaitForShown({"busy: hidden", "connection: connected"}, 15s)) << program.ShownTexts();
  // The search page goes, so the canvas is in view.
  program.Click(SearchMachinesX, SearchMachinesY);
  if (!program.WaitForShown({"floating: none"}, 3s)) program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: none"}, 10s)) << program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return PreviewShownOn(program); }, 10s)) << program.ShownTexts();

  GeoRect cell;
  ASSERT_TRUE(WaitUntil([&] { return !(cell = MainCellOnScreen(geometry)).Empty(); }, 5s));
  // Shrunk by a margin: the cell's label and border are not the picture.
  cell = {cell.X + cell.W / 4, cell.Y + cell.H / 4, cell.W / 2, cell.H / 2};
  // Nothing the program took before the choice shows: the cell waits for the machine's picture.
  EXPECT_TRUE(FromNowOnShowsOnly(program, row.Name, cell, *mine, *other));
  if (row.LongKeyFrameGaps) {
    // The other machine chosen (the second tile): decoded afresh, never on the first one's pictures.
    program.Click(SearchMachinesX, SearchMachinesY);
    ASSERT_TRUE(program.WaitForShown({"floating: Search Machines"}, 5s)) << program.ShownTexts();
    const int boxesClosed = program.BusyBoxesClosed();
    program.DoubleClick(FirstTileX + TileStep, FirstTileY);
    EXPECT_EQ(program.BoxText("Tips"), "Select the Machine ?");
    ASSERT_TRUE(program.PressReturnIn("Tips"));
    ASSERT_TRUE(WaitUntil([&] { return LineHas(program, other->Ip, "online controlled"); }, 10s)) << program.ShownTexts();
    // The read-all's busy box has come and gone (an earlier box's "busy: hidden" is history).
    ASSERT_TRUE(WaitUntil([&] { return program.BusyBoxesClosed() > boxesClosed && !program.BusyBoxUp(); }, 15s))
        << program.ShownTexts();
    program.Click(SearchMachinesX, SearchMachinesY);
    ASSERT_TRUE(program.WaitForShown({"floating: none"}, 10s)) << program.ShownTexts();
    std::swap(mine, other);
    EXPECT_TRUE(FromNowOnShowsOnly(program, std::string(row.Name) + "_changed", cell, *mine, *other));
    EXPECT_TRUE(LineHas(program, mine->Ip, "online controlled")) << program.ShownTexts();
    EXPECT_EQ(program.Stop(), 0);
    return;
  }
  // The other machine restarts without a preview: its HELLO says preview off.
  other->Device.Kill();
  ASSERT_TRUE(WaitUntil([&] { return LineHas(program, other->Ip, " offline"); }, 15s)) << program.ShownTexts();
  ASSERT_TRUE(other->Device.Start({"--device", other->Ip}));
  ASSERT_TRUE(WaitUntil([&] { return LineHas(program, other->Ip, " online"); }, 15s)) << program.ShownTexts();
  // Its HELLO was answered with its status and preview state together: over the next seconds the
  // cells keep the controlled machine's picture and the canvas keeps the preview on.
  EXPECT_TRUE(ShowsOnly(program, "two_machines_after_restart", cell, *mine, *other));
  EXPECT_TRUE(PreviewShownOn(program)) << program.ShownTexts();
  EXPECT_TRUE(LineHas(program, mine->Ip, "online controlled")) << program.ShownTexts();
  EXPECT_TRUE(LineHas(program, other->Ip, " online")) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

const Row Rows[] = {{"other_restarts", false}, {"long_key_frame_gaps_other_chosen", true}};
INSTANTIATE_TEST_SUITE_P(Rows, PreviewTwoMachinesWindow, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<Row>& info) { return std::string(info.param.Name); });
