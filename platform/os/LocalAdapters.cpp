#include "platform/os/LocalAdapters.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace {

std::string Dotted(in_addr address) {
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

} // namespace

std::vector<LocalAdapter> ListLocalIPv4Adapters() {
    std::vector<LocalAdapter> adapters;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return adapters;
    for (const ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET) continue;
        if (!(entry->ifa_flags & IFF_UP)) continue;
        const in_addr address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr)->sin_addr;
        in_addr mask{};
        if (entry->ifa_netmask) mask = reinterpret_cast<const sockaddr_in*>(entry->ifa_netmask)->sin_addr;
        in_addr broadcast{};
        broadcast.s_addr = address.s_addr | ~mask.s_addr;
        adapters.push_back({entry->ifa_name ? entry->ifa_name : "", Dotted(address), Dotted(mask), Dotted(broadcast)});
    }
    freeifaddrs(list);
    return adapters;
}
