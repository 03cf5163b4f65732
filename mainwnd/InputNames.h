#pragma once
#include <string>

// Input names carry spaces for the fixed-width labels they were made for; windows that centre
// or join them show them without.
inline std::string TrimmedName(const std::string& text) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
