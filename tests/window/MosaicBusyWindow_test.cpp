// MOSAIC -> ON/OFF on the real program against the simulated processor: the page opens the busy
// box, the device reports the mode change done (operation 11), and the box closes within a second
// of that report, whether the device sends it at once after the record or late and first.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
// Client positions at 96 dpi: the MOSAIC page button; the docked page stands at (77, 106) and its ON/OFF
// button at (14, 38) in it, 96 x 28.
constexpr int MosaicButtonX = 37, MosaicButtonY = 104 + 36 * 2 + 18, CommButtonY = 104 + 36 * 10 + 18;
constexpr int OnOffX = 77 + 14 + 48, OnOffY = 106 + 38 + 14;

size_t TimesHidden(const ProgramUnderTest& program) {
  const std::string shown = "\n" + program.ShownTexts();
  size_t n = 0;
  for (size_t at = shown.find("\nbusy: hidden"); at != std::string::npos; at = shown.find("\nbusy: hidden", at + 1)) ++n;
  return n;
}

// The mosaic commands (6) the device received, as their mode bytes.
std::vector<uint8_t> MosaicModesReceived(const std::string& log) {
  std::vector<uint8_t> modes;
  for (const auto& block : testsupport::ReceivedCommands(log, 6))
      if (block[0] == 0) modes.push_back(block[1]);
  return modes;
}

template <typename Predicate>
bool PollUntil(Predicate done, std::chrono::milliseconds limit) {
  const auto end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(5ms);
  }
  return true;
}

// When and in which order the device reports the operation (its choice).
struct MosaicRow {
  const char* name;
  std::vector<std::string> devsimArgs;
  long answerAfterMs;  // the report goes out this long after the command arrives
  // A preset is loaded first (Ctrl+1) and its status comes 6 s late: its box has closed on the
  // preset states, and the status comes while the mosaic's box waits.
  bool lateLoadFirst = false;
};
const MosaicRow MosaicRows[] = {
    {"ReportAtOnceAfterTheRecord", {}, 0},
    {"ReportLateAndFirst", {"--status-delay", "2500", "--status-first"}, 2500},
    {"APresetsLateStatusComesMeanwhile",
     {"--presets-stored", "--status-delay-for", "1=6000", "--status-delay-for", "6=10000"},
     10000,
     true},
};

void PrintTo(const MosaicRow& row, std::ostream* os) { *os << row.name; }

class MosaicBusyWindowTest : public ::testing::TestWithParam<MosaicRow> {};
}  // namespace

TEST_P(MosaicBusyWindowTest, TheBusyBoxClosesWhenTheDeviceReportsTheModeChange) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  const MosaicRow& row = GetParam();
  testsupport::ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  std::vector<std::string> args{"--device", testsupport::FreeDeviceAddress(53), "--log", log};
  args.insert(args.end(), row.devsimArgs.begin(), row.devsimArgs.end());
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(args));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();
  if (row.lateLoadFirst) {
    program.Click(MosaicButtonX, CommButtonY);  // the connection page closes; the keys go to the main window
    ASSERT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();
    // The preset states the load asks for close its box at once; its own status is yet to come.
    const size_t hiddenBefore = TimesHidden(program);
    program.PressKeys("ctrl+1");
    ASSERT_TRUE(PollUntil([&] { return !testsupport::ReceivedCommands(log, 1).empty(); }, 5s)) << "no preset load";
    ASSERT_TRUE(PollUntil([&] { return TimesHidden(program) > hiddenBefore; }, 5s)) << program.ShownTexts();
    ASSERT_TRUE(program.WaitForShown({"main window: enabled"}, 5s)) << program.ShownTexts();
  }
  // The preset's status sets off its follow-up queries (63 among them) when it comes.
  const auto presetStatusesHeard = [&] { return testsupport::ReceivedCommands(log, 63).size(); };
  const size_t presetStatusesBefore = presetStatusesHeard();

  // MOSAIC, then ON/OFF: on with the marked "Panel x 4" (mode 5).
  program.Click(MosaicButtonX, MosaicButtonY);
  const size_t hidden = TimesHidden(program);
  // A watcher notes when the device receives the mode change and when the box closes, while this
  // thread clicks and looks (a click waits 300 ms; a screenshot takes longer).
  std::atomic<bool> stop{false};
  std::atomic<long> receivedMs{-1}, closedMs{-1};
  const auto start = Clock::now();
  const auto sinceStart = [&] {
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
  };
  std::thread watcher([&] {
    while (!stop && closedMs < 0) {
      if (receivedMs < 0 && !MosaicModesReceived(log).empty()) receivedMs = sinceStart();
      if (receivedMs >= 0 && TimesHidden(program) > hidden) closedMs = sinceStart();
      std::this_thread::sleep_for(2ms);
    }
  });
  program.Click(OnOffX, OnOffY);
  const bool received = PollUntil([&] { return receivedMs >= 0; }, 5s);
  if (received && row.answerAfterMs > 1000) {
    // What the operator sees while the device works (only the late report leaves time to look).
    std::filesystem::create_directories(VELKAN_ARTIFACTS);
    program.SaveScreenshot(std::string(VELKAN_ARTIFACTS) + "/mosaic_busy.png");
    EXPECT_TRUE(program.Shows("main window: disabled")) << program.ShownTexts();
  }
  const bool closed = received && PollUntil([&] { return closedMs >= 0; }, 20s);
  stop = true;
  watcher.join();
  ASSERT_TRUE(received) << "no mosaic command";
  EXPECT_EQ(MosaicModesReceived(log).front(), 5);
  ASSERT_TRUE(closed) << program.ShownTexts();
  const long closedAfterMs = closedMs - receivedMs;
  std::cout << "busy box closed " << closedAfterMs << " ms after the device received the mode change\n";
  EXPECT_TRUE(program.Shows("busy: shown: Waitting Operation ...")) << program.ShownTexts();
  // Not before the report (the record alone closes nothing), and within a second of it.
  EXPECT_GE(closedAfterMs, row.answerAfterMs - 200) << program.ShownTexts();
  EXPECT_LT(closedAfterMs, row.answerAfterMs + 1000) << program.ShownTexts();
  EXPECT_TRUE(program.WaitForShown({"main window: enabled"}, 1s)) << program.ShownTexts();
  if (row.lateLoadFirst) {
    EXPECT_GT(presetStatusesHeard(), presetStatusesBefore) << "the preset's status did not come during the wait";
  }

  // The window takes clicks again: ON/OFF switches the mosaic off (mode 0), without a busy box.
  program.Click(OnOffX, OnOffY);
  EXPECT_TRUE(PollUntil([&] { return MosaicModesReceived(log).size() >= 2; }, 5s)) << "the second click was lost";
  if (MosaicModesReceived(log).size() >= 2) {
    EXPECT_EQ(MosaicModesReceived(log)[1], 0);
  }
  EXPECT_TRUE(program.Shows("main window: enabled")) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(DeviceChoice, MosaicBusyWindowTest, ::testing::ValuesIn(MosaicRows),
                         [](const auto& info) { return std::string(info.param.name); });
