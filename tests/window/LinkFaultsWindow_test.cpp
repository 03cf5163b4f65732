// The program stays usable whatever the link does: for each fault the simulated processor can
// make, a page button still answers within a second, the connection indicator and the machine's
// tile follow the link, and the program ends cleanly.
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

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ScratchFolder;

namespace {
// Client positions in the main window at 96 dpi (as in MainWindowConnect_test.cpp).
constexpr int PageButtonX = 37, PictureButtonY = 104 + 18, CommButtonY = 104 + 36 * 10 + 18;
constexpr int SearchMachinesX = 233, SearchMachinesY = 220;
constexpr int SearchButtonX = 772, SearchButtonY = 159;

enum class Link {
  StaysUp,
  NeverUp,
  DropsAndReturns,
  KilledAndRestarted,
  ReadAllNeverAnswered,
  TakeNeverAnswered,  // in PGM/PVW, TAKE's busy box waits for an answer that never comes
  KilledDuringTake,   // the same, and the device is killed 2 s into the wait
  RestartDuringEdidApply,  // the EDID page's Apply is not answered before the device restarts
};

struct FaultRow {
  const char* name;
  std::vector<std::string> args;
  Link link;
};

void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

const FaultRow FaultRows[] = {
    {"garbage", {"--garbage-every", "4"}, Link::StaysUp},
    {"bad_crc", {"--bad-crc-every", "4"}, Link::StaysUp},
    {"short_payloads", {"--short-every", "4"}, Link::StaysUp},
    {"stall", {"--stall"}, Link::NeverUp},
    {"silence", {"--silent"}, Link::DropsAndReturns},
    {"drop", {"--drop-after", "30"}, Link::DropsAndReturns},
    {"killed_and_restarted", {}, Link::KilledAndRestarted},
    {"read_all_unanswered", {"--unanswered", "0"}, Link::ReadAllNeverAnswered},
    {"take_unanswered_reports_every_5s", {"--unanswered", "20", "--report-every", "5"}, Link::TakeNeverAnswered},
    {"take_unanswered_device_killed", {"--unanswered", "20"}, Link::KilledDuringTake},
    {"edid_apply_device_restarts", {"--unanswered", "10"}, Link::RestartDuringEdidApply},
};

constexpr int TakeId = 1451, EdidApplyId = 1329;

// Whether a window of the program titled exactly so is on the screen (a message box once mapped).
bool BoxOnScreen(const ProgramUnderTest& program, const std::string& title) {
  return !RunCommand("xdotool search --onlyvisible --pid " + std::to_string(program.ProcessId()) + " --name '^" + title +
                     "$'")
              .empty();
}
constexpr int EdidButtonY = 104 + 36 * 7 + 18;

// Clicks the control where the geometry record shows it; false when it is not shown.
bool ClickShownControl(const std::string& geometry, int id) {
  std::optional<GeoRect> at;
  WaitUntil([&] {
    std::ifstream in(geometry);
    std::stringstream all;
    all << in.rdbuf();
    for (const GeoControl& c : ShownGeometry::Parse(all.str()).Controls)
      if (c.Id == id && !c.Rect.Empty()) at = c.Rect;
    return at.has_value();
  }, 5s);
  if (!at) return false;
  RunCommand("xdotool mousemove --sync " + std::to_string(at->X + at->W / 2) + " " + std::to_string(at->Y + at->H / 2) +
             " click 1");
  return true;
}

// The device enters PGM/PVW by itself, and TAKE is clicked. When the device received it (steady
// clock), or nothing.
std::optional<std::chrono::steady_clock::time_point> TakeInPgmPvw(const ProgramUnderTest& program,
                                                                   const std::string& control,
                                                                   const std::string& geometry, const std::string& log) {
  std::ofstream(control, std::ios::app) << "switcher 1\n";
  if (!program.WaitForShown({"controls: TAKE shown", "layer buttons: TAKE enabled", "main window: enabled"}, 10s))
    return std::nullopt;
  if (!ClickShownControl(geometry, TakeId)) return std::nullopt;
  if (!WaitUntil([&] { return !testsupport::ReceivedCommands(log, 20).empty(); }, 5s)) return std::nullopt;
  return std::chrono::steady_clock::now();
}

// The one machine's tile line of the search page ("machines: ..."), or empty.
std::string MachineLine(const ProgramUnderTest& program) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind("machines: ", 0) == 0) return line;
  return {};
}

