#pragma once
#include "platform/os/SerialPorts.h"

#include <functional>
#include <string>
#include <thread>
#include <vector>

// The system's word for a serial port that appeared and for one that went away.
inline constexpr unsigned SerialPortArrived = 0x8000;
inline constexpr unsigned SerialPortRemoved = 0x8004;

// Notices serial ports appearing and disappearing, as a plugged or pulled USB adapter makes them,
// and calls onChange(SerialPortArrived or SerialPortRemoved) on a thread of its own. It watches
// /dev for the system's serial devices, the "Ports" folder for its links (and the program folder
// for the folder itself), and the folders the links point into, so that a link whose device is
// gone counts as a removed port. After every burst of changes it lists the ports again and
// reports what differs from the last list: a removal, an arrival, or both.
class SerialPortWatcher {
  public:
    using Lister = std::function<std::vector<SerialPortInfo>()>;

    SerialPortWatcher(std::string programFolder, Lister lister, std::function<void(unsigned event)> onChange);
    ~SerialPortWatcher();
    SerialPortWatcher(const SerialPortWatcher&) = delete;
    SerialPortWatcher& operator=(const SerialPortWatcher&) = delete;

    // False when the system offers no file watching; the port list then changes only on request.
    bool IsWatching() const { return m_thread.joinable(); }

  private:
    struct Watch {
        int Descriptor;
        std::string Folder;
    };
    void Run();
    bool Drain();
    bool Relevant(const std::string& folder, const std::string& name) const;
    void WatchFolder(const std::string& folder);
    void WatchLinkTargets();
    void Relist();

    std::string m_programFolder, m_portsFolder;
    Lister m_lister;
    std::function<void(unsigned)> m_onChange;
    int m_inotify = -1;
    int m_stop = -1;
    std::vector<Watch> m_watches;
    std::vector<std::string> m_targets; // full paths the links of "Ports" point at
    std::vector<SerialPortInfo> m_known;
    std::thread m_thread;
};
