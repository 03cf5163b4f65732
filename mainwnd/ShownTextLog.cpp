#include "mainwnd/ShownTextLog.h"

#include <cstdlib>
#include <fstream>
#include <map>

namespace {
std::map<std::string, std::vector<std::string>>& Areas() {
  static std::map<std::string, std::vector<std::string>> areas;
  return areas;
}
}  // namespace

void RecordShownTexts(const std::string& area, const std::vector<std::string>& lines) {
  const char* path = std::getenv("VELKAN_SHOWN_TEXT");
  if (!path || !*path) return;
  auto& areas = Areas();
  if (areas[area] == lines) return;
  areas[area] = lines;
  // Whole file each time, through a temporary and a rename, so a reader never sees half of it.
  const std::string temp = std::string(path) + ".tmp";
  {
    std::ofstream out(temp, std::ios::trunc);
    for (const auto& [name, texts] : areas)
      for (const auto& line : texts) out << name << ": " << line << '\n';
  }
  std::rename(temp.c_str(), path);
}
