// The operator's road from start to a connected main window, through the real program's
// windows, against the simulated processor on loopback addresses and on a pseudo-terminal.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/ShownGeometry.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ReadDevsimLog;
using testsupport::ReceivedCommands;
using testsupport::ScratchFolder;

namespace {
// Client positions in the main window at 96 dpi (1280 x 728): the page column, the connection
// page docked at (77, 106) and the machine search page over the working area at (397, 106).
constexpr int PageButtonX = 37;
constexpr int PageButtonY(int index) { return 104 + 36 * index + 18; }
constexpr int CommButtonX = PageButtonX, CommButtonY = PageButtonY(10);
constexpr int SearchMachinesX = 233, SearchMachinesY = 220;
constexpr int SearchButtonX = 772, SearchButtonY = 159;
constexpr int ComConnectX = 340, ComConnectY = 315;
constexpr int SearchPageX = 397, SearchPageY = 106;

// Centre of the tile of the machine at list position i: rows of four, 200 x 80, 10 px apart.
std::pair<int, int> TileCentre(int i) {
  return {SearchPageX + 10 + (i % 4) * 210 + 100, SearchPageY + 80 + (i / 4) * 90 + 40};
}

// The machine lines of the search page, in tile order.
std::vector<std::string> MachineLines(const std::string& shown) {
  std::vector<std::string> lines;
  std::istringstream in(shown);
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("machines: ", 0) == 0) lines.push_back(line.substr(10));
  return lines;
}

int MachineIndex(const std::string& shown, const std::string& ip) {
  const auto lines = MachineLines(shown);
  for (size_t i = 0; i < lines.size(); ++i)
    if (lines[i].find(" " + ip + " ") != std::string::npos) return static_cast<int>(i);
  return -1;
}

bool MachineShows(const ProgramUnderTest& program, const std::string& ip, const std::string& state) {
  const std::string shown = program.ShownTexts();
  const int i = MachineIndex(shown, ip);
  return i >= 0 && MachineLines(shown)[static_cast<size_t>(i)].find(state) != std::string::npos;
}

bool ReceivedReadAll(const std::string& log, unsigned device) {
  for (const auto& frame : ReadDevsimLog(log))
    if (frame.device == device && frame.type == 1 && frame.payload.size() >= 4 && frame.payload[0] == 0 &&
        frame.payload[1] == 0 && frame.payload[2] == 0 && frame.payload[3] == 0)
      return true;
  return false;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
  void TearDown() override {
    // What the screen looked like when a step failed.
    SaveScreenIfFailed();
  }
  ScratchFolder Home;
};

// Both answering choices a processor may make for the neutral queries (devsim --neutral-answers).
class MainWindowConnectTest : public MainWindowTest, public ::testing::WithParamInterface<const char*> {
 protected:
  std::vector<std::string> WithAnswers(std::vector<std::string> args) const {
    args.insert(args.end(), {"--neutral-answers", GetParam()});
    return args;
  }
};

// Time from the device receiving the read-all (it answers with the whole state at once) to the
// busy box closing (more boxes closed than closedBefore, none up); -1 when either never happens
// within the limit.
long ReadAllToBusyClosedMs(const ProgramUnderTest& program, const std::string& log, unsigned device,
                           int closedBefore) {
  using Clock = std::chrono::steady_clock;
  auto pollUntil = [](auto done, std::chrono::milliseconds limit) {
    const auto end = Clock::now() + limit;
    while (!done())
      if (Clock::now() > end) return false;
      else std::this_thread::sleep_for(5ms);
    return true;
  };
  if (!pollUntil([&] { return ReceivedReadAll(log, device); }, 15s)) return -1;
  const auto readAll = Clock::now();
  if (!pollUntil([&] { return program.BusyBoxesClosed() > closedBefore && !program.BusyBoxUp(); }, 20s)) return -1;
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - readAll).count());
}

void WriteComSetting(const std::string& home, int port) {
  std::ofstream(home + "Info.ini") << "[COM]\r\nport=" << port << "\r\ntimeout=1\r\n";
}

