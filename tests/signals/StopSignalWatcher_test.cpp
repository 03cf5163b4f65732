#include "platform/os/StopSignalWatcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <thread>
#include <unistd.h>

namespace {

bool WaitFor(const std::atomic<int>& value, int expected) {
    for (int i = 0; i < 200 && value.load() != expected; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return value.load() == expected;
}

std::atomic<int> g_previousHandlerCalls{0};
void PreviousHandler(int) { ++g_previousHandlerCalls; }

TEST(StopSignalWatcher, ReportsSigtermAndSigintOnItsThread) {
    std::atomic<int> last{0};
    std::atomic<int> count{0};
    std::thread::id caller;
    {
        StopSignalWatcher watcher([&](int signal) {
            caller = std::this_thread::get_id();
            last = signal;
            ++count;
        });
        ASSERT_TRUE(watcher.IsWatching());
        ASSERT_EQ(raise(SIGTERM), 0);
        ASSERT_TRUE(WaitFor(count, 1));
        EXPECT_EQ(last.load(), SIGTERM);
        ASSERT_EQ(raise(SIGINT), 0);
        ASSERT_TRUE(WaitFor(count, 2));
        EXPECT_EQ(last.load(), SIGINT);
    }
    EXPECT_NE(caller, std::this_thread::get_id());
}

TEST(StopSignalWatcher, GivesThePreviousHandlersBack) {
    signal(SIGTERM, PreviousHandler);
    {
        std::atomic<int> count{0};
        StopSignalWatcher watcher([&](int) { ++count; });
        raise(SIGTERM);
        ASSERT_TRUE(WaitFor(count, 1));
        EXPECT_EQ(g_previousHandlerCalls.load(), 0);
    }
    raise(SIGTERM);
    EXPECT_EQ(g_previousHandlerCalls.load(), 1);
    signal(SIGTERM, SIG_DFL);
}

TEST(StopSignalWatcher, OnlyOneWatcherOwnsTheSignals) {
    StopSignalWatcher first([](int) {});
    StopSignalWatcher second([](int) {});
    EXPECT_TRUE(first.IsWatching());
    EXPECT_FALSE(second.IsWatching());
}

} // namespace
