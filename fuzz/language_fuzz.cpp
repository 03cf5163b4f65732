// Arbitrary bytes as a language file: choosing it, loading the UI strings from it and reading
// control texts must never crash, and every text stays within the original's buffer size.
#include "app/AppGlobals.h"
#include "app/Language.h"
#include "app/UiStrings.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A program folder of the fuzzer's own, in memory where possible (thousands of writes a second).
const std::string& Folder() {
    static const std::string folder = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
        pattern += "velkan-language-fuzz-XXXXXX";
        if (!mkdtemp(pattern.data())) std::abort();
        setenv("VELKAN_HOME", pattern.c_str(), 1);
        InfoIniPath = pattern + "/Info.ini";
        return pattern + "/";
    }();
    return folder;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string folder = Folder();
    ::mkdir((folder + "Language").c_str(), 0755);
    {
        std::ofstream file(folder + "Language/Fuzz.ini", std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    // The name the file declares is whatever it holds; ask for the two the program knows.
    InitLanguage(size && data[0] & 1 ? LanguageChinese : LanguageEnglish);
    LoadLanguageStrings();
    for (const auto& text : UiStrings)
        if (text.size() > 999) __builtin_trap();
    for (const char* key : {"IDS_1000", "IDD170_Title", "SIDS_0", "", "SIDS_160"})
        if (GetLanguageString(key).size() > 999) __builtin_trap();
    return 0;
}
