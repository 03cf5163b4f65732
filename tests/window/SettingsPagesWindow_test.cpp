// Settings pages of the real program against the simulated processor, clicked and typed with
// real X input: the VGA page sends every edit of a section when one is committed, the switcher
// page's buttons in both languages, the media player's keys in English, the output page's custom
// timing applied with its timing group open and then closed; on every page whose edits a record
// redraws, a value typed while a record comes (late, or unasked) reaches the device as typed.
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

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using testsupport::DevsimProcess;
using testsupport::FreeDeviceAddress;
using testsupport::ReceivedCommands;
using testsupport::ScratchFolder;

namespace {
// Client positions at 96 dpi in the 1280 x 728 window; docked pages stand at (77, 106).
constexpr int PageButtonX = 37;
constexpr int PageButtonY(int index) { return 104 + 36 * index + 18; }
constexpr int OutputPage = 1, KeyerPage = 3, VgaPage = 8, MiscPage = 9, CommPage = 10;
constexpr int PageX = 77, PageY = 106;
// The output page's "More >" and "Apply", and the centres of its FPS, H total and V total edits.
constexpr int MoreX = PageX + 222 + 43, MoreY = PageY + 47 + 12;
constexpr int ApplyX = PageX + 222 + 43, ApplyY = PageY + 98 + 12;
constexpr int FpsX = PageX + 78 + 31, FpsY = PageY + 100 + 11;
constexpr int HTotalX = PageX + 78 + 31, VTotalX = PageX + 234 + 31, TotalY = PageY + 128 + 11;
constexpr int HActiveX = PageX + 78 + 31, HActiveY = PageY + 74 + 11;
constexpr int HTotalEdit = 1081;
// The input icon of option slot 7.
constexpr int VgaIconX = 157 + 108 * 7, VgaIconY = 37;
// Canvas cells with a page docked (the working area at 397, 106; output pixel / 6 from the
// output's origin at 125, 198): MAIN full screen, PIP-1 at 1280, 60.
constexpr int MainCellX = 397 + 125 / 6 + 30, MainCellY = 106 + 198 / 6 + 150;
constexpr int PipOneCellX = 397 + (125 + 1280) / 6 + 40, PipOneCellY = 106 + (198 + 60) / 6 + 20;
// The system page's language choices and its "Media Player >>" button.
constexpr int ChineseX = PageX + 190 + 20, LanguageY = PageY + 80 + 9;
constexpr int MediaPlayerX = PageX + 112 + 48, MediaPlayerY = PageY + 484 + 14;
// The media player covers the working area as it lies beside a page.
constexpr int MediaX = 77 + 320, MediaY = 106;

// The VGA page's "Rest", and the title of a box that names no caption of its own.
constexpr int VgaRestId = 1195;
constexpr const char* VelkanBoxTitle = "Velkan";

// The VGA commands of one section (their first byte).
std::vector<std::vector<uint8_t>> OfSection(const std::vector<std::vector<uint8_t>>& vga, uint8_t section) {
  std::vector<std::vector<uint8_t>> out;
  for (const auto& b : vga)
    if (b[0] == section) out.push_back(b);
  return out;
}

int Word(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

// How many times the busy box has closed so far.
size_t TimesHidden(const ProgramUnderTest& program) {
  const std::string shown = "\n" + program.ShownTexts();
  size_t n = 0;
  for (size_t at = shown.find("\nbusy: hidden"); at != std::string::npos; at = shown.find("\nbusy: hidden", at + 1)) ++n;
  return n;
}

// The client position of the centre of a shown control of the main window (pages docked in it
// included), read from the geometry record; nothing when it is not shown within the limit.
std::optional<std::pair<int, int>> ControlCentre(const ProgramUnderTest& program, const std::string& geometry, int id) {
  std::optional<std::pair<int, int>> at;
  WaitUntil([&] {
    const ShownGeometry g = ShownGeometry::Parse(RunCommand("cat '" + geometry + "'"));
    if (const GeoControl* c = g.Control("main", id))
      at = std::pair{c->Rect.X + c->Rect.W / 2 - program.ScreenX(), c->Rect.Y + c->Rect.H / 2 - program.ScreenY()};
    return at.has_value();
  }, 5s);
  return at;
}

// Picks the focused edit's whole text and types over it, each key event a step of its own.
void TypeOver(const ProgramUnderTest& program, const std::string& text) {
  program.PressChordAtPersonsPace("ctrl+a");
  if (!text.empty()) RunCommand("xdotool type --delay 80 '" + text + "'");
}

// Clicks an edit at a client position, replaces its text and commits it with Return.
void TypeInto(const ProgramUnderTest& program, int x, int y, const std::string& text) {
  program.Click(x, y);
  TypeOver(program, text);
  program.PressChordAtPersonsPace("Return");
}

class SettingsPagesWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
    std::filesystem::copy(VELKAN_LANGUAGE_DIR, Home.Path() + "Language");
    setenv("LANG", "en_US.UTF-8", 1);
    for (const char* variable : {"LC_ALL", "LC_MESSAGES"}) unsetenv(variable);
  }
  void TearDown() override {
    SaveScreenIfFailed();
    unsetenv("VELKAN_GEOMETRY");
  }
  // Devsim on a loopback address (extra arguments added), the program connected by the search,
  // no page open.
  void Connect(ProgramUnderTest& program, DevsimProcess& devsim, std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--device", FreeDeviceAddress(61), "--log", Log()};
    args.insert(args.end(), extra.begin(), extra.end());
    ASSERT_TRUE(devsim.Start(args));
    ASSERT_TRUE(program.Start());
    ASSERT_EQ(program.WindowWidth(), 1280) << "the positions here are those of a 96-dpi screen";
    ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();
    program.Click(PageButtonX, PageButtonY(CommPage));
    ASSERT_TRUE(program.WaitForShown({"page: none"}, 5s)) << program.ShownTexts();
  }
  // The device on the custom timing (1920 x 1080 at 60 Hz, CEA totals 2200 x 1125), the output
  // page open.
  void OpenOutputPageOnCustomTiming(ProgramUnderTest& program, DevsimProcess& devsim) {
    devsim::StateBlock state = devsim::BuiltinStateBlock();
    state[devsim::layout::kOutputTiming] = 18;
    ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, {"--state", StateFile(state)}));
    program.Click(PageButtonX, PageButtonY(OutputPage));
    ASSERT_TRUE(program.WaitForShown({"page: Output Setting"}, 5s)) << program.ShownTexts();
  }
  std::string Log() const { return Home.Path() + "devsim.log"; }
  // The state devsim starts from, written into the program's folder.
  std::string StateFile(const devsim::StateBlock& state) const {
    return testsupport::WriteStateFile(Home.Path() + "state.bin", state);
  }
  // Whether the program's geometry record (VELKAN_GEOMETRY) shows that control of the main window.
  bool ShowsControl(int id) const {
    std::ifstream in(Geometry());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ShownGeometry::Parse(text).Control("main", id) != nullptr;
  }
  std::string Geometry() const { return Home.Path() + "geometry.txt"; }
  // Whether the page (its template id) is shown.
  bool ShownPage(const std::string& id) const {
    std::ifstream in(Geometry());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ShownGeometry::Parse(text).HasPage(id);
  }
  // Clicks the middle of a shown control of the main window (its docked page's included) as the
  // operator would. False when no such control is shown.
  bool ClickControl(const ProgramUnderTest& program, int id) const {
    const auto at = ControlCentre(program, Geometry(), id);
    if (at) program.Click(at->first, at->second);
    return at.has_value();
  }
  ScratchFolder Home;
};
}  // namespace