bool Online(const ProgramUnderTest& program) {
  return program.Shows("connection: connected") && MachineLine(program).find(" online") != std::string::npos;
}
bool Offline(const ProgramUnderTest& program) {
  return program.Shows("connection: not connected") || MachineLine(program).find(" offline") != std::string::npos;
}

// Search on the loopback adapter: the only machine found is chosen by itself; the search page
// closes again unless it is to stay.
bool FindTheOnlyMachine(const ProgramUnderTest& program, bool closeSearch = true) {
  program.Click(PageButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  if (!program.WaitForShown({"floating: Search Machines"}, 5s)) return false;
  program.Click(SearchButtonX, SearchButtonY);
  if (!WaitUntil([&] { return !MachineLine(program).empty(); }, 10s)) return false;
  if (!closeSearch) return true;
  program.Click(SearchMachinesX, SearchMachinesY);
  return program.WaitForShown({"floating: none"}, 5s);
}

// A page button answers within a second: the picture page opens, and closes again.
void ExpectResponsive(const ProgramUnderTest& program) {
  program.Click(PageButtonX, PictureButtonY);
  EXPECT_TRUE(program.WaitForShown({"page: Picture Setting"}, 1s)) << program.ShownTexts();
  program.Click(PageButtonX, PictureButtonY);
  EXPECT_TRUE(program.WaitForShown({"page: none"}, 1s)) << program.ShownTexts();
}

// Lines the built-in state shows once it has arrived; anything else under "inputs:" or
// "output:" would come from a corrupt payload.
bool ShowsOnlyTheDevicesState(const ProgramUnderTest& program) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("output: OUTPUT:", 0) == 0 && line != "output: OUTPUT:DVI-1 1920x1080 60.00Hz") return false;
    if (line.rfind("inputs: HDMI-1 ", 0) == 0 && line != "inputs: HDMI-1 1920x1080 60Hz") return false;
    if (line.rfind("inputs: DVI-1 ", 0) == 0 && line != "inputs: DVI-1 1920x1080 60Hz") return false;
  }
  return true;
}

class LinkFaultsWindowTest : public ::testing::TestWithParam<FaultRow> {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    // The link pings every 300 ms, calls a link lost after 1 s of silence, retries every 500 ms.
    setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
  }
  ScratchFolder Home;
};
}  // namespace

