#include "mainwnd/ControlsLayout.h"

namespace {
LayoutRect At(int left, int top, LayoutSize size) { return {left, top, left + size.Width, top + size.Height}; }
}  // namespace

BottomRowLayout BottomRowRects(const LayoutRect& c, LayoutSize bank, LayoutSize slot, LayoutSize loadSave) {
  BottomRowLayout row;
  // The bank buttons stacked at the left of the row, the ten slots beside them.
  row.Presets = At(c.Left + 90, c.Bottom - 86, bank);
  row.Templates = At(c.Left + 90, c.Bottom - 86 + bank.Height + 8, bank);
  const int first = row.Presets.Right + 30;
  for (int i = 0; i < 10; ++i) row.Slots[i] = At(first + i * (slot.Width + 22), c.Bottom - 84, slot);
  row.Save = At(c.Right - 24 - 20 - loadSave.Width, c.Bottom - 80, loadSave);
  row.Load = At(row.Save.Left - 20 - loadSave.Width, c.Bottom - 80, loadSave);
  return row;
}

LayoutRect PresetNameRect(const LayoutRect& b) { return {b.Left - 10, b.Bottom + 2, b.Right + 10, b.Bottom + 22}; }

LayoutRect InputRemarkRect(const LayoutRect& icon) {
  return {icon.Left, icon.Bottom + 16, icon.Right, icon.Bottom + 32};
}

std::array<LayoutRect, 4> LeftLayerRowRects(const LayoutRect& wa, const LayoutRect& c, LayoutSize button) {
  std::array<LayoutRect, 4> r{};
  for (int i = 0; i < 4; ++i)
    r[i] = At(wa.Left + 25 + i * (button.Width + 25), c.Bottom - 96 - button.Height, button);
  return r;
}

std::array<LayoutRect, 4> RightLayerRowRects(const LayoutRect& wa, const LayoutRect& c, LayoutSize button) {
  std::array<LayoutRect, 4> r{};
  for (int i = 3; i >= 0; --i) {
    const int right = wa.Right - 25 - (3 - i) * (button.Width + 25);
    r[i] = At(right - button.Width, c.Bottom - 96 - button.Height, button);
  }
  return r;
}

LayoutRect CentredControlRect(const LayoutRect& wa, const LayoutRect& c, LayoutSize size) {
  return At(wa.Left + (wa.Width() - size.Width) / 2, c.Bottom - 96 - size.Height, size);
}

LayoutRect FreezeRect(const LayoutRect& take) { return At(take.Right + 40, take.Top, {take.Width(), take.Height()}); }

LayoutRect SyncGroupRect(const LayoutRect& c, int width, int top) {
  return {c.Right - 32 - width, c.Top + top, c.Right - 32, c.Top + top + TopGroupHeight};
}

LayoutRect VideoWindowButtonRect(const LayoutRect& sync, LayoutSize button) {
  return At(sync.Left - 10 - button.Width, sync.Top + (sync.Height() - button.Height) / 2, button);
}

LayoutRect PortSwitchGroupRect(const LayoutRect& video, int width, int top) {
  return {video.Left - 10 - width, top, video.Left - 10, top + TopGroupHeight};
}

LayoutRect ExtCardModeListRect(const LayoutRect& g) { return {g.Left + 5, g.Top + 18, g.Right - 5, g.Top + 38}; }

LayoutRect SignalSwitchRect(const LayoutRect& g) { return {g.Left + 5, g.Bottom - 40, g.Right - 5, g.Bottom - 5}; }

LayoutRect IndicatorRect(const LayoutRect& c, int top, int height) {
  return {c.Right - 24, c.Top + top, c.Right, c.Top + top + height};
}

LayoutRect LoopOutFrameAround(const LayoutRect& frame, const LayoutRect& icon) {
  return {icon.Left - 16, frame.Top, icon.Right + 16, frame.Bottom};
}

LayoutRect LoopOutTitleStrip(const LayoutRect& frame) { return {frame.Left, frame.Top, frame.Right, frame.Top + 20}; }

std::array<LayoutRect, 4> TopButtonRects(const LayoutRect& c, LayoutSize button) {
  std::array<LayoutRect, 4> r{};
  for (int i = 0; i < 4; ++i) r[i] = At(c.Right / 2 - button.Width, c.Top + 126 + i * (button.Height + 6), button);
  return r;
}