TEST_F(SettingsPagesWindow, VgaEditCommitsSendEveryValueOfTheirSection) {
  // A VGA card in option slot 7. Its icon puts it on MAIN: the VGA page is offered, the access
  // code can be entered, and the program asks for the card's record (clock 1344, phase 16,
  // positions 0, offsets 64, gains 512).
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kInputCardType + 4 * 7] = 3;
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, {"--state", StateFile(state)}));
  ASSERT_TRUE(program.Shows("source: MAIN HDMI-1")) << program.ShownTexts();
  program.Click(VgaIconX, VgaIconY);
  ASSERT_TRUE(program.WaitForShown({"source: MAIN VGA-2"}, 5s)) << program.ShownTexts();
  ASSERT_TRUE(WaitUntil(
      [&] { return !ReceivedCommands(Log(), 49).empty() && ReceivedCommands(Log(), 49).back()[0] == 7; }, 5s))
      << "no VGA query";
  program.Click(PageButtonX, PageButtonY(VgaPage));
  ASSERT_TRUE(program.WaitForShown({"page: VGA Adjustment"}, 5s)) << program.ShownTexts();
  // The device's answer to the source change applies every layer, the last one a PIP, which
  // locks the access code again: PIP-1, then MAIN chosen on the canvas opens it.
  program.Click(PipOneCellX, PipOneCellY);
  ASSERT_TRUE(program.WaitForShown({"source: PIP-1 DVI-1"}, 5s)) << program.ShownTexts();
  program.Click(MainCellX, MainCellY);
  ASSERT_TRUE(program.WaitForShown({"source: MAIN VGA-2"}, 5s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("vga_page.png"));

  // The phase typed and committed: the command carries all four display values. (Leaving the
  // edit commits it again, so the commands are told apart by their section.)
  TypeInto(program, PageX + 124 + 40, PageY + 124 + 10, "20");
  ASSERT_TRUE(WaitUntil([&] { return !OfSection(ReceivedCommands(Log(), 14), 0).empty(); }, 5s))
      << "no VGA command";
  const auto display = OfSection(ReceivedCommands(Log(), 14), 0)[0];
  EXPECT_EQ(display[2], 0);  // set
  EXPECT_EQ(Word(display, 3), 1344);
  EXPECT_EQ(display[5], 20);
  EXPECT_EQ(display[6], 0);
  EXPECT_EQ(display[7], 0);

  // The access code unlocks the ADC panel; the red offset committed sends all six ADC values.
  TypeInto(program, PageX + 74 + 35, PageY + 260 + 10, "5807");
  program.Click(PageX + 152 + 32, PageY + 256 + 14);  // enter
  TypeInto(program, PageX + 102 + 28, PageY + 296 + 10, "100");
  ASSERT_TRUE(WaitUntil([&] { return !OfSection(ReceivedCommands(Log(), 14), 1).empty(); }, 5s))
      << "no ADC command";
  program.SaveScreenshot(Artifact("vga_page_adc_unlocked.png"));
  const auto adc = OfSection(ReceivedCommands(Log(), 14), 1)[0];
  EXPECT_EQ(adc[2], 0);  // set
  // The command lays them out as red offset, blue offset, green gain, green offset, red gain,
  // blue gain.
  EXPECT_EQ(Word(adc, 9), 100);
  EXPECT_EQ(Word(adc, 11), 64);
  EXPECT_EQ(Word(adc, 13), 512);
  EXPECT_EQ(Word(adc, 15), 64);
  EXPECT_EQ(Word(adc, 17), 512);
  EXPECT_EQ(Word(adc, 19), 512);
  EXPECT_EQ(adc[5], 20);

  // Rest opens no busy box, and its result is shown all the same.
  ASSERT_TRUE(ClickControl(program, VgaRestId)) << program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return OfSection(ReceivedCommands(Log(), 14), 1).back()[2] == 2; }, 5s)) << "no reset";
  EXPECT_EQ(program.BoxText(VelkanBoxTitle), "VGA Adjustment Ok") << program.ShownTexts();
  EXPECT_TRUE(program.PressReturnIn(VelkanBoxTitle));
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(SettingsPagesWindow, SwitcherOnInBothLanguagesAndMediaPlayerKeysInEnglish) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim));

  // The media player's keys read in English; "Right" goes out as key 7 of disk 0.
  program.Click(PageButtonX, PageButtonY(MiscPage));
  program.Click(MediaPlayerX, MediaPlayerY);
  ASSERT_TRUE(program.WaitForShown({"floating: Media Player Setting"}, 5s)) << program.ShownTexts();
  for (const char* line : {"1563 1577 Switch", "1563 1578 Up", "1563 1579 Down", "1563 1580 Left", "1563 1581 Right"})
    EXPECT_TRUE(program.WaitForShown({std::string("language: ") + line}, 2s)) << line << "\n" << program.ShownTexts();
  program.Click(MediaX + 210 + 40, MediaY + 130 + 18);
  ASSERT_TRUE(WaitUntil([&] { return !ReceivedCommands(Log(), 34).empty(); }, 5s)) << "no media player key";
  EXPECT_EQ(ReceivedCommands(Log(), 34)[0][0], 7);
  EXPECT_EQ(ReceivedCommands(Log(), 34)[0][1], 0);
  program.SaveScreenshot(Artifact("media_player_en.png"));
  program.Click(MediaPlayerX, MediaPlayerY);
  ASSERT_TRUE(program.WaitForShown({"floating: none"}, 5s)) << program.ShownTexts();

  // The switcher page (KEYER): ON/OFF switches to the single panel, which shows lit.
  program.Click(PageButtonX, PageButtonY(KeyerPage));
  ASSERT_TRUE(program.WaitForShown({"page: Switcher Mode"}, 5s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("switcher_page_en_off.png"));
  size_t hidden = TimesHidden(program);
  program.Click(PageX + 22 + 40, PageY + 56 + 14);
  ASSERT_TRUE(WaitUntil([&] { return !ReceivedCommands(Log(), 15).empty(); }, 5s)) << "no switcher command";
  EXPECT_EQ(ReceivedCommands(Log(), 15)[0][0], 1);
  ASSERT_TRUE(WaitUntil([&] { return TimesHidden(program) > hidden; }, 10s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("switcher_page_en.png"));

  // In Chinese the same page, then "Panel x 2".
  program.Click(PageButtonX, PageButtonY(MiscPage));
  program.Click(ChineseX, LanguageY);
  ASSERT_TRUE(program.WaitForShown({"language: 183 1509 屏幕 x 1"}, 5s)) << program.ShownTexts();
  program.Click(PageButtonX, PageButtonY(KeyerPage));
  hidden = TimesHidden(program);
  program.Click(PageX + 164 + 67, PageY + 98 + 14);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 15).size() == 2; }, 5s))
      << "no second switcher command";
  EXPECT_EQ(ReceivedCommands(Log(), 15)[1][0], 2);
  ASSERT_TRUE(WaitUntil([&] { return TimesHidden(program) > hidden; }, 10s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact("switcher_page_zh.png"));
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(SettingsPagesWindow, OutputTimingAppliedWithTheGroupClosedKeepsTheTypedRate) {
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(OpenOutputPageOnCustomTiming(program, devsim));

  // The group open: 50 Hz with totals 2600 x 1250 (2600 x 1250 x 50 = 162,500,000 fits).
  program.Click(MoreX, MoreY);
  ASSERT_TRUE(WaitUntil([&] { return ShowsControl(HTotalEdit); }, 5s)) << "the timing group did not open";
  TypeInto(program, FpsX, FpsY, "50");
  TypeInto(program, HTotalX, TotalY, "2600");
  TypeInto(program, VTotalX, TotalY, "1250");
  program.Click(ApplyX, ApplyY);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 2).size() == 1; }, 5s)) << "no timing command";
  const auto open = ReceivedCommands(Log(), 2)[0];
  EXPECT_EQ(open[0], 18);
  EXPECT_EQ(Word(open, 5), 5000);
  EXPECT_EQ(Word(open, 7), 2600);
  EXPECT_EQ(Word(open, 13), 1250);
  EXPECT_EQ(open[21], 1);

  // The device's answer closes the group. Now 60 Hz: those totals, no longer shown, would hold
  // only 50.61 Hz, but 1920 x 1080 at 60 Hz keeps the standard blanking's budget.
  ASSERT_TRUE(WaitUntil([&] { return !ShowsControl(HTotalEdit); }, 5s)) << "the timing group stays open";
  TypeInto(program, FpsX, FpsY, "60");
  program.Click(ApplyX, ApplyY);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 2).size() == 2; }, 5s))
      << "no second timing command";
  program.SaveScreenshot(Artifact("output_timing_closed_group_applied.png"));
  const auto closed = ReceivedCommands(Log(), 2)[1];
  EXPECT_EQ(closed[0], 18);
  EXPECT_EQ(Word(closed, 1), 1920);
  EXPECT_EQ(Word(closed, 3), 1080);
  EXPECT_EQ(Word(closed, 5), 6000);
  EXPECT_EQ(closed[21], 0);
  EXPECT_EQ(program.Stop(), 0);
}

