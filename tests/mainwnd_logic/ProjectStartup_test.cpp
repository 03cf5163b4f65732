#include "mainwnd/ProjectStartup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {
class ProjectStartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = fs::temp_directory_path() / ("velkan_project_" + std::to_string(::getpid()) + "_" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(Folder);
    fs::create_directories(Folder);
  }
  void TearDown() override { fs::remove_all(Folder); }
  std::string Prog() const { return Folder.string() + "/"; }
  fs::path Folder;
};

std::time_t Noon(int y, int m, int d) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = m - 1;
  t.tm_mday = d;
  t.tm_hour = 12;
  t.tm_isdst = -1;
  return std::mktime(&t);
}
}  // namespace

TEST_F(ProjectStartupTest, DateNameAndDefaultPath) {
  EXPECT_EQ(FormatDateName(Noon(2026, 3, 7)), "2026-03-07");
  EXPECT_EQ(DefaultProjectPath("/p/", Noon(2026, 12, 6)), "/p/Project/2026-12-06/2026-12-06.pro");
}

TEST_F(ProjectStartupTest, EmptyPathMakesTheDatedFileWithOnlyTheByteOrderMark) {
  std::string path;
  EnsureProjectFile(path, Prog(), Noon(2026, 12, 6));
  EXPECT_EQ(path, Prog() + "Project/2026-12-06/2026-12-06.pro");
  ASSERT_TRUE(fs::exists(path));
  EXPECT_EQ(fs::file_size(path), 2u);
  std::ifstream in(path, std::ios::binary);
  EXPECT_EQ(in.get(), 0xFF);
  EXPECT_EQ(in.get(), 0xFE);
  // Such a file holds nothing that could change the state.
  EXPECT_FALSE(ProjectFileHasContent(path));
}

TEST_F(ProjectStartupTest, ExistingFileIsLeftAlone) {
  const std::string path = Prog() + "mine.pro";
  { std::ofstream(path) << "[Output]\nHActive=1920\n"; }
  std::string p = path;
  EnsureProjectFile(p, Prog(), Noon(2026, 12, 6));
  EXPECT_EQ(p, path);
  EXPECT_GT(fs::file_size(path), 2u);
  EXPECT_TRUE(ProjectFileHasContent(path));
}

TEST_F(ProjectStartupTest, MissingEmptyAndBlankFilesHaveNoContent) {
  EXPECT_FALSE(ProjectFileHasContent(Prog() + "none.pro"));
  { std::ofstream(Prog() + "empty.pro"); }
  EXPECT_FALSE(ProjectFileHasContent(Prog() + "empty.pro"));
  { std::ofstream(Prog() + "blank.pro", std::ios::binary) << "\xEF\xBB\xBF \r\n"; }
  EXPECT_FALSE(ProjectFileHasContent(Prog() + "blank.pro"));
  { std::ofstream(Prog() + "utf16.pro", std::ios::binary) << std::string("\xFF\xFE[\0", 4); }
  EXPECT_TRUE(ProjectFileHasContent(Prog() + "utf16.pro"));
}
