#include "platform/os/CodePage.h"

#include "platform/os/SystemLanguage.h"

#include <iconv.h>

#include <atomic>
#include <cerrno>
#include <vector>

namespace {

constexpr char32_t Replacement = 0xFFFD;

std::atomic<unsigned> ProcessAnsiCodePage{0};

// Length of the well-formed UTF-8 sequence at s[pos] and its code point; 0 when malformed
// (overlong forms, surrogates and values above U+10FFFF included).
size_t DecodeUtf8Char(std::string_view s, size_t pos, char32_t& cp) {
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        cp = lead;
        return 1;
    }
    size_t length;
    char32_t minimum;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, minimum = 0x80, cp = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, minimum = 0x800, cp = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, minimum = 0x10000, cp = lead & 0x07;
    } else {
        return 0;
    }
    if (pos + length > s.size()) return 0;
    for (size_t i = 1; i < length; ++i) {
        if ((byte(pos + i) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(pos + i) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string SanitizedUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (size_t pos = 0; pos < bytes.size();) {
        char32_t cp;
        const size_t length = DecodeUtf8Char(bytes, pos, cp);
        if (length == 0) {
            AppendUtf8(out, Replacement);
            ++pos;
        } else {
            out.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

unsigned Resolve(unsigned codePage) { return codePage == CodePageAnsi ? GetAnsiCodePage() : codePage; }

const char* IconvName(unsigned codePage) { return codePage == CodePageChinese ? "CP936" : "CP1252"; }

// Code page 1252 leaves five bytes undefined; Windows passes them through as the C1 control
// characters of the same value, and so do we, so such a file survives a round trip.
bool IsCp1252Gap(char32_t value) {
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

// One conversion direction. Descriptors are opened once per thread and reused: opening one is
// far dearer than a short conversion.
class Iconv {
public:
    Iconv(const char* to, const char* from) : cd_(Cached(to, from)) {
        if (ok()) iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    }
    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    // Converts as much as it can; returns false with errno set at the first byte it cannot.
    bool Convert(const char*& in, size_t& inLeft, std::string& out) {
        char buffer[4096];
        while (inLeft > 0) {
            char* in_ptr = const_cast<char*>(in);
            char* out_ptr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t result = iconv(cd_, &in_ptr, &inLeft, &out_ptr, &outLeft);
            const int error = errno;
            out.append(buffer, static_cast<size_t>(out_ptr - buffer));
            in = in_ptr;
            if (result == static_cast<size_t>(-1) && error != E2BIG) {
                iconv(cd_, nullptr, nullptr, nullptr, nullptr);
                errno = error;
                return false;
            }
        }
        return true;
    }

private:
    static iconv_t Cached(const char* to, const char* from) {
        struct Entry {
            std::string To, From;
            iconv_t Cd;
        };
        struct Cache {
            std::vector<Entry> Entries;
            ~Cache() {
                for (auto& entry : Entries)
                    if (entry.Cd != reinterpret_cast<iconv_t>(-1)) iconv_close(entry.Cd);
            }
        };
        thread_local Cache cache;
        for (const auto& entry : cache.Entries)
            if (entry.To == to && entry.From == from) return entry.Cd;
        cache.Entries.push_back({to, from, iconv_open(to, from)});
        return cache.Entries.back().Cd;
    }

    iconv_t cd_;
};

} // namespace

unsigned AnsiCodePageForLocale(std::string_view localeName) {
    return IsSimplifiedChineseLocale(localeName) ? CodePageChinese : CodePageWestern;
}

unsigned GetAnsiCodePage() {
    unsigned codePage = ProcessAnsiCodePage.load();
    if (codePage == 0) {
        codePage = AnsiCodePageForLocale(GetSystemLocaleName());
        ProcessAnsiCodePage.store(codePage);
    }
    return codePage;
}

void SetAnsiCodePage(unsigned codePage) { ProcessAnsiCodePage.store(codePage); }

std::string CodePageToUtf8(std::string_view bytes, unsigned codePage) {
    codePage = Resolve(codePage);
    if (codePage == CodePageUtf8) return SanitizedUtf8(bytes);
    std::string out;
    out.reserve(bytes.size());
    Iconv converter("UTF-8", IconvName(codePage));
    const char* in = bytes.data();
    size_t inLeft = bytes.size();
    while (inLeft > 0) {
        if (!converter.ok() || !converter.Convert(in, inLeft, out)) {
            const auto byte = static_cast<unsigned char>(*in);
            AppendUtf8(out, codePage == CodePageWestern && IsCp1252Gap(byte) ? byte : Replacement);
            ++in;
            --inLeft;
        }
    }
    return out;
}

bool Utf8ToCodePage(std::string_view utf8, unsigned codePage, std::string& out, char defaultChar,
                    bool* lossless) {
    out.clear();
    codePage = Resolve(codePage);
    if (lossless) *lossless = true;
    if (codePage == CodePageUtf8) {
        out = SanitizedUtf8(utf8);
        if (lossless && out != utf8) *lossless = false;
        return true;
    }
    Iconv converter(IconvName(codePage), "UTF-8");
    const char* in = utf8.data();
    size_t inLeft = utf8.size();
    while (inLeft > 0) {
        if (converter.ok() && converter.Convert(in, inLeft, out)) break;
        const size_t offset = utf8.size() - inLeft;
        char32_t cp = 0;
        size_t length = DecodeUtf8Char(utf8, offset, cp);
        if (length != 0 && codePage == CodePageWestern && IsCp1252Gap(cp)) {
            out += static_cast<char>(cp);
        } else {
            if (length == 0) length = 1;
            if (lossless) *lossless = false;
            if (defaultChar == 0) return false;
            out += defaultChar;
        }
        in += length;
        inLeft -= length;
    }
    return true;
}

std::string Utf16LeToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    const size_t units = bytes.size() / 2;
    const auto unit = [&](size_t i) {
        return static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                     (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    };
    for (size_t i = 0; i < units; ++i) {
        const char16_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units && unit(i + 1) >= 0xDC00 && unit(i + 1) <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, Replacement);
        } else {
            AppendUtf8(out, u);
        }
    }
    if (bytes.size() % 2) AppendUtf8(out, Replacement);
    return out;
}

std::string Utf8ToUtf16Le(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size() * 2);
    const auto put = [&](char32_t u) {
        out += static_cast<char>(u & 0xFF);
        out += static_cast<char>((u >> 8) & 0xFF);
    };
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t cp;
        size_t length = DecodeUtf8Char(utf8, pos, cp);
        if (length == 0) cp = Replacement, length = 1;
        if (cp >= 0x10000) {
            put(0xD800 + ((cp - 0x10000) >> 10));
            put(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            put(cp);
        }
        pos += length;
    }
    return out;
}
