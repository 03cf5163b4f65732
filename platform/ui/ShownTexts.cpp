#include "platform/ui/ShownTexts.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>

namespace {
std::map<std::string, std::vector<std::string>>& Areas() {
    static std::map<std::string, std::vector<std::string>> areas;
    return areas;
}
} // namespace

bool RecordShownTexts(const std::string& area, const std::vector<std::string>& lines) {
    const char* path = std::getenv("VELKAN_SHOWN_TEXT");
    if (!path || !*path) return true;
    auto& areas = Areas();
    if (areas[area] == lines) return true;
    areas[area] = lines;
    // Whole file each time, through a temporary and a rename, so a reader never sees half of it.
    const std::string temp = std::string(path) + ".tmp";
    std::ofstream out(temp, std::ios::trunc);
    for (const auto& [name, texts] : areas)
        for (const auto& line : texts)
            out << name << ": " << line << '\n';
    out.close();
    if (!out || std::rename(temp.c_str(), path) != 0) {
        std::remove(temp.c_str());
        std::fprintf(stderr, "velkan: cannot write the shown texts to %s\n", path);
        return false;
    }
    return true;
}
