#include "app/InfoIni.h"

#include "app/AppGlobals.h"
#include "app/ProfileIni.h"
#include "app/StdioFileEx.h"
#include "app/Utilities.h"

std::string CurrentSection;

namespace {
// The original reads [COM] values into 10-character buffers.
constexpr size_t ComValueCapacity = 10;
constexpr size_t IniStringCapacity = 256;
} // namespace

int LoadComSettings(const std::string& fileName, std::string& timeout) {
    const std::string path = GetSettingsDirectory() + fileName;
    const int port = ParseLeadingInt(ReadProfileString(path, "COM", "port", "", ComValueCapacity));
    timeout = ReadProfileString(path, "COM", "timeout", "", ComValueCapacity);
    return port;
}

bool SaveComSettings(const std::string& fileName, int port, const std::string& timeout) {
    const std::string path = GetSettingsDirectory() + fileName;
    const bool portSaved = WriteProfileString(path, "COM", "port", FormatInt(port));
    return WriteProfileString(path, "COM", "timeout", timeout) && portSaved;
}

std::string GetIniString(const std::string& path, std::string_view section, std::string_view key) {
    return ReadProfileString(path, section, key, "", IniStringCapacity);
}

bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value) {
    return WriteProfileString(path, section, key, value);
}

std::string LoadProjectFilePath() {
    std::string path = GetIniString(InfoIniPath, "Project", "FilePath");
    if (path.empty() || path.front() != '/' || path.find('\\') != std::string::npos) return {};
    return path;
}

bool SaveProjectFilePath(const std::string& path) { return WriteIniString(InfoIniPath, "Project", "FilePath", path); }


void AppendIniSection(std::string& text, std::string_view name) { text.append("[").append(name).append("]\r\n"); }

void AppendIniKey(std::string& text, std::string_view key, std::string_view value) {
    text.append(key).append("=").append(value).append("\r\n");
}


void ReadIniKeyFromFile(std::string& value, CStdioFileEx* file, std::string_view section, std::string_view key) {
    if (!file) return;
    std::string line, lineKey, lineValue;
    while (file->ReadString(line)) {
        if (!line.empty() && line.front() == '[') {
            ParseSectionName(line);
            continue;
        }
        SplitKeyValue(line, lineKey, lineValue);
        if (CurrentSection == section && lineKey == key) {
            value = lineValue;
            return;
        }
    }
}
