#pragma once
// What the settings pages share in their look: caption colours of the current and the other
// layer buttons, the dark drop list every page places at the top of a group box, and the
// pages' image buttons.
#include <array>

#include <wx/gdicmn.h>

#include "platform/ui/ColourRef.h"

class CDropButton;
class CGdipButton;
class MBaseDialog;
struct LayerButtonPlan;

inline constexpr COLORREF PageTextOn = 0x009CEF;   // the current layer's caption
inline constexpr COLORREF PageTextOff = 0xEBEBEB;

// A drop list in the pages' colours (background 0x2E2E2E, selection 0x50FFFF), notifying `notifyId`.
CDropButton* MakePageDropList(MBaseDialog* page, int notifyId, const wxRect& rect);

// An image button in the page's control font and the "off" caption colour; `alt` (0: none) is
// the image shown while checked.
CGdipButton* MakePageButton(MBaseDialog* page, int id, const char* caption, const wxRect& rect, int image, int alt = 0);

// Puts the switcher's captions and states on a page's four layer buttons; the plan's selection
// is left to the page.
void ShowLayerButtonPlan(const std::array<CGdipButton*, 4>& buttons, const LayerButtonPlan& plan);
