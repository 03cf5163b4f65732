#include "platform/comm/ComPortPath.h"

#include <filesystem>
#include <system_error>

namespace velklink {

namespace {

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace

std::string ComPortDevicePath(int number, const std::string& programFolder) {
    if (number < 1 || number > 99) return {};
    const std::string named = programFolder + "Ports/COM" + std::to_string(number);
    if (Exists(named)) return named;
    // A number named in Ports/ never falls through to a system device, even when its link is broken.
    std::error_code ec;
    if (std::filesystem::is_symlink(named, ec)) return {};
    struct Family { const char* prefix; int first; };
    static constexpr Family kFamilies[] = {{"/dev/ttyS", 1}, {"/dev/ttyUSB", 33}, {"/dev/ttyACM", 65}};
    for (const Family& f : kFamilies) {
        const int k = number - f.first;
        if (k < 0 || k >= 32) continue;
        const std::string path = f.prefix + std::to_string(k);
        if (Exists(path)) return path;
    }
    return {};
}

} // namespace velklink
