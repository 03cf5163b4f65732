// gcc 12 warns wrongly about "text" + std::string temporaries (its bug 105329).
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif
#include "window/ProgramUnderTest.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {
// The tests run in a network of their own, so that the search on the loopback broadcast finds
// only the simulated processors they start (other programs on this machine may run their own
// on 127.x.y.z). The test program starts itself again inside a new user and network namespace,
// with its loopback up; where namespaces are not allowed it runs as it is. Under CTest,
// tests/with-own-xvfb.sh has done so already, with the test's X server inside.
struct PrivateNetwork {
  PrivateNetwork() {
    if (std::getenv("VELKAN_PRIVATE_NETWORK")) return;
    setenv("VELKAN_PRIVATE_NETWORK", "1", 1);
    if (std::system("unshare -rn true 2>/dev/null") != 0) {
      std::fprintf(stderr, "window tests: no network namespace here (unshare refused): the search on the loopback "
                           "may find other programs' simulated processors; run one test program at a time\n");
      return;
    }
    std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
    std::vector<std::string> args;
    for (std::string arg; std::getline(cmdline, arg, '\0');) args.push_back(arg);
    if (args.empty()) return;
    std::vector<char*> argv = {const_cast<char*>("unshare"), const_cast<char*>("-rn"), const_cast<char*>("sh"),
                               const_cast<char*>("-c"),
                               const_cast<char*>("ip link set lo up 2>/dev/null; exec \"$0\" \"$@\"")};
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return;
    self[n] = '\0';
    argv.push_back(self);
    for (size_t i = 1; i < args.size(); ++i) argv.push_back(args[i].data());
    argv.push_back(nullptr);
    execvp("unshare", argv.data());
  }
} privateNetwork;
}  // namespace

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  return out;
}

ScreenRect WindowRect(const std::string& windowId) {
  std::istringstream geometry(RunCommand("xdotool getwindowgeometry --shell " + windowId));
  ScreenRect r;
  for (std::string line; std::getline(geometry, line);) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    const int value = std::atoi(line.c_str() + eq + 1);
    if (key == "X") r.X = value;
    else if (key == "Y") r.Y = value;
    else if (key == "WIDTH") r.Width = value;
    else if (key == "HEIGHT") r.Height = value;
  }
  return r;
}

std::array<int, 2> WindowOfSize(pid_t pid, int width, int height) {
  std::istringstream windows(RunCommand("xdotool search --onlyvisible --pid " + std::to_string(pid)));
  for (std::string id; windows >> id;)
    if (const ScreenRect r = WindowRect(id); r.Width == width && r.Height == height) return {r.X, r.Y};
  return {-1, -1};
}

ProgramUnderTest::ProgramUnderTest(std::string home, std::string shownFolder)
    : Home(std::move(home)), ShownFolder(shownFolder.empty() ? Home : std::move(shownFolder)) {}

ProgramUnderTest::~ProgramUnderTest() {
  if (Pid > 0) {
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
  }
}

bool ProgramUnderTest::Start() { return Spawn({}); }

bool ProgramUnderTest::StartAsOrdinaryUser() {
  if (geteuid() != 0) return Spawn({});
  // Mapped to an ordinary user id in a namespace of its own, the program keeps no capability
  // after its exec, so file permissions hold for it.
  const std::vector<std::string> prefix{"unshare", "--map-user=1000", "--map-group=1000", "--"};
  if (std::system("unshare --map-user=1000 --map-group=1000 -- true 2>/dev/null") != 0) return false;
  return Spawn(prefix);
}

bool ProgramUnderTest::Spawn(const std::vector<std::string>& prefix) {
  setenv("VELKAN_HOME", Home.c_str(), 1);
  setenv("VELKAN_SHOWN_TEXT", (ShownFolder + "shown.txt").c_str(), 1);
  std::vector<std::string> args = prefix;
  args.push_back(VELKAN_EXE);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  // unshare execs the program in its own place, so Pid stays the program's.
  if (posix_spawnp(&Pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return false;
  Window = RunCommand("timeout 30 xdotool search --sync --onlyvisible --pid " + std::to_string(Pid) +
                      " --name ZedarEzuzovizu | head -1");
  while (!Window.empty() && (Window.back() == '\n' || Window.back() == ' ')) Window.pop_back();
  if (Window.empty()) return false;
  const ScreenRect at = WindowRect(Window);
  X = at.X, Y = at.Y, Width = at.Width;
  // Let the first paint and the start-up project read settle, then take the window that stays:
  // the largest of the program's windows so named (--all: without it xdotool takes the windows
  // of the process or of that name, a box opened at start among them), the last on a tie.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  std::istringstream again(RunCommand("xdotool search --all --onlyvisible --pid " + std::to_string(Pid) +
                                      " --name ZedarEzuzovizu"));
  long largest = -1;
  for (std::string id; again >> id;)
    if (const ScreenRect r = WindowRect(id); r.Width >= 0 && long(r.Width) * r.Height >= largest)
      largest = long(r.Width) * r.Height, Window = id;
  return true;
}

