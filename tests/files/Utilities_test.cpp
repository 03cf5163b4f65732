#include "FileTestSupport.h"

#include "app/InfoIni.h"
#include "app/Utilities.h"
#include "platform/os/LocalAdapters.h"
#include "platform/os/SerialPorts.h"

#include <gtest/gtest.h>

#include <algorithm>

using Parts = std::vector<std::string>;

TEST(Paths, ProgramFolderEndsInSlash) {
    const std::string folder = GetAppDirectory();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
}

TEST(Paths, FileTitleIsTheNameBetweenTheLastSlashAndItsFirstDot) {
    struct Row {
        const char* Path;
        const char* Title;
    } rows[] = {{"/home/op/Project/show/show.pro", "show"},
                {"/home/op/.local/share/velkan/Project/2026-12-07/2026-12-07.pro", "2026-12-07"},
                {"/shows/v1.2/final.cut.pro", "final"},
                {"/shows/v1.2/final", "/shows/v1.2/final"},
                {"/shows/.pro", ""},
                {"show.pro", "show"},
                {"show", "show"},
                {"", ""}};
    for (const Row& row : rows) EXPECT_EQ(GetFileTitlePart(row.Path), row.Title) << row.Path;
}

TEST(Text, SplitKeyValueAtTheFirstEquals) {
    std::string key = "x", value = "y";
    SplitKeyValue("A=B=C", key, value);
    EXPECT_EQ(key, "A");
    EXPECT_EQ(value, "B=C");
    SplitKeyValue("A=", key, value);
    EXPECT_EQ(key, "A");
    EXPECT_EQ(value, "");
    SplitKeyValue("no equals", key, value);
    EXPECT_EQ(key, "");
    EXPECT_EQ(value, "");
}

TEST(Text, SectionNameOfASectionLine) {
    EXPECT_EQ(ParseSectionName("[OUTPUTRESO]"), "OUTPUTRESO");
    EXPECT_EQ(CurrentSection, "OUTPUTRESO");
    EXPECT_EQ(ParseSectionName("[A] trailing"), "A");
    EXPECT_EQ(ParseSectionName("[open"), "");
    EXPECT_EQ(ParseSectionName("]x["), "");
    EXPECT_EQ(ParseSectionName("plain"), "");
    EXPECT_EQ(CurrentSection, "");
}

TEST(Addresses, OnlyADottedQuadIsAnAddressAndGivesItsLastOctet) {
    struct Row {
        const char* Text;
        bool Valid;
        int LastOctet;
    } rows[] = {{"192.168.1.100", true, 100}, {"127.0.0.21", true, 21}, {"192.168.1.255", true, 255},
                {"0.0.0.0", true, 0},         {"", false, 0},           {"abc.def.ghi.jkl", false, 0},
                {"1.2.3", false, 0},          {"1.2.3.4.5", false, 0},  {"192.168..4", false, 0},
                {"10.0.0.300", false, 0},     {"1.2.3.256", false, 0},  {"1.2.3.1000", false, 0},
                {"01.2.3.4", false, 0},       {"1.2.3.-4", false, 0},   {" 1.2.3.4", false, 0},
                {"1.2.3.4 ", false, 0},       {"1.2.3.4.", false, 0},   {".1.2.3", false, 0},
                {"1.2.3.4/8", false, 0},      {"1.2.3.12a", false, 0},  {"\xef\xbc\x91.2.3.4", false, 0}};
    for (const Row& row : rows) {
        EXPECT_EQ(IsValidIPv4(row.Text), row.Valid) << row.Text;
        EXPECT_EQ(GetIPv4LastOctet(row.Text), row.LastOctet) << row.Text;
    }
}

TEST(SerialPorts, SystemDevicesMapToComNumbers) {
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyS0"), 1);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyS31"), 32);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyS32"), 0);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyUSB0"), 33);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyUSB31"), 64);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyACM0"), 65);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyACM31"), 96);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyACM32"), 0);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyS01"), 0);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyAMA0"), 0);
    EXPECT_EQ(ComNumberOfSystemPort("/dev/ttyS"), 0);
}

TEST(SerialPorts, LinkNamesAreComAndANumber) {
    EXPECT_EQ(ComNumberOfLinkName("COM7"), 7);
    EXPECT_EQ(ComNumberOfLinkName("COM12"), 12);
    EXPECT_EQ(ComNumberOfLinkName("COM99"), 99);
    EXPECT_EQ(ComNumberOfLinkName("COM100"), 0);
    EXPECT_EQ(ComNumberOfLinkName("COM0"), 0);
    EXPECT_EQ(ComNumberOfLinkName("COM07"), 0);
    EXPECT_EQ(ComNumberOfLinkName("COM"), 0);
    EXPECT_EQ(ComNumberOfLinkName("COMx"), 0);
    EXPECT_EQ(ComNumberOfLinkName("COM7a"), 0);
    EXPECT_EQ(ComNumberOfLinkName("com7"), 0); // the device-link library opens "COM<n>" only
    EXPECT_EQ(ComNumberOfLinkName("LPT1"), 0);
}

TEST(SerialPorts, LinksComeFirstAndEachNumberOnce) {
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "Ports");
    WriteBytes(folder / "device-a", "");
    WriteBytes(folder / "device-b", "");
    std::filesystem::create_symlink(folder / "device-a", folder / "Ports/COM33");
    std::filesystem::create_symlink(folder / "device-b", folder / "Ports/COM2");
    // A link whose device is gone is not listed, and its number is not given to ttyS1 either:
    // opening COM5 would find that broken link.
    std::filesystem::create_symlink(folder / "gone", folder / "Ports/COM5");
    const auto ports =
        MergeSerialPorts(folder / "Ports", {"/dev/ttyUSB0", "/dev/ttyS4", "/dev/ttyS0", "/dev/pts/3"});
    ASSERT_EQ(ports.size(), 3u);
    EXPECT_EQ(ports[0].Number, 2);
    EXPECT_EQ(ports[0].Name, "COM2");
    EXPECT_EQ(ports[0].DevicePath, folder / "Ports/COM2");
    EXPECT_EQ(ports[1].Number, 33);
    EXPECT_EQ(ports[1].DevicePath, folder / "Ports/COM33"); // the link takes COM33 from ttyUSB0
    EXPECT_EQ(ports[2].Number, 1);
    EXPECT_EQ(ports[2].Name, "COM1");
    EXPECT_EQ(ports[2].DevicePath, "/dev/ttyS0");
}

TEST(SerialPorts, NoPortsFolderStillListsSystemPorts) {
    const auto ports = MergeSerialPorts("/nonexistent/Ports", {"/dev/ttyACM1"});
    ASSERT_EQ(ports.size(), 1u);
    EXPECT_EQ(ports[0].Name, "COM66");
}

TEST(LocalAdapters, LoopbackIsListedWithItsBroadcast) {
    const auto adapters = ListLocalIPv4Adapters();
    const auto loopback = std::find_if(adapters.begin(), adapters.end(),
                                       [](const LocalAdapter& a) { return a.Address == "127.0.0.1"; });
    ASSERT_NE(loopback, adapters.end());
    EXPECT_EQ(loopback->Netmask, "255.0.0.0");
    EXPECT_EQ(loopback->Broadcast, "127.255.255.255");
    EXPECT_FALSE(loopback->Name.empty());
}
