// The main window's own controls in the real program against the simulated processor on a
// pseudo-terminal: an input icon switches MAIN's source, a preset is saved and loaded back by
// its shortcut, Freeze and TAKE reach the device.
// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "tools/devsim/SimDevice.h"
#include "tools/devsim/StateLayout.h"
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::ReceivedCommands;
using testsupport::ScratchFolder;

namespace {
// Client positions at 96 dpi in the 1280 x 728 window with no page shown.
constexpr int CommButtonX = 37, CommButtonY = 104 + 36 * 10 + 18;
constexpr int ComConnectX = 340, ComConnectY = 315;
constexpr int DviIconX = 157, DviIconY = 37;  // input 0, the first icon at x 123..191
constexpr int SlotX(int i) { return 195 + 82 * i + 30; }
constexpr int SlotY = 728 - 84 + 20;
constexpr int SaveX = 1161 + 37, SaveY = 728 - 80 + 14;
constexpr int LoadX = 1161 - 20 - 75 + 37, LoadY = SaveY;
constexpr int FreezeX = 750 + 45, FreezeY = 592 + 20;
constexpr int TakeX = 620 + 45, TakeY = 592 + 20;
constexpr int SyncSourceX = 1280 - 32 - 170 + 10 + 70, SyncSourceY = 8 + 38 + 10;

// The two lines under input icon `input` (0..6: x 123 + 108 * input, 68 wide, bottom at y 50)
// in a screenshot: the name right of the 16-px signal marker and the remark 16 px below the
// icon, under the marker; each is drawn in the accent 0x009CEF, none in grey.
testing::AssertionResult LinesUnderIconInAccent(const ProgramUnderTest& program, const std::string& shot,
                                                int input) {
  const int left = program.ScreenX() + 123 + 108 * input, bottom = program.ScreenY() + 50;
  const struct {
    const char* Line;
    int X, Y, Width, Height;
  } lines[] = {{"name", left + 18, bottom + 1, 50, 15}, {"remark", left, bottom + 18, 68, 14}};
  for (const auto& line : lines) {
    const auto pixels = PixelsIn(shot, line.X, line.Y, line.Width, line.Height);
    const auto count = [&](std::array<int, 3> rgb) {
      return std::count_if(pixels.begin(), pixels.end(), [&](const auto& p) { return ColourNear(p, rgb, 30); });
    };
    if (count({239, 156, 0}) == 0 || count({0xD5, 0xD5, 0xD5}) > 0)
      return testing::AssertionFailure()
             << "input " << input << ": its " << line.Line << " line has " << count({239, 156, 0})
             << " accent and " << count({0xD5, 0xD5, 0xD5}) << " grey pixels";
  }
  return testing::AssertionSuccess();
}

class MainControlsWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
  void TearDown() override { SaveScreenIfFailed(); }
  // Devsim on a pseudo-terminal, the program connected to it by COM port, no page open.
  bool ConnectSerial(ProgramUnderTest& program, DevsimProcess& devsim, std::vector<std::string> extra = {}) {
    const std::string device = Home.Path() + "device";
    Pty = std::make_unique<PtyPair>(Home.Path(), 5, device);
    if (!Pty->Ready) return false;
    std::vector<std::string> args{"--serial", device, "--serial-id", "9", "--log", Log()};
    args.insert(args.end(), extra.begin(), extra.end());
    if (!devsim.Start(args)) return false;
    std::ofstream(Home.Path() + "Info.ini") << "[COM]\r\nport=5\r\ntimeout=1\r\n";
    if (!program.Start() || program.WindowWidth() != 1280) return false;
    program.Click(CommButtonX, CommButtonY);
    program.Click(ComConnectX, ComConnectY);
    if (!program.WaitForShown({"connection: connected", "busy: hidden", "inputs: HDMI-1 1920x1080 60Hz"})) return false;
    program.Click(CommButtonX, CommButtonY);
    return program.WaitForShown({"page: none"}, 5s);
  }
  std::string Log() const { return Home.Path() + "devsim.log"; }
  // Lines appended here make devsim act by itself (its --control file).
  std::string Control() const { return Home.Path() + "device-control.txt"; }
  void DeviceDoes(const std::string& line) const { std::ofstream(Control(), std::ios::app) << line << "\n"; }
  // The state devsim starts from, written into the program's folder.
  std::string StateFile(const devsim::StateBlock& state) const {
    return testsupport::WriteStateFile(Home.Path() + "state.bin", state);
  }
  ScratchFolder Home;
  std::unique_ptr<PtyPair> Pty;
};
}  // namespace

