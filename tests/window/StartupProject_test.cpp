// What the program shows before any device is there: the project read at start in every window,
// the notice of an opened project that holds no settings, the About box on F1, the per-user
// folder's notice in the operator's language, and project, settings and language files that are
// write-protected, in a folder the operator may not write, or FIFOs.
#include "app/DeviceState.h"
#include "app/ProfileIni.h"
#include "app/ProjectFile.h"
#include "mainwnd/BusyBoxState.h"
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;
using testsupport::ScratchFolder;

namespace {

// The program's visible windows whose title matches the pattern (all of them for none).
std::vector<std::string> VisibleWindows(pid_t pid, const std::string& pattern = {}) {
  std::istringstream ids(RunCommand("xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                                    (pattern.empty() ? "" : " --name '" + pattern + "'") + " 2>/dev/null"));
  std::vector<std::string> found;
  for (std::string id; std::getline(ids, id);)
    if (!id.empty()) found.push_back(id);
  return found;
}

// The one visible window of the program besides its main window (a dialog just opened).
std::string OtherWindow(const ProgramUnderTest& program, std::chrono::milliseconds limit) {
  std::string other;
  WaitUntil([&] {
    for (const std::string& id : VisibleWindows(program.ProcessId()))
      if (id != program.WindowId()) other = id;
    return !other.empty();
  }, limit);
  return other;
}

// Types a path into the file dialog that the click just opened and accepts it; a question
// whether to replace an existing file is answered yes.
bool ChooseFile(const ProgramUnderTest& program, const std::string& path, bool replace = false) {
  const std::string chooser = OtherWindow(program, 10s);
  if (chooser.empty()) return false;
  RunCommand("xdotool windowfocus --sync " + chooser + " key --delay 100 ctrl+l");
  RunCommand("xdotool type --delay 20 '" + path + "'");
  std::this_thread::sleep_for(300ms);
  RunCommand("xdotool key Return");
  if (replace) {
    std::this_thread::sleep_for(1s);
    RunCommand("xdotool key Return");
  }
  return true;
}

constexpr int MiscButtonX = 37, MiscButtonY = 104 + 9 * 36 + 18;
constexpr int ProjectButtonsY = 106 + 220 + 14, OpenProjectX = 77 + 18 + 70, SaveProjectX = 77 + 162 + 70;

// The shown lines of one area ("busy: ..."), in their order.
std::string AreaLines(const std::string& shown, const std::string& area) {
  std::istringstream lines(shown);
  std::string found;
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(area + ": ", 0) == 0) found += line + "\n";
  return found;
}

// Info.ini with the project's path and preset names of the PGM/PVW bank.
void WriteInfoIni(const std::string& home, const std::string& project) {
  std::ofstream(home + "Info.ini", std::ios::binary)
      << "[Setting]\r\nLanguage=English\r\n[Project]\r\nFilePath=" << project
      << "\r\n[PNAMESTR]\r\nPRESET1-0=Opening\r\nPRESET1-3=Finale\r\n";
}

std::string BytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

bool IsFifo(const std::string& path) {
  struct stat info {};
  return lstat(path.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

// Whether the process has ended (gone, or a zombie waiting to be reaped).
bool Ended(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return true;
  const size_t close = line.rfind(") ");
  return close == std::string::npos || close + 2 >= line.size() || line[close + 2] == 'Z';
}

// Asks the program to stop; a message box it shows on the way out (a save that failed) is
// answered. The exit status.
int StopAnsweringTheBox(ProgramUnderTest& program) {
  kill(program.ProcessId(), SIGTERM);
  WaitUntil([&] { return Ended(program.ProcessId()) || !VisibleWindows(program.ProcessId(), "^Tips$").empty(); }, 15s);
  if (!Ended(program.ProcessId())) program.PressReturnIn("Tips");
  return program.WaitForExit();
}

class StartupProject : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  }
  void ExpectWriteProtectedProjectLeft(bool asOrdinaryUser);
  ScratchFolder Scratch;
  std::string Home = Scratch.Path();
};

}  // namespace

// A project saved with a locked sync source, PGM/PVW mode and two layers: every window shows it
// from the start, with no device anywhere.
TEST_F(StartupProject, WindowsShowTheProjectBeforeAnyDeviceConnects) {
  DeviceState& s = GetDeviceState();
  s.SyncLockMode = 5;  // " Lock To HDMI1"
  s.SyncMode = 1;      // " Mode 1"
  s.SwitcherSettings.Mode = 1;
  s.LoopOutSource = 3;  // HDMI-2
  s.LayerWindow[1].Enable = 1;
  s.LayerWindow[1].X = 100;
  s.LayerWindow[1].Y = 50;
  s.LayerWindow[1].Width = 640;
  s.LayerWindow[1].Height = 360;
  const std::string project = Home + "show/show.pro";
  fs::create_directories(Home + "show");
  ASSERT_TRUE(WriteProjectFile(project));
  WriteInfoIni(Home, project);

  ProgramUnderTest program(Home);
  ASSERT_TRUE(program.Start());
  EXPECT_TRUE(program.WaitForShown({"sync:  Lock To HDMI1 / Mode 1", "presets: bank Presets names 1",
                                    "presets: 1 Opening empty", "presets: 4 Finale empty", "controls: TAKE shown",
                                    "indicators: switcher mode shown", "disabled: MOSAIC", "loopout: around HDMI-2",
                                    "connection: not connected"},
                                   3s))
      << program.ShownTexts();
  EXPECT_NE(program.ShownTexts().find(" 100,50 640x360 shown\n"), std::string::npos) << program.ShownTexts();
  program.SaveScreenshot(Artifact("startup-project.png"));
  EXPECT_EQ(program.Stop(), 0);
}

// Open Project on a file in which the reader finds no key (only a byte-order mark, another
// program's settings) keeps the settings and the project in use, and says so: the chosen file
// is left byte for byte, and at close the project in use is the one saved.
TEST_F(StartupProject, OpeningAProjectWithoutSettingsTellsTheOperator) {
  struct Keyless {
    const char* Name;
    std::string Bytes;
  };
  const Keyless files[] = {
      {"mark.pro", "\xFF\xFE"},
      {"other.pro", "[Window]\r\nWidth=800\r\nHeight=600\r\n"},
  };
  const std::string project = Home + "show.pro", kept = "[OUTPUTRESO]\r\nRESOINDEX=3\r\n";
  std::ofstream(project, std::ios::binary) << kept;
  WriteInfoIni(Home, project);
  for (const Keyless& file : files) std::ofstream(Home + file.Name, std::ios::binary) << file.Bytes;
  ProgramUnderTest program(Home);
  ASSERT_TRUE(program.Start());
  program.Click(MiscButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 3s)) << program.ShownTexts();
  for (const Keyless& file : files) {
    SCOPED_TRACE(file.Name);
    const std::string keyless = Home + file.Name;
    program.Click(OpenProjectX, ProjectButtonsY);
    ASSERT_TRUE(ChooseFile(program, keyless)) << "no file dialog";
    EXPECT_TRUE(program.WaitForShown({"project: no settings: " + keyless, "project: in use: " + project}, 10s))
        << program.ShownTexts();
    std::this_thread::sleep_for(300ms);
    program.SaveScreenshot(Artifact(std::string("keyless-project-message-") + file.Name + ".png"));
    EXPECT_EQ(program.BoxText("Tips"), fs::path(file.Name).stem().string() + ": " +
                                           LanguageFileText("English", "XIDS_ProjectNotOpenedNoSettings") + "\n" +
                                           project);
    EXPECT_TRUE(program.PressReturnIn("Tips")) << "no message box";
    EXPECT_TRUE(program.WaitForShown({"busy: hidden"}, 3s)) << program.ShownTexts();
    EXPECT_EQ(ReadProfileString(Home + "Info.ini", "Project", "FilePath", "", 1000), project);
  }
  EXPECT_EQ(program.Stop(), 0);
  for (const Keyless& file : files)
    EXPECT_TRUE(BytesOf(Home + file.Name) == file.Bytes) << file.Name << " was written over";
  const std::string saved = BytesOf(project);
  EXPECT_NE(saved, kept) << "the project in use was not saved at close";
  EXPECT_NE(saved.find("[COMPOSITEBOARD]\r\n"), std::string::npos);
  EXPECT_NE(saved.find("\r\nRESOINDEX=3\r\n"), std::string::npos) << "not the settings the project gave";
  EXPECT_EQ(ReadProfileString(Home + "Info.ini", "Project", "FilePath", "", 1000), project);
}

