#include "app/Utilities.h"

#include "app/InfoIni.h"
#include "app/NumberText.h"

#include <filesystem>
#include <system_error>

std::string GetFileTitlePart(std::string_view path) {
    const size_t slash = path.rfind('/');
    const size_t dot = path.find('.', slash == std::string_view::npos ? 0 : slash + 1);
    if (dot == std::string_view::npos) return std::string(path);
    const size_t start = slash == std::string_view::npos ? 0 : slash + 1;
    return std::string(path.substr(start, dot - start));
}

void SplitKeyValue(std::string_view line, std::string& key, std::string& value) {
    key.clear();
    value.clear();
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) return;
    key = line.substr(0, equals);
    value = line.substr(equals + 1);
}

const std::string& ParseSectionName(std::string_view line) {
    CurrentSection.clear();
    const size_t open = line.find('[');
    const size_t close = line.find(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close >= 1)
        CurrentSection = line.substr(open + 1, close - 1);
    return CurrentSection;
}

bool IsValidIPv4(std::string_view text) {
    int parts = 0;
    size_t at = 0;
    while (true) {
        size_t digits = 0;
        unsigned value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9' && digits < 4) {
            value = value * 10 + static_cast<unsigned>(text[at] - '0');
            ++digits;
            ++at;
        }
        if (digits == 0 || digits > 3 || value > 255) return false;
        if (digits > 1 && text[at - digits] == '0') return false; // "010" reads as octal elsewhere
        ++parts;
        if (at == text.size()) return parts == 4;
        if (text[at] != '.' || parts == 4) return false;
        ++at;
    }
}

int GetIPv4LastOctet(std::string_view text) {
    if (!IsValidIPv4(text)) return 0;
    return ParseLeadingInt(text.substr(text.rfind('.') + 1));
}

bool EnumSerialPorts(std::vector<SerialPortInfo>& list) {
    std::vector<std::string> system;
    const bool systemListed = ListSystemSerialDevices(system);
    const std::string portsFolder = GetAppDirectory() + "Ports";
    std::error_code ec;
    const bool portsFolderThere = std::filesystem::is_directory(portsFolder, ec);
    list = MergeSerialPorts(portsFolder, system);
    return systemListed || portsFolderThere;
}