TEST_F(SettingsPagesWindow, OutputApplyPressedRightAfterTypingSendsWhatThePageShows) {
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(OpenOutputPageOnCustomTiming(program, devsim));

  // 4080 typed at 60 Hz with the group closed, and Apply pressed and released at once, before the
  // program has had a pass of its own: the typing check of H active (H blank 128, total capped at
  // 4094, then 164500000 / (60 x 1108) = 2474 - 128) makes it 2346, and that is what goes out.
  program.Click(HActiveX, HActiveY);
  RunCommand("xdotool key ctrl+a type --delay 40 '4080'");
  RunCommand("xdotool mousemove " + std::to_string(program.ScreenX() + ApplyX) + " " +
             std::to_string(program.ScreenY() + ApplyY) + " mousedown 1 mouseup 1");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 2).size() == 1; }, 5s)) << "no timing command";
  const auto sent = ReceivedCommands(Log(), 2)[0];
  EXPECT_EQ(Word(sent, 1), 2346);
  EXPECT_EQ(Word(sent, 3), 1080);
  EXPECT_EQ(Word(sent, 5), 6000);
  EXPECT_EQ(program.Stop(), 0);
}

namespace {
constexpr int PicturePage = 0, CropPage = 5;
constexpr int CropHStartEdit = 1137, BrightnessEdit = 1051;
constexpr int FeatheringWindowButton = 1593, FeatherButton = 1600, SetDataButton = 1481;
constexpr uint8_t HdmiOne = 1, DpOne = 4;  // source codes, also their input rows

// The shown line that starts with prefix, without it; empty when there is none.
std::string ShownAfter(const ProgramUnderTest& program, const std::string& prefix) {
  const std::string shown = "\n" + program.ShownTexts();
  const size_t at = shown.find("\n" + prefix);
  if (at == std::string::npos) return {};
  const size_t from = at + 1 + prefix.size();
  return shown.substr(from, shown.find('\n', from) - from);
}


// MAIN on HDMI-1 with the picture mode User, and the MAIN records of HDMI-1 and DP-1 told apart:
// crop on at H start 40 and 50, brightness 50 and 60.
devsim::StateBlock TwoInputsApart() {
  using namespace devsim::layout;
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[kLayerWindow + 2] = HdmiOne;
  state[kPictureMode] = 7;
  const std::pair<uint8_t, uint8_t> records[] = {{HdmiOne, 40}, {DpOne, 50}};
  for (const auto& [row, start] : records) {
    uint8_t* crop = state.data() + kCropRect + kCropRecordSize * (4 * row);
    crop[0] = 1;
    crop[2] = start;
    crop[6] = 1000 & 0xFF;  // width 1000: starts up to 920 fit the 1920 source
    crop[7] = 1000 >> 8;
    state[kPictureSettings + kPictureRecordSize * (4 * row)] = static_cast<uint8_t>(start + 10);
  }
  return state;
}
}  // namespace