// The first shown X window whose name contains the text, or "" when there is none.
std::string ShownWindow(const std::string& name) {
  std::string id = RunCommand("xdotool search --onlyvisible --name '" + name + "' | head -1");
  while (!id.empty() && (id.back() == '\n' || id.back() == ' ')) id.pop_back();
  return id;
}

bool CarriesIcon(const std::string& window) {
  return RunCommand("xprop -id " + window + " _NET_WM_ICON").find("_NET_WM_ICON(CARDINAL) =") != std::string::npos;
}

// A digest of what the window shows now.
std::string WindowPixels(const std::string& window) { return RunCommand("import -window " + window + " rgb:- | md5sum"); }

// Whether the connection page's port list holds the port ("com: ports: COM1 COM7").
bool ListsPort(const ProgramUnderTest& program, const std::string& name) {
  std::istringstream in(program.ShownTexts());
  for (std::string line; std::getline(in, line);)
    if (line.rfind("com: ports:", 0) == 0) return (line + " ").find(" " + name + " ") != std::string::npos;
  return false;
}
}  // namespace

TEST_P(MainWindowConnectTest, SearchConnectAllChooseOneAndSeeItsState) {
  const std::string a = FreeDeviceAddress(21), b = FreeDeviceAddress(22);
  const std::string log = Home.Path() + "devsim.log";
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(WithAnswers({"--device", a, "--device", b, "--log", log})));
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280) << "the positions below are those of a 96-dpi screen";
  EXPECT_TRUE(program.Shows("connection: not connected"));

  // Connection page, then the machine search page, then SEARCH on the first adapter (loopback).
  program.Click(CommButtonX, CommButtonY);
  program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: Search Machines"}, 5s)) << program.ShownTexts();
  program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(WaitUntil([&] { return MachineShows(program, a, " online") && MachineShows(program, b, " online"); },
                        15s))
      << program.ShownTexts();
  // Two machines answered: neither is chosen without the operator.
  EXPECT_FALSE(MachineShows(program, a, "controlled"));
  EXPECT_FALSE(MachineShows(program, b, "controlled"));
  EXPECT_FALSE(ReceivedReadAll(log, 21));

  program.SaveScreenshot(Artifact("search_page_tiles.png"));

  // Double click on the first machine's tile, and OK to "Select the Machine ?".
  const auto [x, y] = TileCentre(MachineIndex(program.ShownTexts(), a));
  const int boxesClosed = program.BusyBoxesClosed();
  program.DoubleClick(x, y);
  EXPECT_EQ(program.BoxText("Tips"), "Select the Machine ?");
  ASSERT_TRUE(program.PressReturnIn("Tips"));
  // The whole state closes the box, whichever slots the device answers the follow-up queries on.
  const long closedAfterMs = ReadAllToBusyClosedMs(program, log, 21, boxesClosed);
  EXPECT_GE(closedAfterMs, 0) << program.ShownTexts();
  EXPECT_LT(closedAfterMs, 1000) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "busy: hidden", "inputs: HDMI-1 1920x1080 60Hz",
                                    "inputs: DVI-1 1920x1080 60Hz"}))
      << program.ShownTexts();
  EXPECT_TRUE(program.Shows("busy: shown: Getting Data From Desitination... "));
  EXPECT_TRUE(MachineShows(program, a, "online controlled"));
  EXPECT_TRUE(ReceivedReadAll(log, 21));
  EXPECT_FALSE(ReceivedReadAll(log, 22));

  // The search page closes with its button; the working area shows the output and its layers.
  // (The first click after the question box may only bring the main window back to the front.)
  program.Click(SearchMachinesX, SearchMachinesY);
  if (!program.WaitForShown({"floating: none"}, 3s)) program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(program.WaitForShown({"floating: none"}, 5s)) << program.ShownTexts();
  EXPECT_TRUE(program.WaitForShown({"output: OUTPUT:DVI-1 1920x1080 60.00Hz", "output: MAIN HDMI-1",
                                    "output: PIP-1 DVI-1"}))
      << program.ShownTexts();
  program.SaveScreenshot(Artifact("main_window_connected.png"));

  // The processor goes away: the controlled machine turns offline, and so does the indicator.
  devsim.Kill();
  EXPECT_TRUE(program.WaitForShown({"connection: not connected"}, 20s)) << program.ShownTexts();
  EXPECT_TRUE(MachineShows(program, a, "offline"));
  EXPECT_EQ(program.Stop(), 0);
}