TEST_F(MainControlsWindow, InputIconPresetSaveShortcutLoadAndFreeze) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim)) << program.ShownTexts();
  ASSERT_TRUE(program.Shows("source: MAIN HDMI-1")) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("presets: bank Presets names 0"));
  EXPECT_TRUE(program.Shows("presets: 3 0-2 empty"));
  // Under every input, the current source's and the others', its name and its remark line.
  EXPECT_TRUE(ScreenshotPasses(program, Artifact("input_strip_remarks.png"), [&](const std::string& shot) {
    testing::AssertionResult drawn = testing::AssertionSuccess();
    for (int input = 0; input < 7 && drawn; ++input) drawn = LinesUnderIconInAccent(program, shot, input);
    return drawn;
  }));

  // DVI-1's icon: MAIN switches to it with one layer-source command for layer 0.
  program.Click(DviIconX, DviIconY);
  ASSERT_TRUE(program.WaitForShown({"source: MAIN DVI-1"}, 5s)) << program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 7).size() == 1; }, 5s));
  EXPECT_EQ(ReceivedCommands(Log(), 7)[0][0], 0);
  // The same icon again sends nothing more.
  program.Click(DviIconX, DviIconY);
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(ReceivedCommands(Log(), 7).size(), 1u);

  // Slot 3, Save, OK to "Save The Preset?": the device stores it and reports the slot used.
  program.Click(SlotX(2), SlotY);
  ASSERT_TRUE(program.WaitForShown({"presets: 3 0-2 empty selected"}, 5s)) << program.ShownTexts();
  program.Click(SaveX, SaveY);
  EXPECT_EQ(program.BoxText("Tips"), "Save The Preset?");
  ASSERT_TRUE(program.PressReturnIn("Tips"));
  ASSERT_TRUE(program.WaitForShown({"presets: 3 0-2 used selected"}, 5s)) << program.ShownTexts();
  const auto saves = ReceivedCommands(Log(), 1);
  ASSERT_EQ(saves.size(), 1u);
  EXPECT_EQ(saves[0][0], 2);
  EXPECT_EQ(saves[0][1], 2);

  // Freeze: the device freezes and says so; the button follows its answer.
  program.Click(FreezeX, FreezeY);
  ASSERT_TRUE(program.WaitForShown({"controls: Freeze on"}, 5s)) << program.ShownTexts();
  ASSERT_EQ(ReceivedCommands(Log(), 36).size(), 1u);
  EXPECT_EQ(ReceivedCommands(Log(), 36)[0][0], 1);

  program.SaveScreenshot(Artifact("main_controls_preset_saved.png"));

  // Ctrl+2 loads preset 3 (Ctrl+0 is preset 1) and reads the state back.
  const size_t readsBefore = ReceivedCommands(Log(), 0).size();
  program.PressKeys("ctrl+2");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 1).size() == 2; }, 5s));
  EXPECT_EQ(ReceivedCommands(Log(), 1)[1][0], 1);
  EXPECT_EQ(ReceivedCommands(Log(), 1)[1][1], 2);
  EXPECT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 0).size() == readsBefore + 1; }, 5s));
  EXPECT_TRUE(program.WaitForShown({"busy: hidden"}, 10s)) << program.ShownTexts();

  // The sync lock source list: its second row locks to the main input.
  ASSERT_TRUE(program.Shows("sync:  Free Run / Auto")) << program.ShownTexts();
  // The rows drop under the list, 15 px each; a busy machine may open the list late, so the
  // pick is tried again when it did not land.
  for (int attempt = 0; attempt < 3 && !program.Shows("sync:  Lock To Main Input / Auto"); ++attempt) {
    program.Click(SyncSourceX, SyncSourceY);
    std::this_thread::sleep_for(500ms);
    if (attempt == 0) program.SaveScreenshot(Artifact("main_controls_sync_list.png"));
    program.ClickInPopup(SyncSourceX, SyncSourceY + 10 + 15 + 8);
    program.WaitForShown({"sync:  Lock To Main Input / Auto"}, 2s);
  }
  ASSERT_TRUE(program.WaitForShown({"sync:  Lock To Main Input / Auto"}, 5s)) << program.ShownTexts();
  ASSERT_EQ(ReceivedCommands(Log(), 21).size(), 1u);
  EXPECT_EQ(ReceivedCommands(Log(), 21)[0][0], 0);
  EXPECT_EQ(ReceivedCommands(Log(), 21)[0][1], 1);
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, TakeInPreviewProgramMode) {
  // A processor in PGM/PVW mode with PIP-2 waiting on preview.
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kSwitcher] = 1;
  state[devsim::layout::kSwitcherOnPreview + 2] = 1;
  const std::string stateFile = StateFile(state);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--state", stateFile})) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"controls: TAKE shown", "presets: bank Presets names 1", "presets: 1 1-0 empty"},
                                   5s))
      << program.ShownTexts();
  program.SaveScreenshot(Artifact("main_controls_pgm_pvw.png"));
  program.Click(TakeX, TakeY);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 20).size() == 1; }, 5s));
  // The device answers with its switcher state; the busy box closes on its status reply.
  EXPECT_TRUE(program.WaitForShown({"busy: shown: Waitting Operation ...", "busy: hidden"}, 10s))
      << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, FailedProjectSaveIsToldAndKeepsThePath) {
  // The project's folder cannot be made: a plain file stands where it would go.
  std::ofstream(Home.Path() + "blocker") << "not a folder";
  const std::string project = Home.Path() + "blocker/show.pro";
  std::ofstream(Home.Path() + "Info.ini") << "[Project]\r\nFilePath=" << project << "\r\n";
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  program.PressKeys("ctrl+s");
  ASSERT_TRUE(program.WaitForShown({"project: save failed: " + project}, 5s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("main_controls_save_failed.png"));
  const std::string told = program.BoxText("Tips");
  EXPECT_EQ(told.substr(0, told.find('\n')), "Failed: " + project) << told;
  ASSERT_TRUE(program.PressReturnIn("Tips"));
  EXPECT_TRUE(program.WaitForShown({"busy: hidden"}, 5s)) << program.ShownTexts();
  // With the way cleared, closing saves the project where it always was.
  std::filesystem::remove(Home.Path() + "blocker");
  std::filesystem::create_directories(Home.Path() + "blocker");
  EXPECT_EQ(program.Stop(), 0);
  EXPECT_TRUE(std::filesystem::exists(project));
}

TEST_F(MainControlsWindow, PresetNameEditedUnderItsSlotIsKeptInInfoIni) {
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.Shows("presets: 2 0-1 empty")) << program.ShownTexts();
  // The name line under slot 2, double-clicked, opens the editor; Enter keeps the name.
  program.DoubleClick(SlotX(1), SlotY + 20 + 12);
  program.SaveScreenshot(Artifact("main_controls_name_editor.png"));
  // Typed where the focus is: a refocus of the main window would end the edit.
  RunCommand("xdotool key --delay 80 S t a g e space l e f t Return");
  ASSERT_TRUE(program.WaitForShown({"presets: 2 Stage lef empty"}, 5s)) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
  std::ifstream ini(Home.Path() + "Info.ini");
  const std::string settings((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
  EXPECT_NE(settings.find("[PNAMESTR]"), std::string::npos) << settings;
  EXPECT_NE(settings.find("PRESET0-1=Stage lef"), std::string::npos) << settings;
}

namespace {
// The port switch group: 10 px left of the 24-px video-window button, which sits 10 px left of
// the Sync Mode group; 86 px wide from y 8.
constexpr int PortGroupLeft = 1280 - 32 - 170 - 10 - 24 - 10 - 86;
constexpr int ExtModeListX = PortGroupLeft + 43, ExtModeListY = 8 + 28;
constexpr int SignalSwitchX = PortGroupLeft + 43, SignalSwitchY = 8 + 91 - 22;
constexpr int MiscButtonY = 104 + 36 * 9 + 18;
constexpr int LoopOutHdmi1X = 77 + 90 + 34, LoopOutHdmi1Y = 106 + 128 + 14;
}  // namespace

TEST_F(MainControlsWindow, ExtensionCardPortSwitchGroupAndSignalSwitch) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--ext-card", "hdmi"})) << program.ShownTexts();
  // The card's ports name the mode list; the card's input offers its sync lock.
  const std::string modes = "extcard: modes Fixed to DVI3*|Fixed to HDMI3|Auto|Auto(DVI3* Default)|Auto(HDMI3 Default)";
  ASSERT_TRUE(program.WaitForShown({"extcard: shown", modes, "extcard: mode Fixed to DVI3*",
                                    "extcard: signal switch enabled", "inputs: DVI-3* (EXT-1)"},
                                   10s))
      << program.ShownTexts();
  EXPECT_NE(program.ShownTexts().find("| Lock To HDMI3\n"), std::string::npos) << program.ShownTexts();
  program.SaveScreenshot(Artifact("main_window_extension_card.png"));
  // Both language files keep the card's texts for the next start.
  std::ifstream english(Home.Path() + "Language/English.ini");
  const std::string texts((std::istreambuf_iterator<char>(english)), std::istreambuf_iterator<char>());
  EXPECT_NE(texts.find("SIDS_149=Auto(HDMI3 Default)"), std::string::npos) << texts;

  // Signal switch: the card goes to its HDMI port and answers; the button is usable again.
  const size_t queriesBefore = ReceivedCommands(Log(), 67).size();
  program.Click(SignalSwitchX, SignalSwitchY);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 33).size() == 1; }, 5s));
  EXPECT_EQ(ReceivedCommands(Log(), 33)[0][0], 0);
  EXPECT_EQ(ReceivedCommands(Log(), 33)[0][1], 1);
  EXPECT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 67).size() == queriesBefore + 1; }, 5s));
  EXPECT_TRUE(program.WaitForShown({"inputs: HDMI-3 (EXT-1)", "extcard: signal switch enabled"}, 5s))
      << program.ShownTexts();

  // An automatic mode takes the port out of the operator's hands, also after the card answers.
  for (int attempt = 0; attempt < 3 && !program.Shows("extcard: mode Auto(DVI3* Default)"); ++attempt) {
    program.Click(ExtModeListX, ExtModeListY);
    std::this_thread::sleep_for(500ms);
    program.ClickInPopup(ExtModeListX, ExtModeListY + 10 + 15 * 3 + 8);
    program.WaitForShown({"extcard: mode Auto(DVI3* Default)"}, 2s);
  }
  ASSERT_TRUE(program.WaitForShown({"extcard: mode Auto(DVI3* Default)", "extcard: signal switch disabled"}, 5s))
      << program.ShownTexts();
  ASSERT_EQ(ReceivedCommands(Log(), 33).size(), 2u);
  EXPECT_EQ(ReceivedCommands(Log(), 33)[1][0], 1);
  EXPECT_EQ(ReceivedCommands(Log(), 33)[1][1], 3);
  EXPECT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 67).size() == queriesBefore + 2; }, 5s));
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(program.Shows("extcard: signal switch disabled")) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, WithoutCardTheGroupStaysAwayAndLoopOutFollowsTheMiscPage) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--ext-card", "none"})) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"extcard: hidden", "loopout: around DVI-1"}, 10s)) << program.ShownTexts();
  EXPECT_EQ(program.ShownTexts().find("Lock To HDMI3"), std::string::npos) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("indicators: type A shown")) << program.ShownTexts();
  // The Loop-Out frame's title strip opens the system page, whose HDMI-1 button moves the frame.
  program.Click(107 + 30, 3 + 9);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
  program.Click(LoopOutHdmi1X, LoopOutHdmi1Y);
  ASSERT_TRUE(program.WaitForShown({"loopout: around HDMI-1"}, 5s)) << program.ShownTexts();
  ASSERT_EQ(ReceivedCommands(Log(), 18).size(), 1u);
  EXPECT_EQ(ReceivedCommands(Log(), 18)[0][0], 1);
  program.SaveScreenshot(Artifact("main_window_loop_out.png"));
  program.Click(CommButtonX, MiscButtonY);
  EXPECT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