// The device moves MAIN to another input while the crop page shows MAIN: the page and MAIN's
// canvas label follow at once, and what the operator then types reaches the device as typed,
// for the input the page shows.
TEST_F(SettingsPagesWindow, CropPageFollowsMainMovedByTheDevice) {
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim,
                                  {"--state", StateFile(TwoInputsApart()), "--usr1-source", "0:" + std::to_string(DpOne)}));
  program.Click(PageButtonX, PageButtonY(CropPage));
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "crop: layer 0 input ").find(" on 40,") != std::string::npos; }, 5s))
      << program.ShownTexts();
  const std::string before = ShownAfter(program, "crop: layer 0 input ");
  const std::string oldInput = before.substr(0, before.find(' '));

  ASSERT_EQ(kill(devsim.Pid(), SIGUSR1), 0);
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "crop: layer 0 input ").find(" on 50,") != std::string::npos; }, 10s))
      << "the crop page stays on the old input\n" << program.ShownTexts();
  const std::string after = ShownAfter(program, "crop: layer 0 input ");
  const std::string newInput = after.substr(0, after.find(' '));
  EXPECT_NE(newInput, oldInput);
  EXPECT_TRUE(program.Shows("output: MAIN " + newInput)) << program.ShownTexts();
  EXPECT_NE(ShownAfter(program, "canvas: layer 0 [").find(newInput), std::string::npos) << program.ShownTexts();

  const size_t sent = ReceivedCommands(Log(), 5).size();
  const auto edit = ControlCentre(program, Geometry(), CropHStartEdit);
  ASSERT_TRUE(edit) << "no H start edit";
  TypeInto(program, edit->first, edit->second, "200");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 5).size() > sent; }, 5s)) << "no crop command";
  const auto crop = ReceivedCommands(Log(), 5).back();
  EXPECT_EQ(crop[0], 0);
  EXPECT_EQ(crop[1], 1);
  EXPECT_EQ(Word(crop, 2), 200);
  EXPECT_TRUE(WaitUntil([&] { return ShownAfter(program, "crop: layer 0 input ").rfind(newInput + " on 200,", 0) == 0; }, 5s))
      << program.ShownTexts();
  program.SaveScreenshot(Artifact("crop_follows_main_moved_by_device.png"));
  EXPECT_EQ(program.Stop(), 0);
}

// The same with the picture page in User mode: the page shows the new input's record, and a
// typed brightness goes out as typed.
TEST_F(SettingsPagesWindow, PicturePageFollowsMainMovedByTheDevice) {
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim,
                                  {"--state", StateFile(TwoInputsApart()), "--usr1-source", "0:" + std::to_string(DpOne)}));
  program.Click(PageButtonX, PageButtonY(PicturePage));
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "picture input: layer 0 ").find(" brightness 50") != std::string::npos; }, 5s))
      << program.ShownTexts();
  const std::string before = ShownAfter(program, "picture input: layer 0 ");

  ASSERT_EQ(kill(devsim.Pid(), SIGUSR1), 0);
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "picture input: layer 0 ").find(" brightness 60") != std::string::npos; }, 10s))
      << "the picture page stays on the old input\n" << program.ShownTexts();
  const std::string after = ShownAfter(program, "picture input: layer 0 ");
  const std::string newInput = after.substr(0, after.find(' '));
  EXPECT_NE(newInput, before.substr(0, before.find(' ')));
  EXPECT_TRUE(program.Shows("output: MAIN " + newInput)) << program.ShownTexts();

  const size_t sent = ReceivedCommands(Log(), 3).size();
  const auto edit = ControlCentre(program, Geometry(), BrightnessEdit);
  ASSERT_TRUE(edit) << "no brightness edit";
  TypeInto(program, edit->first, edit->second, "90");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 3).size() > sent; }, 5s)) << "no picture command";
  const auto picture = ReceivedCommands(Log(), 3).back();
  EXPECT_EQ(picture[4], 0);
  EXPECT_EQ(picture[6], 90);
  EXPECT_TRUE(WaitUntil([&] { return ShownAfter(program, "picture input: layer 0 ") == newInput + " brightness 90"; }, 5s))
      << program.ShownTexts();
  program.SaveScreenshot(Artifact("picture_follows_main_moved_by_device.png"));
  EXPECT_EQ(program.Stop(), 0);
}