TEST_P(MainWindowConnectTest, SerialConnectReadsTheWholeState) {
  const std::string device = Home.Path() + "device7";
  PtyPair pty(Home.Path(), 7, device);
  ASSERT_TRUE(pty.Ready);
  const std::string log = Home.Path() + "devsim.log";
  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start(WithAnswers({"--serial", device, "--serial-id", "9", "--log", log})));
  WriteComSetting(Home.Path(), 7);
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_EQ(program.WindowWidth(), 1280);

  // The page buttons: PICTURE opens its page, COMM switches to the connection page.
  program.Click(PageButtonX, PageButtonY(0));
  EXPECT_TRUE(program.WaitForShown({"page: Picture Setting"}, 3s)) << program.ShownTexts();
  program.Click(PageButtonX, PageButtonY(0));
  EXPECT_TRUE(program.WaitForShown({"page: none"}, 3s)) << program.ShownTexts();
  program.Click(CommButtonX, CommButtonY);
  EXPECT_TRUE(program.WaitForShown({"page: Connection Setting"}, 3s)) << program.ShownTexts();
  program.Click(ComConnectX, ComConnectY);
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "connection: serial", "busy: hidden",
                                    "inputs: HDMI-1 1920x1080 60Hz", "output: OUTPUT:DVI-1 1920x1080 60.00Hz"}))
      << program.ShownTexts();
  EXPECT_TRUE(program.Shows("busy: shown: Getting Data From Desitination... "));
  EXPECT_TRUE(ReceivedReadAll(log, 9));
  program.SaveScreenshot(Artifact("main_window_serial.png"));
  EXPECT_EQ(program.Stop(), 0);
  // Closing saved the project where Info.ini now points.
  std::ifstream ini(Home.Path() + "Info.ini");
  const std::string settings((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
  const size_t at = settings.find("FilePath=");
  ASSERT_NE(at, std::string::npos) << settings;
  std::string project = settings.substr(at + 9, settings.find_first_of("\r\n", at) - at - 9);
  EXPECT_EQ(project.rfind(Home.Path() + "Project/", 0), 0u) << project;
  ASSERT_TRUE(std::filesystem::exists(project)) << project;
  EXPECT_GT(std::filesystem::file_size(project), 1000u);
}

INSTANTIATE_TEST_SUITE_P(NeutralAnswers, MainWindowConnectTest, ::testing::Values("standard", "other"));

TEST_F(MainWindowTest, BusyBoxGivesUpWhenTheDeviceNeverAnswers) {
  // A serial port with nobody on the other end: the read-all is never answered.
  const std::string device = Home.Path() + "nobody";
  PtyPair pty(Home.Path(), 8, device);
  ASSERT_TRUE(pty.Ready);
  WriteComSetting(Home.Path(), 8);
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(CommButtonX, CommButtonY);
  program.Click(ComConnectX, ComConnectY);
  ASSERT_TRUE(program.WaitForShown({"busy: shown: Getting Data From Desitination... "}, 5s)) << program.ShownTexts();
  EXPECT_FALSE(program.Shows("busy: hidden"));
  // The box and the main window carry the main icon, and the box's picture moves while it waits.
  const std::string box = ShownWindow("Getting Data From Desitination");
  ASSERT_FALSE(box.empty());
  EXPECT_TRUE(CarriesIcon(box));
  EXPECT_TRUE(CarriesIcon(ShownWindow("ZedarEzuzovizu")));
  const std::string first = WindowPixels(box);
  EXPECT_TRUE(WaitUntil([&] { return WindowPixels(box) != first; }, 3s));
  // About 15 s later the box closes by itself and says why.
  ASSERT_TRUE(program.WaitForShown({"busy: hidden"}, 25s)) << program.ShownTexts();
  EXPECT_EQ(program.BoxText("Tips"), "The Machine Is Offline");
  EXPECT_TRUE(program.PressReturnIn("Tips"));
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainWindowTest, PortListFollowsPlugAndPullAndPullingTheOpenPortClosesTheLink) {
  WriteComSetting(Home.Path(), 7);
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  program.Click(CommButtonX, CommButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Connection Setting", "com: link closed"}, 3s)) << program.ShownTexts();
  EXPECT_FALSE(ListsPort(program, "COM7"));

  // Plugged in while the program runs (the "Ports" folder is made then too): listed, and with no
  // link open the port saved in Info.ini is chosen.
  const std::string device = Home.Path() + "device7";
  std::optional<PtyPair> pty(std::in_place, Home.Path(), 7, device);
  ASSERT_TRUE(pty->Ready);
  ASSERT_TRUE(WaitUntil([&] { return ListsPort(program, "COM7"); }, 5s)) << program.ShownTexts();
  EXPECT_TRUE(program.WaitForShown({"com: selected: COM7"}, 3s)) << program.ShownTexts();

  DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--serial", device, "--serial-id", "9"}));
  program.Click(ComConnectX, ComConnectY);
  ASSERT_TRUE(program.WaitForShown({"connection: connected", "com: link open", "busy: hidden"})) << program.ShownTexts();

  // Pulled out: gone from the list, and the link that used it is closed.
  pty.reset();
  ASSERT_TRUE(program.WaitForShown({"com: link closed", "connection: not connected"}, 5s)) << program.ShownTexts();
  EXPECT_FALSE(ListsPort(program, "COM7"));
  EXPECT_EQ(program.Stop(), 0);
}

// ---- one machine at work ----
// Two network machines A and B and a serial one S on COM7, each in a process of its own so that
// each alone can restart or fall silent. Each row is an operator's sequence; every row ends with
// the same checks: the machines not at work report something (MAIN moved to DP-1) that the window
// must not show, one PIP-2 click reaches the machine at work and no other, and the tile, the
// indicator and the window's record of the machine at work name it.
namespace {
constexpr int NetDisconnectX = 340, NetDisconnectY = 170;
constexpr int ComDisconnectX = 340, ComDisconnectY = 370;
constexpr int PresetSlot3X = 195 + 82 * 2 + 30, PresetSlotY = 728 - 84 + 20;
constexpr int PresetSaveX = 1161 + 37, PresetSaveY = 728 - 80 + 14;
constexpr int MiscButtonX = PageButtonX, MiscButtonY = PageButtonY(9);
constexpr int TestPatternTabX = 276, TestPatternTabY = 147;
constexpr int PatternOnOffId = 1273, LeftPip2Id = 1249;
constexpr unsigned SerialId = 9;

class MachineAtWorkTest;
struct AtWorkRow {
  const char* Name;
  std::function<void(MachineAtWorkTest&)> Sequence;
  unsigned Device;     // the device id of the machine at work at the end, 0 for none
  const char* Others;  // the network machines ("A", "B") with a link open that are not at work
};
void PrintTo(const AtWorkRow& row, std::ostream* out) { *out << row.Name; }

class MachineAtWorkTest : public MainWindowTest, public ::testing::WithParamInterface<AtWorkRow> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (IsSkipped()) return;
    setenv("VELKCOMM_TIMING_SCALE", "0.1", 1);  // a restarted machine is back within a second
    setenv("VELKAN_GEOMETRY", (Home.Path() + "geometry.txt").c_str(), 1);
    Pty.emplace(Home.Path(), 7, Home.Path() + "device7");
    ASSERT_TRUE(Pty->Ready);
    ASSERT_TRUE(DeviceA.Start({"--device", A, "--log", LogA, "--usr1-source", "0:4"}));
    ASSERT_TRUE(StartB());
    ASSERT_TRUE(StartS());
    WriteComSetting(Home.Path(), 7);
    ASSERT_TRUE(Program.Start());
    Program.Click(CommButtonX, CommButtonY);
    Program.Click(SearchMachinesX, SearchMachinesY);
    ASSERT_TRUE(Program.WaitForShown({"floating: Search Machines"}, 5s)) << Program.ShownTexts();
    Program.Click(SearchButtonX, SearchButtonY);
    ASSERT_TRUE(WaitUntil([&] { return MachineShows(Program, A, " online") && MachineShows(Program, B, " online"); }, 15s))
        << Program.ShownTexts();
  }
  void TearDown() override {
    unsetenv("VELKCOMM_TIMING_SCALE");
    unsetenv("VELKAN_GEOMETRY");
    MainWindowTest::TearDown();
  }

 public:
  // Double click on the machine's tile, OK to "Select the Machine ?", and its state read.
  void Choose(const std::string& ip) {
    const auto [x, y] = TileCentre(MachineIndex(Program.ShownTexts(), ip));
    const int closed = Program.BusyBoxesClosed();
    Program.DoubleClick(x, y);
    EXPECT_EQ(Program.BoxText("Tips"), "Select the Machine ?");
    ASSERT_TRUE(Program.PressReturnIn("Tips"));
    ASSERT_TRUE(Program.WaitForBusyBoxGone(closed)) << Program.ShownTexts();
    ASSERT_TRUE(MachineShows(Program, ip, "online controlled")) << Program.ShownTexts();
  }
  void ComConnect() {
    const int closed = Program.BusyBoxesClosed();
    Program.Click(ComConnectX, ComConnectY);
    ASSERT_TRUE(Program.WaitForShown({"com: link open", "connection: serial"}, 15s)) << Program.ShownTexts();
    ASSERT_TRUE(Program.WaitForBusyBoxGone(closed)) << Program.ShownTexts();
    ASSERT_TRUE(ReceivedReadAll(LogS, SerialId));
  }
  // B (its source report on a signal) and the serial machine, each in its own process.
  bool StartB() { return DeviceB.Start({"--device", B, "--log", LogB, "--usr1-source", "0:4"}); }
  bool StartS() { return DeviceS.Start({"--serial", Home.Path() + "device7", "--serial-id", "9", "--log", LogS}); }
  void ComDisconnect() {
    Program.Click(ComDisconnectX, ComDisconnectY);
    ASSERT_TRUE(Program.WaitForShown({"com: link closed"}, 5s)) << Program.ShownTexts();
  }
  // Frames of this type a machine received (5 PING, 6 BYE).
  static size_t FramesOf(const std::string& log, unsigned type) {
    size_t n = 0;
    for (const auto& frame : ReadDevsimLog(log)) n += frame.type == type;
    return n;
  }
  // Waits until each machine has received three more PINGs: whatever the program sent it before,
  // and whatever it sent back before its answers to them, has travelled.
  void WaitForPings(const std::vector<std::string>& logs) {
    std::vector<size_t> before;
    for (const auto& log : logs) before.push_back(FramesOf(log, 5));
    for (size_t i = 0; i < logs.size(); ++i)
      ASSERT_TRUE(WaitUntil([&] { return FramesOf(logs[i], 5) >= before[i] + 3; }, 10s)) << logs[i];
  }
  // The machines named ("A", "B", "AB") move MAIN to DP-1 by themselves and report it.
  void OthersReport(const std::string& others) {
    std::vector<std::string> logs;
    for (char machine : others) {
      DevsimProcess& device = machine == 'A' ? DeviceA : DeviceB;
      ASSERT_EQ(kill(device.Pid(), SIGUSR1), 0);
      logs.push_back(machine == 'A' ? LogA : LogB);
    }
    WaitForPings(logs);
  }
  void NetDisconnect() {
    Program.Click(CommButtonX, CommButtonY);
    if (!Program.WaitForShown({"page: Connection Setting"}, 3s)) Program.Click(CommButtonX, CommButtonY);
    ASSERT_TRUE(Program.WaitForShown({"page: Connection Setting"}, 3s)) << Program.ShownTexts();
    Program.Click(NetDisconnectX, NetDisconnectY);
  }
  // The middle of a shown control of a window ("main", "popup:152"), clicked.
  bool ClickControl(const std::string& window, int id) {
    std::optional<GeoRect> at;
    std::string title;
    WaitUntil([&] {
      std::ifstream in(Home.Path() + "geometry.txt");
      std::stringstream all;
      all << in.rdbuf();
      const ShownGeometry g = ShownGeometry::Parse(all.str());
      for (const GeoControl& c : g.Controls)
        for (const GeoWindow& w : g.Windows)
          if (c.Id == id && w.Index == c.Window && w.Kind == window) at = c.Rect, title = w.Title;
      return at.has_value();
    }, 5s);
    if (!at) return false;
    // A pop-up page comes to the front as the operator's click on it would bring it.
    if (window != "main") RunCommand("xdotool search --onlyvisible --name '^" + title + "$' windowraise");
    RunCommand("xdotool mousemove --sync " + std::to_string(at->X + at->W / 2) + " " + std::to_string(at->Y + at->H / 2) +
               " click 1");
    std::this_thread::sleep_for(300ms);
    return true;
  }
  // The test pattern page's on/off button: MISC, its TEST PATTERN tab, the button.
  void ClickPatternOnOff() {
    if (!Program.Shows("page: Misc Settings")) Program.Click(MiscButtonX, MiscButtonY);
    Program.Click(TestPatternTabX, TestPatternTabY);
    ASSERT_TRUE(ClickControl("popup:152", PatternOnOffId)) << Program.ShownTexts();
  }
  // Commands of this number each device received, by device id.
  std::map<unsigned, size_t> CommandsByDevice(uint32_t command) const {
    std::map<unsigned, size_t> count;
    for (const std::string& log : {LogA, LogB, LogS})
      for (const auto& frame : ReadDevsimLog(log))
        if (frame.type == 1 && frame.payload.size() >= 4 &&
            (frame.payload[0] | frame.payload[1] << 8 | frame.payload[2] << 16) == static_cast<int>(command))
          ++count[frame.device];
    return count;
  }

  const std::string A = FreeDeviceAddress(21), B = FreeDeviceAddress(22);
  const std::string LogA = Home.Path() + "a.log", LogB = Home.Path() + "b.log", LogS = Home.Path() + "s.log";
  const std::string ComSevenLink = Home.Path() + "Ports/COM7";
  std::optional<PtyPair> Pty;
  DevsimProcess DeviceA, DeviceB, DeviceS;
  ProgramUnderTest Program{Home.Path()};
};

// 1. A test pattern on A; only B restarts: A's pattern stays, the layer buttons stay held.
void OtherMachineRestarts(MachineAtWorkTest& t) {
  t.Choose(t.A);
  t.ClickPatternOnOff();
  ASSERT_TRUE(t.Program.WaitForShown({"layer buttons: left PIP-1 on disabled grey"}, 5s)) << t.Program.ShownTexts();
  const auto patterns = ReceivedCommands(t.LogA, 12).size();
  t.DeviceB.Kill();
  ASSERT_TRUE(WaitUntil([&] { return MachineShows(t.Program, t.B, " offline"); }, 15s)) << t.Program.ShownTexts();
  ASSERT_TRUE(t.StartB());
  ASSERT_TRUE(WaitUntil([&] { return MachineShows(t.Program, t.B, " online"); }, 15s)) << t.Program.ShownTexts();
  std::this_thread::sleep_for(1s);
  EXPECT_EQ(ReceivedCommands(t.LogA, 12).size(), patterns) << "B's hello switched A's pattern off";
  EXPECT_TRUE(t.Program.Shows("layer buttons: left PIP-1 on disabled grey")) << t.Program.ShownTexts();
  // The operator switches it off, so the layer buttons are free for the closing click.
  t.ClickPatternOnOff();
  ASSERT_TRUE(t.Program.WaitForShown({"layer buttons: left PIP-1 on enabled plain"}, 5s)) << t.Program.ShownTexts();
}

// 2. COM Connect while a network machine is at work.
void ComConnectAfterANetworkMachine(MachineAtWorkTest& t) {
  t.Choose(t.A);
  t.ComConnect();
}

// 3. A network machine chosen while the serial link is open: the serial link closes first.
void NetworkMachineChosenOverSerial(MachineAtWorkTest& t) {
  t.ComConnect();
  t.Choose(t.B);
  EXPECT_TRUE(t.Program.WaitForShown({"com: link closed", "connection: network"}, 5s)) << t.Program.ShownTexts();
}

// 4. DisConnect of the machine at work: none is at work.
void DisconnectTheMachineAtWork(MachineAtWorkTest& t) {
  t.Choose(t.B);
  t.NetDisconnect();
}

// 5. A new search while a machine is at work: the search goes to every machine, the commands after
// it to the machine at work.
void SearchAgainWhileAtWork(MachineAtWorkTest& t) {
  t.Choose(t.A);
  const int closed = t.Program.BusyBoxesClosed();
  t.Program.Click(SearchButtonX, SearchButtonY);
  ASSERT_TRUE(t.Program.WaitForBusyBoxGone(closed)) << t.Program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return MachineShows(t.Program, t.A, "online controlled") && MachineShows(t.Program, t.B, " online"); }, 15s))
      << t.Program.ShownTexts();
}

