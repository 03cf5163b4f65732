#pragma once
// What the program-driving window tests share: where screenshots go, waiting for a condition,
// and a serial line made of a pseudo-terminal pair whose one end is linked as Ports/COM<n> in
// the program folder.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#ifdef VELKAN_ARTIFACTS
// Where a test keeps what it shows a reader (screenshots, records): the build's artifacts folder.
inline std::string Artifact(const std::string& name) {
  std::filesystem::create_directories(VELKAN_ARTIFACTS);
  return std::string(VELKAN_ARTIFACTS) + "/" + name;
}

// The whole screen, named after the running test, when it has failed: what a reader of the run
// needs to see why.
inline void SaveScreenIfFailed() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!test || !::testing::Test::HasFailure()) return;
  std::string name = std::string(test->test_suite_name()) + "." + test->name();
  for (char& c : name)
    if (c == '/') c = '_';
  std::system(("import -window root '" + Artifact(name + "_failure.png") + "' 2>/dev/null").c_str());
}
#endif

#ifdef VELKAN_LANGUAGE_DIR
// A text of the source tree's language file ("English", "XIDS_..."); empty when the key is missing.
inline std::string LanguageFileText(const std::string& language, const std::string& key) {
  std::ifstream in(std::string(VELKAN_LANGUAGE_DIR) + "/" + language + ".ini");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1, line.find_last_not_of('\r') - key.size());
  return {};
}
#endif

template <typename Predicate>
bool WaitUntil(Predicate done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return done();
}

// Takes the screenshot again and again until check (the shot's path) passes on it or the limit
// runs out: a window's look may settle a paint after what it shows was recorded.
template <typename Program, typename Check>
testing::AssertionResult ScreenshotPasses(const Program& program, const std::string& shot, Check check,
                                          std::chrono::milliseconds limit = std::chrono::seconds(5)) {
  testing::AssertionResult result = testing::AssertionFailure();
  WaitUntil([&] { return program.SaveScreenshot(shot) && (result = check(shot)); }, limit);
  return result;
}

// Makes folder unwritable for the program: a read-only bind mount in a mount namespace of this
// test's own (the window tests already run as root of a user namespace), else, for a user who
// is not root, a folder without write permission. Returns why it could not.
inline std::string MakeUnwritable(const std::string& folder) {
  if (unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
      mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) == 0 &&
      mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0)
    return {};
  if (geteuid() != 0 && chmod(folder.c_str(), 0555) == 0) return {};
  return "neither a read-only bind mount nor a folder without write permission is possible here";
}

class PtyPair {
 public:
  PtyPair(const std::string& home, int com, const std::string& devicePath) {
    std::filesystem::create_directories(home + "Ports");
    const std::string command = "exec socat pty,raw,echo=0,link=" + home + "Ports/COM" + std::to_string(com) +
                                " pty,raw,echo=0,link=" + devicePath;
    Pid = fork();
    if (Pid == 0) {
      execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    Ready = WaitUntil([&] { return std::filesystem::exists(devicePath) &&
                                   std::filesystem::exists(home + "Ports/COM" + std::to_string(com)); },
                      std::chrono::seconds(5));
  }
  ~PtyPair() {
    if (Pid > 0) {
      kill(Pid, SIGTERM);
      waitpid(Pid, nullptr, 0);
    }
  }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;
  bool Ready = false;

 private:
  pid_t Pid = -1;
};
