#include <gtest/gtest.h>

#include "controls/logic/NumberFormat.h"
#include "controls/logic/NumericEditModel.h"

namespace {
// Types `text` at the end of the edit as the operator would; false when a key was refused.
bool Type(NumericEditModel& m, const std::string& text) {
    std::string shown = m.Text();
    for (char ch : text) {
        const int at = static_cast<int>(shown.size());
        if (!m.AcceptChar(ch, at, at))
            return false;
        shown += ch;
        m.OnTextChanged(shown);
    }
    return true;
}

// Selects everything and types `text` over it.
bool Replace(NumericEditModel& m, const std::string& text) {
    const int length = static_cast<int>(m.Text().size());
    if (!text.empty() && !m.AcceptChar(text[0], 0, length))
        return false;
    m.OnTextChanged(text.substr(0, 1));
    return Type(m, text.substr(1));
}
}  // namespace

TEST(NumberFormat, FormatsAsThePagesAskLocaleFree) {
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%d"), 12.7), "12");
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%d"), -1.5), "-1");
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%.1f"), 2.26), "2.3");
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%.2f"), 0.5), "0.50");
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%03d"), 7), "007");
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%d ms"), 40), "40 ms");
    // A format that is not a number's prints as an integer, never as raw printf.
    EXPECT_EQ(FormatNumber(ParseNumberFormat("%s"), 5), "5");
}

TEST(NumberFormat, ParsesTheLeadingNumberOrZero) {
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("12abc"), 12);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(" 7"), 7);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("-5"), -5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("abc"), 0);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber("--5"), 0);
    EXPECT_DOUBLE_EQ(ParseLeadingNumber(""), 0);
}

TEST(NumericEdit, FiveThousandInFiveHundredTo4096CommitsTheMaximum) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 500, 4096, "%d", 1000);
    EXPECT_EQ(m.MaxChars(), 4);
    ASSERT_TRUE(Replace(m, "5000"));
    EXPECT_TRUE(m.OnEnter());
    EXPECT_EQ(m.Text(), "4096");
    EXPECT_FLOAT_EQ(m.Value(), 4096);
}

TEST(NumericEdit, SignedRangeTakesTheMinusOnlyInFront) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 100, -100, "%d", 0);
    EXPECT_FLOAT_EQ(m.Min(), -100);
    EXPECT_FLOAT_EQ(m.Max(), 100);
    EXPECT_EQ(m.MaxChars(), 4);
    EXPECT_TRUE(m.AllowedChars() & AllowMinus);
    m.OnTextChanged("5");
    EXPECT_FALSE(m.AcceptChar('-', 1, 1));
    EXPECT_TRUE(m.AcceptChar('-', 0, 0));
    // A second sign only by replacing the first ("--5" is refused).
    m.OnTextChanged("-5");
    EXPECT_FALSE(m.AcceptChar('-', 0, 0));
    EXPECT_TRUE(m.AcceptChar('-', 0, 1));
    // Nothing goes in front of the sign.
    EXPECT_FALSE(m.AcceptChar('7', 0, 0));
}

TEST(NumericEdit, UnsignedRangeRefusesMinusAndLetters) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 255, "%d", 10);
    EXPECT_FALSE(m.AcceptChar('-', 0, 0));
    EXPECT_FALSE(m.AcceptChar('a', 0, 0));
    EXPECT_FALSE(m.AcceptChar('.', 1, 1));
    EXPECT_EQ(m.MaxChars(), 3);
}

TEST(NumericEdit, PointFormatAllowsOnePointWithRoomForADecimal) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 5, "%.1f", 1);
    EXPECT_EQ(m.MaxChars(), 4);
    EXPECT_FLOAT_EQ(m.Scale(), 100);
    m.OnTextChanged("12");
    EXPECT_TRUE(m.AcceptChar('.', 1, 1));
    EXPECT_FALSE(m.AcceptChar('.', 0, 0));   // not in front
    EXPECT_TRUE(m.AcceptChar('.', 2, 2));    // "12." still has room for one decimal
    m.OnTextChanged("123");
    EXPECT_FALSE(m.AcceptChar('.', 3, 3));   // no room left for a decimal
    m.OnTextChanged("1.5");
    EXPECT_FALSE(m.AcceptChar('.', 3, 3));   // a second point
    EXPECT_TRUE(m.AcceptChar('.', 1, 2));    // replacing the point
}

TEST(NumericEdit, NoSecondLeadingZero) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 9999, "%d", 0);
    ASSERT_EQ(m.Text(), "0");
    EXPECT_FALSE(m.AcceptChar('0', 1, 1));
    EXPECT_TRUE(m.AcceptChar('0', 0, 1));    // replacing the zero
}

