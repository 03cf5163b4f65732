#include "platform/os/AppDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

std::string RunningProgramFolder() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return WithTrailingSlash(exe.parent_path().string());
}

} // namespace

std::string GetAppDirectory() {
    if (const char* home = std::getenv("VELKAN_HOME"); home && *home) return WithTrailingSlash(home);
    return RunningProgramFolder();
}
