#pragma once
#include <string_view>

#include "app/Utilities.h"

// The fuzz target's name for IsValidIPv4, until it uses that.
inline bool IsDottedIPv4(std::string_view text) { return IsValidIPv4(text); }

// Connects the link to one processor by its IPv4 address (port 61213). False, and nothing
// done, for text that is not a dotted IPv4 address or when no link is installed.
bool ConnectNetwork(std::string_view ipText);
