#pragma once
#include <string>
#include <string_view>
#include <vector>

// Serial ports are named by COM number, as on the original platform. A number maps to a device:
//  1. a symbolic link "COM<n>" (n = 1..99) in the folder "Ports" of the program folder; a link
//     there takes its number even when its device is gone;
//  2. the system's ports: /dev/ttyS<k> is COM k+1, /dev/ttyUSB<k> COM k+33, /dev/ttyACM<k>
//     COM k+65 (k = 0..31), each only where a link in "Ports" does not already take that number.
// The device-link library opens a number by the same rules; this is the list the operator
// picks from.
struct SerialPortInfo {
    int Number = 0;          // COM number, 1..99
    std::string Name;        // "COM<n>"
    std::string DevicePath;  // what the number opens
};

inline constexpr int MaxComNumber = 99;

// The COM number of a system device path ("/dev/ttyUSB0" -> 33); 0 when it has none.
int ComNumberOfSystemPort(std::string_view devicePath);
// The COM number a "Ports" entry name stands for ("COM7" -> 7); 0 when none.
int ComNumberOfLinkName(std::string_view name);

// Every port that can be opened by number: the links of "<portsFolder>" first (by number;
// a link whose device is gone is left out but still keeps its number from the system's ports),
// then the given system device paths, each number once.
std::vector<SerialPortInfo> MergeSerialPorts(const std::string& portsFolder,
                                             const std::vector<std::string>& systemDevicePaths);

// The system's serial devices as libserialport lists them. false when it cannot list them.
bool ListSystemSerialDevices(std::vector<std::string>& devicePaths);

// The ports of this machine, "Ports" folder of the program folder included.
std::vector<SerialPortInfo> ListSerialPorts();
