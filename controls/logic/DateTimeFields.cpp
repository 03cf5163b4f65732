#include "controls/logic/DateTimeFields.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 31;
    if (month == 2 && ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)) return 29;
    return days[month - 1];
}

DateTimeFields::DateTimeFields(Kind kind) : FieldKind(kind) {
    if (kind == Kind::Date) Fields = {FirstYear, 1, 1};
}

int DateTimeFields::Low(int field) const {
    if (FieldKind == Kind::Time) return 0;
    return field == 0 ? FirstYear : 1;
}

int DateTimeFields::High(int field) const {
    if (FieldKind == Kind::Time) return field == 0 ? 23 : 59;
    if (field == 0) return LastYear;
    if (field == 1) return 12;
    return DaysInMonth(Fields[0], Fields[1]);
}

void DateTimeFields::Set(int first, int second, int third) {
    const int values[] = {first, second, third};
    // In order: the day's range depends on the year and month just taken.
    for (int i = 0; i < 3; ++i) Fields[i] = std::clamp(values[i], Low(i), High(i));
}

std::string DateTimeFields::Text() const {
    char text[32];
    if (FieldKind == Kind::Date)
        std::snprintf(text, sizeof text, "%04d-%02d-%02d", Fields[0], Fields[1], Fields[2]);
    else
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", Fields[0], Fields[1], Fields[2]);
    return text;
}

std::pair<size_t, size_t> DateTimeFields::FieldSpan(int field) const {
    const size_t first = FieldKind == Kind::Date ? 4 : 2;
    if (field <= 0) return {0, first};
    if (field == 1) return {first + 1, 2};
    return {first + 4, 2};
}

int DateTimeFields::FieldAt(size_t pos) const {
    // A caret just after a field (before its separator) still stands in it.
    for (int i = 0; i < 2; ++i) {
        const auto [start, length] = FieldSpan(i);
        if (pos <= start + length) return i;
    }
    return 2;
}

void DateTimeFields::Step(int field, int delta) {
    if (field < 0 || field > 2) return;
    const int low = Low(field), span = High(field) - low + 1;
    int values[] = {Fields[0], Fields[1], Fields[2]};
    values[field] = low + ((values[field] - low + delta) % span + span) % span;
    Set(values[0], values[1], values[2]);
}

bool DateTimeFields::Parse(const std::string& text) {
    std::array<int, 3> numbers{};
    int count = 0;
    size_t at = 0;
    while (at < text.size()) {
        if (!std::isdigit(static_cast<unsigned char>(text[at]))) {
            ++at;
            continue;
        }
        if (count == 3) return false;
        long value = 0;
        size_t digits = 0;
        for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at, ++digits)
            if (digits < 6) value = value * 10 + (text[at] - '0');
        if (digits > 4) return false;
        numbers[count++] = static_cast<int>(value);
    }
    if (count != 3) return false;
    DateTimeFields parsed(FieldKind);
    parsed.Set(numbers[0], numbers[1], numbers[2]);
    if (parsed.Values() != numbers) return false;   // out of range: not a date or time
    Fields = numbers;
    return true;
}