// 6. COM DisConnect after a network machine was chosen: none is at work, and a preset Save (slot 3)
// reaches no machine.
void ComDisconnectAfterANetworkMachine(MachineAtWorkTest& t) {
  t.Choose(t.A);
  t.ComConnect();
  t.ComDisconnect();
  // The connection page goes (and the search page with it): the preset row shows.
  t.Program.Click(CommButtonX, CommButtonY);
  ASSERT_TRUE(t.Program.WaitForShown({"page: none", "floating: none"}, 5s)) << t.Program.ShownTexts();
  t.Program.Click(PresetSlot3X, PresetSlotY);
  ASSERT_TRUE(t.Program.WaitForShown({"presets: 3 0-2 empty selected"}, 5s)) << t.Program.ShownTexts();
  t.Program.Click(PresetSaveX, PresetSaveY);
  ASSERT_TRUE(t.Program.PressReturnIn("Tips"));
  ASSERT_TRUE(t.Program.WaitForShown({"presets: 3 0-2 used selected"}, 5s)) << t.Program.ShownTexts();
  t.WaitForPings({t.LogA, t.LogB});
  EXPECT_TRUE(t.CommandsByDevice(1).empty()) << "a preset was stored";
}

// 7. The serial machine falls silent (the port stays) and speaks again: the indicator goes dark,
// and lit again, while it stays at work.
void SerialMachineFallsSilentAndComesBack(MachineAtWorkTest& t) {
  t.ComConnect();
  ASSERT_EQ(kill(t.DeviceS.Pid(), SIGSTOP), 0);
  EXPECT_TRUE(t.Program.WaitForShown({"connection: not connected", "at work: serial"}, 10s)) << t.Program.ShownTexts();
  ASSERT_EQ(kill(t.DeviceS.Pid(), SIGCONT), 0);
  ASSERT_TRUE(t.Program.WaitForShown({"connection: connected"}, 10s)) << t.Program.ShownTexts();
}

