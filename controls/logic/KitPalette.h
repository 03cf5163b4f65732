#pragma once
// The dark skin's colours (COLORREF 0x00BBGGRR), shared by every control and page.
#include "platform/ui/ColourRef.h"

namespace KitPalette {
constexpr COLORREF Accent = 0x009CEF;          // edit text, captions, frames of enabled edits
constexpr COLORREF Dark = 0x101010;            // page and edit background, disabled frames
constexpr COLORREF ListBackground = 0x2E2E2E;  // drop-list background
constexpr COLORREF Text = 0xD5D5D5;            // static and list item text
constexpr COLORREF TextBright = 0xEBEBEB;      // group-box titles, button captions, progress text
constexpr COLORREF Frame = 0x1E1E1E;           // group-box frames, page frames
constexpr COLORREF Separator = 0x141414;       // separators, default button caption
constexpr COLORREF Selection = 0x50FFFF;       // drop-list selection
constexpr COLORREF BusyBox = 0x404040;         // progress box background
constexpr COLORREF TitleUpperFrom = 0x535353, TitleUpperTo = 0x2F2F2F;
constexpr COLORREF TitleLowerFrom = 0x171717, TitleLowerTo = 0x070707;
constexpr COLORREF DisabledItem = 0x808080;    // disabled drop-list item
constexpr COLORREF ListSelectedBackground = 0x505050;
constexpr COLORREF EmbossShadow = 0x323232;    // disabled caption, lower layer
constexpr COLORREF SystemShadow = 0xA0A0A0;    // stand-in for the system's button shadow
constexpr COLORREF SystemHighlight = 0xFFFFFF;
}  // namespace KitPalette
