#include "app/ProjectPath.h"

#include "platform/os/AppDirectory.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

std::string FormatDateName(std::time_t when) {
    std::tm local{};
    if (!localtime_r(&when, &local)) return "project";
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return length ? std::string(text, length) : std::string("project");
}

std::string DefaultProjectPath(std::time_t when) {
    const std::string name = FormatDateName(when);
    return GetSettingsDirectory() + "Project/" + name + "/" + name + ".pro";
}

namespace {
bool IsForeignPath(const std::string& path) {
    return path.find('\\') != std::string::npos || (path.size() >= 2 && path[1] == ':');
}
} // namespace

bool EnsureProjectFile(std::string& path) {
    if (path.empty() || IsForeignPath(path)) path = DefaultProjectPath(std::time(nullptr));
    std::error_code error;
    if (fs::exists(path, error)) return true;
    const fs::path folder = fs::path(path).parent_path();
    if (!folder.empty()) fs::create_directories(folder, error);
    std::ofstream file(path, std::ios::binary | std::ios::out);
    if (!file) return false;
    file.write("\xFF\xFE", 2);
    file.close();
    return !file.fail();
}
