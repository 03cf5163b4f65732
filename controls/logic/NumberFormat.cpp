#include "controls/logic/NumberFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

NumberFormat ParseNumberFormat(std::string_view format) {
    NumberFormat result;
    const auto percent = format.find('%');
    if (percent == std::string_view::npos)
        return result;
    std::size_t i = percent + 1;
    while (i < format.size() && (format[i] == '0' || format[i] == '-' || format[i] == '+' || format[i] == ' ')) {
        if (format[i] == '0')
            result.ZeroPad = true;
        ++i;
    }
    while (i < format.size() && format[i] >= '0' && format[i] <= '9')
        result.Width = std::min(40, result.Width * 10 + (format[i++] - '0'));
    int precision = -1;
    if (i < format.size() && format[i] == '.') {
        precision = 0;
        ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            precision = std::min(12, precision * 10 + (format[i++] - '0'));
    }
    while (i < format.size() && (format[i] == 'l' || format[i] == 'h'))
        ++i;
    if (i >= format.size())
        return NumberFormat{};
    const char conversion = format[i];
    if (conversion == 'f' || conversion == 'F') {
        result.Fixed = true;
        result.Precision = precision < 0 ? 6 : precision;
    } else if (conversion != 'd' && conversion != 'i' && conversion != 'u') {
        return NumberFormat{};
    }
    result.Prefix = std::string(format.substr(0, percent));
    result.Suffix = std::string(format.substr(i + 1));
    return result;
}

std::string FormatNumber(const NumberFormat& format, double value) {
    char buffer[64];
    std::to_chars_result written;
    if (!std::isfinite(value))
        value = 0;
    if (format.Fixed) {
        written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, format.Precision);
    } else {
        const double limited = std::clamp(std::trunc(value), -9.0e15, 9.0e15);
        written = std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::int64_t>(limited));
    }
    std::string number(buffer, written.ec == std::errc() ? written.ptr : buffer);
    if (static_cast<int>(number.size()) < format.Width) {
        const std::size_t pad = static_cast<std::size_t>(format.Width) - number.size();
        if (format.ZeroPad) {
            const std::size_t at = (!number.empty() && number[0] == '-') ? 1 : 0;
            number.insert(at, pad, '0');
        } else {
            number.insert(0, pad, ' ');
        }
    }
    return format.Prefix + number + format.Suffix;
}

double ParseLeadingNumber(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t'))
        ++start;
    if (start < text.size() && text[start] == '+')
        ++start;
    double value = 0;
    auto [end, error] = std::from_chars(text.data() + start, text.data() + text.size(), value,
                                        std::chars_format::fixed);
    (void)end;
    if (error != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}
