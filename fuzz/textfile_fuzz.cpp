// Arbitrary bytes as a text file: the line reader and the project file's key scanner must
// take anything without crashing, hanging or reading out of bounds.
#include "app/InfoIni.h"
#include "app/StdioFileEx.h"
#include "app/TextEncoding.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

const std::string& ScratchPath() {
    static const std::string path = [] {
        char pattern[] = "/tmp/velkan-textfile-fuzz-XXXXXX";
        const int fd = mkstemp(pattern);
        if (fd >= 0) close(fd);
        return std::string(pattern);
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The first byte picks the code page of 8-bit text, the rest is the file.
    static constexpr unsigned codePages[] = {CodePageWestern, CodePageChinese, CodePageUtf8};
    const unsigned codePage = size ? codePages[data[0] % 3] : CodePageWestern;

    std::FILE* file = std::fopen(ScratchPath().c_str(), "wb");
    if (!file) return 0;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    CStdioFileEx reader;
    if (reader.Open(ScratchPath(), CStdioFileEx::modeRead | CStdioFileEx::typeText)) {
        reader.CodePage = codePage;
        std::string line;
        size_t total = 0;
        while (reader.ReadString(line)) total += line.size();
        if (total > 4 * size + 16) __builtin_trap(); // lines cannot outgrow the file's decoded text
    }

    CStdioFileEx scanner;
    if (scanner.Open(ScratchPath(), CStdioFileEx::modeRead | CStdioFileEx::typeText)) {
        scanner.CodePage = codePage;
        CurrentSection.clear();
        std::string value;
        ReadIniKeyFromFile(value, &scanner, "OUTPUTRESO", "RESOINDEX");
        ReadIniKeyFromFile(value, &scanner, "KEYERINFO", "KEYERREDL");
    }

    // Whatever was read can be written back in every encoding.
    const std::string text = DecodeTextFile(bytes, codePage);
    for (const auto encoding : {TextFileEncoding::Ansi, TextFileEncoding::Utf16Le, TextFileEncoding::Utf8Bom})
        (void)EncodeTextFile(text, encoding, codePage);
    return 0;
}
