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

std::array<LayoutRect, 4> TopButtonRects(const LayoutRect& c, LayoutSize button) {
  std::array<LayoutRect, 4> r{};
  for (int i = 0; i < 4; ++i) r[i] = At(c.Right / 2 - button.Width, c.Top + 126 + i * (button.Height + 6), button);
  return r;
}

LayoutRect VideoButtonRect(const LayoutRect& group, LayoutSize button) {
  return At(group.Left - 10 - button.Width, group.Top + (group.Height() - button.Height) / 2, button);
}