namespace {
constexpr int OutputButtonY = 104 + 36 + 18;
constexpr int HStartEditX = 77 + 80 + 36, HStartEditY = 106 + 274 + 11;  // the output page's H start edit
constexpr int KeyerTabX = 77 + 80 + 40, KeyerTabY = 106 + 26 + 16;
constexpr int TestPatternTabX = 77 + 160 + 40, TestPatternTabY = 106 + 26 + 16;
constexpr int PopupX = 83, PopupY = 208;  // where the pop-up pages stand: left + 83, top + 208
constexpr int PatternOnOffX = PopupX + 22 + 32, PatternOnOffY = PopupY + 32 + 13;
constexpr int CanvasX = 1000, CanvasY = 450;  // an empty spot of the working area
// A message box without a caption carries the program's name.
const std::string MessageBoxTitle = "Velkan";
// The layer rows with no page shown: 70 x 28 buttons at a 95-px pitch, bottoms at 728 - 96; the
// left row from the working area's left (75) + 25, the right row ending 25 px before its right (1256).
constexpr int LayerRowTop = 728 - 96 - 28, LayerButtonHeight = 28;
constexpr int LeftRowX(int i) { return 75 + 25 + 95 * i + 35; }
constexpr int RightRowX(int i) { return 1256 - 25 - 95 * (3 - i) - 35; }

// Gives the X focus to the top-level window under a client point, as a window manager does on a
// click, and returns its id.
std::string FocusWindowAt(const ProgramUnderTest& program, int x, int y) {
  const std::string out = RunCommand("xdotool mousemove " + std::to_string(program.ScreenX() + x) + " " +
                                     std::to_string(program.ScreenY() + y) + " getmouselocation --shell");
  const size_t at = out.find("WINDOW=");
  if (at == std::string::npos) return {};
  const std::string id = out.substr(at + 7, out.find('\n', at) - at - 7);
  RunCommand("xdotool windowfocus --sync " + id);
  return id;
}

// Without a window manager nothing keeps the pop-up pages above the main window: they are
// raised as a window manager keeps an owned window above its owner.
void RaisePopups(const ProgramUnderTest& program) {
  RunCommand("for w in $(xdotool search --onlyvisible --pid " + std::to_string(program.ProcessId()) +
             " --name .); do [ $w = " + program.WindowId() + " ] || xdotool windowraise $w; done");
}

// MISC, TEST PATTERN, and the pattern's On once its pop-up is up: true when the device got the
// switch-on.
bool SwitchTestPatternOn(const ProgramUnderTest& program, const std::string& log) {
  program.Click(CommButtonX, MiscButtonY);
  program.WaitForShown({"page: Misc Settings"}, 5s);
  program.Click(TestPatternTabX, TestPatternTabY);
  const std::string search =
      "xdotool search --all --onlyvisible --pid " + std::to_string(program.ProcessId()) + " --name '^Test Pattern$'";
  if (!WaitUntil([&] { return !RunCommand(search).empty(); }, 10s)) return false;
  RaisePopups(program);
  program.ClickInPopup(PatternOnOffX, PatternOnOffY);
  return WaitUntil([&] { return ReceivedCommands(log, 12).size() == 1; }, 10s);
}

// The busy box's history ends with its closing.
bool BusyClosed(const ProgramUnderTest& program) {
  const std::string shown = "\n" + program.ShownTexts();
  const size_t last = shown.rfind("\nbusy: ");
  const std::string closed = "\nbusy: hidden";
  return last != std::string::npos && shown.compare(last, closed.size(), closed) == 0;
}

// The picture page's button and its Brightness edit (the docked page stands at 77, 106).
constexpr int PictureButtonY = 104 + 18, BrightnessX = 77 + 232 + 20, BrightnessY = 106 + 194 + 10;
constexpr int LoadSubCode = 1, SaveSubCode = 2, NoPresetCommand = -1;

// The output and crop pages' Width edits (the docked page stands at 77, 106), and CROP's button.
constexpr int OutputWidthX = 77 + 12 + 68 + 36, OutputWidthY = 106 + 300 + 11;
constexpr int CropButtonY = 104 + 36 * 5 + 18;
constexpr int CropWidthX = 77 + 240 + 33, CropWidthY = 106 + 184 + 56 + 11;
// The Loop Out frame's title strip, the frame around DVI-1.
constexpr int LoopOutTitleX = 107 + 30, LoopOutTitleY = 3 + 9;
// TAKE in the working area beside a docked page (from 397 to 1256).
constexpr int TakeBesidePageX = 397 + (1256 - 397 - 90) / 2 + 45;

// From frame `from` of a devsim log on: what MAIN got and the actions, in the order the device
// got them: its brightness in each picture command (" 77"; another layer's " 77 to layer 1"),
// its window's width (" width 1000"), its crop's width (" crop 900"), its source (" source"), a
// preset command (" preset", the first one only) and TAKE (" take"); a value sent again at once
// told once (" 77 77 preset 50" is " 77 preset 50").
std::string MainAroundActions(const std::string& log, size_t from) {
  std::string sent, last;
  const auto frames = testsupport::ReadDevsimLog(log);
  for (size_t i = from; i < frames.size(); ++i) {
    const std::vector<uint8_t>& p = frames[i].payload;
    if (frames[i].type != 1 || p.size() < 36) continue;
    const uint8_t* b = p.data() + 4;  // after the command's number
    const auto word = [&](size_t at) { return std::to_string(b[at] | b[at + 1] << 8); };
    std::string item;
    if (p[0] == 1) item = " preset";
    if (p[0] == 20) item = " take";
    if (p[0] == 7 && b[0] == 0) item = " source";
    if (p[0] == 3) item = " " + std::to_string(b[6]) + (b[4] ? " to layer " + std::to_string(b[4]) : "");
    if (p[0] == 4 && b[0] == 0) item = " width " + word(5);
    if (p[0] == 5 && b[0] == 0) item = " crop " + word(6);
    if (item.empty() || item == last || (item == " preset" && sent.find(item) != std::string::npos)) continue;
    sent += last = item;
  }
  return sent;
}
}  // namespace