TEST_P(LinkFaultsWindowTest, ProgramFollowsTheLinkAndStaysResponsive) {
  const FaultRow& row = GetParam();
  const std::string ip = FreeDeviceAddress(31);
  const std::string log = Home.Path() + "devsim.log";
  const std::string control = Home.Path() + "device-control.txt";
  std::vector<std::string> args = {"--device", ip, "--log", log, "--control", control};
  args.insert(args.end(), row.args.begin(), row.args.end());
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(args));
  const std::string geometry = Home.Path() + "geometry.txt";
  setenv("VELKAN_GEOMETRY", geometry.c_str(), 1);
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions are those of a 96-dpi screen";

  // The read-all's busy box locks the window: the search page stays open.
  ASSERT_TRUE(FindTheOnlyMachine(program, row.link != Link::ReadAllNeverAnswered)) << program.ShownTexts();

  switch (row.link) {
    case Link::StaysUp:
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      EXPECT_TRUE(program.WaitForShown({"inputs: HDMI-1 1920x1080 60Hz", "output: OUTPUT:DVI-1 1920x1080 60.00Hz"}))
          << program.ShownTexts();
      // Several pings later, with every fourth answer spoilt, the link is still up.
      ExpectResponsive(program);
      ExpectResponsive(program);
      EXPECT_TRUE(Online(program)) << program.ShownTexts();
      break;
    case Link::NeverUp:
      ExpectResponsive(program);
      EXPECT_FALSE(program.Shows("connection: connected")) << program.ShownTexts();
      break;
    case Link::DropsAndReturns:
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      EXPECT_TRUE(WaitUntil([&] { return Offline(program); }, 15s)) << program.ShownTexts();
      ExpectResponsive(program);
      EXPECT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      break;
    case Link::ReadAllNeverAnswered: {
      // PINGs answered every 300 ms, never the read-all: the busy box closes about 15 s after the
      // read-all went out, the PING answers notwithstanding, and says the machine did not answer.
      const auto pings = [&] {
        size_t n = 0;
        for (const auto& frame : testsupport::ReadDevsimLog(log)) n += frame.type == 5;
        return n;
      };
      ASSERT_TRUE(WaitUntil([&] { return !testsupport::ReceivedCommands(log, 0).empty(); }, 10s)) << "no read-all";
      const auto sent = std::chrono::steady_clock::now();
      const size_t pingsBefore = pings();
      // The program shows its box after sending the read-all: the window is judged once it has.
      ASSERT_TRUE(WaitUntil([&] { return program.BusyBoxUp() && program.Shows("main window: disabled"); }, 10s))
          << program.ShownTexts();
      ASSERT_TRUE(program.WaitForShown({"main window: enabled"}, 25s)) << program.ShownTexts();
      const double after = std::chrono::duration<double>(std::chrono::steady_clock::now() - sent).count();
      std::printf("busy box closed %.1f s after the read-all, %zu PINGs meanwhile\n", after, pings() - pingsBefore);
      EXPECT_TRUE(after > 14.0 && after < 17.5 && pings() - pingsBefore > 20);
      EXPECT_EQ(program.BoxText("Tips", 5s), LanguageFileText("English", "XIDS_NoAnswerInTime"));
      EXPECT_TRUE(program.PressReturnIn("Tips"));
      break;
    }
    case Link::TakeNeverAnswered: {
      // The device reports its feathering unasked every 5 s, never TAKE's operation: the box
      // closes about 15 s after TAKE all the same, and says the machine did not answer.
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      const auto sent = TakeInPgmPvw(program, control, geometry, log);
      ASSERT_TRUE(sent) << program.ShownTexts();
      ASSERT_TRUE(program.WaitForShown({"main window: disabled"}, 5s)) << program.ShownTexts();
      ASSERT_TRUE(program.WaitForShown({"main window: enabled"}, 25s)) << program.ShownTexts();
      const double after = std::chrono::duration<double>(std::chrono::steady_clock::now() - *sent).count();
      std::printf("TAKE's busy box closed %.1f s after TAKE\n", after);
      EXPECT_TRUE(after > 14.0 && after < 18.0) << after;
      EXPECT_TRUE(program.WaitForShown({"message box: " + LanguageFileText("English", "XIDS_NoAnswerInTime")}, 5s))
          << program.ShownTexts();
      EXPECT_TRUE(WaitUntil([&] { return BoxOnScreen(program, "Tips"); }, 5s));
      program.SaveScreenshot(Artifact("take_unanswered_told.png"));
      EXPECT_TRUE(program.PressReturnIn("Tips"));
      break;
    }
    case Link::KilledDuringTake: {
      // The link goes 2 s into TAKE's wait: the box closes at once and says the machine is
      // offline, not 15 s later that it did not answer.
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      ASSERT_TRUE(TakeInPgmPvw(program, control, geometry, log)) << program.ShownTexts();
      ASSERT_TRUE(program.WaitForShown({"main window: disabled"}, 5s)) << program.ShownTexts();
      std::this_thread::sleep_for(2s);
      devsim.Kill();
      const auto killed = std::chrono::steady_clock::now();
      ASSERT_TRUE(program.WaitForShown({"message box: " + LanguageFileText("English", "SIDS_39")}, 5s))
          << program.ShownTexts();
      EXPECT_LT(std::chrono::steady_clock::now() - killed, 5s);
      EXPECT_TRUE(program.Shows("main window: enabled")) << program.ShownTexts();
      EXPECT_FALSE(program.Shows("message box: " + LanguageFileText("English", "XIDS_NoAnswerInTime")));
      EXPECT_TRUE(WaitUntil([&] { return BoxOnScreen(program, "Tips"); }, 5s));
      program.SaveScreenshot(Artifact("take_device_killed_told.png"));
      EXPECT_TRUE(program.PressReturnIn("Tips"));
      ASSERT_TRUE(devsim.Start(args));
      EXPECT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      break;
    }
    case Link::RestartDuringEdidApply: {
      // The device restarts before it answers Apply: the link goes, the box closes and says the
      // machine is offline; the link comes back and the state is read again.
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      program.Click(PageButtonX, EdidButtonY);
      ASSERT_TRUE(program.WaitForShown({"page: EDID Settings", "main window: enabled"}, 5s)) << program.ShownTexts();
      ASSERT_TRUE(ClickShownControl(geometry, EdidApplyId));
      ASSERT_TRUE(WaitUntil([&] { return !testsupport::ReceivedCommands(log, 10).empty(); }, 5s)) << "no Apply";
      ASSERT_TRUE(program.WaitForShown({"main window: disabled"}, 5s)) << program.ShownTexts();
      const size_t readAlls = testsupport::ReceivedCommands(log, 0).size();
      std::ofstream(control, std::ios::app) << "restart\n";
      EXPECT_TRUE(program.WaitForShown({"message box: " + LanguageFileText("English", "SIDS_39"), "main window: enabled"},
                                       5s))
          << program.ShownTexts();
      EXPECT_TRUE(program.PressReturnIn("Tips"));
      EXPECT_TRUE(WaitUntil([&] { return testsupport::ReceivedCommands(log, 0).size() > readAlls && Online(program); },
                            15s))
          << "no reconnect\n" << program.ShownTexts();
      EXPECT_TRUE(program.WaitForShown({"main window: enabled"}, 10s)) << program.ShownTexts();
      break;
    }
    case Link::KilledAndRestarted:
      ASSERT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      devsim.Kill();
      EXPECT_TRUE(WaitUntil([&] { return Offline(program); }, 10s)) << program.ShownTexts();
      ExpectResponsive(program);
      ASSERT_TRUE(devsim.Start(args));
      EXPECT_TRUE(WaitUntil([&] { return Online(program); }, 10s)) << program.ShownTexts();
      break;
  }
  EXPECT_TRUE(ShowsOnlyTheDevicesState(program)) << program.ShownTexts();
  ExpectResponsive(program);
  EXPECT_EQ(program.Stop(), 0) << "the program must end cleanly";
}

