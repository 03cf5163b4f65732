#include "platform/os/AppDirectory.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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