TEST(NumericEdit, EnterOnAnUntouchedEditPostsNothing) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 100, "%d", 50);
    EXPECT_FALSE(m.OnEnter());
    EXPECT_FALSE(m.OnFocusLost());
    m.SetValue(70);   // a device refresh is not an edit
    EXPECT_FALSE(m.OnEnter());
}

TEST(NumericEdit, CommitsOnEnterAndOnFocusLossAfterAnEdit) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 100, "%d", 50);
    ASSERT_TRUE(Replace(m, "42"));
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FLOAT_EQ(m.Value(), 42);
    EXPECT_TRUE(m.OnFocusLost());
}

TEST(NumericEdit, ValueIsClampedAndTheTextRewrittenBySetValue) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 500, 4096, "%d", 100);
    EXPECT_FLOAT_EQ(m.Value(), 500);
    EXPECT_EQ(m.Text(), "500");
    m.SetValue(9000);
    EXPECT_EQ(m.Text(), "4096");
}

TEST(NumericEdit, PastedFractionInAWholeNumberFieldIsDropped) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 100, "%d", 0);
    m.OnDeleteKey();                 // the paste counts as an edit
    m.OnTextChanged("12.7");
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FLOAT_EQ(m.Value(), 12);
    EXPECT_EQ(m.Text(), "12");
}

TEST(NumericEdit, TextThatIsNoNumberCommitsAsTheClampedZero) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 5, 10, "%d", 7);
    m.OnDeleteKey();
    m.OnTextChanged("");
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FLOAT_EQ(m.Value(), 5);
    EXPECT_EQ(m.Text(), "5");
}

TEST(NumericEdit, WheelStepsOneNotchWithoutPostingButTheNextEnterSendsIt) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 10, "%d", 9);
    m.OnWheelNotch(+1);
    EXPECT_EQ(m.Text(), "10");
    m.OnWheelNotch(+1);
    EXPECT_EQ(m.Text(), "10");       // clamped
    m.OnWheelNotch(-1);
    EXPECT_EQ(m.Text(), "9");
    EXPECT_TRUE(m.OnEnter());
}

TEST(NumericEdit, MinimumOfAWideNegativeRangeCanBeTypedWhole) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, -1000, 10, "%d", 0);
    EXPECT_EQ(m.MaxChars(), 5);
}

TEST(SliderEdit, PointFormatLinksASliderOfHundredths) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 5, "%.1f", 2);
    const auto link = m.LinkSlider();
    EXPECT_EQ(link.Min, 0);
    EXPECT_EQ(link.Max, 500);
    EXPECT_EQ(link.Page, 250);
    EXPECT_EQ(link.Pos, 200);
}

TEST(SliderEdit, SliderPositionIsRoundedNotTruncated) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 1, "%.2f", 0.29f);
    EXPECT_EQ(m.SliderPosition(), 29);
}

TEST(SliderEdit, SliderMovesNotifyOnlyWhenFinal) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 5, "%.1f", 0);
    EXPECT_FALSE(m.OnSliderMoved(120, false));
    EXPECT_EQ(m.Text(), "1.2");
    EXPECT_FALSE(m.Committed());
    EXPECT_TRUE(m.OnSliderMoved(250, true));
    EXPECT_FLOAT_EQ(m.Value(), 2.5f);
    EXPECT_TRUE(m.Committed());
    // Already committed: Enter and focus loss send nothing more.
    EXPECT_FALSE(m.OnEnter());
    EXPECT_FALSE(m.OnFocusLost());
}

TEST(SliderEdit, TypingMovesTheSliderAndEnterCommitsOnce) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 100, "%d", 0);
    ASSERT_TRUE(Replace(m, "64"));
    EXPECT_EQ(m.SliderPosition(), 64);
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FALSE(m.OnEnter());
}

TEST(SliderEdit, AnActionCommitsTheTypingAndTheFocusLossItBringsSendsNothingMore) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 0, 100, "%d", 50);
    ASSERT_TRUE(Replace(m, "77"));
    EXPECT_TRUE(m.OnActionWhileFocused());
    m.SetValue(40);                      // the device's answer to the action, shown first
    EXPECT_FALSE(m.OnFocusLost());
    EXPECT_TRUE(m.OnFocusLost());        // a later focus loss sends what is shown, as before
    EXPECT_FALSE(m.OnActionWhileFocused());
    ASSERT_TRUE(Replace(m, "64"));       // typed after the action: its focus loss sends it
    EXPECT_TRUE(m.OnFocusLost());
}