// 8. COM Connect fails (COM7 names no serial device any more) while a network machine is at work:
// nothing changes.
void FailedComConnectOverANetworkMachine(MachineAtWorkTest& t) {
  t.Choose(t.A);
  t.Pty.reset();
  ASSERT_TRUE(WaitUntil([&] { return !ListsPort(t.Program, "COM7"); }, 5s)) << t.Program.ShownTexts();
  const std::string port = t.ComSevenLink;
  std::filesystem::remove(port);
  std::ofstream(port) << "not a terminal";
  ASSERT_TRUE(t.Program.WaitForShown({"com: selected: COM7"}, 5s)) << t.Program.ShownTexts();
  t.Program.Click(ComConnectX, ComConnectY);
  ASSERT_TRUE(t.Program.PressReturnIn("Tips"));  // "Connect Failed!"
}

// 9. DisConnect of a machine that is not at work (the address still shown is A's, chosen before the
// serial link): the serial machine stays at work.
void DisconnectAMachineNotAtWork(MachineAtWorkTest& t) {
  t.Choose(t.A);
  t.ComConnect();
  t.NetDisconnect();
  ASSERT_TRUE(WaitUntil([&] { return t.FramesOf(t.LogA, 6) > 0; }, 5s)) << "A's link is still open";
}
}  // namespace

