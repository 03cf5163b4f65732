#pragma once
#include "platform/os/AppDirectory.h"
#include "platform/os/SerialPorts.h"

#include <string>
#include <string_view>
#include <vector>

// Path, text and address helpers shared by the core. Paths use '/'.

// A project's name from its path: the text between the last '/' and the first '.' after it.
// With no '.' after the last '/' the path is given whole; with no '/' at all, the part before
// the first '.' (the whole text when it has none). Only the file's own name counts its dots: a
// project under a dotted folder (~/.local/share/...) would otherwise have an empty name.
std::string GetFileTitlePart(std::string_view path);

// Splits at the first '='; both stay empty when there is none.
void SplitKeyValue(std::string_view line, std::string& key, std::string& value);
// Sets CurrentSection from a section line: the text after the first '[' up to the first ']'.
// Returns it.
const std::string& ParseSectionName(std::string_view line);
// A dotted IPv4 address: four decimal parts 0..255, no sign, no leading zero, nothing else.
// Letters or a part of 300 would otherwise reach the link or become some other machine's id.
bool IsValidIPv4(std::string_view text);
// The fourth part's value (a machine's device id); 0 for a text that fails IsValidIPv4.
int GetIPv4LastOctet(std::string_view text);

// The serial ports by COM number (see SerialPorts.h). false when no source of ports could be read.
bool EnumSerialPorts(std::vector<SerialPortInfo>& list);
