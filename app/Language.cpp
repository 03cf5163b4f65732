#include "app/Language.h"

#include "app/AppGlobals.h"
#include "app/ProfileIni.h"
#include "app/UiStrings.h"
#include "platform/os/AppDirectory.h"
#include "platform/os/SystemLanguage.h"

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <vector>

namespace {

// Buffer sizes of the original, in characters with the terminator.
constexpr size_t LanguageNameCapacity = 100;
constexpr size_t LanguageTextCapacity = 1000;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool HasIniExtension(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), Lower);
    return extension == ".ini";
}

// Directory order is arbitrary here, so the language files are taken in a fixed order: their
// names compared without regard to case, then byte for byte.
std::vector<std::string> SortedLanguageFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_regular_file(type_ec) && HasIniExtension(it->path())) files.push_back(it->path());
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        const std::string x = a.filename().string(), y = b.filename().string();
        const bool less = std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end(),
                                                       [](char p, char q) { return Lower(p) < Lower(q); });
        const bool more = std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end(),
                                                       [](char p, char q) { return Lower(p) < Lower(q); });
        return less || (!more && x < y);
    });
    std::vector<std::string> names;
    for (const auto& file : files) names.push_back(file.string());
    return names;
}

std::string WithLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] == '\\' && pos + 1 < text.size() && text[pos + 1] == 'n') {
            out += '\n';
            ++pos;
        } else {
            out += text[pos];
        }
    }
    return out;
}

} // namespace

std::string GetLanguageFolder() { return GetSettingsDirectory() + "Language/"; }

std::string GetLanguageNameForLocale(std::string_view localeName) {
    return std::string(IsSimplifiedChineseLocale(localeName) ? LanguageChinese : LanguageEnglish);
}

std::string GetDefaultLanguageName() { return GetLanguageNameForLocale(GetSystemLocaleName()); }

std::string InitLanguage(std::string_view name) {
    std::string wanted(name);
    if (wanted.empty()) wanted = GetLanguageSetting();
    const std::string folder = GetLanguageFolder();
    bool found = false;
    for (const auto& file : SortedLanguageFiles(folder)) {
        const std::string declared = ReadProfileString(file, "Setting", "Language", "", LanguageNameCapacity);
        if (!declared.empty() && declared == wanted) {
            ActiveLanguageFilePath = file;
            found = true;
            break;
        }
    }
    if (!found) {
        std::error_code ec;
        std::filesystem::create_directories(folder, ec);
        ActiveLanguageFilePath = folder + "English.ini";
        wanted = LanguageEnglish;
    }
    WriteProfileString(InfoIniPath, "Setting", "Language", wanted);
    return wanted;
}

std::string GetLanguageSetting() {
    return ReadProfileString(InfoIniPath, "Setting", "Language", LanguageEnglish, LanguageNameCapacity);
}

std::string GetLanguageString(std::string_view key) {
    return WithLineBreaks(ReadProfileString(ActiveLanguageFilePath, "String", key, "", LanguageTextCapacity));
}

bool WriteLanguageString(int which, std::string_view key, std::string_view value) {
    const char* file = which == LanguageFileEnglish ? "English.ini" : which == LanguageFileChinese ? "Chinese.ini" : nullptr;
    if (!file) return false;
    return WriteProfileString(GetLanguageFolder() + file, "String", key, value);
}

std::string LanguageText(std::string_view key) {
    std::string text = GetLanguageString(key);
    return text.empty() ? std::string(key) : text;
}

void LoadLanguageStrings() {
    ProfileIni file;
    file.Load(ActiveLanguageFilePath);
    for (size_t n = 0; n < UiStringCount; ++n) {
        const auto value = file.Find("String", std::string("SIDS_").append(std::to_string(n)));
        UiStrings[n] = value ? WithLineBreaks(TruncateUtf8(*value, LanguageTextCapacity - 1))
                             : std::string(DefaultUiStrings[n]);
    }
}

bool SwitchLanguage(int choice) {
    if (choice != 0 && choice != 1) return false;
    InitLanguage(choice == 0 ? LanguageEnglish : LanguageChinese);
    LoadLanguageStrings();
    return true;
}
