// Start-up time: from the program's start to its main window drawn for the first time (the
// window records what it draws), median of ten runs with a fresh program folder each. Then the
// resident memory of the program after a serial connect has read the whole state.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"  // gcc 12's false alarm on "text" + std::string
#endif
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;
using namespace std::chrono;

namespace {
double StartupMilliseconds(const std::string& home) {
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  const std::string shown = home + "shown.txt";
  setenv("VELKAN_HOME", home.c_str(), 1);
  setenv("VELKAN_SHOWN_TEXT", shown.c_str(), 1);
  char* argv[] = {const_cast<char*>(VELKAN_EXE), nullptr};
  const auto start = steady_clock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, VELKAN_EXE, nullptr, nullptr, argv, environ) != 0) return -1;
  double ms = -1;
  while (steady_clock::now() - start < seconds(30)) {
    if (std::filesystem::exists(shown)) {
      ms = duration<double, std::milli>(steady_clock::now() - start).count();
      break;
    }
    std::this_thread::sleep_for(microseconds(500));
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  return ms;
}

long ResidentKilobytes(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

pid_t ProgramPid() {
  const std::string out = RunCommand("pgrep -n -f '^" + std::string(VELKAN_EXE) + "$'");
  return static_cast<pid_t>(std::atol(out.c_str()));
}
}  // namespace

int main() {
  if (!std::getenv("DISPLAY")) {
    std::fprintf(stderr, "needs an X display (run under xvfb-run)\n");
    return 2;
  }
  const std::string base = std::filesystem::temp_directory_path() / ("velkan-bench-" + std::to_string(getpid()));
  std::vector<double> times;
  for (int run = 0; run < 10; ++run) times.push_back(StartupMilliseconds(base + "/run/"));
  std::sort(times.begin(), times.end());
  std::printf("start-up to a drawn main window: median %.0f ms (min %.0f, max %.0f, 10 runs)\n",
              (times[4] + times[5]) / 2, times.front(), times.back());

  // Connected: serial link to the simulated processor on a pseudo-terminal pair.
  const std::string home = base + "/connected/";
  std::filesystem::create_directories(home + "Ports");
  std::ofstream(home + "Info.ini") << "[COM]\r\nport=7\r\ntimeout=1\r\n";
  const std::string device = home + "device7";
  const pid_t socat = fork();
  if (socat == 0) {
    execlp("socat", "socat", ("pty,raw,echo=0,link=" + home + "Ports/COM7").c_str(),
           ("pty,raw,echo=0,link=" + device).c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  for (int i = 0; i < 100 && !std::filesystem::exists(device); ++i) std::this_thread::sleep_for(milliseconds(50));
  testsupport::DevsimProcess devsim;
  const bool simulated = devsim.Start({"--serial", device, "--serial-id", "9"});
  ProgramUnderTest program(home);
  if (simulated && program.Start()) {
    const long idle = ResidentKilobytes(ProgramPid());
    program.Click(37, 482);
    program.Click(340, 315);
    if (program.WaitForShown({"connection: connected", "busy: hidden", "output: OUTPUT:DVI-1 1920x1080 60.00Hz"})) {
      std::this_thread::sleep_for(seconds(1));
      std::printf("resident memory: %.1f MB idle, %.1f MB after connecting and reading the state\n", idle / 1024.0,
                  ResidentKilobytes(ProgramPid()) / 1024.0);
    } else {
      std::printf("the serial connect did not complete\n");
    }
    program.Stop();
  }
  kill(socat, SIGTERM);
  waitpid(socat, nullptr, 0);
  std::filesystem::remove_all(base);
  return 0;
}
