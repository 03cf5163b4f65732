#pragma once
#include <string>
#include <string_view>

// 8-bit text in a Windows code page, converted to and from UTF-8 with iconv.
// Supported code pages: 1252 (Western), 936 (Simplified Chinese, GBK) and 65001 (UTF-8).

inline constexpr unsigned CodePageWestern = 1252;
inline constexpr unsigned CodePageChinese = 936;
inline constexpr unsigned CodePageUtf8 = 65001;
// Stands for "the process's ANSI code page", resolved at each conversion.
inline constexpr unsigned CodePageAnsi = 0xFFFFFFFFu;

// The process-wide ANSI code page: 936 under a zh_CN locale, else 1252. Decided from the
// locale on first use, so every file of one run is read and written alike.
unsigned GetAnsiCodePage();
// Replaces the process-wide ANSI code page (tests; a user override). 0 re-reads the locale.
void SetAnsiCodePage(unsigned codePage);
// The code page the ANSI code page would be under the given locale name.
unsigned AnsiCodePageForLocale(std::string_view localeName);

// Bytes in the code page to UTF-8. Bytes that the code page does not define become U+FFFD,
// as the Windows converter does; nothing is ever dropped silently.
std::string CodePageToUtf8(std::string_view bytes, unsigned codePage);

// UTF-8 to bytes in the code page. A character the code page lacks becomes defaultChar
// (when it is not 0) and *lossless is cleared; with defaultChar 0 the conversion stops and
// returns false. Invalid UTF-8 counts as a missing character.
bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out, char defaultChar,
                    bool* lossless = nullptr);

// UTF-16LE bytes to UTF-8 (an odd last byte and unpaired surrogates become U+FFFD).
std::string Utf16LeToUtf8(std::string_view bytes);
// UTF-8 to UTF-16LE bytes (invalid UTF-8 becomes U+FFFD).
std::string Utf8ToUtf16Le(std::string_view utf8);