INSTANTIATE_TEST_SUITE_P(DevsimFaults, LinkFaultsWindowTest, ::testing::ValuesIn(FaultRows),
                         [](const ::testing::TestParamInfo<FaultRow>& info) { return std::string(info.param.name); });

// Presets by their shortcuts: three a second apart, then Ctrl+1 .. Ctrl+9 200 times in a row,
// 15 ms apart. Keys that arrive while
// a load's busy box locks the main window are ignored; every load the program sends reaches the
// device, in the order typed, the link stays up (the device heard one HELLO), and the main window
// ends showing the state of the last preset the device loaded (MAIN's source).
TEST(CommandBursts, PresetShortcutsTwoHundredTimes) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", FreeDeviceAddress(32), "--presets-stored", "--log", log}));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(FindTheOnlyMachine(program)) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "busy: hidden", "source: MAIN HDMI-1"}))
      << program.ShownTexts();
  program.Click(PageButtonX, CommButtonY);  // the connection page closes; the keys go to the main window
  ASSERT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();

  auto presetLoads = [&] {
    std::vector<int> slots;
    for (const auto& block : testsupport::ReceivedCommands(log, 1))
        if (block[0] == 1) slots.push_back(block[1]); // Ctrl+n loads preset slot n (Ctrl+0 is slot 0)
    return slots;
  };
  // Keys a second apart all load: the busy box hands the keyboard back to the main window.
  program.PressKeys("ctrl+4 ctrl+5 ctrl+6", 1000);
  EXPECT_TRUE(WaitUntil([&] { return presetLoads().size() >= 3; }, 10s));
  ASSERT_EQ(presetLoads(), (std::vector<int>{4, 5, 6}));

  std::vector<int> typed;
  std::string keys;
  for (int i = 0; i < 200; ++i) {
    typed.push_back(1 + i % 9);
    keys += "ctrl+" + std::to_string(typed.back()) + " ";
  }
  program.PressKeys(keys, 15);

  // The loads have ended when the log stops growing for a second.
  size_t lastCount = 0;
  auto lastChange = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitUntil(
      [&] {
        const size_t count = presetLoads().size();
        if (count != lastCount) lastCount = count, lastChange = std::chrono::steady_clock::now();
        return count > 3 && std::chrono::steady_clock::now() - lastChange > 1s;
      },
      30s));
  const std::vector<int> all = presetLoads();
  const std::vector<int> loads(all.begin() + 3, all.end());
  size_t at = 0;  // every load is the next key typed or a later one: in order, none invented
  for (int slot : loads) {
    while (at < typed.size() && typed[at] != slot) ++at;
    ASSERT_LT(at, typed.size()) << "a load the operator did not type, or out of order";
    ++at;
  }
  size_t hellos = 0;
  for (const auto& frame : testsupport::ReadDevsimLog(log)) hellos += frame.type == 4;
  EXPECT_EQ(hellos, 1u) << "the link was lost and made again";
  static const char* const mainSource[3] = {"DVI-1", "HDMI-1", "DP-1"};
  EXPECT_TRUE(program.WaitForShown({std::string("source: MAIN ") + mainSource[loads.back() % 3],
                                    "connection: connected"},
                                   10s))
      << loads.size() << " loads, the last of slot " << loads.back() << "\n" << program.ShownTexts();
  std::printf("%zu of %zu preset keys became loads\n", loads.size(), typed.size());
  EXPECT_EQ(program.Stop(), 0);
}

