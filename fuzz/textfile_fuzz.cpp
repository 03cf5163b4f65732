// Arbitrary bytes as a text file: the line reader and the project file's key scanner must
// take anything without crashing, hanging or reading out of bounds.
#include "app/InfoIni.h"
#include "app/StdioFileEx.h"
#include "app/TextEncoding.h"

#include <unistd.h>

#include <cstdint>
#include <string>

namespace {

// The scratch file is unlinked at once and reached through /proc/self/fd, so nothing is left
// behind however the fuzzer ends. Memory-backed when possible: rewriting a disk file thousands
// of times a second waits on the disk.
int ScratchFd = -1;

const std::string& ScratchPath() {
    static const std::string path = [] {
        std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm/" : "/tmp/";
        pattern += "velkan-textfile-fuzz-XXXXXX";
        ScratchFd = mkstemp(pattern.data());
        if (ScratchFd >= 0) unlink(pattern.c_str());
        return "/proc/self/fd/" + std::to_string(ScratchFd);
    }();
    return path;
}

bool WriteScratch(const std::string& bytes) {
    if (ScratchPath().empty() || ScratchFd < 0 || ftruncate(ScratchFd, 0) != 0) return false;
    return pwrite(ScratchFd, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    // The whole input is the file; its first byte also picks the code page of 8-bit text.
    static constexpr unsigned codePages[] = {CodePageWestern, CodePageChinese, CodePageUtf8};
    const unsigned codePage = size ? codePages[data[0] % 3] : CodePageWestern;

    if (!WriteScratch(bytes)) return 0;

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
