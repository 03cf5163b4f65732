#include "app/ConnectNetwork.h"

#include "app/CommLink.h"

#include <string>

bool IsDottedIPv4(std::string_view text) {
    int parts = 0;
    size_t at = 0;
    while (true) {
        size_t digits = 0;
        unsigned value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[at] - '0');
            ++digits;
            ++at;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        if (digits > 1 && text[at - digits] == '0') return false; // "010" reads as octal elsewhere
        ++parts;
        if (at == text.size()) return parts == 4;
        if (text[at] != '.' || parts == 4) return false;
        ++at;
    }
}

bool ConnectNetwork(std::string_view ipText) {
    if (!IsDottedIPv4(ipText)) return false;
    CommLink* link = GetCommLink();
    if (!link) return false;
    // Its own buffer: the text is plain ASCII, so it is already UTF-8.
    const std::string address(ipText);
    link->ConnectNet(address, DevicePort); // the answer arrives as a connection-status reply
    return true;
}
