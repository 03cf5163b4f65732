#include "app/ConnectNetwork.h"

#include "app/CommLink.h"
#include "app/Utilities.h"

#include <string>

bool ConnectNetwork(std::string_view ipText) {
    if (!IsValidIPv4(ipText)) return false;
    CommLink* link = GetCommLink();
    if (!link) return false;
    // Its own buffer: the text is plain ASCII, so it is already UTF-8.
    const std::string address(ipText);
    link->ConnectNet(address, DevicePort); // the answer arrives as a connection-status reply
    return true;
}
