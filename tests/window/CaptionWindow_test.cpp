// A caption typed on the real program's caption page and sent to the simulated processor: its
// chunks arrive at consecutive offsets and hold the saved bitmap, and the busy box closes, both
// when the device acknowledges at once and when it takes a second for every acknowledgement (a
// long caption then takes longer than the busy box's 15 s watchdog, and keeps its box).
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
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {
// Client positions at 96 dpi: the MISC page button and its TEST PATTERN tab; the pop-up pages stand 83 right
// of and 208 below the main window's corner (no window manager runs, so the corner is the client's).
constexpr int MiscButtonX = 37, MiscButtonY = 104 + 36 * 9 + 18;
constexpr int TestPatternTabX = 276, TestPatternTabY = 147;
constexpr int PopupX = 83, PopupY = 208;
constexpr int CaptionPreviewId = 1517;  // the caption page's Preview button

// How many times the busy box closed: the "busy:" lines keep only the last twenty shows and
// hides, the count goes on past them.
size_t TimesHidden(const ProgramUnderTest& program) { return static_cast<size_t>(program.BusyBoxesClosed()); }

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

// Whether the device received the caption layout with sub-code 1, which the page sends with the
// save once every chunk is acknowledged.
bool ReceivedCaptionSave(const std::string& log) {
  for (const auto& f : testsupport::ReadDevsimLog(log))
    if (f.type == 1 && f.payload.size() >= 6 && U32(f.payload, 0) == 23 && f.payload[5] == 1) return true;
  return false;
}

// MISC, its TEST PATTERN tab, "Caption Settings": the caption page's black text edit shows. The
// caption page stands where it was first put, as wide as it is: the geometry record (which
// VELKAN_GEOMETRY must name) says where. Its client corner relative to the main window's.
testing::AssertionResult OpenCaptionPage(const ProgramUnderTest& program, const std::string& geometry, int& captionX,
                                         int& captionY) {
  const std::string shot = Artifact("caption_page.png");
  const auto screenShows = [&](int x, int y, auto colourOk) {
    return WaitUntil([&] {
      program.SaveScreenshot(shot);
      return colourOk(PixelAt(shot, program.ScreenX() + x, program.ScreenY() + y));
    }, 5s);
  };
  const auto dark = [](std::array<int, 3> c) { return c[0] >= 0 && c[0] < 60 && c[1] < 60 && c[2] < 60; };
  const auto black = [](std::array<int, 3> c) { return c[0] == 0 && c[1] == 0 && c[2] == 0; };
  program.Click(MiscButtonX, MiscButtonY);
  program.Click(TestPatternTabX, TestPatternTabY);
  if (!screenShows(PopupX + 10, PopupY + 300, dark)) return testing::AssertionFailure() << "no test pattern page";
  program.ClickInPopup(PopupX + 160, PopupY + 339);
  if (!screenShows(PopupX + 250, PopupY + 100, black)) return testing::AssertionFailure() << "no caption page";
  const bool placed = WaitUntil([&] {
    std::ifstream in(geometry);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    const ShownGeometry g = ShownGeometry::Parse(text);
    const GeoWindow* page = g.Window("popup:1514");
    if (page) captionX = page->Visible.X - program.ScreenX(), captionY = page->Visible.Y - program.ScreenY();
    return page != nullptr;
  }, 5s);
  if (!placed) return testing::AssertionFailure() << "the caption page is not in the geometry record";
  return testing::AssertionSuccess();
}

// The test pattern page's ON/OFF, clicked where the geometry record shows it, its window raised
// over the caption page first (both stand at the same place). False when it is not shown.
bool ClickPatternOnOff(const std::string& geometry, pid_t pid) {
  constexpr int PatternOnOffId = 1273;
  std::ifstream in(geometry);
  const ShownGeometry g = ShownGeometry::Parse({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
  const GeoWindow* page = g.Window("popup:152");
  const GeoControl* onOff = nullptr;
  for (const GeoControl& c : g.Controls)
    if (c.Id == PatternOnOffId && page && c.Window == page->Index) onOff = &c;
  if (!onOff) return false;
  std::istringstream ids(RunCommand("xdotool search --onlyvisible --pid " + std::to_string(pid)));
  for (std::string id; ids >> id;) {
    std::string name = RunCommand("xdotool getwindowname " + id);
    while (!name.empty() && (name.back() == '\n' || name.back() == ' ')) name.pop_back();
    if (name == page->Title) RunCommand("xdotool windowraise " + id);
  }
  RunCommand("xdotool mousemove --sync " + std::to_string(onOff->Rect.X + onOff->Rect.W / 2) + " " +
             std::to_string(onOff->Rect.Y + onOff->Rect.H / 2) + " click 1");
  return true;
}

size_t ChunksReceived(const std::string& log) {
  size_t n = 0;
  for (const auto& f : testsupport::ReadDevsimLog(log)) n += f.type == 3;
  return n;
}

// How the device acknowledges, and the caption sent.
struct CaptionRow {
  const char* name;
  const char* statusDelayMs;  // devsim --status-delay: every operation-status reply this much late
  const char* width;           // typed over the text's own width; empty keeps it
  size_t minChunks;           // so many one-second acknowledgements outlast the 15 s watchdog
  // Two chunks into the upload the test pattern page (an owned pop-up, usable behind the busy
  // box) is switched: its own operation's status comes while the caption goes out.
  bool patternClicked = false;
};
// 1920 x 100: rows of 240 bytes, five to a chunk, twenty chunks.
const CaptionRow CaptionRows[] = {
    {"AcknowledgedAtOnce", "0", "", 1},
    {"AcknowledgedOneSecondLate", "1000", "1920", 17},
    {"PatternSwitchedDuringTheUpload", "1000", "1920", 17, true},
};

void PrintTo(const CaptionRow& row, std::ostream* os) { *os << row.name; }

class CaptionWindowTest : public ::testing::TestWithParam<CaptionRow> {};
}  // namespace

TEST_P(CaptionWindowTest, ATypedCaptionReachesTheDeviceAsItsSavedBitmap) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  const CaptionRow& row = GetParam();
  const bool slow = std::string(row.statusDelayMs) != "0";
  testsupport::ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", testsupport::FreeDeviceAddress(52), "--log", log, "--status-delay",
                            row.statusDelayMs}));
  setenv("VELKAN_GEOMETRY", (home.Path() + "geometry.txt").c_str(), 1);
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();

  int captionX = 0, captionY = 0;
  ASSERT_TRUE(OpenCaptionPage(program, home.Path() + "geometry.txt", captionX, captionY));
  const std::string shot = Artifact("caption_page.png");
  const auto screenShows = [&](int x, int y, auto colourOk) {
    return WaitUntil([&] {
      program.SaveScreenshot(shot);
      return colourOk(PixelAt(shot, program.ScreenX() + x, program.ScreenY() + y));
    }, 5s);
  };

  // Advanced shows the device's caption 1 (at row 568 of the 1080-row output); the operator types
  // the text, makes the caption 100 px tall (the page grows by 40 under the text) and presses
  // Preview. The page writes the bitmap and announces it, the device asks for it, the chunks go
  // out one acknowledgement after another, and the busy box closes.
  const auto typeInto = [&](int x, int y, const std::string& text) {
    program.ClickInPopup(captionX + x, captionY + y);
    RunCommand("xdotool key ctrl+a type --delay 40 '" + text + "'");
  };
  program.ClickInPopup(captionX + 275, captionY + 39);
  const auto orange = [](std::array<int, 3> c) { return c[0] > 200 && c[1] > 100 && c[1] < 200 && c[2] < 80; };
  ASSERT_TRUE(screenShows(captionX + 231, captionY + 480, orange)) << "the advanced area did not unfold";
  typeInto(165, 70, "Velkan caption");
  if (*row.width) {
    typeInto(122, 480, row.width);
    RunCommand("xdotool key Return");
  }
  // Where the geometry record shows Preview now: the taller caption moves it down by 40.
  const auto previewTop = [&] {
    std::ifstream in(home.Path() + "geometry.txt");
    const ShownGeometry g = ShownGeometry::Parse({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
    const GeoControl* preview = g.Control("popup:1514", CaptionPreviewId);
    return preview ? preview->Rect.Y : -1;
  };
  const int previewBefore = previewTop();
  typeInto(270, 480, "100");
  RunCommand("xdotool key Return");
  ASSERT_TRUE(WaitUntil([&] { return previewBefore >= 0 && previewTop() >= previewBefore + 40; }, 5s))
      << "Preview did not move under the taller caption: " << previewBefore << " -> " << previewTop();
  const size_t hidden = TimesHidden(program);
  program.ClickInPopup(captionX + 280, captionY + 137 + 40);
  const auto closed = [&] { return TimesHidden(program) > hidden; };
  if (row.patternClicked) {
    ASSERT_TRUE(WaitUntil([&] { return ChunksReceived(log) >= 2; }, 10s)) << program.ShownTexts();
    ASSERT_TRUE(ClickPatternOnOff(home.Path() + "geometry.txt", program.ProcessId()));
    ASSERT_TRUE(WaitUntil([&] { return !testsupport::ReceivedCommands(log, 12).empty(); }, 5s)) << "no pattern switch";
  }
  if (slow) {
    // Past the 15 s watchdog the box is still up: every acknowledgement started it again.
    EXPECT_FALSE(WaitUntil(closed, 16s)) << program.ShownTexts();
    EXPECT_TRUE(program.Shows("main window: disabled")) << program.ShownTexts();
    program.SaveScreenshot(Artifact("caption_slow_busy.png"));
    EXPECT_FALSE(ReceivedCaptionSave(log)) << "the upload ended within 16 s: too short to tell";
  }
  EXPECT_TRUE(WaitUntil(closed, 40s)) << program.ShownTexts();
  // It closed because the upload ended: the save went out, not a watchdog.
  EXPECT_TRUE(WaitUntil([&] { return ReceivedCaptionSave(log); }, 2s));
  EXPECT_TRUE(program.Shows("busy: shown: Waitting Operation ...")) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("main window: enabled")) << program.ShownTexts();
  program.SaveScreenshot(Artifact(std::string("caption_sent_") + row.name + ".png"));

  // The file the page saved, and what the device received: chunks at consecutive offsets that
  // together are the file's rows.
  std::ifstream in(home.Path() + "PFile0.BMP", std::ios::binary);
  const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(file.size(), 62u);
  EXPECT_GT(U32(file, 18), 100u);  // as wide as the text, or as typed
  if (*row.width) {
    EXPECT_EQ(U32(file, 18), uint32_t(std::atoi(row.width)));
  }
  EXPECT_EQ(U32(file, 22), 100u);
  // The rows go out from the top; the file holds them from the bottom.
  const uint32_t width = U32(file, 18), height = U32(file, 22), rowBytes = (width + 31) / 32 * 4;
  ASSERT_EQ(file.size(), U32(file, 10) + size_t(rowBytes) * height);
  std::vector<uint8_t> rows;
  for (uint32_t r = height; r-- > 0;) {
    const auto row = file.begin() + U32(file, 10) + std::ptrdiff_t(r) * rowBytes;
    rows.insert(rows.end(), row, row + rowBytes);
  }
  std::vector<uint8_t> received;
  size_t chunks = 0;
  for (const auto& f : testsupport::ReadDevsimLog(log)) {
    if (f.type != 3) continue;
    ASSERT_GE(f.payload.size(), 6u);
    EXPECT_EQ(U32(f.payload, 0), received.size()) << "chunk offset";
    received.insert(received.end(), f.payload.begin() + 6, f.payload.end());
    ++chunks;
  }
  EXPECT_GE(chunks, row.minChunks);
  EXPECT_EQ(received.size(), rows.size());
  EXPECT_TRUE(received == rows);
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(DeviceTiming, CaptionWindowTest, ::testing::ValuesIn(CaptionRows),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {
// Caption page positions (client, 96 dpi) of its controls.
constexpr int OnOffX = 186, OnOffY = 39, AdvancedX = 275, AdvancedY = 39;
constexpr int PreviewX = 280, PreviewY = 137, InitialiseX = 164, InitialiseY = 387, SaveX = 62, SaveY = 387;

// Raises the caption page's window over the main window, as a window manager keeps a pop-up over
// its owner (the tests run without one, and a closing busy box raises the main window). Other
// pop-up pages (the test pattern's) stand at the same place: the page is taken by its title.
bool RaiseCaptionPage(const ProgramUnderTest& program, int captionX, int captionY) {
  std::istringstream windows(
      RunCommand("xdotool search --all --onlyvisible --pid " + std::to_string(program.ProcessId())));
  for (std::string id; windows >> id;) {
    const ScreenRect r = WindowRect(id);
    if (r.X == program.ScreenX() + captionX && r.Y == program.ScreenY() + captionY &&
        RunCommand("xdotool getwindowname " + id) == "Caption Setting\n") {
      program.RaiseWithOwners(id);
      return true;
    }
  }
  return false;
}

// Raises the caption page until the screen shows it (its black text edit): a raise takes effect
// some time after it is asked for, and a click before then lands on the main window.
bool RaiseCaptionPageOnScreen(const ProgramUnderTest& program, int captionX, int captionY, const std::string& shot) {
  return WaitUntil([&] {
    RaiseCaptionPage(program, captionX, captionY);
    program.SaveScreenshot(shot);
    const auto c = PixelAt(shot, program.ScreenX() + captionX + 170, program.ScreenY() + captionY + 100);
    return c[0] == 0 && c[1] == 0 && c[2] == 0;
  }, 5s);
}

// The caption on/off commands (24, sub-code 2) the device received: {caption, state}.
std::vector<std::array<int, 2>> CaptionSwitches(const std::string& log) {
  std::vector<std::array<int, 2>> switches;
  for (const auto& b : testsupport::ReceivedCommands(log, 24))
    if (b[1] == 2) switches.push_back({b[0], b[2]});
  return switches;
}

// A caption operation whose answer never comes: the device answers a minute late and the busy box
// waits for the watchdog, or it restarts before it accepts the caption and the link comes back.
struct SilentRow {
  const char* name;
  int x, y;               // the button that starts it
  bool confirmed;         // it asks "Reset Caption ?" first
  std::vector<std::string> late;  // how devsim answers late (--status-delay, --status-delay-for)
  int restartMs;          // the device restarts this long after the button's command (0: never)
  const char* told;       // what the operator is told, by its language-file key
  int command = 23;       // the command the button sends (the announcement, or 24)
  bool sentFirst = false; // a caption is sent first, which makes Save usable
  int reportMs = 0;       // the device reports its feathering unasked this long after it (0: never)
};
const SilentRow SilentRows[] = {
    {"Preview", PreviewX, PreviewY, false, {"--status-delay", "60000"}, 0, "XIDS_CaptionNotTaken"},
    {"Initialise", InitialiseX, InitialiseY, true, {"--status-delay", "60000"}, 0, "XIDS_NoAnswerInTime", 24},
    {"PreviewThenRestart300ms", PreviewX, PreviewY, false, {"--status-delay", "1000"}, 300, "XIDS_CaptionNotTaken"},
    {"PreviewThenRestart500ms", PreviewX, PreviewY, false, {"--status-delay", "1500"}, 500, "XIDS_CaptionNotTaken"},
    {"InitialiseThenRestart", InitialiseX, InitialiseY, true, {"--status-delay", "60000"}, 500, "SIDS_39", 24},
    {"SaveUnansweredReportAfter3s", SaveX, SaveY, false, {"--status-delay-for", "24=60000"}, 0, "XIDS_NoAnswerInTime",
     24, true, 3000},
};
void PrintTo(const SilentRow& row, std::ostream* os) { *os << row.name; }
class CaptionSilentDeviceTest : public ::testing::TestWithParam<SilentRow> {};
}  // namespace

// The device takes the caption's announcement (or the initialise) and never answers it: 15 s
// later the watchdog closes the busy box; or it restarts before it accepts the caption. The
// operator is told, and the caption page works again: its ON/OFF reaches the device.
TEST_P(CaptionSilentDeviceTest, AfterTheWaitEndsThePageWorksAgain) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  const SilentRow& row = GetParam();
  testsupport::ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  testsupport::DevsimProcess devsim;
  // Its operation-status replies (the caption's acceptance, the initialise done) come late.
  const std::string control = home.Path() + "device-control.txt";
  std::vector<std::string> args{"--device", testsupport::FreeDeviceAddress(53), "--log", log, "--control", control};
  args.insert(args.end(), row.late.begin(), row.late.end());
  ASSERT_TRUE(devsim.Start(args));
  setenv("VELKAN_GEOMETRY", (home.Path() + "geometry.txt").c_str(), 1);
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();
  int captionX = 0, captionY = 0;
  ASSERT_TRUE(OpenCaptionPage(program, home.Path() + "geometry.txt", captionX, captionY));

  if (row.sentFirst) {
    const size_t before = TimesHidden(program);
    program.ClickInPopup(captionX + PreviewX, captionY + PreviewY);
    ASSERT_TRUE(WaitUntil([&] { return TimesHidden(program) > before && ReceivedCaptionSave(log); }, 20s))
        << program.ShownTexts();
    ASSERT_TRUE(program.WaitForShown({"main window: enabled"}, 5s)) << program.ShownTexts();
    ASSERT_TRUE(RaiseCaptionPageOnScreen(program, captionX, captionY, Artifact("caption_save_usable.png")))
        << "the caption page stays under the main window";
  }
  const size_t commandsBefore = testsupport::ReceivedCommands(log, row.command).size();
  const size_t hidden = TimesHidden(program);
  program.ClickInPopup(captionX + row.x, captionY + row.y);
  if (row.confirmed) {
    ASSERT_EQ(program.BoxText("Tips"), "Reset Caption ?") << "no question";
    ASSERT_TRUE(program.PressReturnIn("Tips"));
  }
  const auto commandArrived = [&] { return testsupport::ReceivedCommands(log, row.command).size() > commandsBefore; };
  ASSERT_TRUE(program.WaitForShown({"main window: disabled"}, 10s)) << program.ShownTexts();
  const auto readAlls = [&] { return testsupport::ReceivedCommands(log, 0).size(); };
  const size_t readBefore = readAlls();
  if (row.restartMs > 0 || row.reportMs > 0) {
    ASSERT_TRUE(WaitUntil(commandArrived, 5s)) << "the button's command did not arrive";
    std::this_thread::sleep_for(std::chrono::milliseconds(row.restartMs + row.reportMs));
    std::ofstream(control, std::ios::app) << (row.restartMs > 0 ? "restart\n" : "feather 0\n");
  }
  ASSERT_TRUE(WaitUntil([&] { return TimesHidden(program) > hidden; }, 45s)) << program.ShownTexts();
  const std::string told = LanguageFileText("English", row.told);
  ASSERT_FALSE(told.empty());
  EXPECT_EQ(program.BoxText("Tips"), told) << program.ShownTexts();
  program.SaveScreenshot(Artifact(std::string("caption_told_") + row.name + ".png"));
  const size_t hiddenBeforeReconnect = TimesHidden(program);
  EXPECT_TRUE(program.PressReturnIn("Tips"));
  // After a restart the link comes back and the device's state is read again, behind a busy box
  // of its own that closes (and raises the main window) before the page is clicked.
  if (row.restartMs > 0) {
    EXPECT_TRUE(WaitUntil([&] { return readAlls() > readBefore && TimesHidden(program) > hiddenBeforeReconnect; },
                          20s))
        << "no reconnect\n" << program.ShownTexts();
  }
  EXPECT_TRUE(program.WaitForShown({"main window: enabled"}, 10s)) << program.ShownTexts();

  // ON/OFF on the page: the device hears it.
  const size_t switches = CaptionSwitches(log).size();
  ASSERT_TRUE(RaiseCaptionPageOnScreen(program, captionX, captionY,
                                       Artifact(std::string("caption_after_wait_") + row.name + ".png")));
  program.ClickInPopup(captionX + OnOffX, captionY + OnOffY);
  EXPECT_TRUE(WaitUntil([&] { return CaptionSwitches(log).size() > switches; }, 10s))
      << "the caption page stayed disabled after its wait ended\n" << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

INSTANTIATE_TEST_SUITE_P(Operation, CaptionSilentDeviceTest, ::testing::ValuesIn(SilentRows),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {
constexpr int CaptionListX = 74, CaptionListY = 39;
constexpr int DisplayWidthX = 122, DisplayWidthY = 512;

// How many caption records from the device the caption page has taken.
int RecordsHeard(const ProgramUnderTest& program) {
  const std::string shown = program.ShownTexts();
  const std::string key = "caption page: device records ";
  const size_t at = shown.find(key);
  return at == std::string::npos ? 0 : std::atoi(shown.c_str() + at + key.size());
}
}  // namespace

// The operator chooses "Caption 3": the device reports it selected, and everything the page does
// goes to caption 3 (index 2), with the advanced area folded and open, and the list keeps
// naming it.
TEST(CaptionChoiceWindowTest, TheChosenCaptionIsTheOneSwitchedAndEdited) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  testsupport::ScratchFolder home;
  const std::string log = home.Path() + "devsim.log";
  testsupport::DevsimProcess devsim;
  ASSERT_TRUE(devsim.Start({"--device", testsupport::FreeDeviceAddress(54), "--log", log}));
  setenv("VELKAN_GEOMETRY", (home.Path() + "geometry.txt").c_str(), 1);
  ProgramUnderTest program(home.Path());
  ASSERT_TRUE(program.Start());
  ASSERT_TRUE(program.ConnectBySearch()) << program.ShownTexts();
  int captionX = 0, captionY = 0;
  ASSERT_TRUE(OpenCaptionPage(program, home.Path() + "geometry.txt", captionX, captionY));

  // The list drops below its button; "Caption 3" is its third row.
  int heard = RecordsHeard(program);
  program.ClickInPopup(captionX + CaptionListX, captionY + CaptionListY);
  const auto highlighted = [](std::array<int, 3> c) { return c[0] > 200 && c[1] > 200 && c[2] < 120; };
  const std::string shot = Artifact("caption_list_open.png");
  ASSERT_TRUE(WaitUntil([&] {
    program.SaveScreenshot(shot);
    return highlighted(PixelAt(shot, program.ScreenX() + captionX + 110, program.ScreenY() + captionY + 54));
  }, 5s)) << "the caption list did not open";
  program.ClickInPopup(captionX + CaptionListX, captionY + 90);
  const auto selected = [&](int caption) {
    for (const auto& b : testsupport::ReceivedCommands(log, 70))
      if (b[0] == caption) return true;
    return false;
  };
  ASSERT_TRUE(WaitUntil([&] { return selected(2); }, 10s)) << "Caption 3 was not chosen";
  // The device answers the selection and the query with caption 3's record.
  ASSERT_TRUE(WaitUntil([&] { return RecordsHeard(program) >= heard + 2; }, 10s)) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("caption page: list Caption 3")) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("caption page: acts on caption 3")) << program.ShownTexts();

  // ON/OFF switches caption 3 on.
  size_t switches = CaptionSwitches(log).size();
  program.ClickInPopup(captionX + OnOffX, captionY + OnOffY);
  ASSERT_TRUE(WaitUntil([&] { return CaptionSwitches(log).size() > switches; }, 10s));
  EXPECT_EQ(CaptionSwitches(log).back(), (std::array<int, 2>{2, 1}));

  // Advanced shows caption 3's record (row 824 of the output) under its name; the display width
  // typed goes to caption 3 with that row.
  ASSERT_TRUE(WaitUntil([&] { return RecordsHeard(program) >= heard + 4; }, 10s)) << program.ShownTexts();
  heard = RecordsHeard(program);
  program.ClickInPopup(captionX + AdvancedX, captionY + AdvancedY);
  ASSERT_TRUE(WaitUntil([&] { return RecordsHeard(program) > heard; }, 10s)) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("caption page: list Caption 3")) << program.ShownTexts();
  EXPECT_TRUE(program.Shows("caption page: acts on caption 3")) << program.ShownTexts();
  program.ClickInPopup(captionX + DisplayWidthX, captionY + DisplayWidthY);
  RunCommand("xdotool key ctrl+a type --delay 40 '800'");
  RunCommand("xdotool key Return");
  const auto positions = [&] {
    std::vector<std::vector<uint8_t>> sent;
    for (const auto& b : testsupport::ReceivedCommands(log, 23))
      if (b[1] == 2) sent.push_back(b);
    return sent;
  };
  ASSERT_TRUE(WaitUntil([&] { return !positions().empty(); }, 10s)) << "the display width was not sent";
  const std::vector<uint8_t> position = positions().back();
  EXPECT_EQ(position[0], 2) << "caption";
  EXPECT_EQ(position[4] | position[5] << 8, 824) << "V start";
  EXPECT_EQ(position[6] | position[7] << 8, 800) << "display width";

  // ON/OFF still switches caption 3, now off.
  switches = CaptionSwitches(log).size();
  program.ClickInPopup(captionX + OnOffX, captionY + OnOffY);
  ASSERT_TRUE(WaitUntil([&] { return CaptionSwitches(log).size() > switches; }, 10s));
  EXPECT_EQ(CaptionSwitches(log).back(), (std::array<int, 2>{2, 0}));
  EXPECT_TRUE(program.Shows("caption page: list Caption 3")) << program.ShownTexts();
  program.SaveScreenshot(Artifact("caption_three_advanced.png"));
  EXPECT_EQ(program.Stop(), 0);
}
