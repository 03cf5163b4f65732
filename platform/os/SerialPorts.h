#pragma once
#include <string>
#include <string_view>
#include <vector>

// Serial ports are named by COM number, as on the original platform. A number maps to a device:
//  1. a symbolic link "COM<n>" (n = 1..99) in the folder "Ports" of the program folder;
//  2. the system's ports: /dev/ttyS<k> is COM k+1, /dev/ttyUSB<k> COM k+33, /dev/ttyACM<k>
//     COM k+65, each only where a link in "Ports" does not already take that number.
struct SerialPortInfo {
    int Number = 0;          // COM number, 1..99
    std::string Name;        // "COM<n>"
    std::string DevicePath;  // what the number opens
};

inline constexpr int MaxComNumber = 99;

// The COM number of a system device path ("/dev/ttyUSB0" -> 33); 0 when it has none.
int ComNumberOfSystemPort(std::string_view devicePath);
// The COM number a "Ports" entry name stands for ("COM7", any letter case -> 7); 0 when none.
int ComNumberOfLinkName(std::string_view name);

// Every port that can be opened by number: the links of "<portsFolder>" first (by number,
// links whose target is gone are left out), then the given system device paths, each number
// once. ok is false when neither source could be read.
std::vector<SerialPortInfo> MergeSerialPorts(const std::string& portsFolder,
                                             const std::vector<std::string>& systemDevicePaths);

// The system's serial devices as libserialport lists them. false when it cannot list them.
bool ListSystemSerialDevices(std::vector<std::string>& devicePaths);

// The ports of this machine, "Ports" folder of the program folder included.
std::vector<SerialPortInfo> ListSerialPorts();

// The device that COM number n opens; empty when no port has that number.
std::string SerialPortPathForNumber(int number);