// The picture page's brightness slider dragged across its range and back ten times, as fast as
// xdotool moves: the device received exactly the picture commands the page sent, the link stayed
// up, and the device's last brightness is the one the page shows.
TEST(CommandBursts, BrightnessSliderDraggedTenTimes) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  // The picture adjustments are open only in the User picture mode.
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kPictureMode] = 7;
  const std::string stateFile = testsupport::WriteStateFile(home.Path() + "user-picture-mode.state", state);
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", FreeDeviceAddress(33), "--state", stateFile, "--log", log}));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(FindTheOnlyMachine(program)) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "busy: hidden"})) << program.ShownTexts();
  program.Click(PageButtonX, PictureButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Picture Setting"}, 5s)) << program.ShownTexts();

  // The slider: page (77, 106) + (106, 194), 122 x 20.
  const int y = program.ScreenY() + 106 + 194 + 10;
  const std::string left = std::to_string(program.ScreenX() + 77 + 106 + 2) + " " + std::to_string(y);
  const std::string right = std::to_string(program.ScreenX() + 77 + 106 + 120) + " " + std::to_string(y);
  // The thumb starts in the middle (the device's brightness 50 of 0..100).
  const std::string thumb = std::to_string(program.ScreenX() + 77 + 106 + 61) + " " + std::to_string(y);
  std::string drag = "xdotool mousemove " + thumb + " sleep 0.1 mousedown 1";
  // A few milliseconds per move, or the X server folds the whole drag into one motion.
  for (int i = 0; i < 10; ++i) drag += " sleep 0.02 mousemove " + right + " sleep 0.02 mousemove " + left;
  RunCommand(drag + " mouseup 1");

  // "picture: sent <n> brightness <v>": what the page sent and shows.
  auto shownPicture = [&](unsigned& sent, int& brightness) {
    std::istringstream in(program.ShownTexts());
    for (std::string line; std::getline(in, line);)
      if (std::sscanf(line.c_str(), "picture: sent %u brightness %d", &sent, &brightness) == 2) return true;
    return false;
  };
  auto pictureCommands = [&] { return testsupport::ReceivedCommands(log, 3); };
  unsigned sent = 0;
  int brightness = -1;
  // Settled: the page's count has stopped growing and the device has as many (a loaded machine
  // may still be working off the drag's motion when the first count shows).
  unsigned before = 0;
  ASSERT_TRUE(WaitUntil(
      [&] {
        const unsigned last = std::exchange(before, sent);
        return shownPicture(sent, brightness) && sent > 0 && sent == last && pictureCommands().size() >= sent;
      },
      20s))
      << program.ShownTexts();
  const auto blocks = pictureCommands();
  EXPECT_EQ(blocks.size(), sent) << "every picture command the page sent, and no other";
  ASSERT_FALSE(blocks.empty());
  EXPECT_EQ(blocks.back()[6], brightness) << "the device's brightness is the page's";
  EXPECT_GE(sent, 2u) << "the drags moved the slider both ways (a slow machine folds moves together)";
  size_t hellos = 0;
  for (const auto& frame : testsupport::ReadDevsimLog(log)) hellos += frame.type == 4;
  EXPECT_EQ(hellos, 1u) << "the link was lost and made again";
  EXPECT_TRUE(program.Shows("connection: connected"));
  std::printf("%u picture commands from 10 drags, final brightness %d\n", sent, brightness);
  EXPECT_EQ(program.Stop(), 0);
}
