// Arbitrary bytes as an INI file read and written by the Windows profile rules: lookups,
// writes and a reparse of the written file must never crash and must keep what was written.
#include "app/ProfileIni.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    static constexpr unsigned codePages[] = {CodePageWestern, CodePageChinese, CodePageUtf8};
    const unsigned codePage = size ? codePages[data[0] % 3] : CodePageWestern;

    ProfileIni ini = ProfileIni::Parse(bytes, codePage);
    for (const char* section : {"Setting", "String", "COM", "Project", ""})
        for (const char* key : {"Language", "SIDS_0", "port", "FilePath", ""}) (void)ini.Find(section, key);

    // Use the file's own first line as a key and value, the way odd names would arrive.
    const std::string probe = ini.Lines().empty() ? std::string("K") : ini.Lines().front();
    const bool keySet = ini.Set("Fuzz", probe, probe);
    const bool valueSet = ini.Set("Setting", "Language", probe);

    const ProfileIni again = ProfileIni::Parse(ini.Serialize(), codePage);
    if (valueSet) {
        const auto value = again.Find("Setting", "Language");
        // A value comes back exactly as written (a line of the file holds no line break).
        if (!value || *value != probe) __builtin_trap();
    }
    (void)keySet;
    return 0;
}
