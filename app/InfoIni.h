#pragma once
#include "app/NumberText.h"

#include <string>
#include <string_view>

class CStdioFileEx;

// Info.ini in the program folder holds the settings that are not device state:
//   [COM]       port (decimal COM number), timeout (the program writes "1")
//   [Setting]   Language ("English" or "Chinese")
//   [Project]   FilePath (full path of the current project file)
//   [PNAMESTR], [REMARKSTR], and one section per machine MAC: owned by their pages.
// It is read and written by the Windows profile rules (ProfileIni.h).

// The section name the project scanner last passed; shared with ParseSectionName. It is
// process-wide: a reader of a new file clears it first.
extern std::string CurrentSection;

// The saved COM port number of <program folder><fileName> (0 when missing or not a number);
// the timeout text goes to timeout. Both values are read as at most 9 characters.
int LoadComSettings(const std::string& fileName, std::string& timeout);
// Writes port, then timeout, into [COM]. false when the file could not be written.
bool SaveComSettings(const std::string& fileName, int port, const std::string& timeout);

// A key's text (at most 255 characters), empty when missing.
std::string GetIniString(const std::string& path, std::string_view section, std::string_view key);
// Writes a key (the file is created when missing). false when it could not be written.
bool WriteIniString(const std::string& path, std::string_view section, std::string_view key,
                    std::string_view value);

// The recorded project path in Info.ini; empty when none, or when it is not an absolute path
// of this system (a Windows path such as "C:\x\y.pro" counts as none).
std::string LoadProjectFilePath();
bool SaveProjectFilePath(const std::string& path);


// Project-file lines: "[name]\r\n" and "key=value\r\n".
void AppendIniSection(std::string& text, std::string_view name);
void AppendIniKey(std::string& text, std::string_view key, std::string_view value);

// A forward scan of a project file by its line rules: reads on from the file's position to the
// first line "key=value" inside section [section] (names compared exactly, nothing trimmed) and
// puts its value into value. At the end of the file value stays as it was. Never rewinds.
// The project reader applies the same rules through ProjectKeyScanner; only the text-file fuzz
// target still reads this way.
void ReadIniKeyFromFile(std::string& value, CStdioFileEx* file, std::string_view section, std::string_view key);
