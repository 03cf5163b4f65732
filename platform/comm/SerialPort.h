// Opening a serial device raw, 8N1, no flow control, at any baud rate.
#pragma once
#include <string>

namespace velklink {

// Returns a non-blocking file descriptor, or -1. Rates between the standard ones are set as arbitrary rates.
int OpenSerialPort(const std::string& path, int baud);

} // namespace velklink