int ProgramUnderTest::Stop() {
  if (Pid <= 0) return -1;
  kill(Pid, SIGTERM);
  return WaitForExit();
}

int ProgramUnderTest::WaitForExit() {
  if (Pid <= 0) return -1;
  for (int i = 0; i < 300; ++i) {
    int status = 0;
    if (waitpid(Pid, &status, WNOHANG) == Pid) {
      Pid = -1;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return -1;
}

// Other window tests may share the X server: the main window is raised before every click.
void ProgramUnderTest::Click(int x, int y) const {
  RunCommand("xdotool windowraise " + Window + " mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) + " click 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void ProgramUnderTest::ClickInPopup(int x, int y) const {
  RunCommand("xdotool mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) + " click 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void ProgramUnderTest::ClickToType(int x, int y) const {
  // The program's other windows lie over the main window: the one at the point takes the keys.
  const int atX = X + x, atY = Y + y;
  std::string window = Window;
  std::istringstream windows(RunCommand("xdotool search --onlyvisible --pid " + std::to_string(Pid)));
  for (std::string id; windows >> id;)
    if (const ScreenRect r = WindowRect(id);
        id != Window && atX >= r.X && atX < r.X + r.Width && atY >= r.Y && atY < r.Y + r.Height)
      window = id;
  RunCommand("xdotool windowfocus --sync " + window + " mousemove " + std::to_string(atX) + " " + std::to_string(atY) +
             " click 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void ProgramUnderTest::DoubleClick(int x, int y) const {
  RunCommand("xdotool windowraise " + Window + " mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) +
             " click --repeat 2 --delay 80 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

namespace {
// The program's visible top-level windows, with their titles: {id, title}.
std::vector<std::pair<std::string, std::string>> TitledWindows(pid_t pid) {
  std::istringstream lines(RunCommand("for w in $(xdotool search --all --onlyvisible --pid " + std::to_string(pid) +
                                      " 2>/dev/null); do printf '%s\\t' \"$w\"; xdotool getwindowname \"$w\" 2>/dev/null "
                                      "|| echo; done"));
  std::vector<std::pair<std::string, std::string>> windows;
  for (std::string line; std::getline(lines, line);)
    if (const size_t tab = line.find('\t'); tab != std::string::npos && tab > 0)
      windows.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  return windows;
}
}  // namespace

std::string ProgramUnderTest::OpenBox(const std::string& title, std::chrono::milliseconds limit) const {
  if (Pid <= 0) return {};
  std::string box;
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    for (const auto& [id, name] : TitledWindows(Pid))
      if (id != Window && name == title) box = id;
    if (!box.empty() || std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (true);
  return box;
}

// The box's text is what the program records for a test while a message box is up ("message
// box: " lines); it is recorded before the box shows and withdrawn after it has closed.
std::string ProgramUnderTest::BoxText(const std::string& title, std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  do {
    if (!OpenBox(title, std::chrono::milliseconds(0)).empty()) {
      std::istringstream shown(ShownTexts());
      std::string text;
      bool any = false;
      for (std::string line; std::getline(shown, line);)
        if (line.rfind("message box: ", 0) == 0) text += (any ? "\n" : "") + line.substr(13), any = true;
      if (any) return text;
    }
    if (std::chrono::steady_clock::now() >= end) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  } while (true);
  return {};
}

namespace {
// The window a window belongs to (its WM_TRANSIENT_FOR), as a decimal id; empty without one.
std::string OwnerOf(const std::string& window) {
  const std::string transient = RunCommand("xprop -id " + window + " WM_TRANSIENT_FOR 2>/dev/null");
  const size_t hash = transient.find("# 0x");
  return hash == std::string::npos ? std::string() : std::to_string(std::stoul(transient.substr(hash + 2), nullptr, 16));
}
}  // namespace

void ProgramUnderTest::RaiseWithOwners(const std::string& window) const {
  std::vector<std::string> chain{window};
  for (std::string owner = OwnerOf(window); !owner.empty() && chain.size() < 8; owner = OwnerOf(owner))
    chain.push_back(owner);
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) RunCommand("xdotool windowraise " + *it);
}

bool ProgramUnderTest::PressReturnIn(const std::string& title, std::chrono::milliseconds limit) const {
  const std::string box = OpenBox(title, limit);
  if (box.empty()) return false;
  const auto visible = [&](const std::string& id) {
    for (const auto& window : TitledWindows(Pid))
      if (window.first == id) return true;
    return false;
  };
  // A key that a loaded machine lost is pressed again while that same box is still up.
  for (int attempt = 0; attempt < 3; ++attempt) {
    RunCommand("xdotool windowraise " + box + " windowfocus --sync " + box + " key --window " + box + " Return");
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (std::chrono::steady_clock::now() < end) {
      if (!visible(box)) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  }
  return false;
}

void ProgramUnderTest::PressKeys(const std::string& keys, int delayMs) const {
  RunCommand("xdotool windowraise " + Window + " windowfocus --sync " + Window + " key --delay " +
             std::to_string(delayMs) + " " + keys);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void ProgramUnderTest::PressChordAtPersonsPace(const std::string& chord, int stepMs) const {
  std::vector<std::string> keys;
  std::istringstream parts(chord);
  for (std::string key; std::getline(parts, key, '+');) keys.push_back(key);
  const std::string pause = " sleep " + std::to_string(stepMs / 1000.0) + " ";
  std::string steps;
  for (const std::string& key : keys) steps += "keydown " + key + pause;
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) steps += "keyup " + *key + pause;
  RunCommand("xdotool " + steps);
}

bool ProgramUnderTest::SaveScreenshot(const std::string& path) const {
  return std::system(("import -window root '" + path + "' 2>/dev/null").c_str()) == 0;
}

bool ProgramUnderTest::ConnectBySearch(const std::string& searchTitle) const {
    using namespace std::chrono_literals;
    constexpr int CommX = 37, CommY = 104 + 36 * 10 + 18; // the COMM page button
    constexpr int SearchPageX = 233, SearchPageY = 220;   // its "Search Machines" button
    constexpr int SearchX = 772, SearchY = 159;           // SEARCH on the search page
    Click(CommX, CommY);
    Click(SearchPageX, SearchPageY);
    if (!WaitForShown({"floating: " + searchTitle}, 5s)) return false;
    Click(SearchX, SearchY);
    if (!WaitForShown({"connection: connected", "busy: hidden"}, 20s)) return false;
    Click(SearchPageX, SearchPageY);
    // A click that came while the busy box still held the window is clicked again.
    if (!WaitForShown({"floating: none"}, 3s)) Click(SearchPageX, SearchPageY);
    return WaitForShown({"floating: none"}, 5s);
}

std::string ProgramUnderTest::ShownTexts() const {
  std::ifstream in(ShownFolder + "shown.txt");
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

bool ProgramUnderTest::Shows(const std::string& line) const {
  const std::string text = "\n" + ShownTexts();
  return text.find("\n" + line + "\n") != std::string::npos;
}

namespace {
int BusyBoxCount(const std::string& shown, const std::string& what) {
  const std::string key = "\nbusy boxes: " + what + " ";
  const size_t at = ("\n" + shown).find(key);
  return at == std::string::npos ? 0 : std::atoi(shown.c_str() + at - 1 + key.size());
}
}  // namespace

int ProgramUnderTest::BusyBoxesShown() const { return BusyBoxCount(ShownTexts(), "shown"); }
int ProgramUnderTest::BusyBoxesClosed() const { return BusyBoxCount(ShownTexts(), "closed"); }

bool ProgramUnderTest::WaitForBusyBoxGone(int closedBefore, std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (BusyBoxesClosed() > closedBefore && !BusyBoxUp()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

bool ProgramUnderTest::WaitForShown(std::initializer_list<std::string> lines, std::chrono::milliseconds limit) const {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    bool all = true;
    for (const auto& line : lines) all = all && Shows(line);
    if (all) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

std::array<int, 3> PixelAt(const std::string& shot, int x, int y) {
  const std::string out = RunCommand("convert '" + shot + "' -format '%[fx:int(255*p{" + std::to_string(x) + "," +
                                     std::to_string(y) + "}.r)] %[fx:int(255*p{" + std::to_string(x) + "," +
                                     std::to_string(y) + "}.g)] %[fx:int(255*p{" + std::to_string(x) + "," +
                                     std::to_string(y) + "}.b)]' info:-");
  std::array<int, 3> rgb{-1, -1, -1};
  std::istringstream(out) >> rgb[0] >> rgb[1] >> rgb[2];
  return rgb;
}

std::vector<std::array<int, 3>> PixelsIn(const std::string& shot, int x, int y, int width, int height) {
  // ImageMagick's text listing: one "x,y: (...)  #RRGGBB ..." line per pixel, row by row.
  std::istringstream lines(RunCommand("convert '" + shot + "' -crop " + std::to_string(width) + "x" +
                                      std::to_string(height) + "+" + std::to_string(x) + "+" +
                                      std::to_string(y) + " +repage -depth 8 txt:- 2>/dev/null"));
  std::vector<std::array<int, 3>> pixels;
  for (std::string line; std::getline(lines, line);) {
    const size_t hash = line.find('#');
    if (line.empty() || line[0] == '#' || hash == std::string::npos || hash + 7 > line.size()) continue;
    const unsigned long rgb = std::stoul(line.substr(hash + 1, 6), nullptr, 16);
    pixels.push_back(
        {static_cast<int>(rgb >> 16), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF)});
  }
  if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) pixels.clear();
  return pixels;
}
