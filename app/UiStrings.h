#pragma once
#include <array>
#include <string>
#include <string_view>

// The texts that code shows (titles, messages, list items, status lines), by index. They start
// as the built-in English texts and are reloaded from the active language file at start and
// on every language change (LoadLanguageStrings).
inline constexpr size_t UiStringCount = 161;

extern const std::array<std::string_view, UiStringCount> DefaultUiStrings;
extern std::array<std::string, UiStringCount> UiStrings;