// Set Data To Machine with feathering on (mosaic x2, PIP-2 on): feathering goes off as the
// feathering page's own switch takes it off: the page shows OFF with its lists disabled, and the
// LOGO and PIP page buttons and the MISC keyer and test-pattern tabs are usable again.
TEST_F(SettingsPagesWindow, SetDataWithFeatheringOnLeavesFeatheringOffEverywhere) {
  using namespace devsim::layout;
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[kMosaicMode] = 2;
  state[kLayerWindow + kLayerWindowSize * 2] = 1;
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  // The device applies the feathering switch without echoing it: the program's own change shows.
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, {"--state", StateFile(state), "--unanswered", "35"}));
  program.Click(PageButtonX, PageButtonY(MiscPage));
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
  const auto window = ControlCentre(program, Geometry(), FeatheringWindowButton);
  ASSERT_TRUE(window) << "no Feathering button";
  program.Click(window->first, window->second);
  const auto feather = ControlCentre(program, Geometry(), FeatherButton);
  ASSERT_TRUE(feather) << "the feathering page did not open";
  program.Click(feather->first, feather->second);
  ASSERT_TRUE(program.WaitForShown({"feather: on lists enabled"}, 5s)) << program.ShownTexts();
  const std::string held[] = {"disabled: LOGO", "disabled: PIP", "disabled: MISC Keyer", "disabled: MISC TEST PATTERN"};
  for (const std::string& line : held) EXPECT_TRUE(program.Shows(line)) << line << "\n" << program.ShownTexts();
  const size_t feathers = ReceivedCommands(Log(), 35).size();

  // The feathering page floats over the working area; the MISC page stays beside it.
  const auto setData = ControlCentre(program, Geometry(), SetDataButton);
  ASSERT_TRUE(setData) << "no Set Data button";
  const size_t hidden = TimesHidden(program);
  program.Click(setData->first, setData->second);
  ASSERT_TRUE(WaitUntil([&] { return TimesHidden(program) > hidden; }, 20s)) << program.ShownTexts();
  const auto stateBlocks = [&] {
    size_t n = 0;
    for (const testsupport::LoggedFrame& f : testsupport::ReadDevsimLog(Log())) n += f.type == 0x02;
    return n;
  };
  ASSERT_TRUE(WaitUntil([&] { return stateBlocks() == 1; }, 5s)) << "no state block";
  const auto sent = ReceivedCommands(Log(), 35);
  ASSERT_EQ(sent.size(), feathers + 1);
  EXPECT_EQ(sent.back()[0], 0);
  EXPECT_TRUE(program.WaitForShown({"feather: off lists disabled"}, 5s)) << program.ShownTexts();
  for (const std::string& line : held)
    EXPECT_TRUE(WaitUntil([&] { return !program.Shows(line); }, 5s)) << line << "\n" << program.ShownTexts();
  program.SaveScreenshot(Artifact("set_data_feathering_off.png"));
  EXPECT_EQ(program.Stop(), 0);
}

// A language switch changes words only: in mosaic mode 3 the feathering page's first group names
// PIP-1, and the shape the operator picked stays picked, in Chinese as in English.
TEST_F(SettingsPagesWindow, LanguageSwitchKeepsTheFeatheringTitleAndChoices) {
  using namespace devsim::layout;
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[kMosaicMode] = 3;  // PIP-1 is on in the built-in state
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, {"--state", StateFile(state)}));
  program.Click(PageButtonX, PageButtonY(MiscPage));
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 5s)) << program.ShownTexts();
  const auto window = ControlCentre(program, Geometry(), FeatheringWindowButton);
  ASSERT_TRUE(window) << "no Feathering button";
  program.Click(window->first, window->second);
  const auto feather = ControlCentre(program, Geometry(), FeatherButton);
  ASSERT_TRUE(feather) << "the feathering page did not open";
  program.Click(feather->first, feather->second);
  ASSERT_TRUE(program.WaitForShown({"feather: on lists enabled"}, 5s)) << program.ShownTexts();
  ASSERT_TRUE(ShownAfter(program, "feather: PIP1 sharp ").size()) << program.ShownTexts();

  // The first group's shape: the list's last item, picked with the pointer.
  constexpr int FirstSharpList = 65400;
  const auto list = ControlCentre(program, Geometry(), FirstSharpList);
  ASSERT_TRUE(list) << "no Sharp list";
  program.Click(list->first, list->second);
  GeoRect items;
  ASSERT_TRUE(WaitUntil([&] {
    for (const auto& [id, r] : ShownGeometry::Parse(RunCommand("cat '" + Geometry() + "'")).Popups)
      if (id == FirstSharpList) items = r;
    return !items.Empty();
  }, 5s)) << "the Sharp list did not open";
  RunCommand("xdotool mousemove " + std::to_string(items.X + 20) + " " + std::to_string(items.Bottom() - 8) + " click 1");
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "feather: PIP1 sharp ").rfind("4 ", 0) == 0; }, 5s))
      << program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return !ReceivedCommands(Log(), 35).empty() && ReceivedCommands(Log(), 35).back()[9] == 1; }, 5s));

  program.Click(ChineseX, LanguageY);
  ASSERT_TRUE(program.WaitForShown({"language: 183 1509 屏幕 x 1"}, 5s)) << program.ShownTexts();
  EXPECT_TRUE(WaitUntil([&] { return ShownAfter(program, "feather: PIP1 sharp ").rfind("4 ", 0) == 0; }, 5s))
      << program.ShownTexts();
  EXPECT_TRUE(program.Shows("feather: on lists enabled")) << program.ShownTexts();
  program.SaveScreenshot(Artifact("feathering_after_language_switch.png"));
  EXPECT_EQ(program.Stop(), 0);
}

