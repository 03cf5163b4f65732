#include <gtest/gtest.h>

#include "controls/logic/ButtonStateModel.h"
#include "controls/logic/GifTiming.h"
#include "controls/logic/KitLayout.h"
#include "controls/logic/KitPalette.h"
#include "controls/logic/ListColours.h"

TEST(ImageButtonState, ToggleShowsTheAlternateSetAfterAnOddNumberOfClicks) {
    ButtonStateModel b;
    b.HasAltImage = true;
    b.ToggleOnClick = true;
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdNormal);
    b.OnClick();
    EXPECT_EQ(b.Choose(false), ButtonPicture::AltNormal);
    // A double click is two clicks: back where it was.
    b.OnClick();
    b.OnClick();
    EXPECT_EQ(b.Choose(false), ButtonPicture::AltNormal);
    b.OnClick();
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdNormal);
}

TEST(ImageButtonState, CheckOnClickStaysOn) {
    ButtonStateModel b;
    b.HasAltImage = true;
    b.CheckOnClick = true;
    b.OnClick();
    b.OnClick();
    EXPECT_TRUE(b.Checked);
    EXPECT_EQ(b.Choose(false), ButtonPicture::AltNormal);
    b.Hover = true;
    EXPECT_EQ(b.Choose(false), ButtonPicture::AltHover);
    EXPECT_EQ(b.Choose(true), ButtonPicture::AltPressed);
}

TEST(ImageButtonState, DisabledLookWinsOverHoverAndPress) {
    ButtonStateModel b;
    b.Disabled = true;
    b.Hover = true;
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdDisabled);
    EXPECT_EQ(b.Choose(true), ButtonPicture::StdDisabled);
}

TEST(ImageButtonState, WithoutAnAlternateImageTheStandardSetShowsWhateverChecked) {
    ButtonStateModel b;
    b.ToggleOnClick = true;
    b.OnClick();
    EXPECT_TRUE(b.Checked);
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdNormal);
    b.Hover = true;
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdHover);
    EXPECT_EQ(b.Choose(true), ButtonPicture::StdPressed);
}

TEST(ImageButtonState, FlipOnPressShowsTheOtherSetForTheWholePress) {
    ButtonStateModel b;
    b.HasAltImage = true;
    b.FlipOnPress = true;
    EXPECT_EQ(b.Choose(true), ButtonPicture::AltPressed);
    EXPECT_EQ(b.Choose(true), ButtonPicture::AltPressed);   // a second paint agrees
    EXPECT_EQ(b.Choose(false), ButtonPicture::StdNormal);
}

TEST(GifTiming, ShortDelaysShowForOneHundredMilliseconds) {
    EXPECT_EQ(GifFrameDelayMs(3), 100);
    EXPECT_EQ(GifFrameDelayMs(0), 100);
    EXPECT_EQ(GifFrameDelayMs(5), 50);
    EXPECT_EQ(GifFrameDelayMs(10), 100);
    EXPECT_EQ(GifFrameDelayMs(50), 500);
}

TEST(GifTiming, DisposalMethods) {
    EXPECT_EQ(GifDisposalFromMethod(2), GifDisposal::RestoreBackground);
    EXPECT_EQ(GifDisposalFromMethod(3), GifDisposal::RestorePrevious);
    EXPECT_EQ(GifDisposalFromMethod(0), GifDisposal::Leave);
    EXPECT_EQ(GifDisposalFromMethod(1), GifDisposal::Leave);
    EXPECT_EQ(GifDisposalFromMethod(7), GifDisposal::Leave);
}

TEST(GifTiming, ScheduleWrapsAfterTheLastFrame) {
    GifSchedule s({3, 10, 50});
    EXPECT_TRUE(s.Animates());
    EXPECT_EQ(s.CurrentDelayMs(), 100);
    EXPECT_FALSE(s.Advance());
    EXPECT_EQ(s.CurrentDelayMs(), 100);
    EXPECT_FALSE(s.Advance());
    EXPECT_EQ(s.CurrentDelayMs(), 500);
    EXPECT_TRUE(s.Advance());
    EXPECT_EQ(s.Current(), 0);
    EXPECT_FALSE(GifSchedule({10}).Animates());
}

TEST(KitLayout, LeftAlignedGroupTitleLeavesAnEightPixelStub) {
    const KitRect frame{20, 40, 320, 200};
    const auto layout = LayoutGroupBox(frame, 90, 16, GroupAlign::Left);
    EXPECT_EQ(layout.TitleLeft - frame.Left, 8);
    EXPECT_EQ(layout.TitleRight, layout.TitleLeft + 90);
    EXPECT_EQ(layout.LineY, 40 + 8 - 1);
    EXPECT_EQ(GroupBoxTitle("Test Pattern"), " Test Pattern ");
    EXPECT_EQ(GroupBoxTitle(""), "");
    const auto right = LayoutGroupBox(frame, 90, 16, GroupAlign::Right);
    EXPECT_EQ(frame.Right - right.TitleRight, 8);
    const auto centre = LayoutGroupBox(frame, 100, 16, GroupAlign::Centre);
    EXPECT_EQ(centre.TitleLeft - frame.Left, frame.Right - centre.TitleRight);
}

