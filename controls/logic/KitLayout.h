#pragma once
// Small layout rules of the kit's windows, kept apart from the windows so they are checked alone.
#include <string>

#include "platform/ui/ColourRef.h"

struct KitRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const KitRect&) const = default;
};

// Group box: where the frame's top line runs and where its title gap lies.
enum class GroupAlign { Left, Right, Centre };
struct GroupBoxLayout {
    int LineY;         // the top line
    int TitleLeft;     // the title's span (the gap in the top line)
    int TitleRight;
};
GroupBoxLayout LayoutGroupBox(const KitRect& frame, int titleWidth, int titleHeight, GroupAlign align,
                              int titleInset = 8);
// The drawn title: the text with one space on each side (nothing for an empty text).
std::string GroupBoxTitle(const std::string& text);

// Busy/progress box: title, animation and progress bar for a client size w x h.
struct ProgressBoxLayout {
    KitRect Title, Animation, Bar;
};
ProgressBoxLayout LayoutProgressBox(int width, int height);

// Caption buttons of a page: close at (right - 24, top + 1), maximise 32 pixels further left.
KitRect CloseButtonRect(const KitRect& client);
KitRect MaximizeButtonRect(const KitRect& client);
// Title caption origin: centred on the 26-pixel title bar (it overflows evenly when too wide).
int TitleTextX(const KitRect& client, int textWidth);
int TitleTextY(const KitRect& client, int textHeight);
constexpr int TitleBarHeight = 26;

// Report-list header: per-column alignment from the format string ('0' left, '1' centre,
// '2' right; anything else or missing centres) and the gradient row colours.
enum class ColumnAlign { Left, Centre, Right };
ColumnAlign HeaderColumnAlign(const std::string& format, int column);
COLORREF HeaderRowColour(int row, int red = 171, int green = 199, int blue = 235, int step = 8);
int HeaderHeight(int defaultHeight, float factor);

// Text colour of a skinned static: the accent for the highlighted ids and the current language
// choice, the ordinary static text otherwise.
COLORREF StaticTextColour(int id, int currentLanguageStaticId);
