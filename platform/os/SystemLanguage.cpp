#include "platform/os/SystemLanguage.h"

#include <cstdlib>

std::string GetSystemLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return {};
}

bool IsSimplifiedChineseLocale(std::string_view localeName) {
    if (localeName.substr(0, 5) != "zh_CN") return false;
    // "zh_CN" alone, or followed by ".codeset" or "@modifier".
    return localeName.size() == 5 || localeName[5] == '.' || localeName[5] == '@';
}
