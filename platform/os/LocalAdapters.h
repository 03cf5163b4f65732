#pragma once
#include <string>
#include <vector>

// One IPv4 address of a local network adapter, as the machine search offers them.
struct LocalAdapter {
    std::string Name;       // interface name, e.g. "lo", "eth0"
    std::string Address;    // dotted IPv4, e.g. "127.0.0.1"
    std::string Netmask;    // dotted IPv4
    std::string Broadcast;  // the adapter's broadcast address (address | ~netmask)
};

// Every IPv4 address of the adapters that are up, loopback included, in the system's order.
std::vector<LocalAdapter> ListLocalIPv4Adapters();
