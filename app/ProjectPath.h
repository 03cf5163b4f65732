#pragma once
#include <ctime>
#include <string>

// Today's local date as "%Y-%m-%d": the name of a new project.
std::string FormatDateName(std::time_t when);

// Where a project goes when none is named: <program folder>Project/<date>/<date>.pro.
std::string DefaultProjectPath(std::time_t when);

// Makes sure a project file exists at the path. An empty path, or one written for another
// system (a drive letter or backslashes), becomes the dated default path, whose folders are
// created. A missing file is created holding only the UTF-16LE byte-order mark; reading such a
// file changes nothing. Returns false when the file is not there afterwards.
bool EnsureProjectFile(std::string& path);