// The device's encoder at 352 x 240 (a size no quality preset has), 30 fps, 2048 kbit/s: a frame
// rate typed on the encoder page goes out with the device's own size and bit rate.
TEST_F(SettingsPagesWindow, EncoderFrameRateTypedKeepsTheDevicesSizeAndBitRate) {
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim));
  // The program asks for the address (66 with 0) once the page has taken the settings reply.
  ASSERT_TRUE(WaitUntil([&] {
    const auto q = ReceivedCommands(Log(), 66);
    return std::any_of(q.begin(), q.end(), [](const std::vector<uint8_t>& b) { return b[0] == 0; });
  }, 5s)) << "no encoder address query";
  program.Click(PageButtonX, PageButtonY(MiscPage));
  const auto window = ControlCentre(program, Geometry(), 1547);
  ASSERT_TRUE(window) << "no Video Setting button";
  program.Click(window->first, window->second);
  const auto edit = ControlCentre(program, Geometry(), 1565);
  ASSERT_TRUE(edit) << "the encoder page did not open";
  program.SaveScreenshot(Artifact("encoder_page_at_352x240.png"));
  TypeInto(program, edit->first, edit->second, "20");
  ASSERT_TRUE(WaitUntil([&] { return !ReceivedCommands(Log(), 25).empty(); }, 5s)) << "no encoder command";
  const auto sent = ReceivedCommands(Log(), 25)[0];  // fps, code 1 (352 x 240), kbps high and low
  EXPECT_EQ(std::vector<uint8_t>(sent.begin() + 1, sent.begin() + 5), (std::vector<uint8_t>{20, 1, 0x08, 0x00}));
  EXPECT_EQ(program.Stop(), 0);
}

// ---- the logo page's busy boxes ----

namespace {
constexpr const char* LogoPageId = "164";
constexpr int LogoPageButtonId = 1241, Pip3LayerButtonId = 1250;
constexpr int LogoHStartId = 1356, LogoOnOffId = 1165, LogoFirstSaveLoadId = 1412;
constexpr int Pip3X = 960, Pip3Y = 540;

enum class LogoStep { Save, Load, On, MovedThenOn, Pip3Button };
struct LogoBoxRow {
  const char* name;
  LogoStep step;
  std::vector<std::string> devsim;  // how the device confirms the logo command
  bool answered = true;
};
void PrintTo(const LogoBoxRow& row, std::ostream* os) { *os << row.name; }

class LogoBoxWindow : public SettingsPagesWindow, public ::testing::WithParamInterface<LogoBoxRow> {};

// Every logo step opens the busy box, which the device's confirmation closes at once (its logo
// record, or an operation status 2 or 4 instead), with no message; unanswered, the box says so
// after its 15 s. A frame or position typed first is what the command carries, whatever record
// came back meanwhile.
TEST_P(LogoBoxWindow, TheDevicesConfirmationClosesTheBox) {
  const LogoBoxRow& row = GetParam();
  const bool logoUsage = row.step != LogoStep::Save;
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  uint8_t* pip3 = &state[devsim::layout::kLayerWindow + 3 * devsim::layout::kLayerWindowSize];
  pip3[0] = row.step == LogoStep::Pip3Button ? 0 : 1;  // the button switches it on
  pip3[2] = 0;                                          // DVI-1, which has a signal
  uint8_t* logo = &state[devsim::layout::kLogo];
  if (logoUsage) {
    logo[0] = 1;   // PIP-3 shows the logo of slot 1, 200 x 100 at (10, 20), switched off
    logo[38] = 1;
    logo[6] = 10, logo[14] = 20, logo[22] = 200, logo[30] = 100;
  }
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  std::vector<std::string> extra{"--state", StateFile(state)};
  extra.insert(extra.end(), row.devsim.begin(), row.devsim.end());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, extra));
  ASSERT_TRUE(ClickControl(program, LogoPageButtonId)) << program.ShownTexts();
  ASSERT_TRUE(WaitUntil([&] { return ShownPage(LogoPageId); }, 5s)) << program.ShownTexts();
  // A frame (normal use) or a position (logo use) typed and entered first; the device confirms it.
  const int hStart = logoUsage ? 300 : 100;
  if (row.step != LogoStep::On && row.step != LogoStep::Pip3Button) {
    ASSERT_TRUE(ClickControl(program, LogoHStartId));
    TypeOver(program, std::to_string(hStart));
    program.PressChordAtPersonsPace("Return");
    ASSERT_TRUE(WaitUntil([&] { return !ReceivedCommands(Log(), 9).empty(); }, 5s)) << "no capture frame";
    std::this_thread::sleep_for(500ms);  // its confirmation has come
  }
  const int closedBefore = program.BusyBoxesClosed();
  switch (row.step) {
    case LogoStep::Save:
    case LogoStep::Load: ASSERT_TRUE(ClickControl(program, LogoFirstSaveLoadId)); break;
    case LogoStep::On: ASSERT_TRUE(ClickControl(program, LogoOnOffId)); break;
    case LogoStep::MovedThenOn:
      ASSERT_TRUE(ClickControl(program, LogoOnOffId));
      ASSERT_EQ(program.BoxText("Tips"), "Logo Position is changed, please Load logo");
      ASSERT_TRUE(program.PressReturnIn("Tips"));
      break;
    case LogoStep::Pip3Button: ASSERT_TRUE(ClickControl(program, Pip3LayerButtonId)); break;
  }
  if (!row.answered) {
    EXPECT_FALSE(program.WaitForBusyBoxGone(closedBefore, 5s)) << "closed by no answer";
    EXPECT_EQ(program.BoxText("Tips", 15s), LanguageFileText("English", "XIDS_NoAnswerInTime"));
    EXPECT_TRUE(program.PressReturnIn("Tips"));
    EXPECT_EQ(program.Stop(), 0);
    return;
  }
  EXPECT_TRUE(program.WaitForBusyBoxGone(closedBefore, 3s)) << program.ShownTexts();
  EXPECT_EQ(program.OpenBox("Tips", 1s), "") << "a message after the device's confirmation";
  program.SaveScreenshot(Artifact(std::string("logo_box_") + row.name + ".png"));

  // The command the step sent carries what the operator typed.
  const auto logoCommands = ReceivedCommands(Log(), 9);
  const auto last = [&](uint8_t subCode) {
    std::optional<std::vector<uint8_t>> found;
    for (const auto& b : logoCommands) {
      if (b[0] == subCode) found = b;
    }
    return found;
  };
  switch (row.step) {
    case LogoStep::Save: {
      const auto save = last(2);
      ASSERT_TRUE(save);
      EXPECT_EQ(Word(*save, 2), Pip3X + hStart) << "the typed frame is not the one saved";
      EXPECT_EQ(Word(*save, 4), Pip3Y);
      break;
    }
    case LogoStep::Load:
    case LogoStep::MovedThenOn: {
      const auto load = last(1);
      ASSERT_TRUE(load);
      EXPECT_EQ(Word(*load, 2), hStart) << "the typed position is not the one loaded";
      EXPECT_EQ(Word(*load, 4), 20);
      if (row.step == LogoStep::MovedThenOn) {
        EXPECT_TRUE(last(5)) << "the logo was not switched on";
      }
      break;
    }
    case LogoStep::On:
    case LogoStep::Pip3Button: EXPECT_TRUE(last(5)); break;
  }
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, LogoBoxWindow,
    ::testing::Values(LogoBoxRow{"SaveConfirmedByTheRecord", LogoStep::Save, {}},
                      LogoBoxRow{"SaveConfirmedByStatus2", LogoStep::Save, {"--status-instead", "9=2"}},
                      LogoBoxRow{"LoadConfirmedByTheRecord", LogoStep::Load, {}},
                      LogoBoxRow{"LoadConfirmedByStatus2", LogoStep::Load, {"--status-instead", "9=2"}},
                      LogoBoxRow{"OnConfirmedByTheRecord", LogoStep::On, {}},
                      LogoBoxRow{"OnConfirmedByStatus2", LogoStep::On, {"--status-instead", "9=2"}},
                      LogoBoxRow{"OnConfirmedByStatus4", LogoStep::On, {"--status-instead", "9=4"}},
                      LogoBoxRow{"MovedThenOnLoadsTheTypedPlace", LogoStep::MovedThenOn, {}},
                      LogoBoxRow{"Pip3ButtonConfirmedByTheRecord", LogoStep::Pip3Button, {}},
                      LogoBoxRow{"Pip3ButtonConfirmedByStatus2", LogoStep::Pip3Button, {"--status-instead", "9=2"}},
                      LogoBoxRow{"SaveNeverAnswered", LogoStep::Save, {"--unanswered", "9"}, false}),
    [](const ::testing::TestParamInfo<LogoBoxRow>& info) { return std::string(info.param.name); });
}  // namespace

