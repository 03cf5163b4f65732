#include "platform/os/SerialPortWatcher.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <system_error>
#include <unistd.h>

namespace {

constexpr uint32_t FolderChanges = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO;
constexpr char DeviceFolder[] = "/dev";
// A plug-in makes a device node and then its links; the list is read once they have settled.
constexpr int SettleMs = 100;

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder;
}

bool IsSystemSerialName(const std::string& name) {
    for (const char* prefix : {"ttyS", "ttyUSB", "ttyACM"})
        if (name.rfind(prefix, 0) == 0) return true;
    return false;
}

bool SamePort(const SerialPortInfo& a, const SerialPortInfo& b) {
    return a.Number == b.Number && a.DevicePath == b.DevicePath;
}

// Ports of `from` that `in` does not hold.
bool AnyMissing(const std::vector<SerialPortInfo>& from, const std::vector<SerialPortInfo>& in) {
    return std::any_of(from.begin(), from.end(), [&](const SerialPortInfo& port) {
        return std::none_of(in.begin(), in.end(),
                            [&](const SerialPortInfo& other) { return SamePort(port, other); });
    });
}

} // namespace

SerialPortWatcher::SerialPortWatcher(std::string programFolder, Lister lister,
                                     std::function<void(unsigned event)> onChange)
    : m_programFolder(WithoutTrailingSlash(std::move(programFolder))),
      m_portsFolder(m_programFolder + "/Ports"), m_lister(std::move(lister)),
      m_onChange(std::move(onChange)) {
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    m_stop = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (m_inotify < 0 || m_stop < 0) {
        if (m_inotify >= 0) close(m_inotify);
        if (m_stop >= 0) close(m_stop);
        m_inotify = m_stop = -1;
        return;
    }
    WatchFolder(DeviceFolder);
    WatchFolder(m_programFolder);
    WatchFolder(m_portsFolder);
    WatchLinkTargets();
    if (m_lister) m_known = m_lister();
    m_thread = std::thread([this] { Run(); });
}

SerialPortWatcher::~SerialPortWatcher() {
    if (m_thread.joinable()) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_stop, &one, sizeof one);
        m_thread.join();
    }
    if (m_inotify >= 0) close(m_inotify);
    if (m_stop >= 0) close(m_stop);
}

void SerialPortWatcher::WatchFolder(const std::string& folder) {
    for (const Watch& w : m_watches)
        if (w.Folder == folder) return;
    const int descriptor = inotify_add_watch(m_inotify, folder.c_str(), FolderChanges | IN_ONLYDIR);
    if (descriptor < 0) return; // not there (yet), or not ours to watch
    // The same folder under another name gets the same descriptor: keep one entry for it.
    for (Watch& w : m_watches)
        if (w.Descriptor == descriptor) return;
    m_watches.push_back({descriptor, folder});
}

void SerialPortWatcher::WatchLinkTargets() {
    namespace fs = std::filesystem;
    m_targets.clear();
    std::error_code ec;
    for (fs::directory_iterator it(m_portsFolder, ec), end; !ec && it != end; it.increment(ec)) {
        if (ComNumberOfLinkName(it->path().filename().string()) == 0) continue;
        std::error_code link_ec;
        fs::path target = fs::read_symlink(it->path(), link_ec);
        if (link_ec) continue;
        if (target.is_relative()) target = fs::path(m_portsFolder) / target;
        target = target.lexically_normal();
        m_targets.push_back(target.string());
        WatchFolder(WithoutTrailingSlash(target.parent_path().string()));
    }
}

bool SerialPortWatcher::Relevant(const std::string& folder, const std::string& name) const {
    if (folder == DeviceFolder && IsSystemSerialName(name)) return true;
    if (folder == m_programFolder) return name == "Ports";
    if (folder == m_portsFolder) return true;
    const std::string path = folder + "/" + name;
    return std::find(m_targets.begin(), m_targets.end(), path) != m_targets.end();
}

// Reads every waiting event; true when one of them may change the port list.
bool SerialPortWatcher::Drain() {
    bool relevant = false;
    alignas(inotify_event) std::array<char, 4096> buffer;
    for (;;) {
        const ssize_t got = read(m_inotify, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return relevant;
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                relevant = true; // events were lost: look again
                continue;
            }
            auto watch = std::find_if(m_watches.begin(), m_watches.end(),
                                      [&](const Watch& w) { return w.Descriptor == event->wd; });
            if (watch == m_watches.end()) continue;
            if (event->mask & IN_IGNORED) {
                // The folder itself went away (the "Ports" folder deleted): its ports went with it.
                relevant = relevant || watch->Folder == m_portsFolder;
                m_watches.erase(watch);
                continue;
            }
            const std::string name = event->len > 0 ? std::string(event->name) : std::string();
            if (Relevant(watch->Folder, name)) relevant = true;
        }
    }
}

void SerialPortWatcher::Relist() {
    WatchFolder(m_portsFolder); // made again after it was deleted
    WatchLinkTargets();
    if (!m_lister) return;
    std::vector<SerialPortInfo> now = m_lister();
    const bool removed = AnyMissing(m_known, now);
    const bool arrived = AnyMissing(now, m_known);
    m_known = std::move(now);
    if (!m_onChange) return;
    if (removed) m_onChange(SerialPortRemoved);
    if (arrived) m_onChange(SerialPortArrived);
}

void SerialPortWatcher::Run() {
    pollfd fds[2] = {{m_inotify, POLLIN, 0}, {m_stop, POLLIN, 0}};
    auto stopped = [&] { return (fds[1].revents & POLLIN) != 0; };
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (stopped()) return;
        if (!Drain()) continue;
        for (;;) {
            const int ready = poll(fds, 2, SettleMs);
            if (ready < 0 && errno == EINTR) continue;
            if (ready <= 0) break;
            if (stopped()) return;
            Drain();
        }
        Relist();
    }
}
