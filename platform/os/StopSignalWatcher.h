#pragma once
#include <functional>
#include <thread>

// Turns SIGTERM and SIGINT into a call of onStop(signal) on a thread of its own, so that an
// operator or a test can stop the program and it still closes in order (a signal handler may
// do almost nothing, so it only writes the signal number into a pipe). While one watcher
// exists it owns both signals; the previous handlers come back when it is destroyed.
class StopSignalWatcher {
public:
    explicit StopSignalWatcher(std::function<void(int signal)> onStop);
    ~StopSignalWatcher();
    StopSignalWatcher(const StopSignalWatcher&) = delete;
    StopSignalWatcher& operator=(const StopSignalWatcher&) = delete;

    // False when the pipe or the handlers could not be set up; the signals then act as before.
    bool IsWatching() const { return m_watching; }

private:
    void Run();

    std::function<void(int)> m_onStop;
    bool m_watching = false;
    std::thread m_thread;
};
