#include "app/TextEncoding.h"

#include "platform/os/CodePage.h"

TextFileEncoding DetectTextEncoding(std::string_view bytes, size_t* markLength) {
    TextFileEncoding encoding = TextFileEncoding::Ansi;
    size_t length = 0;
    if (bytes.substr(0, 2) == Utf16LeMark) {
        encoding = TextFileEncoding::Utf16Le, length = 2;
    } else if (bytes.substr(0, 3) == Utf8Mark) {
        encoding = TextFileEncoding::Utf8Bom, length = 3;
    }
    if (markLength) *markLength = length;
    return encoding;
}

std::string DecodeTextFile(std::string_view bytes, unsigned codePage, TextFileEncoding* encoding) {
    size_t mark = 0;
    const TextFileEncoding found = DetectTextEncoding(bytes, &mark);
    if (encoding) *encoding = found;
    const std::string_view body = bytes.substr(mark);
    switch (found) {
    case TextFileEncoding::Utf16Le: return Utf16LeToUtf8(body);
    case TextFileEncoding::Utf8Bom: return CodePageToUtf8(body, CodePageUtf8);
    case TextFileEncoding::Ansi: break;
    }
    return CodePageToUtf8(body, codePage);
}

std::vector<std::string> SplitTextLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos = 0; pos < text.size(); ++pos) {
        if (text[pos] != '\r' && text[pos] != '\n') continue;
        lines.emplace_back(text.substr(start, pos - start));
        if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n') ++pos;
        start = pos + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

std::string EncodeTextFile(std::string_view text, TextFileEncoding encoding, unsigned codePage, bool* lossless) {
    if (lossless) *lossless = true;
    switch (encoding) {
    case TextFileEncoding::Utf16Le: return std::string(Utf16LeMark) + Utf8ToUtf16Le(text);
    case TextFileEncoding::Utf8Bom: {
        std::string body;
        Utf8ToCodePage(text, CodePageUtf8, body, 0, lossless);
        return std::string(Utf8Mark) + body;
    }
    case TextFileEncoding::Ansi: break;
    }
    std::string bytes;
    Utf8ToCodePage(text, codePage, bytes, '#', lossless);
    return bytes;
}
