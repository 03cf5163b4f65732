#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The project file's text form of a StateBlock, on the block's 2360 raw bytes. The file
// operations that bind it to DeviceState live in ProjectFile.h.

inline constexpr size_t ProjectBlockSize = 2360;

// Brings the fields that the writer guards into range, in the block itself.
void ClampProjectFields(uint8_t* block);

// The whole file text: 13 sections and 1143 key lines, every line ending in CR LF.
std::string FormatProjectText(const uint8_t* block);

// Forward scan over a project's lines: each search starts where the last successful one
// ended and takes the first line of the wanted section with the wanted key. A search that
// finds nothing keeps the place, so a missing key costs only that key.
class ProjectKeyScanner {
public:
    explicit ProjectKeyScanner(const std::vector<std::string>& lines);
    bool Find(std::string_view section, std::string_view key, std::string& value);

private:
    struct KeyLine {
        uint32_t SectionIndex;
        std::string Key;
        std::string Value;
    };
    std::vector<std::string> sections_;
    std::vector<KeyLine> keys_;
    size_t next_ = 0;
};

// Reads every key of the table from the lines into the block; fields whose key is missing
// keep their bytes. Returns how many keys were found.
size_t ParseProjectLines(const std::vector<std::string>& lines, uint8_t* block);
