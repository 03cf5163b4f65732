// Two machines on the real program's search page for a minute, with the link's timings shortened
// (PING every 300 ms, lost after 1 s of silence, retried every 500 ms) and every core kept busy
// beside it: neither machine ever shows offline; both come back when the device process is
// killed and started again.
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
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {
// Client positions at 96 dpi: the COMM page button, "Search Machines", SEARCH.
constexpr int CommButtonX = 37, CommButtonY = 104 + 36 * 10 + 18;
constexpr int SearchMachinesX = 233, SearchMachinesY = 220;
constexpr int SearchButtonX = 772, SearchButtonY = 159;
constexpr auto SoakTime = 60s;

// The search page's line of the machine with this IP ("Z81-1 127.0.0.21 online"), or "".
std::string MachineLine(const ProgramUnderTest& program, const std::string& ip) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind("machines: ", 0) == 0 && line.find(" " + ip + " ") != std::string::npos) return line;
  return {};
}

bool AllShow(const ProgramUnderTest& program, const std::vector<std::string>& ips, const std::string& state) {
  for (const auto& ip : ips)
    if (MachineLine(program, ip).find(state) == std::string::npos) return false;
  return true;
}

// Every core busy while it lives.
class CpuLoad {
 public:
  CpuLoad() {
    const unsigned n = std::max(2u, std::thread::hardware_concurrency());
    for (unsigned i = 0; i < n; ++i)
      Threads.emplace_back([this] {
        unsigned long spin = 0;
        while (!Stop.load(std::memory_order_relaxed)) Spins.fetch_add(++spin & 1, std::memory_order_relaxed);
      });
  }
  ~CpuLoad() {
    Stop = true;
    for (auto& t : Threads) t.join();
  }
  size_t Count() const { return Threads.size(); }

 private:
  std::atomic<bool> Stop{false};
  std::atomic<unsigned long> Spins{0};
  std::vector<std::thread> Threads;
};
}  // namespace

TEST(LinkSoakWindow, TwoMachinesStayOnlineUnderLoadAndComeBackAfterARestart) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);
  testsupport::ScratchFolder home;
  const std::vector<std::string> ips = {testsupport::FreeDeviceAddress(41), testsupport::FreeDeviceAddress(42)};
  // Both stream their preview, so the program's own thread has work too.
  const std::vector<std::string> args = {"--device", ips[0], "--device", ips[1], "--preview",
                                         std::string(VELKAN_TEST_DATA_DIR) + "/preview_quad_352x240.h264"};
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(args));
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(CommButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: Search Machines"}, 5s)) << program.ShownTexts();
  program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(WaitUntil([&] { return AllShow(program, ips, " online"); }, 15s)) << program.ShownTexts();
  // The first machine becomes the controlled one (double click, OK to "Select the Machine ?").
  program.DoubleClick(397 + 10 + 100, 106 + 80 + 40);
  EXPECT_EQ(program.BoxText("Tips"), "Select the Machine ?");
  ASSERT_TRUE(program.PressReturnIn("Tips"));
  ASSERT_TRUE(WaitUntil([&] { return MachineLine(program, ips[0]).find("online controlled") != std::string::npos ||
                                     MachineLine(program, ips[1]).find("online controlled") != std::string::npos; },
                        10s))
      << program.ShownTexts();
  EXPECT_TRUE(program.WaitForShown({"busy: hidden", "connection: connected"}, 10s)) << program.ShownTexts();

  // A minute under load: every look finds both online.
  std::string firstOffline;
  long offlineAtMs = -1;
  size_t looks = 0;
  {
    CpuLoad load;
    std::cout << "soak: " << load.Count() << " busy threads beside the program for "
              << std::chrono::duration_cast<std::chrono::seconds>(SoakTime).count() << " s\n";
    const auto start = Clock::now();
    while (Clock::now() - start < SoakTime) {
      ++looks;
      if (firstOffline.empty() && !AllShow(program, ips, " online")) {
        offlineAtMs = static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
        firstOffline = program.ShownTexts();
      }
      std::this_thread::sleep_for(200ms);
    }
  }
  EXPECT_TRUE(firstOffline.empty()) << "offline after " << offlineAtMs << " ms of " << looks << " looks:\n"
                                    << firstOffline;

  // The device process dies: both machines go offline; started again, both come back.
  devsim.Kill();
  EXPECT_TRUE(WaitUntil([&] { return AllShow(program, ips, " offline"); }, 10s)) << program.ShownTexts();
  ASSERT_TRUE(devsim.Start(args));
  const auto restarted = Clock::now();
  EXPECT_TRUE(WaitUntil([&] { return AllShow(program, ips, " online"); }, 10s)) << program.ShownTexts();
  std::cout << "soak: both machines back "
            << std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - restarted).count()
            << " ms after the restart\n";
  EXPECT_EQ(program.Stop(), 0);
}