TEST_P(MachineAtWorkTest, OnePipTwoClickReachesTheMachineAtWorkAndTheWindowNamesIt) {
  GetParam().Sequence(*this);
  if (HasFatalFailure()) return;
  const unsigned target = GetParam().Device;  // 0: none at work
  const std::string ip = target == 21 ? A : target == 22 ? B : target ? "serial" : "none";
  EXPECT_TRUE(Program.WaitForShown({"at work: " + ip}, 10s)) << Program.ShownTexts();
  ASSERT_NO_FATAL_FAILURE(OthersReport(GetParam().Others));
  Program.SaveScreenshot(Artifact(std::string("at_work_") + GetParam().Name + ".png"));
  // The search page goes: the PIP-2 button shows.
  if (!Program.Shows("floating: none")) Program.Click(SearchMachinesX, SearchMachinesY);
  ASSERT_TRUE(Program.WaitForShown({"floating: none"}, 5s)) << Program.ShownTexts();
  auto before = CommandsByDevice(8);
  ASSERT_TRUE(ClickControl("main", LeftPip2Id)) << Program.ShownTexts();
  EXPECT_TRUE(!target || WaitUntil([&] { return CommandsByDevice(8)[target] > before[target]; }, 5s)) << "not sent";
  std::this_thread::sleep_for(1s);
  auto after = CommandsByDevice(8);
  for (unsigned device : {21u, 22u, SerialId}) EXPECT_TRUE(device == target || after[device] == before[device]) << device;
  for (const std::string& machine : {A, B}) EXPECT_EQ(MachineShows(Program, machine, "controlled"), machine == ip);
  EXPECT_TRUE(Program.Shows(target ? "connection: connected" : "connection: not connected")) << Program.ShownTexts();
  EXPECT_TRUE(!target || Program.Shows(target == SerialId ? "connection: serial" : "connection: network"));
  EXPECT_TRUE(Program.Shows("output: MAIN HDMI-1")) << "another machine's report reached the window\n"
                                                    << Program.ShownTexts();
  EXPECT_EQ(Program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Sequences, MachineAtWorkTest,
                         ::testing::Values(AtWorkRow{"OtherMachineRestarts", OtherMachineRestarts, 21, "B"},
                                           AtWorkRow{"ComConnectAfterANetworkMachine", ComConnectAfterANetworkMachine, SerialId, "AB"},
                                           AtWorkRow{"NetworkMachineChosenOverSerial", NetworkMachineChosenOverSerial, 22, "A"},
                                           AtWorkRow{"DisconnectTheMachineAtWork", DisconnectTheMachineAtWork, 0, "A"},
                                           AtWorkRow{"SearchAgainWhileAtWork", SearchAgainWhileAtWork, 21, "B"},
                                           AtWorkRow{"ComDisconnectAfterANetworkMachine", ComDisconnectAfterANetworkMachine, 0, "AB"},
                                           AtWorkRow{"SerialMachineFallsSilentAndComesBack", SerialMachineFallsSilentAndComesBack, SerialId, "AB"},
                                           AtWorkRow{"FailedComConnectOverANetworkMachine", FailedComConnectOverANetworkMachine, 21, "B"},
                                           AtWorkRow{"DisconnectAMachineNotAtWork", DisconnectAMachineNotAtWork, SerialId, "B"}),
                         [](const ::testing::TestParamInfo<AtWorkRow>& info) { return std::string(info.param.Name); });
