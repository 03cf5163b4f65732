#include "platform/comm/ComPortPath.h"
#include "support/DevsimProcess.h"

#include <filesystem>
#include <gtest/gtest.h>

using velklink::ComPortDevicePath;

TEST(ComPortPath, ALinkInPortsNamesTheDevice) {
    testsupport::ScratchFolder home;
    std::filesystem::create_directories(home.Path() + "Ports");
    std::filesystem::create_symlink("/dev/null", home.Path() + "Ports/COM12");
    EXPECT_EQ(ComPortDevicePath(12, home.Path()), home.Path() + "Ports/COM12");
}

TEST(ComPortPath, ABrokenLinkInPortsNamesNothing) {
    testsupport::ScratchFolder home;
    std::filesystem::create_directories(home.Path() + "Ports");
    std::filesystem::create_symlink(home.Path() + "gone", home.Path() + "Ports/COM1");
    EXPECT_EQ(ComPortDevicePath(1, home.Path()), "");
}

TEST(ComPortPath, SystemPortsByNumber) {
    testsupport::ScratchFolder home;
    const struct { int number; const char* path; } rows[] = {
        {1, "/dev/ttyS0"}, {4, "/dev/ttyS3"}, {33, "/dev/ttyUSB0"}, {34, "/dev/ttyUSB1"}, {65, "/dev/ttyACM0"}};
    for (const auto& row : rows) {
        const std::string expected = std::filesystem::exists(row.path) ? row.path : "";
        EXPECT_EQ(ComPortDevicePath(row.number, home.Path()), expected) << row.number;
    }
}

TEST(ComPortPath, NumbersOutsideOneToNinetyNineNameNothing) {
    testsupport::ScratchFolder home;
    std::filesystem::create_directories(home.Path() + "Ports");
    std::filesystem::create_symlink("/dev/null", home.Path() + "Ports/COM0"); // even when named
    EXPECT_EQ(ComPortDevicePath(0, home.Path()), "");
    EXPECT_EQ(ComPortDevicePath(-3, home.Path()), "");
    EXPECT_EQ(ComPortDevicePath(100, home.Path()), "");
}
