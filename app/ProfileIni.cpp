#include "app/ProfileIni.h"

#include "platform/os/AtomicFile.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) {
               return lower(x) == lower(y);
           });
}

// What one line of the file is.
struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;  // section or key name, trimmed
    std::string_view value; // key value, trimmed, quotes still on
};

ParsedLine ParseLine(std::string_view line) {
    ParsedLine parsed;
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    if (line.empty() || line.front() == ';') return parsed;
    if (line.front() == '[') {
        parsed.kind = ParsedLine::Section;
        parsed.name = Trim(line.substr(1, line.find(']') == std::string_view::npos ? std::string_view::npos
                                                                                 : line.find(']') - 1));
        return parsed;
    }
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.kind = ParsedLine::Key;
    parsed.name = Trim(line.substr(0, equals));
    parsed.value = Trim(line.substr(equals + 1));
    return parsed;
}

std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// A value that would lose its blanks or its quotes on reading is written inside quotes.
std::string QuotedForWriting(std::string_view value) {
    const bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
    const bool quoted = Unquoted(value).size() != value.size();
    if (blankEdge || quoted) return std::string("\"").append(value).append("\"");
    return std::string(value);
}

// Line breaks inside a value would split it into lines of their own.
std::string OneLine(std::string_view text) {
    std::string line(text);
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    return line;
}

} // namespace

std::string TruncateUtf8(std::string_view text, size_t maxChars) {
    size_t chars = 0;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        if ((static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80) continue;
        if (chars == maxChars) return std::string(text.substr(0, pos));
        ++chars;
    }
    return std::string(text);
}

ProfileIni ProfileIni::Parse(std::string_view bytes, unsigned codePage) {
    ProfileIni ini;
    ini.codePage_ = codePage;
    ini.lines_ = SplitTextLines(DecodeTextFile(bytes, codePage, &ini.encoding_));
    return ini;
}

bool ProfileIni::Load(const std::string& path, unsigned codePage) {
    std::string bytes;
    const bool ok = ReadWholeFile(path, bytes);
    *this = Parse(ok ? bytes : std::string_view(), codePage);
    return ok;
}

std::optional<std::string> ProfileIni::Find(std::string_view section, std::string_view key) const {
    section = Trim(section);
    key = Trim(key);
    bool inSection = false, sectionSeen = false;
    for (const auto& line : lines_) {
        const ParsedLine parsed = ParseLine(line);
        if (parsed.kind == ParsedLine::Section) {
            if (sectionSeen) return std::nullopt; // only the first section of that name counts
            inSection = SameName(parsed.name, section);
            sectionSeen = inSection;
        } else if (inSection && parsed.kind == ParsedLine::Key && SameName(parsed.name, key)) {
            return std::string(Unquoted(parsed.value));
        }
    }
    return std::nullopt;
}

bool ProfileIni::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string sectionName = OneLine(Trim(section));
    const std::string keyName = OneLine(Trim(key));
    if (sectionName.empty() || keyName.empty() || sectionName.find(']') != std::string::npos ||
        keyName.find('=') != std::string::npos || keyName.front() == ';' || keyName.front() == '[')
        return false;
    const std::string keyLine = keyName + "=" + QuotedForWriting(OneLine(value));

    size_t sectionLine = lines_.size();
    size_t lastContent = 0;
    for (size_t i = 0; i < lines_.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines_[i]);
        if (sectionLine == lines_.size()) {
            if (parsed.kind == ParsedLine::Section && SameName(parsed.name, sectionName)) {
                sectionLine = lastContent = i;
            }
            continue;
        }
        if (parsed.kind == ParsedLine::Section) break;
        if (parsed.kind == ParsedLine::Key && SameName(parsed.name, keyName)) {
            lines_[i] = keyLine;
            return true;
        }
        if (!Trim(lines_[i]).empty()) lastContent = i;
    }
    if (sectionLine == lines_.size()) {
        lines_.push_back(std::string("[").append(sectionName).append("]"));
        lines_.push_back(keyLine);
    } else {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), keyLine);
    }
    return true;
}

std::string ProfileIni::Serialize() const {
    std::string text;
    for (const auto& line : lines_) text += line + "\r\n";
    bool lossless = true;
    std::string bytes = EncodeTextFile(text, encoding_, codePage_, &lossless);
    if (!lossless && encoding_ == TextFileEncoding::Ansi) bytes = EncodeTextFile(text, TextFileEncoding::Utf16Le, codePage_);
    return bytes;
}

bool ProfileIni::Save(const std::string& path, std::string* error) const {
    return WriteFileAtomically(path, Serialize(), error);
}

std::string ReadProfileString(const std::string& path, std::string_view section, std::string_view key,
                              std::string_view defaultValue, size_t capacity) {
    if (capacity == 0) return {};
    ProfileIni ini;
    ini.Load(path);
    if (auto value = ini.Find(section, key)) return TruncateUtf8(*value, capacity - 1);
    while (!defaultValue.empty() && IsBlank(defaultValue.back())) defaultValue.remove_suffix(1);
    return TruncateUtf8(defaultValue, capacity - 1);
}

bool WriteProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    if (path.empty()) return false;
    ProfileIni ini;
    std::string bytes;
    if (ReadWholeFile(path, bytes)) ini = ProfileIni::Parse(bytes);
    else if (std::error_code ec; std::filesystem::exists(path, ec) || ec) {
        // Present but unreadable as a text file (or a FIFO, a device): never overwrite it blindly.
        return false;
    }
    return ini.Set(section, key, value) && ini.Save(path);
}
