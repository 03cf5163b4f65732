#pragma once
#include "app/TextEncoding.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An INI file read and written by the rules of the Windows profile functions, so Info.ini and
// the language files made by the Windows program read the same here:
//  - section and key names match without regard to case; blanks around them are ignored;
//  - a value loses the blanks around it and then one pair of matching surrounding quotes;
//  - the first matching section, and in it the first matching key, wins;
//  - lines starting with ';' and lines without '=' hold no key;
//  - a write replaces the key's line or adds it at the end of its section (or a new section at
//    the end of the file), keeps every other line, and keeps the file's encoding. 8-bit text
//    that cannot hold a new value becomes UTF-16LE rather than lose characters.
// This is not the project file's reader: that one is exact (see ReadIniKeyFromFile).
class ProfileIni {
public:
    // A document from a file's bytes; 8-bit text is read in codePage.
    static ProfileIni Parse(std::string_view bytes, unsigned codePage = CodePageAnsi);
    // false when the file is missing or unreadable; the document is then empty, 8-bit.
    bool Load(const std::string& path, unsigned codePage = CodePageAnsi);

    std::optional<std::string> Find(std::string_view section, std::string_view key) const;
    // false for names that an INI line cannot hold ("]" in a section, "=" in a key, or empty).
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Serialize() const;
    bool Save(const std::string& path, std::string* error = nullptr) const;

    TextFileEncoding Encoding() const { return encoding_; }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
    TextFileEncoding encoding_ = TextFileEncoding::Ansi;
    unsigned codePage_ = CodePageAnsi;
};

// The key's value (at most capacity - 1 characters), or defaultValue without its trailing
// blanks when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t capacity);
// Writes one key; creates the file (not its folder) when missing. false when it cannot.
bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// At most maxChars characters of UTF-8 text, never cutting a character in two.
std::string TruncateUtf8(std::string_view text, size_t maxChars);
