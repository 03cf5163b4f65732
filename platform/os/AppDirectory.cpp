#include "platform/os/AppDirectory.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string WithTrailingSlash(std::string path) {
    if (path.empty() || path.back() != '/') path += '/';
    return path;
}

// A folder that does not exist yet counts as writable when its nearest existing parent is.
bool CanWriteFolder(const std::string& folder) {
    std::error_code ec;
    fs::path path = fs::absolute(folder, ec);
    if (ec) return false;
    while (!fs::exists(path, ec)) {
        if (!path.has_relative_path()) return false;
        path = path.parent_path();
    }
    return fs::is_directory(path, ec) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

bool HasLanguageFiles(const std::string& folder) {
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::string extension = it->path().extension().string();
        for (char& c : extension) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        std::error_code typeEc;
        if (extension == ".ini" && it->is_regular_file(typeEc)) return true;
    }
    return false;
}

void CopyLanguageFiles(const std::string& from, const std::string& to) {
    std::error_code ec;
    fs::create_directories(to, ec);
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code copyEc;
        if (it->is_regular_file(copyEc))
            fs::copy_file(it->path(), fs::path(to) / it->path().filename(), fs::copy_options::skip_existing, copyEc);
    }
}

} // namespace

std::string GetInstallDirectory() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec) return "./";
    return WithTrailingSlash(exe.parent_path().string());
}

std::string GetAppDirectory() {
    if (const char* home = std::getenv("VELKAN_HOME"); home && *home) return WithTrailingSlash(home);
    return GetInstallDirectory();
}

std::string GetPerUserDirectory() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/') return WithTrailingSlash(data) + "velkan/";
    const char* home = std::getenv("HOME");
    return WithTrailingSlash(home && *home ? home : "/tmp") + ".local/share/velkan/";
}

std::string GetSettingsDirectory() {
    const std::string program = GetAppDirectory();
    return CanWriteFolder(program) ? program : GetPerUserDirectory();
}

SettingsDirectoryReport PrepareSettingsDirectory() {
    SettingsDirectoryReport report;
    report.Folder = GetSettingsDirectory();
    report.PerUser = report.Folder != GetAppDirectory();
    std::error_code ec;
    if (report.PerUser && !fs::exists(report.Folder, ec))
        report.CreatedNow = fs::create_directories(report.Folder, ec) && !ec;
    const std::string languages = report.Folder + "Language/";
    if (!HasLanguageFiles(languages)) {
        for (const std::string& shipped : {GetAppDirectory() + "Language/", GetInstallDirectory() + "Language/"}) {
            if (shipped != languages && HasLanguageFiles(shipped)) {
                CopyLanguageFiles(shipped, languages);
                break;
            }
        }
    }
    return report;
}
