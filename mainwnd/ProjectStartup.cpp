#include "mainwnd/ProjectStartup.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string FormatDateName(std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d", &local);
  return text;
}

std::string DefaultProjectPath(const std::string& programFolder, std::time_t now) {
  const std::string name = FormatDateName(now);
  return programFolder + "Project/" + name + "/" + name + ".pro";
}

void EnsureProjectFile(std::string& path, const std::string& programFolder, std::time_t now) {
  if (path.empty()) path = DefaultProjectPath(programFolder, now);
  std::error_code ec;
  if (fs::exists(path, ec)) return;
  const fs::path folder = fs::path(path).parent_path();
  if (!folder.empty()) fs::create_directories(folder, ec);
  std::ofstream out(path, std::ios::binary);
  const char bom[2] = {'\xFF', '\xFE'};
  out.write(bom, sizeof bom);
}

bool ProjectFileHasContent(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  // A few kilobytes are enough to see whether any key is there.
  std::string head(4096, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  size_t i = 0;
  if (head.size() >= 2 && static_cast<unsigned char>(head[0]) == 0xFF && static_cast<unsigned char>(head[1]) == 0xFE) i = 2;
  else if (head.size() >= 3 && head.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
  for (; i < head.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(head[i]);
    if (c != 0 && !std::isspace(c)) return true;
  }
  return false;
}
