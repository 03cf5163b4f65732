// The program stays usable whatever the link does: for each fault the simulated processor can
// make, a page button still answers within a second, the connection indicator and the machine's
// tile follow the link, and the program ends cleanly.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <sstream>
#include <string>
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

enum class Link { StaysUp, NeverUp, DropsAndReturns, KilledAndRestarted };

struct FaultRow {
  const char* name;
  std::vector<std::string> args;
  Link link;
};

const FaultRow FaultRows[] = {
    {"garbage", {"--garbage-every", "4"}, Link::StaysUp},
    {"bad_crc", {"--bad-crc-every", "4"}, Link::StaysUp},
    {"short_payloads", {"--short-every", "4"}, Link::StaysUp},
    {"stall", {"--stall"}, Link::NeverUp},
    {"silence", {"--silent"}, Link::DropsAndReturns},
    {"drop", {"--drop-after", "30"}, Link::DropsAndReturns},
    {"killed_and_restarted", {}, Link::KilledAndRestarted},
};

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
  std::vector<std::string> args = {"--device", ip};
  args.insert(args.end(), row.args.begin(), row.args.end());
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(args));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions are those of a 96-dpi screen";

  // Search on the loopback adapter: the only machine found is chosen by itself.
  program.Click(PageButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: Search Machines"}, 5s)) << program.ShownTexts();
  program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(WaitUntil([&] { return !MachineLine(program).empty(); }, 10s)) << program.ShownTexts();
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: none"}, 5s)) << program.ShownTexts();

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