TEST_F(MainControlsWindow, PresetShortcutsWorkFromEditsPopUpsAndTheCanvas) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  // The picture mode User (MAIN on HDMI-1); preset 4 holds MAIN on DVI-1 (Ctrl+3).
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kPictureMode] = 7;
  // MAIN's crop of HDMI-1 on, over the whole 1920 x 1080 picture.
  uint8_t* crop = state.data() + devsim::layout::kCropRect + devsim::layout::kCropRecordSize * 4 * 1;
  crop[0] = 1;
  crop[6] = 1920 & 0xFF;
  crop[7] = 1920 >> 8;
  crop[8] = 1080 & 0xFF;
  crop[9] = 1080 >> 8;
  ASSERT_TRUE(ConnectSerial(program, devsim,
                            {"--state", StateFile(state), "--presets-stored", "--preset-empty", "9", "--control",
                             Control()}))
      << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"presets: 4 0-3 used", "presets: 10 0-9 empty"}, 5s)) << program.ShownTexts();
  struct Row {
    const char* Where;
    const char* Shot;
    std::function<void()> Focus;
    std::function<void()> Act;  // keys or a click
    uint8_t Slot;
    const char* Box = nullptr;  // a message box, answered with Enter
    int SubCode = LoadSubCode;  // the preset command the action sends (after the box)
    std::vector<std::string> Shown = {};  // then shown
    const char* Sent = nullptr;     // then what MAIN got around the action, from the typing on,
    const char* Resent = "";        // and what may follow: the device's own value again
    const char* Project = nullptr;  // then in the project file
  };
  // Typed into an edit of a page with MAIN on HDMI-1, the device's log read from there.
  size_t typedFrom = 0;
  const auto typeInto = [&](int pageButtonY, const std::string& page, int x, int y, const std::string& keys) {
    return [&, pageButtonY, page, x, y, keys] {
      if (!program.Shows("page: " + page)) program.Click(CommButtonX, pageButtonY);
      if (!program.Shows("source: MAIN HDMI-1")) program.Click(DviIconX + 108, DviIconY);  // HDMI-1's icon
      EXPECT_TRUE(program.WaitForShown({"page: " + page, "source: MAIN HDMI-1"}, 5s)) << program.ShownTexts();
      RunCommand("xdotool windowfocus --sync " + program.WindowId());
      typedFrom = testsupport::ReadDevsimLog(Log()).size();
      program.Click(x, y);
      RunCommand("xdotool key --delay 80 ctrl+a " + keys);
    };
  };
  const auto typeBrightness = [&](const std::string& keys) {
    return typeInto(PictureButtonY, "Picture Setting", BrightnessX, BrightnessY, keys);
  };
  const auto click = [&](int x, int y) { return [&program, x, y] { program.Click(x, y); }; };
  const auto keys = [](const std::string& chord) { return [chord] { RunCommand("xdotool key --delay 80 " + chord); }; };
  // The system page shown by its button (or by what else is clicked there), then this page's button.
  const auto leaveAndComeBack = [&](int pageButtonY, const std::string& page, int x = CommButtonX,
                                    int y = MiscButtonY) {
    return [&, pageButtonY, page, x, y] {
      program.Click(x, y);
      EXPECT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
      program.Click(CommButtonX, pageButtonY);
      EXPECT_TRUE(program.WaitForShown({"page: " + page}, 5s)) << program.ShownTexts();
    };
  };
  // Each key event a step of its own, this far apart, as a person presses keys.
  const auto pacedKeys = [&program](const std::string& chord, int paceMs) {
    return [&program, chord, paceMs] { program.PressChordAtPersonsPace(chord, paceMs); };
  };
  // A digit typed alone, no key held: it is typed and asks nothing.
  const auto typeAlone = [&](const std::string& digit) {
    return [&, type = typeBrightness(digit)] {
      type();
      EXPECT_EQ(program.OpenBox("Tips", 1s), "") << "a question opened";
    };
  };
  const auto project = [&] {
    return RunCommand("find '" + Home.Path() + "Project' -name '*.pro' -exec cat {} + | tr -d '\\000'");
  };
  // After a load: what preset 4 brought (DVI-1's 50), nothing typed after it.
  const std::vector<std::string> loadedDvi1 = {"source: MAIN DVI-1", "picture input: layer 0 DVI-1 brightness 50"};
  // The test-pattern pop-up keeps the keys while its pattern runs.
  const auto focusPattern = [&] {
    RaisePopups(program);
    // A blank spot beside the pattern group's title, focused and clicked as the keyer's is.
    EXPECT_NE(FocusWindowAt(program, PopupX + 150, PopupY + 17), program.WindowId()) << "the pop-up is not on top";
    program.ClickInPopup(PopupX + 150, PopupY + 17);
  };
  const Row rows[] = {
      {"77 typed in Brightness, Ctrl+3", "shortcut_typed_then_load.png", typeBrightness("7 7"), keys("ctrl+3"), 3,
       nullptr, LoadSubCode, loadedDvi1, " 77 preset", " 50"},
      {"64 entered in Brightness, its answer shown, Ctrl+3", "shortcut_entered_then_load.png",
       [&, type = typeBrightness("6 4 Return")] {
         type();
         EXPECT_TRUE(program.WaitForShown({"picture input: layer 0 HDMI-1 brightness 64"}, 5s)) << program.ShownTexts();
       },
       keys("ctrl+3"), 3, nullptr, LoadSubCode, loadedDvi1, " 64 preset", " 50"},
      {"71 typed in Brightness, Ctrl+S", "shortcut_typed_then_project_save.png", typeBrightness("7 1"),
       keys("ctrl+s"), 0, nullptr, NoPresetCommand, {}, " 71", "", "\nBRIGHTNESS10=71\r"},
      // The main window's buttons act after what is typed, as the shortcuts do.
      {"75 typed in Brightness, Load", "button_typed_then_load.png", typeBrightness("7 5"), click(LoadX, LoadY), 3,
       nullptr, LoadSubCode, loadedDvi1, " 75 preset", " 50"},
      // S held: the 3 names preset 4 and is not typed.
      {"73 typed in Brightness, S+3, OK", "shortcut_typed_then_preset_save.png", typeBrightness("7 3"), keys("s+3"), 3,
       "Save The Preset?", SaveSubCode, {"picture input: layer 0 HDMI-1 brightness 73"}, " 73 preset", " 73"},
      // At a person's pace S is let go while the question is up.
      {"74 typed in Brightness, S+3 at a person's pace, OK", "shortcut_paced_preset_save.png", typeBrightness("7 4"),
       pacedKeys("s+3", 100), 3, "Save The Preset?", SaveSubCode, {"picture input: layer 0 HDMI-1 brightness 74"},
       " 74 preset", " 74"},
      {"7 typed in Brightness seconds later, Enter", "shortcut_digit_after_preset_save.png", typeAlone("7"),
       keys("Return"), 0, nullptr, NoPresetCommand, {"picture input: layer 0 HDMI-1 brightness 7"}, " 7"},
      // Held past the keyboard's repeat delay.
      {"75 typed in Brightness, S+8 held over a second, OK", "shortcut_held_preset_save.png", typeBrightness("7 5"),
       pacedKeys("s+8", 1200), 8, "Save The Preset?", SaveSubCode, {"picture input: layer 0 HDMI-1 brightness 75"},
       " 75 preset", " 75"},
      {"72 typed in Brightness, Ctrl+3 at a person's pace", "shortcut_paced_load.png", typeBrightness("7 2"),
       pacedKeys("ctrl+3", 100), 3, nullptr, LoadSubCode, {"picture input: layer 0 HDMI-1 brightness 74"},
       " 72 preset", " 74"},
      {"69 typed in Brightness, Ctrl+S at a person's pace", "shortcut_paced_project_save.png", typeBrightness("6 9"),
       pacedKeys("ctrl+s", 100), 0, nullptr, NoPresetCommand, {}, " 69", "", "\nBRIGHTNESS10=69\r"},
      // Leaving a page commits what is typed on it, as a focus loss does; back, it shows what the
      // device then holds.
      {"1000 typed in Width, MISC, OUTPUT", "page_left_output.png",
       typeInto(OutputButtonY, "Output Setting", OutputWidthX, OutputWidthY, "1 0 0 0"),
       leaveAndComeBack(OutputButtonY, "Output Setting"), 0, nullptr, NoPresetCommand,
       {"output page: layer MAIN window 0,0 1000x1080"}, " width 1000"},
      {"1100 typed in Width, the Loop Out title, OUTPUT", "page_left_by_loop_out.png",
       typeInto(OutputButtonY, "Output Setting", OutputWidthX, OutputWidthY, "1 1 0 0"),
       leaveAndComeBack(OutputButtonY, "Output Setting", LoopOutTitleX, LoopOutTitleY), 0, nullptr, NoPresetCommand,
       {"output page: layer MAIN window 0,0 1100x1080"}, " width 1100"},
      {"900 typed in the crop's Width, MISC, CROP", "page_left_crop.png",
       typeInto(CropButtonY, "Image Crop", CropWidthX, CropWidthY, "9 0 0"),
       leaveAndComeBack(CropButtonY, "Image Crop"), 0, nullptr, NoPresetCommand,
       {"crop: layer 0 input HDMI-1 on 0,0,900,1080"}, " crop 900"},
      // An input icon: what is typed goes to the input it was typed for.
      {"78 typed in Brightness, DVI-1's icon", "icon_after_typing.png", typeBrightness("7 8"),
       click(DviIconX, DviIconY), 0, nullptr, NoPresetCommand, {"source: MAIN DVI-1"}, " 78 source"},
      {"66 typed in Brightness, MISC, PICTURE", "page_left_picture.png", typeBrightness("6 6"),
       leaveAndComeBack(PictureButtonY, "Picture Setting"), 0, nullptr, NoPresetCommand,
       {"picture input: layer 0 HDMI-1 brightness 66"}, " 66"},
      // TAKE shows in PGM/PVW, where the page edits the preview layer (PIP-1); the next row's preset
      // load brings plain mode back.
      {"76 typed in PIP-1's Brightness, TAKE", "button_typed_then_take.png",
       [&, type = typeBrightness("7 6")] {
         DeviceDoes("switcher 1");
         EXPECT_TRUE(program.WaitForShown({"controls: TAKE shown"}, 5s)) << program.ShownTexts();
         type();
       },
       [&] {
         const int closed = program.BusyBoxesClosed();
         program.Click(TakeBesidePageX, TakeY);
         EXPECT_TRUE(program.WaitForBusyBoxGone(closed, 10s)) << program.ShownTexts();
       },
       0, nullptr, NoPresetCommand, {}, " 76 to layer 1 take"},
      {"a page's numeric edit", "shortcut_from_edit.png",
       [&] {
         program.Click(CommButtonX, OutputButtonY);
         program.WaitForShown({"page: Output Setting"}, 5s);
         // The window manager activates the window, then the click reaches the edit.
         RunCommand("xdotool windowfocus --sync " + program.WindowId());
         program.Click(HStartEditX, HStartEditY);
       },
       keys("ctrl+3"), 3},
      {"the keyer pop-up", "shortcut_from_keyer.png",
       [&] {
         program.Click(CommButtonX, MiscButtonY);
         program.WaitForShown({"page: Misc Settings"}, 5s);
         program.Click(KeyerTabX, KeyerTabY);
         std::this_thread::sleep_for(500ms);
         const std::string popup = FocusWindowAt(program, PopupX + 150, PopupY + 400);
         EXPECT_NE(popup, program.WindowId()) << "the keyer pop-up is not a window of its own";
         program.ClickInPopup(PopupX + 150, PopupY + 400);
       },
       keys("ctrl+3"), 3},
      {"the canvas", "shortcut_from_canvas.png",
       [&] {
         program.Click(CommButtonX, MiscButtonY);
         program.WaitForShown({"page: none"}, 5s);
         program.Click(CanvasX, CanvasY);
       },
       keys("ctrl+5"), 5},
      {"the test-pattern pop-up, its pattern on", "shortcut_during_test_pattern.png",
       [&] {
         EXPECT_TRUE(SwitchTestPatternOn(program, Log()));
         focusPattern();
       },
       keys("ctrl+6"), 6},
      {"an empty slot, the pattern on", "shortcut_empty_slot.png", focusPattern, keys("ctrl+9"), 10,
       "Preset is Invalid", NoPresetCommand},  // what it did not send, the next row's load shows
      {"the pattern still on", "shortcut_after_empty_slot.png", focusPattern, keys("ctrl+7"), 7},
  };
  size_t presets = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Where);
    row.Focus();
    program.SaveScreenshot(Artifact(row.Shot));
    const int closed = program.BusyBoxesClosed();
    // Typed or clicked where the operator does.
    const int shown = program.BusyBoxesShown();
    row.Act();
    if (row.Box) {
      const std::string title = row.SubCode == SaveSubCode ? std::string("Tips") : MessageBoxTitle;
      ASSERT_EQ(program.BoxText(title, 5s), row.Box) << program.ShownTexts();
      ASSERT_TRUE(program.PressReturnIn(title));
      ASSERT_TRUE(WaitUntil([&] { return !program.Shows(std::string("message box: ") + row.Box); }, 5s));
      // One press, one question.
      EXPECT_EQ(program.OpenBox(title, 2s), "") << "asked again";
    }
    if (row.SubCode != NoPresetCommand) {
      ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 1).size() == presets + 1; }, 5s))
          << program.ShownTexts();
      EXPECT_EQ(ReceivedCommands(Log(), 1)[presets][0], row.SubCode);
      EXPECT_EQ(ReceivedCommands(Log(), 1)[presets][1], row.Slot);
      ++presets;
      // A load's busy box comes after its commands: wait for it to have come and gone.
      if (row.SubCode == LoadSubCode) {
        ASSERT_TRUE(program.WaitForBusyBoxGone(closed, 10s)) << program.ShownTexts();
      }
    }
    for (const std::string& line : row.Shown) EXPECT_TRUE(program.WaitForShown({line}, 5s)) << program.ShownTexts();
    if (row.Project) {
      EXPECT_TRUE(WaitUntil([&] { return project().find(row.Project) != std::string::npos; }, 5s)) << project();
      // One press, one write, under one busy box.
      EXPECT_TRUE(program.WaitForBusyBoxGone(closed, 5s)) << program.ShownTexts();
      EXPECT_EQ(program.BusyBoxesShown(), shown + 1) << program.ShownTexts();
    }
    const std::string sent = MainAroundActions(Log(), typedFrom);
    EXPECT_TRUE(!row.Sent || sent == row.Sent || sent == row.Sent + std::string(row.Resent)) << sent;
  }
  // The shortcuts left the running pattern alone: its own switch-on is all the device got.
  EXPECT_EQ(ReceivedCommands(Log(), 12).size(), 1u);
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, AfterATestPatternProgramSideLayerButtonsStayOff) {
  // Plain mode with PIP-2 on program and PIP-3 (switched on) on preview, for when PGM/PVW comes.
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kLayerWindow + devsim::layout::kLayerWindowSize * 3] = 1;
  state[devsim::layout::kSwitcherOnProgram + 2] = 1;
  state[devsim::layout::kSwitcherOnPreview + 3] = 1;
  const std::string stateFile = StateFile(state);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--state", stateFile, "--control", Control()})) << program.ShownTexts();

  // MISC, TEST PATTERN, the pattern on: no layer button can be used.
  ASSERT_TRUE(SwitchTestPatternOn(program, Log()));
  ASSERT_TRUE(program.WaitForShown({"layer buttons: left PIP-1 on disabled grey"}, 5s)) << program.ShownTexts();
  RaisePopups(program);
  program.SaveScreenshot(Artifact("layer_buttons_during_test_pattern.png"));
  // The device enters PGM/PVW: the mode forbids the pattern, which ends with its page; each
  // button is back to what PGM/PVW allows, its look with it.
  DeviceDoes("switcher 1");
  EXPECT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 12).size() == 2; }, 10s));
  ASSERT_TRUE(
      program.WaitForShown({"layer buttons: right PIP-3 on enabled plain", "layer buttons: TAKE enabled"}, 10s))
      << program.ShownTexts();
  const std::string programSide[] = {"layer buttons: left PIP-2 on disabled grey",
                                     "layer buttons: left PIP-3 off disabled grey",
                                     "layer buttons: right PIP-2 off disabled grey"};
  for (const std::string& line : programSide) EXPECT_TRUE(program.Shows(line)) << program.ShownTexts();
  program.Click(CommButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("layer_buttons_after_test_pattern.png"));

  // Real clicks: the program-side buttons send nothing; PIP-3 on preview still answers.
  const int rowY = LayerRowTop + LayerButtonHeight / 2;
  for (int x : {LeftRowX(2), LeftRowX(3), RightRowX(2)}) program.Click(x, rowY);
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(ReceivedCommands(Log(), 8).size(), 0u);
  program.Click(RightRowX(3), rowY);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 8).size() == 1; }, 5s));
  EXPECT_EQ(ReceivedCommands(Log(), 8)[0][0], 3); // layer PIP-3
  EXPECT_EQ(ReceivedCommands(Log(), 8)[0][1], 0); // off
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, ALayerDraggedDuringATestPatternBecomesCurrent) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim)) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"source: MAIN HDMI-1", "output page: layer MAIN window 0,0 1920x1080"}, 5s))
      << program.ShownTexts();
  ASSERT_TRUE(SwitchTestPatternOn(program, Log()));
  // PIP-1 (output 1280,60 576x324; frame 0 at 125,198; zoom 6) in the working area beside the
  // docked page, which starts at (397, 106), dragged by its middle.
  const int x = 397 + (125 + 1280 + 288) / 6, y = 106 + (198 + 60 + 162) / 6;
  RunCommand("xdotool mousemove --sync " + std::to_string(program.ScreenX() + x) + " " +
             std::to_string(program.ScreenY() + y) +
             " mousedown 1 sleep 0.2 mousemove_relative --sync 10 0 sleep 0.2 mouseup 1");
  // The layer's input is the one the icons mark, and the output page shows its window.
  EXPECT_TRUE(program.WaitForShown({"source: PIP-1 DVI-1", "output page: layer PIP-1 window 1280,60 576x324"}, 5s))
      << program.ShownTexts();
  // The pattern's pop-up is still up.
  RaisePopups(program);
  EXPECT_NE(FocusWindowAt(program, PopupX + 250, PopupY + 100), program.WindowId());
  program.SaveScreenshot(Artifact("layer_dragged_during_test_pattern.png"));
  EXPECT_EQ(program.Stop(), 0);
}

