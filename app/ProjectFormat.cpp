#include "app/ProjectFormat.h"

#include "app/InfoIni.h"
#include "app/LittleEndian.h"
#include "app/NumberText.h"
#include "app/ProjectKeyTable.h"
#include "app/Utilities.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace {

float LoadF32(const uint8_t* p) {
    float f;
    uint32_t bits = ReadU32(p);
    std::memcpy(&f, &bits, 4);
    return f;
}
void StoreF32(uint8_t* p, float f) {
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    WriteU32(p, bits);
}

void ClampU16(uint8_t* p, uint16_t low, uint16_t high) {
    const uint16_t v = ReadU16(p);
    if (v < low) WriteU16(p, low);
    else if (v > high) WriteU16(p, high);
}


} // namespace

void ClampProjectFields(uint8_t* block) {
    // The resolution row is compared as a signed number; 19 or more falls back to row 17,
    // not to the custom row 18.
    const auto row = static_cast<int32_t>(ReadU32(block + 0));
    if (row < 0) WriteU32(block + 0, 0);
    else if (row >= 19) WriteU32(block + 0, 17);
    ClampU16(block + 4, 640, 4080);   // HRESO
    ClampU16(block + 6, 480, 4080);   // VRESO
    ClampU16(block + 8, 2300, 12000); // FPS
    ClampU16(block + 10, 680, 4094);  // HTOTAL
    ClampU16(block + 12, 492, 4094);  // VTOTAL
    ClampU16(block + 14, 4, 128);     // HSYNC
    ClampU16(block + 16, 4, 128);     // VSYNC
    ClampU16(block + 18, 4, 512);     // HBP
    ClampU16(block + 20, 4, 512);     // VBP
    for (int k = 0; k < 7; ++k) {
        uint8_t* entry = block + 1996 + 12 * k;
        ClampU16(entry + 2, 240, 3840);   // HACTk
        ClampU16(entry + 4, 240, 3840);   // VACTk
        ClampU16(entry + 6, 2000, 12100); // FPSk
    }
}

std::string FormatProjectText(const uint8_t* block) {
    std::string out;
    out.reserve(32 * 1024);
    const std::string* section = nullptr;
    for (const ProjectKey& key : ProjectKeyTable()) {
        if (!section || *section != key.Section) {
            section = &key.Section;
            AppendIniSection(out, key.Section);
        }
        const uint8_t* field = block + key.Offset;
        switch (key.Width) {
        case ProjectFieldWidth::U8: AppendIniKey(out, key.Key, FormatInt(field[0])); break;
        case ProjectFieldWidth::U16: AppendIniKey(out, key.Key, FormatInt(ReadU16(field))); break;
        case ProjectFieldWidth::U32:
        case ProjectFieldWidth::I32: AppendIniKey(out, key.Key, FormatInt(static_cast<int32_t>(ReadU32(field)))); break;
        case ProjectFieldWidth::F32: AppendIniKey(out, key.Key, FormatFloat(LoadF32(field))); break;
        }
    }
    return out;
}

ProjectKeyScanner::ProjectKeyScanner(const std::vector<std::string>& lines) {
    // The same line rules as ReadIniKeyFromFile, read once into a list that a missing key
    // cannot run past.
    keys_.reserve(lines.size());
    CurrentSection.clear();
    sections_.emplace_back(); // key lines before any section line belong to no section
    std::string key, value;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') {
            sections_.push_back(ParseSectionName(line));
            continue;
        }
        if (line.find('=') == std::string::npos) continue; // never matches a key
        SplitKeyValue(line, key, value);
        keys_.push_back({static_cast<uint32_t>(sections_.size() - 1), key, value});
    }
}

bool ProjectKeyScanner::Find(std::string_view section, std::string_view key, std::string& value) {
    for (size_t i = next_; i < keys_.size(); ++i) {
        if (keys_[i].Key == key && sections_[keys_[i].SectionIndex] == section) {
            value.assign(keys_[i].Value);
            next_ = i + 1;
            return true;
        }
    }
    return false;
}

size_t ParseProjectLines(const std::vector<std::string>& lines, uint8_t* block) {
    ProjectKeyScanner scanner(lines);
    std::string value;
    size_t found = 0;
    for (const ProjectKey& key : ProjectKeyTable()) {
        if (!scanner.Find(key.Section, key.Key, value)) continue;
        ++found;
        uint8_t* field = block + key.Offset;
        if (key.Width == ProjectFieldWidth::F32) {
            double real = ParseLeadingDouble(value);
            // A value beyond a float's range becomes an infinity, never an undefined conversion.
            float stored = std::isnan(real)        ? static_cast<float>(real)
                           : real > FLT_MAX        ? HUGE_VALF
                           : real < -FLT_MAX       ? -HUGE_VALF
                                                   : static_cast<float>(real);
            StoreF32(field, stored);
            continue;
        }
        // A number too large for its field keeps only its low bits.
        const auto number = static_cast<uint32_t>(ParseLeadingInt(value));
        switch (key.Width) {
        case ProjectFieldWidth::U8: field[0] = static_cast<uint8_t>(number); break;
        case ProjectFieldWidth::U16: WriteU16(field, number); break;
        default: WriteU32(field, number); break;
        }
    }
    return found;
}
