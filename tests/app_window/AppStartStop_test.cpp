#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

// Runs the program with a scratch program folder and stops it with a signal.
class AppStartStop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (run under xvfb-run)";
        home = std::filesystem::temp_directory_path() / ("velkan-app-" + std::to_string(getpid()));
        std::filesystem::create_directories(home);
        setenv("VELKAN_HOME", home.c_str(), 1);
    }
    void TearDown() override {
        if (pid > 0) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
        std::error_code ec;
        std::filesystem::remove_all(home, ec);
    }

    void Start() {
        char* argv[] = {const_cast<char*>(VELKAN_EXE), nullptr};
        ASSERT_EQ(posix_spawn(&pid, VELKAN_EXE, nullptr, nullptr, argv, environ), 0);
    }

    // True when this program's window, with the main dialog's title, shows within the time
    // limit (by pid too, since other tests may run their own copy at the same time).
    bool WindowShows() const {
        const std::string command = "timeout 30 xdotool search --sync --all --onlyvisible --pid " +
                                    std::to_string(pid) + " --name 'ZedarEzuzovizu' >/dev/null";
        return std::system(command.c_str()) == 0;
    }

    // The exit status, or -1 when the program has not ended within the time limit.
    int WaitForExit(std::chrono::seconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            int status = 0;
            const pid_t done = waitpid(pid, &status, WNOHANG);
            if (done == pid) {
                pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return -1;
    }

    std::filesystem::path home;
    pid_t pid = -1;
};

TEST_F(AppStartStop, ShowsItsWindowAndExitsWithZeroOnSigterm) {
    Start();
    ASSERT_TRUE(WindowShows());
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 0);
}

TEST_F(AppStartStop, ExitsWithZeroOnSigint) {
    Start();
    ASSERT_TRUE(WindowShows());
    ASSERT_EQ(kill(pid, SIGINT), 0);
    EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 0);
}

TEST_F(AppStartStop, KeepsRunningUntilAskedToStop) {
    Start();
    ASSERT_TRUE(WindowShows());
    EXPECT_EQ(WaitForExit(std::chrono::seconds(1)), -1); // still running
    ASSERT_EQ(kill(pid, SIGTERM), 0);
    EXPECT_EQ(WaitForExit(std::chrono::seconds(30)), 0);
}

} // namespace
