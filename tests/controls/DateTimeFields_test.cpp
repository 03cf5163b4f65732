// The date and time pickers' fields without a window: text, parsing, stepping, ranges.
#include <gtest/gtest.h>

#include "controls/logic/DateTimeFields.h"

namespace {
using Kind = DateTimeFields::Kind;
using Values = std::array<int, 3>;

DateTimeFields Make(Kind kind, int a, int b, int c) {
    DateTimeFields f(kind);
    f.Set(a, b, c);
    return f;
}
}  // namespace

TEST(DateTimeFields, DaysInMonth) {
    const std::array<int, 3> rows[] = {{2028, 2, 29}, {2100, 2, 28}, {2000, 2, 29}, {2026, 4, 30}, {2026, 12, 31}};
    for (const auto& [year, month, days] : rows) EXPECT_EQ(DaysInMonth(year, month), days) << year << "-" << month;
}

TEST(DateTimeFields, SetHoldsEachFieldInItsRange) {
    struct Row { Kind K; Values In, Out; const char* Text; };
    const Row rows[] = {
        {Kind::Time, {18, 5, 0}, {18, 5, 0}, "18:05:00"},
        {Kind::Time, {24, 60, -1}, {23, 59, 0}, "23:59:00"},
        {Kind::Date, {2026, 8, 9}, {2026, 8, 9}, "2026-08-09"},
        {Kind::Date, {2026, 2, 31}, {2026, 2, 28}, "2026-02-28"},   // the month's last day
        {Kind::Date, {2028, 2, 30}, {2028, 2, 29}, "2028-02-29"},
        {Kind::Date, {2355, 0, 0}, {2099, 1, 1}, "2099-01-01"},     // a year byte of 255
        {Kind::Date, {1999, 13, 40}, {2000, 12, 31}, "2000-12-31"},
    };
    for (const Row& r : rows) {
        const DateTimeFields f = Make(r.K, r.In[0], r.In[1], r.In[2]);
        EXPECT_EQ(f.Values(), r.Out) << r.Text;
        EXPECT_EQ(f.Text(), r.Text);
    }
}

TEST(DateTimeFields, ParseTakesThreeNumbersInRangeOrNothing) {
    struct Row { Kind K; const char* Text; bool Taken; Values After; };
    const Row rows[] = {
        {Kind::Time, "18:5:30", true, {18, 5, 30}},
        {Kind::Time, " 7 08 09 ", true, {7, 8, 9}},
        {Kind::Time, "24:00:00", false, {1, 2, 3}},
        {Kind::Time, "12:00", false, {1, 2, 3}},
        {Kind::Time, "1:2:3:4", false, {1, 2, 3}},
        {Kind::Time, "", false, {1, 2, 3}},
        {Kind::Time, "000000001:00:00", false, {1, 2, 3}},
        {Kind::Date, "2030/12/31", true, {2030, 12, 31}},
        {Kind::Date, "2027-02-29", false, {2026, 1, 2}},   // no such day
        {Kind::Date, "1999-01-01", false, {2026, 1, 2}},
    };
    for (const Row& r : rows) {
        DateTimeFields f = r.K == Kind::Time ? Make(Kind::Time, 1, 2, 3) : Make(Kind::Date, 2026, 1, 2);
        EXPECT_EQ(f.Parse(r.Text), r.Taken) << r.Text;
        EXPECT_EQ(f.Values(), r.After) << r.Text;
    }
}

TEST(DateTimeFields, StepRunsRoundWithinTheField) {
    struct Row { Kind K; Values From; int Field, Delta; Values To; };
    const Row rows[] = {
        {Kind::Time, {23, 59, 59}, 0, +1, {0, 59, 59}},
        {Kind::Time, {0, 0, 0}, 1, -1, {0, 59, 0}},
        {Kind::Time, {0, 0, 58}, 2, +3, {0, 0, 1}},
        {Kind::Date, {2026, 12, 31}, 1, +1, {2026, 1, 31}},
        {Kind::Date, {2026, 1, 31}, 1, +1, {2026, 2, 28}},   // the day follows the month
        {Kind::Date, {2026, 2, 28}, 2, +1, {2026, 2, 1}},
        {Kind::Date, {2099, 5, 5}, 0, +1, {2000, 5, 5}},
        {Kind::Time, {1, 2, 3}, 3, +1, {1, 2, 3}},           // no such field
    };
    for (const Row& r : rows) {
        DateTimeFields f = Make(r.K, r.From[0], r.From[1], r.From[2]);
        f.Step(r.Field, r.Delta);
        EXPECT_EQ(f.Values(), r.To) << r.Field << " " << r.Delta;
    }
}

TEST(DateTimeFields, CaretPositionsNameTheirField) {
    const DateTimeFields date(Kind::Date), time(Kind::Time);
    // "2000-01-01": the caret before or just after a field stands in it.
    const std::pair<size_t, int> dates[] = {{0, 0}, {4, 0}, {5, 1}, {7, 1}, {8, 2}, {10, 2}};
    for (const auto& [pos, field] : dates) EXPECT_EQ(date.FieldAt(pos), field) << pos;
    const std::pair<size_t, int> times[] = {{0, 0}, {2, 0}, {3, 1}, {5, 1}, {6, 2}, {8, 2}};
    for (const auto& [pos, field] : times) EXPECT_EQ(time.FieldAt(pos), field) << pos;
    EXPECT_EQ(date.FieldSpan(1), (std::pair<size_t, size_t>{5, 2}));
    EXPECT_EQ(time.FieldSpan(2), (std::pair<size_t, size_t>{6, 2}));
}
