#pragma once
// What the settings pages share in their look: caption colours of the current and the other
// layer buttons, and the dark drop list every page places at the top of a group box.
#include <wx/gdicmn.h>

#include "platform/ui/ColourRef.h"

class CDropButton;
class MBaseDialog;

inline constexpr COLORREF PageTextOn = 0x009CEF;   // the current layer's caption
inline constexpr COLORREF PageTextOff = 0xEBEBEB;

// A drop list in the pages' colours (background 0x2E2E2E, selection 0x50FFFF), notifying `notifyId`.
CDropButton* MakePageDropList(MBaseDialog* page, int notifyId, const wxRect& rect);
