#pragma once
#include <string>

// The program folder: the folder of the running program, or VELKAN_HOME when that is set. Ports/
// and the fonts are looked up here. Always ends in '/'.
std::string GetAppDirectory();

// The folder of the running program itself, where the shipped Language/ files are installed.
std::string GetInstallDirectory();

// The per-user folder: $XDG_DATA_HOME/velkan/, or ~/.local/share/velkan/ when that is unset.
std::string GetPerUserDirectory();

// Where Info.ini, Language/ and Project/ live: the program folder when it can be written (an
// install under /usr cannot), else the per-user folder. Always ends in '/'.
std::string GetSettingsDirectory();

struct SettingsDirectoryReport {
    std::string Folder;        // GetSettingsDirectory()
    bool PerUser = false;      // the program folder cannot be written
    bool CreatedNow = false;   // the per-user folder was made by this call (its first use)
};

// Run once at start: makes the settings folder when it is the per-user one, and gives a folder
// without language files the shipped ones (from the program folder, else from beside the program).
SettingsDirectoryReport PrepareSettingsDirectory();
