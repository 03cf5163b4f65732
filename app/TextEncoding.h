#pragma once
#include "platform/os/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

// How a text file of the program is stored. Windows-made files are UTF-16LE after the mark
// FF FE, or 8-bit text in the ANSI code page; a file that starts with the UTF-8 mark EF BB BF
// (as editors save them) is read as UTF-8.
enum class TextFileEncoding { Ansi, Utf16Le, Utf8Bom };

inline constexpr std::string_view Utf16LeMark = "\xFF\xFE";
inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// The encoding the first bytes announce, and the length of its byte-order mark.
TextFileEncoding DetectTextEncoding(std::string_view bytes, size_t* markLength = nullptr);

// A whole file's bytes (mark included) to UTF-8 text; 8-bit text is read in codePage.
std::string DecodeTextFile(std::string_view bytes, unsigned codePage, TextFileEncoding* encoding = nullptr);

// Lines of the text, without their ends. A line ends in CR LF, LF or CR; a last line without
// an end counts; an end at the very end of the text adds no empty line.
std::vector<std::string> SplitTextLines(std::string_view text);

// UTF-8 text to file bytes in the encoding, mark included. 8-bit text is written in codePage
// and a character it lacks becomes "#"; *lossless tells whether that happened.
std::string EncodeTextFile(std::string_view text, TextFileEncoding encoding, unsigned codePage,
                           bool* lossless = nullptr);
