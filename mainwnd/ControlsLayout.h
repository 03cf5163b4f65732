#pragma once
// Where the main window's device controls sit: the layer rows, TAKE, Freeze and Lock Output in
// the strip under the working area, and the preset row along the bottom. Client pixels.
#include "mainwnd/MainLayout.h"

#include <array>

struct BottomRowLayout {
  LayoutRect Presets, Templates, Load, Save;
  std::array<LayoutRect, 10> Slots;
};
// The preset row keeps its distances from the client's bottom (and Load/Save from its right).
BottomRowLayout BottomRowRects(const LayoutRect& client, LayoutSize bank, LayoutSize slot, LayoutSize loadSave);
// The preset name under a slot button: 10 px wider on each side, 2..22 px below it.
LayoutRect PresetNameRect(const LayoutRect& slotButton);
// The input remark line under an icon, where its editor opens: 16..32 px below it.
LayoutRect InputRemarkRect(const LayoutRect& icon);

// Left row (MAIN, PIP-1..3) from the working area's left + 25, bottoms at B - 96.
std::array<LayoutRect, 4> LeftLayerRowRects(const LayoutRect& workArea, const LayoutRect& client, LayoutSize button);
// Right row: PIP-3 ends at the working area's right - 25, the others leftwards.
std::array<LayoutRect, 4> RightLayerRowRects(const LayoutRect& workArea, const LayoutRect& client, LayoutSize button);
// TAKE and Lock Output centred on the working area, bottoms at B - 96; Freeze 40 px right of TAKE.
LayoutRect CentredControlRect(const LayoutRect& workArea, const LayoutRect& client, LayoutSize size);
LayoutRect FreezeRect(const LayoutRect& take);

// The Sync Mode group: right edge at R - 32, 91 px high, its own width and top.
inline constexpr int TopGroupHeight = 91;
LayoutRect SyncGroupRect(const LayoutRect& client, int width, int top);
// The video-window button (its picture is 24 x 24): 10 px left of the Sync Mode group, centred
// on it vertically.
inline constexpr LayoutSize VideoWindowButtonSize{24, 24};
LayoutRect VideoWindowButtonRect(const LayoutRect& syncGroup, LayoutSize button);
// The port switch group: 10 px left of the video-window button, 91 px high.
LayoutRect PortSwitchGroupRect(const LayoutRect& videoButton, int width, int top);
// Inside the port switch group: the mode list under its title, the signal-switch button at the bottom.
LayoutRect ExtCardModeListRect(const LayoutRect& group);
LayoutRect SignalSwitchRect(const LayoutRect& group);
// An indicator at the right edge: right-aligned at R, 24 px wide.
LayoutRect IndicatorRect(const LayoutRect& client, int top, int height);
// The Loop-Out frame moved round an input's icon: same top and bottom, 16 px beyond the icon on
// each side. Its title strip (top edge to 20 px below) opens the system page.
LayoutRect LoopOutFrameAround(const LayoutRect& frame, const LayoutRect& icon);
LayoutRect LoopOutTitleStrip(const LayoutRect& frame);
// TOP-M..TOP-3: a column whose right edge is at half the client's width, inside the working area.
std::array<LayoutRect, 4> TopButtonRects(const LayoutRect& client, LayoutSize button);
