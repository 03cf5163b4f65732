#include "FileTestSupport.h"

#include "app/Utilities.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

// socat makes a pseudo-terminal pair; one end, linked as Ports/COM7, is what the program opens.
TEST(SerialPortList, PseudoTerminalLinkedAsCom7IsListedAsCom7) {
    ScratchFolder folder;
    ProgramFolderAt home(folder.Path());
    std::filesystem::create_directory(folder / "Ports");
    const std::string link = folder / "Ports/COM7";
    const std::string peer = folder / "peer";
    const pid_t socat = fork();
    ASSERT_GE(socat, 0);
    if (socat == 0) {
        execlp("socat", "socat", ("pty,raw,echo=0,link=" + link).c_str(), ("pty,raw,echo=0,link=" + peer).c_str(),
               static_cast<char*>(nullptr));
        _exit(127);
    }
    for (int i = 0; i < 100 && !std::filesystem::exists(link); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::vector<SerialPortInfo> ports;
    const bool listed = EnumSerialPorts(ports);
    kill(socat, SIGTERM);
    waitpid(socat, nullptr, 0);

    EXPECT_TRUE(listed);
    ASSERT_FALSE(ports.empty());
    EXPECT_EQ(ports.front().Number, 7);
    EXPECT_EQ(ports.front().Name, "COM7");
    EXPECT_EQ(ports.front().DevicePath, link);
    int com7 = 0;
    for (const auto& port : ports) com7 += port.Number == 7;
    EXPECT_EQ(com7, 1);
}