TEST(SliderEdit, PartialNumberBelowTheMinimumIsNotRewrittenWhileTyping) {
    NumericEditModel m(NumericEditModel::Kind::Slider);
    m.SetRange(true, 10, 100, "%d", 50);
    ASSERT_TRUE(Replace(m, "5"));
    EXPECT_EQ(m.Text(), "5");        // the operator is on the way to "55"
    ASSERT_TRUE(Type(m, "5"));
    EXPECT_EQ(m.Text(), "55");
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FLOAT_EQ(m.Value(), 55);
    ASSERT_TRUE(Replace(m, "5"));
    EXPECT_TRUE(m.OnFocusLost());
    EXPECT_EQ(m.Text(), "10");
}

namespace {
// A value from the device (a record) reaching an edit while the operator is at it.
struct RecordWhileTypingRow {
    const char* Name;
    NumericEditModel::Kind Kind;
    const char* Before;      // typed over the whole text before the record ("" : nothing)
    const char* After;       // typed after it (over the whole text when nothing was typed before)
    const char* ShownAfterRecord;
    bool EnterCommits;
    float Committed;         // the value after the Enter
};

const RecordWhileTypingRow RecordWhileTypingRows[] = {
    {"TypedTextOutlivesTheRecord", NumericEditModel::Kind::Plain, "33", "", "33", true, 33},
    {"SliderTypedTextOutlivesTheRecord", NumericEditModel::Kind::Slider, "33", "", "33", true, 33},
    {"DigitsEitherSideOfTheRecordJoin", NumericEditModel::Kind::Slider, "3", "5", "3", true, 35},
    {"TypedAboveTheRangeIsClampedOnCommit", NumericEditModel::Kind::Plain, "150", "", "150", true, 100},
    {"FocusedButUntypedShowsTheRecord", NumericEditModel::Kind::Plain, "", "", "20", false, 20},
    {"TypedAfterTheRecordIsCommitted", NumericEditModel::Kind::Plain, "", "64", "20", true, 64},
};

void PrintTo(const RecordWhileTypingRow& row, std::ostream* out) { *out << row.Name; }

class RecordWhileTyping : public ::testing::TestWithParam<RecordWhileTypingRow> {};
}  // namespace

TEST_P(RecordWhileTyping, WhatIsTypedIsWhatIsCommitted) {
    const RecordWhileTypingRow& row = GetParam();
    NumericEditModel m(row.Kind);
    m.SetRange(true, 0, 100, "%d", 50);
    m.OnFocusGained();
    const std::string before = row.Before, after = row.After;
    if (!before.empty()) {
        ASSERT_TRUE(Replace(m, before));
    }
    EXPECT_EQ(m.Typing(), !before.empty());
    m.SetValue(20);
    EXPECT_EQ(m.Text(), row.ShownAfterRecord);
    if (!after.empty()) {
        ASSERT_TRUE(before.empty() ? Replace(m, after) : Type(m, after));
    }
    EXPECT_EQ(m.OnEnter(), row.EnterCommits);
    EXPECT_FLOAT_EQ(m.Value(), row.Committed);
    EXPECT_FALSE(m.Typing());
}

INSTANTIATE_TEST_SUITE_P(NumericEdit, RecordWhileTyping, ::testing::ValuesIn(RecordWhileTypingRows),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(NumericEdit, OnceCommittedOrLeftTheEditShowsTheDevicesValues) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 100, "%d", 50);
    m.OnFocusGained();
    ASSERT_TRUE(Replace(m, "33"));
    EXPECT_TRUE(m.OnEnter());
    m.SetValue(34);                      // the device's answer to the commit
    EXPECT_EQ(m.Text(), "34");
    ASSERT_TRUE(Replace(m, "40"));
    EXPECT_TRUE(m.OnFocusLost());
    m.SetValue(41);
    EXPECT_EQ(m.Text(), "41");
    // Without the focus nothing is being typed here.
    ASSERT_TRUE(Replace(m, "42"));
    m.SetValue(43);
    EXPECT_EQ(m.Text(), "43");
}

TEST(NumericEdit, AWheelStepIsKeptLikeTypingAndANewRangeDropsIt) {
    NumericEditModel m(NumericEditModel::Kind::Plain);
    m.SetRange(true, 0, 10, "%d", 5);
    m.OnFocusGained();
    m.OnWheelNotch(+1);
    m.SetValue(2);
    EXPECT_EQ(m.Text(), "6");
    EXPECT_TRUE(m.OnEnter());
    EXPECT_FLOAT_EQ(m.Value(), 6);
    ASSERT_TRUE(Replace(m, "9"));
    m.SetRange(true, 0, 20, "%d", 12);
    EXPECT_EQ(m.Text(), "12");
    EXPECT_FALSE(m.Typing());
}