namespace {
constexpr int PresetsBankX = 90 + 37, PresetsBankY = 728 - 86 + 15;
constexpr int TemplatesBankX = PresetsBankX, TemplatesBankY = PresetsBankY + 30 + 8;
constexpr int KeyerPageButtonY = 104 + 36 * 3 + 18;           // the switcher page's button
constexpr int SwitcherOnOffX = 77 + 22 + 40, SwitcherOnOffY = 106 + 56 + 14;

// The slot the row lights, as the record tells it: 1..10, or 0 for none.
int LitSlotShown(const ProgramUnderTest& program) {
  for (int slot = 1; slot <= 10; ++slot)
    if (program.Shows("presets: lit " + std::to_string(slot))) return slot;
  return 0;
}
}  // namespace

TEST_F(MainControlsWindow, PresetRowLoadsAndSavesTheSlotItShowsLit) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--presets-stored", "--preset-empty", "9", "--control", Control()}))
      << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"presets: bank Presets names 0", "presets: lit none", "presets: 4 0-3 used"}, 5s))
      << program.ShownTexts();
  const auto click = [&](int x, int y) { return [&program, x, y] { program.Click(x, y); }; };
  const auto save = [&] {
    program.Click(SaveX, SaveY);
    EXPECT_EQ(program.BoxText("Tips"), "Save The Preset?");
    EXPECT_TRUE(program.PressReturnIn("Tips"));
  };
  // The device changes its switcher mode by itself (its front panel, another controller); the
  // operator goes on once the row shows that mode's names.
  const auto deviceSwitcher = [&](int mode) {
    return [this, &program, mode] {
      DeviceDoes("switcher " + std::to_string(mode));
      const std::string names = " names " + std::to_string(mode);
      EXPECT_TRUE(WaitUntil([&] {
        return program.Shows("presets: bank Presets" + names) || program.Shows("presets: bank Templates" + names);
      }, 10s)) << program.ShownTexts();
    };
  };
  const auto switcherOnFromItsPage = [&] {
    program.Click(CommButtonX, KeyerPageButtonY);
    EXPECT_TRUE(program.WaitForShown({"page: Switcher Mode"}, 5s)) << program.ShownTexts();
    program.Click(SwitcherOnOffX, SwitcherOnOffY);
    EXPECT_TRUE(program.WaitForShown({"presets: bank Presets names 1"}, 10s)) << program.ShownTexts();
    EXPECT_TRUE(WaitUntil([&] { return BusyClosed(program); }, 10s)) << program.ShownTexts();
    program.Click(CommButtonX, KeyerPageButtonY);
    EXPECT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();
  };
  struct Row {
    const char* What;
    std::vector<std::function<void()>> Steps;
    const char* Bank;
    int Names;  // the names' bank: the device's switcher mode
    int Lit;    // 0: none lit, and then nothing may be sent
    int SubCode;
  };
  const Row rows[] = {
      {"preset 2 clicked and loaded", {click(SlotX(1), SlotY), click(LoadX, LoadY)}, "Presets", 0, 2, 1},
      {"Templates, slot 7 clicked, back to Presets (preset 2 lit), Save",
       {click(TemplatesBankX, TemplatesBankY), click(SlotX(6), SlotY), click(PresetsBankX, PresetsBankY), save},
       "Presets", 0, 2, 2},
      {"template 4 clicked and loaded",
       {click(TemplatesBankX, TemplatesBankY), click(SlotX(3), SlotY), click(LoadX, LoadY)}, "Templates", 0, 4, 0},
      {"Presets, slot 6 clicked, Templates (template 4 lit), Load",
       {click(PresetsBankX, PresetsBankY), click(SlotX(5), SlotY), click(TemplatesBankX, TemplatesBankY),
        click(LoadX, LoadY)},
       "Templates", 0, 4, 0},
      {"Ctrl+7 in the Templates bank: preset 8, lit in the Presets bank",
       {[&] { program.PressKeys("ctrl+7"); }}, "Presets", 0, 8, 1},
      // The stored preset holds plain mode: the load takes the device back to it.
      {"PGM/PVW from the switcher page keeps preset 8 lit; Load",
       {switcherOnFromItsPage, click(LoadX, LoadY)}, "Presets", 0, 8, 1},
      {"Templates, Presets: preset 2, the one loaded in plain mode, Save",
       {click(TemplatesBankX, TemplatesBankY), click(PresetsBankX, PresetsBankY), save}, "Presets", 0, 2, 2},
      {"the device turns to PGM/PVW, Templates, Presets: preset 8, loaded in PGM/PVW, Load",
       {deviceSwitcher(1), click(TemplatesBankX, TemplatesBankY), click(PresetsBankX, PresetsBankY),
        click(LoadX, LoadY)},
       "Presets", 0, 8, 1},
      {"the device turns to dual, Templates, Presets: nothing loaded in dual, Load",
       {deviceSwitcher(2),
        click(TemplatesBankX, TemplatesBankY), click(PresetsBankX, PresetsBankY), click(LoadX, LoadY)},
       "Presets", 2, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    const size_t before = ReceivedCommands(Log(), 1).size();
    for (const auto& step : row.Steps) {
      step();
      std::this_thread::sleep_for(150ms);  // clicks a few frames apart, as a hand gives them
    }
    const std::string bank = std::string("presets: bank ") + row.Bank + " names " + std::to_string(row.Names);
    const std::string lit = row.Lit ? "presets: lit " + std::to_string(row.Lit) : "presets: lit none";
    if (row.Lit == 0) {
      ASSERT_TRUE(program.WaitForShown({bank, lit}, 10s)) << program.ShownTexts();
      std::this_thread::sleep_for(1s);
      EXPECT_EQ(ReceivedCommands(Log(), 1).size(), before) << "sent with no slot lit";
      continue;
    }
    ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 1).size() == before + 1; }, 10s))
        << program.ShownTexts();
    ASSERT_TRUE(WaitUntil([&] { return BusyClosed(program); }, 10s)) << program.ShownTexts();
    EXPECT_TRUE(program.WaitForShown({bank, lit}, 10s)) << program.ShownTexts();
    // The device got the slot the row shows lit, with the shown bank's sub-code.
    const auto sent = ReceivedCommands(Log(), 1).back();
    EXPECT_EQ(sent[0], row.SubCode);
    EXPECT_EQ(sent[1] + 1, LitSlotShown(program)) << program.ShownTexts();
    EXPECT_EQ(sent[0] == 0, program.Shows("presets: bank Templates names " + std::to_string(row.Names)));
  }
  program.SaveScreenshot(Artifact("preset_row_lit_slot.png"));
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(MainControlsWindow, PresetNameTypedBeforeASwitcherChangeGoesToItsOwnBank) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--control", Control()})) << program.ShownTexts();
  ASSERT_TRUE(program.WaitForShown({"presets: bank Presets names 0", "presets: 5 0-4 empty"}, 5s))
      << program.ShownTexts();
  // The name line under slot 5 opens the editor; the name is typed but not yet committed.
  program.DoubleClick(SlotX(4), SlotY + 20 + 12);
  RunCommand("xdotool key --delay 80 E n c o r e");
  // Meanwhile the device's switcher mode changes (its front panel): the row shows bank 1's names.
  DeviceDoes("switcher 1");
  ASSERT_TRUE(program.WaitForShown({"presets: bank Presets names 1", "presets: 5 1-4 empty"}, 10s))
      << program.ShownTexts();
  program.SaveScreenshot(Artifact("preset_name_editor_across_switcher_change.png"));
  RunCommand("xdotool key Return");
  // The name went to plain mode's slot 5, where it was typed; bank 1 keeps its own.
  std::this_thread::sleep_for(500ms);
  EXPECT_TRUE(program.Shows("presets: 5 1-4 empty")) << program.ShownTexts();
  DeviceDoes("switcher 2");
  ASSERT_TRUE(program.WaitForShown({"presets: bank Presets names 2"}, 10s)) << program.ShownTexts();
  DeviceDoes("switcher 0");
  EXPECT_TRUE(program.WaitForShown({"presets: bank Presets names 0", "presets: 5 Encore empty"}, 10s))
      << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
  std::ifstream ini(Home.Path() + "Info.ini");
  const std::string settings((std::istreambuf_iterator<char>(ini)), std::istreambuf_iterator<char>());
  EXPECT_NE(settings.find("PRESET0-4=Encore"), std::string::npos) << settings;
  EXPECT_EQ(settings.find("PRESET1-4"), std::string::npos) << settings;
}

