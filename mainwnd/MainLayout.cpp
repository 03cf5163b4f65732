#include "mainwnd/MainLayout.h"

#include <algorithm>

namespace {
int Trunc(double v) { return static_cast<int>(v); }
int PagePanelRight(const LayoutRect& c, double s) { return Trunc(s * 320 + c.Left + 77); }
}  // namespace

LayoutSize MainWindowSizeForDpi(int dpiX, int dpiY) {
  // Single precision, as the window was always sized.
  return {static_cast<int>(1280.0f * static_cast<float>(dpiX) / 96.0f),
          static_cast<int>(728.0f * static_cast<float>(dpiY) / 96.0f)};
}

LayoutSize ClampMainWindowSize(LayoutSize wanted) {
  return {std::max(wanted.Width, MinMainWidth), std::max(wanted.Height, MinMainHeight)};
}

LayoutRect DockedPageRect(const LayoutRect& c, double s) {
  return {c.Left + 77, c.Top + 106, PagePanelRight(c, s), c.Bottom - 96};
}

LayoutRect WorkingAreaRect(const LayoutRect& c, double s, bool pageShown) {
  return {pageShown ? PagePanelRight(c, s) : c.Left + 75, c.Top + 106, c.Right - 24, c.Bottom - 141};
}

LayoutRect FloatingPageRect(const LayoutRect& c, double s) { return WorkingAreaRect(c, s, true); }

LayoutRect PopupPageRect(const LayoutRect& w, double s) {
  const int left = w.Left + 83;
  return {left, w.Top + 208, Trunc(s * 320 + left), w.Bottom - 104};
}

LayoutRect PageButtonRect(const LayoutRect& c, int index) {
  const int top = c.Top + 104 + 36 * index;
  return {c.Left, top, c.Left + 75, top + 36};
}

std::array<LayoutRect, 12> InputIconRects(const LayoutRect& c, double s) {
  std::array<LayoutRect, 12> r{};
  const int width = Trunc(s * 68);
  int left = c.Left + 123;
  for (int i = 0; i < 8; ++i) {
    r[i] = {left, c.Top + 25, left + width, c.Top + 50};
    left = Trunc(left + s * 68 + 40);
  }
  // The halves of a split input sit above and below its icon.
  auto halves = [&](int whole, int first) {
    const LayoutRect& w = r[whole];
    r[first] = {w.Left, w.Top - 25, w.Right, w.Top - 25 + 16};
    r[first + 1] = {w.Left, r[first].Bottom + 16, w.Right, r[first].Bottom + 32};
  };
  halves(4, 8);
  halves(6, 10);
  return r;
}
