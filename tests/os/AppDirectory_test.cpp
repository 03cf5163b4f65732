#include "platform/os/AppDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

TEST(AppDirectory, HonoursVelkanHomeAndEndsInSlash) {
    setenv("VELKAN_HOME", "/tmp/velkan-home-test", 1);
    EXPECT_EQ(GetAppDirectory(), "/tmp/velkan-home-test/");
    setenv("VELKAN_HOME", "/tmp/velkan-home-test/", 1);
    EXPECT_EQ(GetAppDirectory(), "/tmp/velkan-home-test/");
    unsetenv("VELKAN_HOME");
    const auto folder = GetAppDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    // Without VELKAN_HOME it is the folder of this very test program.
    EXPECT_TRUE(std::filesystem::exists(folder + "os_tests"));
}

TEST(AppDirectory, PerUserFolderFollowsXdgDataHome) {
    setenv("XDG_DATA_HOME", "/tmp/velkan-xdg", 1);
    EXPECT_EQ(GetPerUserDirectory(), "/tmp/velkan-xdg/velkan/");
    setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored, as the XDG rules say
    setenv("HOME", "/tmp/velkan-user", 1);
    EXPECT_EQ(GetPerUserDirectory(), "/tmp/velkan-user/.local/share/velkan/");
    unsetenv("XDG_DATA_HOME");
}

TEST(AppDirectory, AFolderWithoutLanguageFilesGetsTheInstalledOnes) {
    const std::string installed = GetInstallDirectory() + "Language/";
    ASSERT_TRUE(std::filesystem::exists(installed + "Chinese.ini")) << "built beside the test program";
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "velkan-seed-test";
    std::filesystem::remove_all(home);
    std::filesystem::create_directories(home);
    setenv("VELKAN_HOME", home.c_str(), 1);
    const SettingsDirectoryReport report = PrepareSettingsDirectory();
    EXPECT_FALSE(report.PerUser);
    EXPECT_EQ(report.Folder, home.string() + "/");
    EXPECT_EQ(std::filesystem::file_size(home / "Language/Chinese.ini"),
              std::filesystem::file_size(installed + "Chinese.ini"));
    EXPECT_TRUE(std::filesystem::exists(home / "Language/English.ini"));
    unsetenv("VELKAN_HOME");
    std::filesystem::remove_all(home);
}
