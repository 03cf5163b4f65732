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

std::string RunCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe)) out += buffer;
    pclose(pipe);
  }
  return out;
}

ProgramUnderTest::ProgramUnderTest(std::string home) : Home(std::move(home)) {}

ProgramUnderTest::~ProgramUnderTest() {
  if (Pid > 0) {
    kill(Pid, SIGKILL);
    waitpid(Pid, nullptr, 0);
  }
}

bool ProgramUnderTest::Start() {
  setenv("VELKAN_HOME", Home.c_str(), 1);
  setenv("VELKAN_SHOWN_TEXT", (Home + "shown.txt").c_str(), 1);
  char* argv[] = {const_cast<char*>(VELKAN_EXE), nullptr};
  if (posix_spawn(&Pid, VELKAN_EXE, nullptr, nullptr, argv, environ) != 0) return false;
  Window = RunCommand("timeout 30 xdotool search --sync --onlyvisible --pid " + std::to_string(Pid) +
                      " --name ZedarEzuzovizu | head -1");
  while (!Window.empty() && (Window.back() == '\n' || Window.back() == ' ')) Window.pop_back();
  if (Window.empty()) return false;
  std::istringstream geometry(RunCommand("xdotool getwindowgeometry --shell " + Window));
  std::string line;
  while (std::getline(geometry, line)) {
    if (line.rfind("X=", 0) == 0) X = std::atoi(line.c_str() + 2);
    if (line.rfind("Y=", 0) == 0) Y = std::atoi(line.c_str() + 2);
    if (line.rfind("WIDTH=", 0) == 0) Width = std::atoi(line.c_str() + 6);
  }
  // Let the first paint and the start-up project read settle.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  return true;
}

int ProgramUnderTest::Stop() {
  if (Pid <= 0) return -1;
  kill(Pid, SIGTERM);
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

void ProgramUnderTest::Click(int x, int y) const {
  RunCommand("xdotool mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) + " click 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

void ProgramUnderTest::DoubleClick(int x, int y) const {
  RunCommand("xdotool mousemove " + std::to_string(X + x) + " " + std::to_string(Y + y) +
             " click --repeat 2 --delay 80 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
}

bool ProgramUnderTest::PressReturnIn(const std::string& name) const {
  std::string box = RunCommand("timeout 10 xdotool search --sync --onlyvisible --pid " + std::to_string(Pid) +
                               " --name '" + name + "' | head -1");
  while (!box.empty() && (box.back() == '\n' || box.back() == ' ')) box.pop_back();
  if (box.empty()) return false;
  RunCommand("xdotool windowfocus --sync " + box + " key Return");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return true;
}

bool ProgramUnderTest::SaveScreenshot(const std::string& path) const {
  return std::system(("import -window root '" + path + "' 2>/dev/null").c_str()) == 0;
}

std::string ProgramUnderTest::ShownTexts() const {
  std::ifstream in(Home + "shown.txt");
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

bool ProgramUnderTest::Shows(const std::string& line) const {
  const std::string text = "\n" + ShownTexts();
  return text.find("\n" + line + "\n") != std::string::npos;
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
