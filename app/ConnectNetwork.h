#pragma once
#include <string_view>

// True for a dotted IPv4 address: four decimal parts 0..255, no sign, no leading zero, nothing else.
bool IsDottedIPv4(std::string_view text);

// Connects the link to one processor by its IPv4 address (port 61213). False, and nothing
// done, for text that is not a dotted IPv4 address or when no link is installed.
bool ConnectNetwork(std::string_view ipText);
