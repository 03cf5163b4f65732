#pragma once
#include <string>

// The program folder: where Info.ini, Language/ and Project/ live. It is the folder of the
// running program, or VELKAN_HOME when that is set. Always ends in '/'.
std::string GetAppDirectory();
