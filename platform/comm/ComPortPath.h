// Serial ports are named by COM number, as the program's settings store them.
#pragma once
#include <string>

namespace velklink {

// Device path of COM `number`: a link Ports/COM<n> in `programFolder` (ending in '/') wins; otherwise
// /dev/ttyS<k> is COM k+1, /dev/ttyUSB<k> COM k+33, /dev/ttyACM<k> COM k+65. Empty when none exists.
std::string ComPortDevicePath(int number, const std::string& programFolder);

} // namespace velklink
