#include "platform/os/StopSignalWatcher.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int g_pipe[2] = {-1, -1};
struct sigaction g_previousTerm {};
struct sigaction g_previousInt {};

void OnSignal(int signal) {
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t written = write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}

void ClosePipe() {
    for (int& fd : g_pipe) {
        if (fd >= 0) close(fd);
        fd = -1;
    }
}

} // namespace

StopSignalWatcher::StopSignalWatcher(std::function<void(int signal)> onStop) : m_onStop(std::move(onStop)) {
    if (g_pipe[0] >= 0) return; // another watcher owns the signals
    if (pipe2(g_pipe, O_CLOEXEC) != 0) return;
    // A full pipe must never block the handler; a dropped byte only loses a repeated signal.
    fcntl(g_pipe[1], F_SETFL, fcntl(g_pipe[1], F_GETFL) | O_NONBLOCK);
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    if (sigaction(SIGTERM, &action, &g_previousTerm) != 0 || sigaction(SIGINT, &action, &g_previousInt) != 0) {
        sigaction(SIGTERM, &g_previousTerm, nullptr);
        ClosePipe();
        return;
    }
    m_watching = true;
    m_thread = std::thread([this] { Run(); });
}

StopSignalWatcher::~StopSignalWatcher() {
    if (!m_watching) return;
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    sigaction(SIGINT, &g_previousInt, nullptr);
    // Closing the write end ends the watching thread's read.
    close(g_pipe[1]);
    g_pipe[1] = -1;
    m_thread.join();
    ClosePipe();
}

void StopSignalWatcher::Run() {
    for (;;) {
        char byte = 0;
        const ssize_t got = read(g_pipe[0], &byte, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        if (m_onStop) m_onStop(static_cast<unsigned char>(byte));
    }
}
