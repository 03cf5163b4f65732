#include "app/StdioFileEx.h"

#include "app/TextEncoding.h"
#include "platform/os/AtomicFile.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <system_error>


CStdioFileEx::CStdioFileEx(const std::string& path, unsigned flags) { Open(path, flags); }

CStdioFileEx::~CStdioFileEx() { Close(); }

void CStdioFileEx::Reset() {
    open_ = writing_ = decoded_ = false;
    path_.clear();
    raw_.clear();
    lines_.clear();
    nextLine_ = 0;
    pending_.clear();
}

bool CStdioFileEx::Open(const std::string& path, unsigned flags, std::string* error) {
    Close();
    IsUnicodeText = false;
    OpenFlags = flags;
    const auto fail = [&](const char* why) {
        if (error) *error = std::string(why) + ": " + path;
        Reset();
        return false;
    };
    if (flags & modeWrite) {
        std::error_code ec;
        const bool exists = std::filesystem::exists(path, ec);
        if (!exists && !(flags & modeCreate)) return fail("file not found");
        if (exists && !std::filesystem::is_regular_file(path, ec)) return fail("not a file");
        const size_t slash = path.rfind('/');
        const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
        // An existing file in a folder that takes no new file is still written (in place).
        if (!exists && access(folder.c_str(), W_OK) != 0) return fail("folder not writable");
        writing_ = true;
    } else {
        if (!ReadWholeFile(path, raw_)) return fail("cannot read");
        IsUnicodeText = DetectTextEncoding(raw_) == TextFileEncoding::Utf16Le;
        // A UTF-16 file is read as raw 16-bit units, so the text flag becomes binary.
        if (IsUnicodeText && (flags & typeText) && !(flags & modeCreate)) OpenFlags = (flags ^ typeText) | typeBinary;
    }
    path_ = path;
    open_ = true;
    return true;
}

bool CStdioFileEx::ReadString(std::string& line) {
    if (!open_ || writing_) return false;
    if (!decoded_) {
        lines_ = SplitTextLines(DecodeTextFile(raw_, CodePage));
        raw_.clear();
        raw_.shrink_to_fit();
        decoded_ = true;
    }
    if (nextLine_ >= lines_.size()) return false;
    line = std::move(lines_[nextLine_++]);
    return true;
}

bool CStdioFileEx::WriteString(std::string_view text) {
    if (!open_ || !writing_) return false;
    pending_ += GetMultiByteFromUnicode(text, CodePage);
    return true;
}

bool CStdioFileEx::Close(std::string* error) {
    if (!open_) return true;
    bool ok = true;
    if (writing_) ok = WriteFileAtomically(path_, pending_, error);
    Reset();
    return ok;
}

std::string CStdioFileEx::GetUnicodeFromMultiByte(std::string_view bytes, unsigned codePage) {
    return CodePageToUtf8(bytes, codePage);
}

std::string CStdioFileEx::GetMultiByteFromUnicode(std::string_view text, unsigned codePage) {
    std::string bytes;
    Utf8ToCodePage(text, codePage, bytes, '#');
    return bytes;
}

