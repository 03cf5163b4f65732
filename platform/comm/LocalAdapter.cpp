#include "platform/comm/LocalAdapter.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>

namespace velklink {

std::optional<in_addr> ParseIPv4(const char* text) {
    in_addr address{};
    if (!text || inet_pton(AF_INET, text, &address) != 1) return std::nullopt;
    return address;
}

std::string IPv4Text(in_addr address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

uint8_t IPv4LastOctet(in_addr address) {
    return static_cast<uint8_t>(ntohl(address.s_addr) & 0xFF);
}

std::optional<in_addr> BroadcastAddressOf(in_addr local) {
    std::optional<in_addr> found;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) == 0) {
        for (ifaddrs* ifa = list; ifa && !found; ifa = ifa->ifa_next) {
            if (!ifa->ifa_addr || ifa->ifa_addr->sa_family != AF_INET || !ifa->ifa_netmask) continue;
            const auto* addr = reinterpret_cast<const sockaddr_in*>(ifa->ifa_addr);
            if (addr->sin_addr.s_addr != local.s_addr) continue;
            const auto* mask = reinterpret_cast<const sockaddr_in*>(ifa->ifa_netmask);
            in_addr broadcast{};
            broadcast.s_addr = addr->sin_addr.s_addr | ~mask->sin_addr.s_addr;
            found = broadcast;
        }
        freeifaddrs(list);
    }
    // Every 127.x.y.z is this machine's own, listed on an interface or not.
    if (!found && (ntohl(local.s_addr) >> 24) == 127) {
        in_addr broadcast{};
        broadcast.s_addr = htonl(0x7FFFFFFFu);
        found = broadcast;
    }
    return found;
}

} // namespace velklink
