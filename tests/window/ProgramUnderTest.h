#pragma once
// The program started for a window test: its own program folder, its screen texts read from
// the file it keeps for tests, and xdotool clicks at client positions of the main window.
#include <array>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

class ProgramUnderTest {
 public:
  // home: the program folder (VELKAN_HOME); the shown-text file goes to shownFolder (default: home).
  explicit ProgramUnderTest(std::string home, std::string shownFolder = {});
  ~ProgramUnderTest();

  bool Start();
  // Starts the program as a user without root's rights over files (root may write anything), in
  // a user namespace of its own when the tests run as root. False when that is not possible.
  bool StartAsOrdinaryUser();
  // SIGTERM, then the exit status (-1 when it did not end in time).
  int Stop();
  // The exit status once the program has ended by itself (-1 when it did not end in time).
  int WaitForExit();

  // Client position (x, y) of the main window.
  void Click(int x, int y) const;
  void DoubleClick(int x, int y) const;
  // A click at a client position without raising the main window first (a raise would close
  // an open drop-down list).
  void ClickInPopup(int x, int y) const;
  // A click at a client position that gives the keyboard to the window there as well, as a window
  // manager does on a click (without one, a pop-up page clicked may leave the keys to the main window).
  void ClickToType(int x, int y) const;
  // The X window id of the program's open box (a visible top-level window other than the main
  // window) whose title is exactly title, waiting up to limit for it; empty when none opens.
  std::string OpenBox(const std::string& title, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  // The text of the program's open message box titled exactly title, its lines joined by '\n',
  // waiting up to limit for such a box; empty when none opens (or the box shows no recorded text).
  std::string BoxText(const std::string& title, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  // Presses Return in the program's open box titled exactly title (waiting up to limit for one)
  // and waits for that box to close: false when no such box opened or it stayed open.
  bool PressReturnIn(const std::string& title, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
  // Raises a window of the program over the windows it belongs to, those first (its
  // WM_TRANSIENT_FOR chain), as a window manager keeps each pop-up over its owner.
  void RaiseWithOwners(const std::string& window) const;
  // Focuses the main window and types keys as xdotool names them ("ctrl+2"), delayMs apart.
  void PressKeys(const std::string& keys, int delayMs = 80) const;
  // Presses a chord as a person does, where the focus is, each key event a step of its own, stepMs
  // apart: "s+3" holds S, presses 3, releases 3, then releases S.
  void PressChordAtPersonsPace(const std::string& chord, int stepMs = 100) const;
  bool SaveScreenshot(const std::string& path) const;
  // COMM, "Search Machines", SEARCH on the loopback adapter: the one machine that answers becomes
  // the controlled one and its state is read; the search page (titled in the operator's
  // language) closes again and the connection page stays open.
  bool ConnectBySearch(const std::string& searchTitle = "Search Machines") const;
  int WindowWidth() const { return Width; }
  // The main window's X window id, for xdotool.
  const std::string& WindowId() const { return Window; }
  pid_t ProcessId() const { return Pid; }
  // Screen position of the main window's client origin.
  int ScreenX() const { return X; }
  int ScreenY() const { return Y; }

  // What the main window shows, as "area: text" lines.
  std::string ShownTexts() const;
  // Waits until every one of the lines is shown.
  bool WaitForShown(std::initializer_list<std::string> lines,
                    std::chrono::milliseconds limit = std::chrono::seconds(15)) const;
  bool Shows(const std::string& line) const;
  // How many times the program's busy box has come up, and gone, since the program started (the
  // "busy:" lines are a history: an old "busy: hidden" says nothing of the box now).
  int BusyBoxesShown() const;
  int BusyBoxesClosed() const;
  // The busy box is up now.
  bool BusyBoxUp() const { return BusyBoxesShown() > BusyBoxesClosed(); }
  // Waits until a busy box that came after a step has gone, and none is up: closedBefore is
  // BusyBoxesClosed() taken before the step.
  bool WaitForBusyBoxGone(int closedBefore, std::chrono::milliseconds limit = std::chrono::seconds(15)) const;

 private:
  std::string Home;
  std::string ShownFolder;
  bool Spawn(const std::vector<std::string>& prefix);
  pid_t Pid = -1;
  std::string Window;
  int X = 0, Y = 0, Width = 0;
};

// Runs a shell command and returns its standard output.
std::string RunCommand(const std::string& command);

// A window's place and size on the screen, as xdotool reads them; -1s when it cannot.
struct ScreenRect {
  int X = -1, Y = -1, Width = -1, Height = -1;
};
ScreenRect WindowRect(const std::string& windowId);

// The screen position {x, y} of the program's visible window of this size; {-1, -1} without one.
std::array<int, 2> WindowOfSize(pid_t pid, int width, int height);

// The colour of a pixel of a screenshot file, as ImageMagick reads it: {r, g, b}, or -1s.
std::array<int, 3> PixelAt(const std::string& shot, int x, int y);
// The colours of an area of a screenshot file, row by row (empty when it cannot be read).
std::vector<std::array<int, 3>> PixelsIn(const std::string& shot, int x, int y, int width, int height);
// Whether two colours differ by at most tolerance, summed over the three channels.
inline bool ColourNear(const std::array<int, 3>& a, const std::array<int, 3>& b, int tolerance) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) <= tolerance;
}