// A save that fails (a write-protected project, the program run as an ordinary user) is told once
// the busy box is gone; the operator may leave the box up past the busy box's watchdog time, and
// no "The Machine Is Offline" box follows, since no device was asked anything.
TEST_F(StartupProject, AFailedSaveLeftUnreadPastTheWatchdogBringsNoOfflineBox) {
  const std::string project = Home + "show.pro", kept = "[OUTPUTRESO]\r\nRESOINDEX=3\r\n";
  std::ofstream(project, std::ios::binary) << kept;
  WriteInfoIni(Home, project);
  fs::permissions(project, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  ProgramUnderTest program(Home);
  if (!program.StartAsOrdinaryUser()) GTEST_SKIP() << "the program cannot be run as an ordinary user here";
  program.PressKeys("ctrl+s");
  ASSERT_TRUE(program.WaitForShown({"project: write-protected: " + project}, 10s)) << program.ShownTexts();
  std::vector<std::string> boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(boxes = VisibleWindows(program.ProcessId(), "^Tips$")).empty(); }, 10s));
  // The busy box went before the failure was told.
  EXPECT_TRUE(program.Shows("main window: enabled")) << program.ShownTexts();
  const std::string busyWithTheBox = AreaLines(program.ShownTexts(), "busy");
  // The program's own clock, which a loaded machine slows as much as the watchdog: its title
  // changes every 5 s, so this many changes outlast the watchdog begun with Ctrl+S.
  const int titleChanges = static_cast<int>(BusyTimeoutMs / 5000) + 2;
  const auto title = [&] { return RunCommand("xdotool getwindowname " + program.WindowId()); };
  std::string lastTitle = title();
  int changes = 0;
  EXPECT_TRUE(WaitUntil([&] {
    if (const std::string now = title(); now != lastTitle) lastTitle = now, ++changes;
    return changes >= titleChanges;
  }, std::chrono::milliseconds(BusyTimeoutMs) * 4));
  program.SaveScreenshot(Artifact("failed-save-left-up.png"));
  EXPECT_EQ(VisibleWindows(program.ProcessId(), "^Tips$"), boxes) << "a second box came up";
  EXPECT_EQ(AreaLines(program.ShownTexts(), "busy"), busyWithTheBox);
  EXPECT_TRUE(program.Shows("main window: enabled"));
  const std::string writeProtected = "show: " + LanguageFileText("English", "XIDS_ProjectWriteProtected") + "\n" + project;
  EXPECT_EQ(program.BoxText("Tips"), writeProtected);
  EXPECT_TRUE(program.PressReturnIn("Tips"));
  EXPECT_TRUE(WaitUntil([&] { return VisibleWindows(program.ProcessId(), "^Tips$").empty(); }, 5s))
      << "a second box came up";
  kill(program.ProcessId(), SIGTERM);
  EXPECT_TRUE(program.WaitForShown({"project: write-protected: " + project}, 10s));
  EXPECT_EQ(program.BoxText("Tips"), writeProtected);
  EXPECT_TRUE(program.PressReturnIn("Tips"));
  EXPECT_EQ(program.WaitForExit(), 0);
  EXPECT_EQ(BytesOf(project), kept);
}