namespace {
constexpr int PipPage = 4;
// The MISC page's Keyer tab.
constexpr int KeyerTabX = PageX + 80 + 40, KeyerTabY = PageY + 26 + 16;
// How long devsim holds back the record that confirms the first value: time to type the second.
constexpr int RecordHeldMs = 3000;

// One page whose edits its record redraws: a value entered in one edit, another typed in a second
// edit while the first one's record is held back, that record let come, then the typing committed.
struct RecordWhileTypingRow {
  const char* Name;
  devsim::StateBlock (*State)();
  std::vector<std::pair<int, int>> Open;  // client positions clicked to open the page
  uint32_t Command;                       // the page's setting command
  uint32_t Record;                        // the reply slot of the record that confirms it
  int FirstEdit;
  const char* FirstText;
  int SecondEdit;
  const char* Before;  // typed in the second edit before the record comes
  const char* After;   // typed after it, then Return
  size_t At;           // where the second value lies in the command
  bool IsWord;
  int Typed;           // the value the operator typed, as it reaches the device
  bool Resends;        // the first edit commits again as it loses the focus (a plain edit does)
};

devsim::StateBlock PipTwoOn() {
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kLayerWindow + devsim::layout::kLayerWindowSize * 2] = 1;
  return state;
}

devsim::StateBlock KeyerOn() {
  devsim::StateBlock state = devsim::BuiltinStateBlock();
  state[devsim::layout::kKeyer + 1] = 1;  // the PIP-3 keyer, mode User
  return state;
}

const RecordWhileTypingRow RecordWhileTypingRows[] = {
    {"PictureContrast", TwoInputsApart, {{PageButtonX, PageButtonY(PicturePage)}}, 3, 8, BrightnessEdit, "70", 1003, "3",
     "5", 7, false, 35, false},
    {"OutputLayerHeight", devsim::BuiltinStateBlock, {{PageButtonX, PageButtonY(OutputPage)}}, 4, 10, 1365, "793", 1367,
     "593", "", 7, true, 593, true},
    {"CropHeight", TwoInputsApart, {{PageButtonX, PageButtonY(CropPage)}}, 5, 11, 1012, "900", 1017, "693", "", 8, true, 693,
     true},
    {"PipTwoAlpha", PipTwoOn, {{PageButtonX, PageButtonY(PipPage)}}, 8, 14, 1260, "40", 1264, "2", "0", 2, false, 20, false},
    {"KeyerRedHigh", KeyerOn, {{PageButtonX, PageButtonY(MiscPage)}, {KeyerTabX, KeyerTabY}}, 11, 16, 1295, "20", 1296,
     "200", "", 3, false, 200, true},
};

// A shown control in any of the program's windows (pages docked or floating): its centre, client
// position of the main window, and its text.
struct ShownEdit {
  int X = 0, Y = 0;
  std::string Text;
};
std::optional<ShownEdit> EditShown(const ProgramUnderTest& program, const std::string& geometry, int id) {
  for (const GeoControl& c : ShownGeometry::Parse(RunCommand("cat '" + geometry + "'")).Controls)
    if (c.Id == id && c.Kind == "edit")
      return ShownEdit{c.Rect.X + c.Rect.W / 2 - program.ScreenX(), c.Rect.Y + c.Rect.H / 2 - program.ScreenY(), c.Caption};
  return std::nullopt;
}

// How many records of a reply slot the program has taken (and its pages shown).
int RecordsTaken(const ProgramUnderTest& program, uint32_t slot) {
  return std::atoi(ShownAfter(program, "device records: " + std::to_string(slot) + " ").c_str());
}

void PrintTo(const RecordWhileTypingRow& row, std::ostream* out) { *out << row.Name; }

class RecordWhileTyping : public SettingsPagesWindow, public ::testing::WithParamInterface<RecordWhileTypingRow> {};
}  // namespace

