#pragma once
#include <string>
#include <string_view>

// The locale name that decides the user's language: the first of LC_ALL, LC_MESSAGES and LANG
// that is set and not empty (the order the C library itself uses). Empty when none is set.
std::string GetSystemLocaleName();

// True for a Simplified Chinese (mainland) locale such as "zh_CN.UTF-8" or "zh_CN".
// Other Chinese locales (zh_TW, zh_HK, zh_SG) are not Simplified Chinese of the mainland.
bool IsSimplifiedChineseLocale(std::string_view localeName);