namespace {
constexpr int TimeTaskTabX = 77 + 80 * 3 + 40;
// Task button i of the time/task pop-up, 52 x 26, in the pop-up's client.
constexpr int TaskX(int i) { return PopupX + 18 + 58 * (i % 5); }
constexpr int TaskY(int i) { return PopupY + 198 + 30 * (i / 5); }

// Whether task i's face in the screenshot is one of the lit (orange) faces: the median of its
// rim, away from the caption, leans to orange rather than grey.
std::optional<bool> TaskFaceLit(const ProgramUnderTest& program, const std::string& shot, int i) {
  const auto pixels = PixelsIn(shot, program.ScreenX() + TaskX(i) + 4, program.ScreenY() + TaskY(i) + 4, 10, 18);
  if (pixels.empty()) return std::nullopt;
  std::vector<int> warmth;
  for (const auto& p : pixels) warmth.push_back(p[0] - p[2]);
  std::nth_element(warmth.begin(), warmth.begin() + warmth.size() / 2, warmth.end());
  return warmth[warmth.size() / 2] > 25;
}
}  // namespace

TEST_F(MainControlsWindow, TaskButtonsShowTheLitFaceExactlyForTasksInUse) {
  // Task 3 runs once with preset 4; task 6 is not used and its preset byte names no slot.
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  const auto task = [&](int i) { return state.data() + devsim::layout::kScheduleTask + 12 * i; };
  task(2)[6] = 3;
  task(2)[8] = 1;
  task(5)[6] = 0x55;
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_TRUE(ConnectSerial(program, devsim, {"--state", StateFile(state), "--presets-stored"}))
      << program.ShownTexts();
  program.Click(CommButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
  program.Click(TimeTaskTabX, KeyerTabY);
  const std::string search = "xdotool search --all --onlyvisible --pid " + std::to_string(program.ProcessId()) +
                             " --name '^Time/Task Management$'";
  ASSERT_TRUE(WaitUntil([&] { return !RunCommand(search).empty(); }, 10s)) << "no time/task pop-up";
  RaisePopups(program);
  struct Row {
    const char* What;
    int Click;   // the task button clicked first, or -1
    int Option;  // then this option (0 Not Use, 1 Once, 2 Every Day) and Confirm, or -1
    std::array<bool, 10> Lit;
  };
  const Row rows[] = {
      {"as the device reports them", -1, -1, {false, false, true, false, false, false, false, false, false, false}},
      {"the task in use chosen", 2, -1, {false, false, true, false, false, false, false, false, false, false}},
      {"the unused task with a stray preset chosen", 5, -1,
       {false, false, true, false, false, false, false, false, false, false}},
      {"an unused task chosen", 7, -1, {false, false, true, false, false, false, false, false, false, false}},
      {"that task confirmed every day", 7, 2, {false, false, true, false, false, false, false, true, false, false}},
      // Confirm lights its task; the device's answer then shows it not in use.
      {"the task in use confirmed as not used", 2, 0,
       {false, false, false, false, false, false, false, true, false, false}},
  };
  size_t stores = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.What);
    if (row.Click >= 0) program.ClickInPopup(TaskX(row.Click) + 26, TaskY(row.Click) + 13);
    if (row.Option >= 0) {
      program.ClickInPopup(PopupX + 22 + 92 * row.Option + 43, PopupY + 338 + 13);
      program.ClickInPopup(PopupX + 206 + 45, PopupY + 370 + 14);
      ++stores;
      EXPECT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 17).size() == stores; }, 5s));
      EXPECT_EQ(ReceivedCommands(Log(), 17).back()[10], row.Option);  // the task's repeat
    }
    const std::string shot = Artifact("task_faces_" + std::to_string(row.Click + 1) + "_" +
                                      std::to_string(row.Option + 1) + ".png");
    std::string faces;
    EXPECT_TRUE(WaitUntil(
        [&] {
          program.SaveScreenshot(shot);
          faces.clear();
          bool all = true;
          for (int i = 0; i < 10; ++i) {
            const std::optional<bool> lit = TaskFaceLit(program, shot, i);
            faces += lit ? (*lit ? 'L' : '-') : '?';
            all = all && lit == row.Lit[i];
          }
          return all;
        },
        5s))
        << "faces (L lit): " << faces;
  }
  EXPECT_EQ(program.Stop(), 0);
}