// F1 opens the About box over the main window, also with the focus in a page's edit; its OK
// button closes it, and a stop request while it is open still ends the program.
TEST_F(StartupProject, F1OpensTheAboutBoxAndOkClosesIt) {
  ProgramUnderTest program(Home);
  ASSERT_TRUE(program.Start());
  constexpr int PictureButtonX = 37, PictureButtonY = 104 + 18;
  constexpr int BrightnessEditX = 342, BrightnessEditY = 309;
  program.Click(PictureButtonX, PictureButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Picture Setting"}, 3s)) << program.ShownTexts();
  program.Click(BrightnessEditX, BrightnessEditY);
  program.PressKeys("F1");
  ASSERT_TRUE(program.WaitForShown({"about: About Z81 ZedarEzuzovizu"}, 5s)) << program.ShownTexts();
  std::vector<std::string> about;
  WaitUntil([&] { return !(about = VisibleWindows(program.ProcessId(), "^About Z81")).empty(); }, 5s);
  ASSERT_FALSE(about.empty());
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(program.SaveScreenshot(Artifact("about-box.png")));
  // GTK may give the box more than one X window of that name: the box is the one of its size.
  int x = -1, y = -1;
  for (const std::string& id : about)
    if (const ScreenRect r = WindowRect(id); r.Width == 400) x = r.X, y = r.Y;
  ASSERT_GE(x, 0) << "no About box of 400 pixels";
  RunCommand("xdotool mousemove " + std::to_string(x + 200) + " " + std::to_string(y + 183) + " click 1");
  EXPECT_TRUE(program.WaitForShown({"about: closed"}, 5s)) << program.ShownTexts();
  EXPECT_TRUE(VisibleWindows(program.ProcessId(), "^About Z81").empty());
  // Asked to stop while the box is open, the program still ends (and saves) as it should.
  program.PressKeys("F1");
  ASSERT_TRUE(program.WaitForShown({"about: About Z81 ZedarEzuzovizu"}, 5s)) << program.ShownTexts();
  EXPECT_EQ(program.Stop(), 0);
}

// A Chinese operator whose program folder cannot be written is told where settings go, in
// Chinese, as the language file has it.
TEST_F(StartupProject, PerUserFolderNoticeComesFromTheLanguageFile) {
  const std::string program = Home + "program/", shown = Home + "shown/";
  fs::create_directories(program);
  fs::create_directories(shown);
  if (const std::string why = MakeUnwritable(program); !why.empty()) GTEST_SKIP() << why;
  setenv("XDG_DATA_HOME", (Home + "data").c_str(), 1);
  setenv("LANG", "zh_CN.UTF-8", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_MESSAGES");
  const std::string chinese = std::string(VELKAN_LANGUAGE_DIR) + "/Chinese.ini";
  const std::string notWritable = ReadProfileString(chinese, "String", "XIDS_ProgramFolderNotWritable", "", 1000);
  const std::string keptIn = ReadProfileString(chinese, "String", "XIDS_SettingsKeptIn", "", 1000);
  ASSERT_FALSE(notWritable.empty());
  {
    ProgramUnderTest first(program, shown);
    ASSERT_TRUE(first.Start());
    EXPECT_TRUE(first.WaitForShown({"notice: " + notWritable + " " + program,
                                    "notice: " + keptIn + " " + Home + "data/velkan/"},
                                   5s))
        << first.ShownTexts();
    const std::string tips = ReadProfileString(chinese, "String", "SIDS_38", "", 100);
    EXPECT_EQ(first.BoxText(tips), notWritable + " " + program + "\n" + keptIn + " " + Home + "data/velkan/");
    EXPECT_TRUE(first.PressReturnIn(tips));
    EXPECT_EQ(first.Stop(), 0);
  }
  unsetenv("XDG_DATA_HOME");
  unsetenv("LANG");
  umount2(program.c_str(), MNT_DETACH);
  chmod(program.c_str(), 0755);
}

// A project the operator may not write (mode 0444, the program running as an ordinary user) is
// left byte for byte by Ctrl+S, by Save Project onto it and at close, and each time the operator
// is told; Info.ini, protected too, is left as it was without a word.
TEST_F(StartupProject, AWriteProtectedProjectIsLeftAsItWasAndTheOperatorIsTold) {
  ExpectWriteProtectedProjectLeft(true);
}

// The same project with the program run as root, who could open it for writing: the missing
// write bits still protect it.
TEST_F(StartupProject, AWriteProtectedProjectIsLeftAsItWasWhenRunAsRoot) { ExpectWriteProtectedProjectLeft(false); }

void StartupProject::ExpectWriteProtectedProjectLeft(bool asOrdinaryUser) {
  const auto bytes = BytesOf;
  const std::string project = Home + "show.pro", settings = Home + "Info.ini";
  const std::string kept = "[OUTPUTRESO]\r\nRESOINDEX=3\r\n";
  std::ofstream(project, std::ios::binary) << kept;
  WriteInfoIni(Home, project);
  const std::string keptSettings = bytes(settings);
  const auto readOnly = fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
  fs::permissions(project, readOnly);
  fs::permissions(settings, readOnly);
  ProgramUnderTest program(Home);
  if (asOrdinaryUser && !program.StartAsOrdinaryUser())
    GTEST_SKIP() << "the program cannot be run as an ordinary user here";
  if (!asOrdinaryUser) {
    ASSERT_TRUE(program.Start());
  }
  // Each way of saving shows the message box, names the file as write-protected and leaves it.
  const auto toldAndKept = [&](const char* how) {
    SCOPED_TRACE(how);
    std::vector<std::string> box;
    EXPECT_TRUE(WaitUntil([&] { return !(box = VisibleWindows(program.ProcessId(), "^Tips$")).empty(); }, 10s));
    if (box.empty()) return;
    // OK stands centred along the box's bottom edge.
    const ScreenRect at = WindowRect(box[0]);
    RunCommand("xdotool mousemove " + std::to_string(at.X + at.Width / 2) + " " + std::to_string(at.Y + at.Height - 12) +
               " click 1");
    EXPECT_TRUE(WaitUntil([&] { return VisibleWindows(program.ProcessId(), "^Tips$").empty(); }, 5s));
    EXPECT_TRUE(program.Shows("project: write-protected: " + project)) << program.ShownTexts();
    EXPECT_EQ(bytes(project), kept);
  };
  program.PressKeys("ctrl+s");
  ASSERT_TRUE(program.WaitForShown({"project: write-protected: " + project}, 10s)) << program.ShownTexts();
  program.SaveScreenshot(Artifact(asOrdinaryUser ? "write-protected-project.png" : "write-protected-project-root.png"));
  toldAndKept("Ctrl+S");
  program.Click(MiscButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 3s)) << program.ShownTexts();
  program.Click(SaveProjectX, ProjectButtonsY);
  ASSERT_TRUE(ChooseFile(program, project, true)) << "no file dialog";
  toldAndKept("Save Project");
  kill(program.ProcessId(), SIGTERM);
  toldAndKept("close");
  EXPECT_EQ(program.WaitForExit(), 0);
  EXPECT_EQ(bytes(project), kept);
  EXPECT_EQ(fs::status(project).permissions(), readOnly);
  EXPECT_EQ(bytes(settings), keptSettings);
}

// A writable project in a folder the operator may not write (no rename possible there): Ctrl+S
// and the close save it all the same, in place, with no word of a failure.
TEST_F(StartupProject, AWritableProjectInAFolderTheOperatorMayNotWriteIsSaved) {
  const std::string folder = Home + "locked/", project = folder + "show.pro";
  fs::create_directories(folder);
  const std::string kept = "[OUTPUTRESO]\r\nRESOINDEX=3\r\n";
  std::ofstream(project, std::ios::binary) << kept;
  WriteInfoIni(Home, project);
  fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  ProgramUnderTest program(Home);
  if (!program.StartAsOrdinaryUser()) GTEST_SKIP() << "the program cannot be run as an ordinary user here";
  // A whole project: its 13 section lines and 1143 key lines.
  const auto whole = [&] {
    const std::string text = BytesOf(project);
    return text != kept && text.rfind("[OUTPUTRESO]\r\nRESOINDEX=3\r\n", 0) == 0 &&
           std::count(text.begin(), text.end(), '\n') == 13 + 1143;
  };
  program.PressKeys("ctrl+s");
  EXPECT_TRUE(WaitUntil(whole, 15s)) << BytesOf(project).substr(0, 200);
  std::this_thread::sleep_for(500ms);
  EXPECT_EQ(program.ShownTexts().find("project: "), std::string::npos) << program.ShownTexts();
  EXPECT_TRUE(VisibleWindows(program.ProcessId(), "^Tips$").empty());
  std::ofstream(project, std::ios::binary | std::ios::in) << "[X";  // saved again at close
  EXPECT_EQ(StopAnsweringTheBox(program), 0);
  EXPECT_TRUE(whole()) << BytesOf(project).substr(0, 200);
  EXPECT_EQ(program.ShownTexts().find("project: "), std::string::npos) << program.ShownTexts();
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
  fs::permissions(folder, fs::perms::owner_all);
}

// A FIFO where the program expects a file: the start-up project named in Info.ini, Info.ini
// itself, the language file. The window shows all the same, the program stops when asked (a
// save to the FIFO is refused and told), and the FIFO is still a FIFO.
TEST_F(StartupProject, AFifoWhereAFileIsExpectedNeitherHoldsTheWindowUpNorIsReplaced) {
  struct Row {
    const char* what;
    const char* fifo;  // in the program folder
    const char* told;  // what the program says at close, "" for nothing
  };
  const Row rows[] = {
      {"start-up project", "show.pro", "project: save failed: "},
      {"Info.ini", "Info.ini", ""},
      {"language file", "Language/English.ini", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ScratchFolder scratch;
    const std::string home = scratch.Path(), fifo = home + row.fifo;
    fs::create_directories(home + "Language");
    if (std::string(row.fifo) != "Info.ini") WriteInfoIni(home, home + "show.pro");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
    ProgramUnderTest program(home);
    ASSERT_TRUE(program.Start()) << "no window";
    EXPECT_TRUE(program.WaitForShown({"connection: not connected"}, 10s)) << program.ShownTexts();
    EXPECT_EQ(StopAnsweringTheBox(program), 0);
    if (*row.told) {
      EXPECT_TRUE(program.Shows(row.told + fifo)) << program.ShownTexts();
    }
    EXPECT_TRUE(IsFifo(fifo));
  }
}

// Open Project on a FIFO: the program does not wait on it, says the file was not read, and
// leaves it a FIFO.
TEST_F(StartupProject, OpeningAFifoAsTheProjectTellsTheOperatorAndLeavesIt) {
  const std::string fifo = Home + "pipe.pro";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  ProgramUnderTest program(Home);
  ASSERT_TRUE(program.Start());
  program.Click(MiscButtonX, MiscButtonY);
  ASSERT_TRUE(program.WaitForShown({"page: Misc Settings"}, 3s)) << program.ShownTexts();
  program.Click(OpenProjectX, ProjectButtonsY);
  ASSERT_TRUE(ChooseFile(program, fifo)) << "no file dialog";
  EXPECT_TRUE(program.WaitForShown({"project: not read: " + fifo}, 10s)) << program.ShownTexts();
  std::this_thread::sleep_for(300ms);
  program.SaveScreenshot(Artifact("fifo-project-message.png"));
  EXPECT_EQ(program.BoxText("Tips"), "pipe: " + LanguageFileText("English", "XIDS_ProjectNotRead") + "\n" + fifo);
  EXPECT_TRUE(program.PressReturnIn("Tips")) << "no message box";
  EXPECT_TRUE(program.WaitForShown({"busy: hidden"}, 5s)) << program.ShownTexts();
  EXPECT_EQ(StopAnsweringTheBox(program), 0);
  EXPECT_TRUE(IsFifo(fifo));
}

// The tests' own box helpers find only an open box of exactly the title asked for: with no box
// up (the main window's title included) they find none; with one up they read its text and
// answer it, and then find none again.
TEST_F(StartupProject, BoxHelpersFindOnlyAnOpenBoxOfThatExactTitle) {
  const std::string project = Home + "blocker/show.pro";
  std::ofstream(Home + "blocker") << "not a folder";
  WriteInfoIni(Home, project);
  ProgramUnderTest program(Home);
  ASSERT_TRUE(program.Start());
  const std::string mainTitle = RunCommand("xdotool getwindowname " + program.WindowId());
  ASSERT_FALSE(mainTitle.empty());
  for (const std::string& title : {std::string("Tips"), std::string("Tip"), std::string("ZedarEzuzovizu"),
                                   mainTitle.substr(0, mainTitle.find('\n'))}) {
    SCOPED_TRACE(title);
    EXPECT_EQ(program.OpenBox(title, 1s), "");
    EXPECT_EQ(program.BoxText(title, 1s), "");
    EXPECT_FALSE(program.PressReturnIn(title, 1s));
  }
  // A save that fails brings a box titled "Tips".
  program.PressKeys("ctrl+s");
  ASSERT_TRUE(program.WaitForShown({"project: save failed: " + project}, 10s)) << program.ShownTexts();
  ASSERT_FALSE(program.OpenBox("Tips").empty());
  EXPECT_EQ(program.OpenBox("Tip", 0s), "");
  EXPECT_EQ(program.OpenBox("Tips ", 0s), "");
  EXPECT_EQ(program.BoxText("Tip", 0s), "");
  const std::string told = program.BoxText("Tips");
  EXPECT_EQ(told.substr(0, told.find('\n')), "Failed: " + project) << told;
  EXPECT_TRUE(program.PressReturnIn("Tips"));
  EXPECT_EQ(program.OpenBox("Tips", 1s), "");
  EXPECT_FALSE(program.PressReturnIn("Tips", 1s));
  EXPECT_TRUE(program.WaitForShown({"busy: hidden"}, 5s)) << program.ShownTexts();
  EXPECT_EQ(StopAnsweringTheBox(program), 0);
}