TEST(KitLayout, ProgressBoxOfThreeHundredByOneFifty) {
    const auto l = LayoutProgressBox(300, 150);
    EXPECT_EQ(l.Title, (KitRect{100, 50, 200, 125}));
    EXPECT_EQ(l.Bar, (KitRect{100, 120, 200, 145}));
    EXPECT_EQ(l.Animation, (KitRect{100, 20, 200, 45}));
}

TEST(KitLayout, CaptionButtonsHugTheTopRightCorner) {
    const KitRect client{0, 0, 500, 300};
    EXPECT_EQ(CloseButtonRect(client), (KitRect{476, 1, 500, 25}));
    EXPECT_EQ(MaximizeButtonRect(client), (KitRect{444, 1, 468, 25}));
}

TEST(KitLayout, TitleCaptionIsCentredEvenWhenWiderThanThePage) {
    const KitRect client{0, 0, 200, 300};
    EXPECT_EQ(TitleTextX(client, 80), 60);
    EXPECT_EQ(TitleTextX(client, 300), -50);   // overflows evenly
    EXPECT_EQ(TitleTextY(client, 18), 4);
}

TEST(KitLayout, HeaderAlignmentGradientAndHeight) {
    EXPECT_EQ(HeaderColumnAlign("012", 0), ColumnAlign::Left);
    EXPECT_EQ(HeaderColumnAlign("012", 1), ColumnAlign::Centre);
    EXPECT_EQ(HeaderColumnAlign("012", 2), ColumnAlign::Right);
    EXPECT_EQ(HeaderColumnAlign("", 0), ColumnAlign::Centre);
    EXPECT_EQ(HeaderRowColour(0), MakeColourRef(171, 199, 235));
    EXPECT_EQ(HeaderRowColour(1), MakeColourRef(163, 191, 227));
    EXPECT_EQ(HeaderRowColour(30), MakeColourRef(0, 0, 0));   // never below zero
    EXPECT_EQ(HeaderHeight(20, 1.5f), 30);
}

TEST(ListColours, CellRecordThenRowRecordThenTheListsColours) {
    const CellColours list{0xD5D5D5, 0x101010}, selection{0xEBEBEB, 0x505050};
    ListColours c;
    c.SetRowText(0, 0x0000FF);
    c.SetRowBackground(0, 0x202020);
    c.SetCellBackground(0, 1, 0x00FF00);
    c.SetCellText(0, 2, 0xFF0000);
    c.SetCellText(0, 2, 0xFFFF00);   // set again: replaces
    c.SetCellBackground(1, 0, 0x404040);
    struct Case {
        int row, column;
        bool selected;
        CellColours expected;
    };
    const Case cases[] = {
        {0, 0, false, {0x0000FF, 0x202020}},   // the row's records
        {0, 1, false, {0x0000FF, 0x00FF00}},   // its own background, the row's text
        {0, 2, false, {0xFFFF00, 0x202020}},   // its own text, the row's background
        {1, 0, false, {0xD5D5D5, 0x404040}},   // its own background, the list's text
        {1, 1, false, list},                   // no record anywhere
        {0, 1, true, selection},               // a selected row hides every record
        {1, 0, true, selection},
    };
    for (const Case& k : cases)
        EXPECT_EQ(c.Resolve(k.row, k.column, k.selected, list, selection), k.expected) << k.row << "," << k.column;
    c.Clear();
    EXPECT_EQ(c.Resolve(0, 1, false, list, selection), list);
}

TEST(KitLayout, StaticTextColours) {
    EXPECT_EQ(StaticTextColour(1290, 1251), 0x009CEFu);
    EXPECT_EQ(StaticTextColour(1563, 1251), 0x009CEFu);
    EXPECT_EQ(StaticTextColour(1251, 1251), 0x009CEFu);
    EXPECT_EQ(StaticTextColour(1252, 1251), 0xD5D5D5u);
    EXPECT_EQ(StaticTextColour(1252, 1252), 0x009CEFu);
    EXPECT_EQ(StaticTextColour(1000, 1251), 0xD5D5D5u);
}

TEST(KitPalette, ColoursAsTheSkinWritesThem) {
    EXPECT_EQ(RefRed(KitPalette::Accent), 239);
    EXPECT_EQ(RefGreen(KitPalette::Accent), 156);
    EXPECT_EQ(RefBlue(KitPalette::Accent), 0);
    EXPECT_EQ(KitPalette::Selection, MakeColourRef(255, 255, 80));
}
