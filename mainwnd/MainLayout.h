#pragma once
#include <array>

// The main window's geometry rules, in client pixels; s = screen dpi / 96.
struct LayoutRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const LayoutRect&) const = default;
};

struct LayoutSize {
  int Width = 0, Height = 0;
  bool operator==(const LayoutSize&) const = default;
};

inline constexpr int MinMainWidth = 1280;
inline constexpr int MinMainHeight = 728;

// The window size at start: 1280 x 728 scaled by the screen's dpi.
LayoutSize MainWindowSizeForDpi(int dpiX, int dpiY);
// The window never gets smaller than 1280 x 728.
LayoutSize ClampMainWindowSize(LayoutSize wanted);

// Where a docked page sits: from the page column to the page panel's right edge.
LayoutRect DockedPageRect(const LayoutRect& client, double s);
// The working area: it starts after the page column, or after the page panel while a page is shown.
LayoutRect WorkingAreaRect(const LayoutRect& client, double s, bool pageShown);
// The floating pages (machine search, video settings, media player, feathering) cover the
// working area as it lies with a page shown.
LayoutRect FloatingPageRect(const LayoutRect& client, double s);
// The pop-up pages (keyer, test pattern, time and schedule) in screen pixels, from the main
// window's screen rectangle. They keep this place when the window moves, so that they never
// slide over the page's language choice.
LayoutRect PopupPageRect(const LayoutRect& window, double s);
// The page buttons: a column at the left edge, 75 x 36 each, the first at T + 104.
LayoutRect PageButtonRect(const LayoutRect& client, int index);
// The clickable input icons along the top (0..7, then DP-L/DP-R and the extension halves).
std::array<LayoutRect, 12> InputIconRects(const LayoutRect& client, double s);