TEST_P(RecordWhileTyping, TheTypedValueReachesTheDeviceAndStaysShown) {
  const RecordWhileTypingRow& row = GetParam();
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim, {"--state", StateFile(row.State()), "--record-delay-for",
                                                    std::to_string(row.Command) + "=" + std::to_string(RecordHeldMs)}));
  for (const auto& [x, y] : row.Open) program.Click(x, y);
  std::optional<ShownEdit> first, second;
  ASSERT_TRUE(WaitUntil([&] {
    first = EditShown(program, Geometry(), row.FirstEdit);
    second = EditShown(program, Geometry(), row.SecondEdit);
    return first && second;
  }, 5s)) << "the page's edits are not shown\n" << program.ShownTexts();
  const std::string deviceShown = second->Text;

  // The first value entered: its command goes out, its record is held back.
  const size_t sent = ReceivedCommands(Log(), row.Command).size();
  program.ClickToType(first->X, first->Y);
  TypeOver(program, row.FirstText);
  program.PressChordAtPersonsPace("Return");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), row.Command).size() == sent + 1; }, 5s))
      << "the first value was not sent";

  // The second value typed while the record is on its way, and, for some rows, more after it.
  program.ClickToType(second->X, second->Y);
  const size_t resent = sent + (row.Resends ? 2 : 1);
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), row.Command).size() == resent; }, 5s))
      << "the focus move sent " << ReceivedCommands(Log(), row.Command).size() - sent << " commands";
  const int takenBefore = RecordsTaken(program, row.Record);
  TypeOver(program, row.Before);
  ASSERT_EQ(RecordsTaken(program, row.Record), takenBefore) << "the record came before the typing: hold it longer";
  ASSERT_TRUE(WaitUntil([&] { return RecordsTaken(program, row.Record) > takenBefore; }, 10s)) << "the held record never came";
  if (*row.After) RunCommand(std::string("xdotool type --delay 80 '") + row.After + "'");
  program.PressChordAtPersonsPace("Return");

  // What was typed reaches the device, and the page shows it once the device has confirmed it.
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), row.Command).size() == resent + 1; }, 5s))
      << "the typed value was not sent";
  const auto command = ReceivedCommands(Log(), row.Command).back();
  EXPECT_EQ(row.IsWord ? Word(command, row.At) : command[row.At], row.Typed) << "the device had " << deviceShown;
  const int takenAfterCommit = RecordsTaken(program, row.Record);
  EXPECT_TRUE(WaitUntil([&] { return RecordsTaken(program, row.Record) > takenAfterCommit; }, 10s)) << "no record for the typed value";
  EXPECT_TRUE(WaitUntil([&] {
    const auto a = EditShown(program, Geometry(), row.FirstEdit), b = EditShown(program, Geometry(), row.SecondEdit);
    return a && b && a->Text == row.FirstText && b->Text == std::to_string(row.Typed);
  }, std::chrono::milliseconds(RecordHeldMs) + 5s)) << RunCommand("cat '" + Geometry() + "'");
  program.SaveScreenshot(Artifact(std::string("record_while_typing_") + row.Name + ".png"));
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(SettingsPagesWindow, RecordWhileTyping, ::testing::ValuesIn(RecordWhileTypingRows),
                         [](const auto& info) { return std::string(info.param.Name); });

namespace {
// A record no command asked for (the device moves MAIN to DP-1 itself) while the operator is at
// the crop page's H start: the whole text picked, and some of the value typed or none.
struct UnaskedRecordRow {
  const char* Name;
  const char* Before;  // typed over the picked text before the record
  const char* After;   // typed after it, then Return
};
void PrintTo(const UnaskedRecordRow& row, std::ostream* out) { *out << row.Name; }

const UnaskedRecordRow UnaskedRecordRows[] = {
    {"TypedBeforeAndAfter", "2", "00"},
    {"PickedNotTyped", "", "200"},
};

class UnaskedRecordWhileTyping : public SettingsPagesWindow, public ::testing::WithParamInterface<UnaskedRecordRow> {};
}  // namespace

TEST_P(UnaskedRecordWhileTyping, TheTypedValueGoesToTheNewInput) {
  const UnaskedRecordRow& row = GetParam();
  setenv("VELKAN_GEOMETRY", Geometry().c_str(), 1);
  DevsimProcess devsim;
  ProgramUnderTest program(Home.Path());
  ASSERT_NO_FATAL_FAILURE(Connect(program, devsim,
                                  {"--state", StateFile(TwoInputsApart()), "--usr1-source", "0:" + std::to_string(DpOne)}));
  program.Click(PageButtonX, PageButtonY(CropPage));
  ASSERT_TRUE(WaitUntil([&] { return ShownAfter(program, "crop: layer 0 input ").find(" on 40,") != std::string::npos; }, 5s))
      << program.ShownTexts();
  const auto edit = ControlCentre(program, Geometry(), CropHStartEdit);
  ASSERT_TRUE(edit) << "no H start edit";
  program.ClickToType(edit->first, edit->second);
  TypeOver(program, row.Before);

  const int sources = RecordsTaken(program, 14);
  ASSERT_EQ(kill(devsim.Pid(), SIGUSR1), 0);
  ASSERT_TRUE(WaitUntil([&] { return RecordsTaken(program, 14) > sources; }, 10s)) << "no layer sources record";
  const size_t sent = ReceivedCommands(Log(), 5).size();
  RunCommand(std::string("xdotool type --delay 80 '") + row.After + "'");
  program.PressChordAtPersonsPace("Return");
  ASSERT_TRUE(WaitUntil([&] { return ReceivedCommands(Log(), 5).size() > sent; }, 5s)) << "no crop command";
  EXPECT_EQ(Word(ReceivedCommands(Log(), 5).back(), 2), 200);
  EXPECT_TRUE(WaitUntil([&] { return ShownAfter(program, "crop: layer 0 input ").find(" on 200,") != std::string::npos; }, 5s))
      << program.ShownTexts();
  EXPECT_TRUE(program.Shows("output: MAIN DP-1")) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(SettingsPagesWindow, UnaskedRecordWhileTyping, ::testing::ValuesIn(UnaskedRecordRows),
                         [](const auto& info) { return std::string(info.param.Name); });
