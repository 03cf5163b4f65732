#include "mainwnd/LoopOutGroup.h"

#include <wx/window.h>

#include "app/DeviceState.h"
#include "mainwnd/ControlsLayout.h"
#include "mainwnd/InputNames.h"
#include "mainwnd/MainTexts.h"
#include "platform/ui/ShownTexts.h"

namespace {
wxRect ToWx(const LayoutRect& r) { return {r.Left, r.Top, r.Width(), r.Height()}; }
// Above the icons and under their name and remark lines.
constexpr int FrameTop = 3, FrameBottom = 101;
}  // namespace

LoopOutGroup::LoopOutGroup(wxWindow& window, const LayoutRect& c)
    : Window(window), Box(LoopOutGroupId, wxRect(), MainDialogText(LoopOutGroupId)) {
  LogFont font;
  font.Height = 100;
  font.Weight = 400;
  font.Face = "Arial";
  Box.SetFont(&font);
  Box.FrameColour = Box.DisabledFrameColour = 0x1E1E1E;
  Box.TextColour = 0x009CEF;
  Frame = {c.Left, c.Top + FrameTop, c.Left, c.Top + FrameBottom};
}

void LoopOutGroup::MoveAround(int input, const LayoutRect& icon) {
  if (input < 0 || input >= 8) return;
  const LayoutRect old = Frame;
  Window.RefreshRect(ToWx({old.Left - 2, old.Top - 2, old.Right + 2, old.Bottom + 2}));
  Frame = LoopOutFrameAround(Frame, icon);
  Box.FrameRect = ToWx(Frame);
  Window.RefreshRect(ToWx({Frame.Left - 2, Frame.Top - 2, Frame.Right + 2, Frame.Bottom + 2}));
  RecordShownTexts("loopout", {"around " + TrimmedName(GetDeviceState().InputTable[input].Name)});
}

void LoopOutGroup::SetTitle(const wxString& title) {
  Box.SetText(title);
  Window.RefreshRect(ToWx({Frame.Left - 2, Frame.Top - 2, Frame.Right + 2, Frame.Bottom + 2}));
}

bool LoopOutGroup::TitleStripHit(int x, int y) const {
  if (Frame.Width() <= 0) return false;
  const LayoutRect strip = LoopOutTitleStrip(Frame);
  return x >= strip.Left && x < strip.Right && y >= strip.Top && y < strip.Bottom;
}
