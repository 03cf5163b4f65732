#pragma once
#include "platform/os/CodePage.h"

#include <string>
#include <string_view>
#include <vector>


// Line-oriented text file for project files. Reads UTF-16LE after FF FE, UTF-8 after EF BB BF,
// and anything else as 8-bit text in CodePage; writes 8-bit text in CodePage. Text in and out
// is UTF-8. Lines end in CR LF, LF or CR and are read whole, whatever their length.
//
// A file opened for writing is built in memory and replaces the old file only when it is
// closed (temporary file + rename, or rewritten in place where the folder takes no new file),
// so a failed save is found before the old file is given up. Close() reports that failure;
// the destructor closes too but cannot report.
class CStdioFileEx {
public:
    // Open flags, with the values of the original framework so callers can pass them alike.
    static constexpr unsigned modeRead = 0x0000;
    static constexpr unsigned modeWrite = 0x0001;
    static constexpr unsigned shareDenyWrite = 0x0020;
    static constexpr unsigned modeCreate = 0x1000;
    static constexpr unsigned typeText = 0x4000;
    static constexpr unsigned typeBinary = 0x8000;

    CStdioFileEx() = default;
    // Opens at once; IsOpen() tells whether that worked.
    CStdioFileEx(const std::string& path, unsigned flags);
    ~CStdioFileEx();
    CStdioFileEx(const CStdioFileEx&) = delete;
    CStdioFileEx& operator=(const CStdioFileEx&) = delete;

    // Reading: the file must exist and be a regular file. Writing: with modeCreate the file may
    // be missing (its folder must then be writable); without it, it must exist. Anything at the
    // path but a regular file is refused. The new content replaces the old one whole.
    bool Open(const std::string& path, unsigned flags, std::string* error = nullptr);
    bool IsOpen() const { return open_; }
    // The next line without its end; false at the end of the file (line is then unchanged).
    bool ReadString(std::string& line);
    // Appends the text as it stands (callers put "\r\n" in it). false when not open for writing.
    bool WriteString(std::string_view text);
    // Ends the file; for a file opened for writing, this is when it is written.
    bool Close(std::string* error = nullptr);

    // Bytes in a code page (CodePageAnsi = the process's ANSI code page) to UTF-8 text.
    static std::string GetUnicodeFromMultiByte(std::string_view bytes, unsigned codePage);
    // UTF-8 text to bytes in a code page; a character the code page lacks becomes "#"
    // (except in UTF-8, which has them all).
    static std::string GetMultiByteFromUnicode(std::string_view text, unsigned codePage);

    bool IsUnicodeText = false;       // opened for reading and began with FF FE
    unsigned OpenFlags = 0;           // the flags in effect (text becomes binary for UTF-16)
    unsigned CodePage = CodePageAnsi; // code page of 8-bit text

private:
    void Reset();

    bool open_ = false;
    bool writing_ = false;
    std::string path_;
    std::string raw_;                // bytes read, decoded on the first ReadString
    bool decoded_ = false;
    std::vector<std::string> lines_;
    size_t nextLine_ = 0;
    std::string pending_;            // bytes to write at Close
};
