#pragma once
// What a date or time picker knows, apart from its window: three numbers (year, month, day or
// hour, minute, second) shown with separators, each kept in its range and stepped on its own.
#include <array>
#include <cstddef>
#include <string>

// The days of a month (February of a leap year has 29).
int DaysInMonth(int year, int month);

class DateTimeFields {
public:
    enum class Kind { Date, Time };
    // Dates from 2000 to 2099: the device stores the year as one byte, year - 2000.
    static constexpr int FirstYear = 2000, LastYear = 2099;

    explicit DateTimeFields(Kind kind);
    Kind GetKind() const { return FieldKind; }

    // Takes the three numbers, each held in its range (a day the month lacks becomes its last).
    void Set(int first, int second, int third);
    const std::array<int, 3>& Values() const { return Fields; }

    // "2026-08-09" or "18:05:00".
    std::string Text() const;
    // The field (0..2) that a caret at text position `pos` of Text() stands in.
    int FieldAt(size_t pos) const;
    // Where field i lies in Text(): first position and length.
    std::pair<size_t, size_t> FieldSpan(int field) const;

    // One step up or down; a time field runs round (59 -> 0), a date field too (12 -> 1).
    void Step(int field, int delta);
    // Three numbers separated by anything but digits ("18:5:0", "2026/8/9"); false, and the
    // values unchanged, when the text is not such a date or time.
    bool Parse(const std::string& text);

private:
    int Low(int field) const;
    int High(int field) const;

    Kind FieldKind;
    std::array<int, 3> Fields{};
};
