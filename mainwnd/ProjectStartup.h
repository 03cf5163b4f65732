#pragma once
#include <ctime>
#include <string>

// "%Y-%m-%d" of a local time: the name of the project file started on that day.
std::string FormatDateName(std::time_t when);
// programFolder + "Project/" + name + "/" + name + ".pro" for today's name.
std::string DefaultProjectPath(const std::string& programFolder, std::time_t now);
// Makes sure a project file exists at path, filling in today's default path when it is empty:
// creates its folders and, when no file is there, one holding only the UTF-16LE byte-order mark.
void EnsureProjectFile(std::string& path, const std::string& programFolder, std::time_t now);
// Whether a project file holds anything to read: a missing file, or one with nothing but a
// byte-order mark and blank space (a file made at first start), would only zero the state.
bool ProjectFileHasContent(const std::string& path);
