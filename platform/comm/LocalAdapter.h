// The local IPv4 adapter that TCP links and the search go out on.
#pragma once
#include <netinet/in.h>
#include <optional>
#include <string>

namespace velklink {

std::optional<in_addr> ParseIPv4(const char* text);
std::string IPv4Text(in_addr address);
uint8_t IPv4LastOctet(in_addr address);

// The broadcast address of the subnet that `local` belongs to, or nothing when `local` is no
// address of this machine. Loopback has no broadcast flag: its broadcast is computed from the netmask.
std::optional<in_addr> BroadcastAddressOf(in_addr local);

} // namespace velklink
