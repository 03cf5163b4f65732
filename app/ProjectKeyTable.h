#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Width of a StateBlock field as a project file stores it.
enum class ProjectFieldWidth : uint8_t { U8, U16, U32, I32, F32 };

// One key line of a project file: its section, its name and the StateBlock field it carries.
struct ProjectKey {
    std::string Section;
    std::string Key;
    uint16_t Offset;
    ProjectFieldWidth Width;
};

// Every key of a project file in file order. The reader scans forward only, so this order is
// part of the format: files written by every earlier version of the program follow it.
const std::vector<ProjectKey>& ProjectKeyTable();

// The 13 section names in file order.
const std::vector<std::string>& ProjectSectionNames();
