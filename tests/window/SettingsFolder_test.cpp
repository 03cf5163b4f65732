// An install whose program folder cannot be written: settings, language files and projects go
// to the per-user folder, and stay there from one run to the next.
#include "support/DevsimProcess.h"
#include "window/ProgramUnderTest.h"
#include "window/WindowTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sched.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::ScratchFolder;

namespace {
std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string ProjectPathIn(const std::string& infoIni) {
  const std::string settings = ReadAll(infoIni);
  const size_t at = settings.find("FilePath=");
  if (at == std::string::npos) return {};
  return settings.substr(at + 9, settings.find_first_of("\r\n", at) - at - 9);
}
}  // namespace

TEST(UnwritableProgramFolder, SettingsAndProjectAreKeptInThePerUserFolder) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
  ScratchFolder scratch;
  const std::string program = scratch.Path() + "program/", shown = scratch.Path() + "shown/";
  const std::string perUser = scratch.Path() + "data/velkan/";
  fs::create_directories(program);
  fs::create_directories(shown);
  if (const std::string why = MakeUnwritable(program); !why.empty()) GTEST_SKIP() << why;
  ASSERT_NE(access(program.c_str(), W_OK), 0);
  setenv("XDG_DATA_HOME", (scratch.Path() + "data").c_str(), 1);

  {  // First run: the per-user folder is made, with the shipped language files, and the operator is told.
    ProgramUnderTest first(program, shown);
    ASSERT_TRUE(first.Start());
    EXPECT_EQ(first.BoxText("Tips"), LanguageFileText("English", "XIDS_ProgramFolderNotWritable") + " " + program +
                                          "\n" + LanguageFileText("English", "XIDS_SettingsKeptIn") + " " + perUser)
        << "no message says where settings are kept";
    EXPECT_TRUE(first.PressReturnIn("Tips"));
    EXPECT_EQ(first.Stop(), 0);
  }
  EXPECT_TRUE(fs::exists(perUser + "Language/English.ini"));
  EXPECT_TRUE(fs::exists(perUser + "Language/Chinese.ini"));
  const std::string project = ProjectPathIn(perUser + "Info.ini");
  ASSERT_EQ(project.rfind(perUser + "Project/", 0), 0u) << project;
  ASSERT_TRUE(fs::exists(project));
  EXPECT_GT(fs::file_size(project), 1000u);

  // The operator's project moves to a folder of its own; the next run must read that setting.
  const std::string kept = perUser + "Project/kept/kept.pro";
  fs::create_directories(perUser + "Project/kept");
  fs::copy_file(project, kept);
  std::string settings = ReadAll(perUser + "Info.ini");
  settings.replace(settings.find(project), project.size(), kept);
  std::ofstream(perUser + "Info.ini", std::ios::binary) << settings;
  fs::remove(kept);  // closing the second run writes it anew

  {  // Second run: nothing more to tell; the settings and the project are where they were left.
    ProgramUnderTest second(program, shown);
    ASSERT_TRUE(second.Start());
    EXPECT_EQ(second.Stop(), 0);
  }
  EXPECT_EQ(ProjectPathIn(perUser + "Info.ini"), kept);
  ASSERT_TRUE(fs::exists(kept));
  EXPECT_GT(fs::file_size(kept), 1000u);
  EXPECT_TRUE(fs::is_empty(program)) << "nothing is written into the program folder";
  umount2(program.c_str(), MNT_DETACH);
  chmod(program.c_str(), 0755);
}
