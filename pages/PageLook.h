#pragma once
// What the settings pages share in their look: caption colours of the current and the other
// layer buttons, the dark drop list every page places at the top of a group box, and the
// pages' image buttons.
#include <array>
#include <cstdint>
#include <optional>

#include <wx/gdicmn.h>

#include "platform/ui/ColourRef.h"

class CDropButton;
class CGdipButton;
class MBaseDialog;
struct LayerButtonPlan;
struct SwitcherSettings;

inline constexpr COLORREF PageTextOn = 0x009CEF;   // the current layer's caption
inline constexpr COLORREF PageTextOff = 0xEBEBEB;
// Captions on the light faces (PNG 115 and its lit 116): the dark default of the kit.
inline constexpr COLORREF PageTextOnLightFace = 0x101010;

// A drop list in the pages' colours (background 0x2E2E2E, selection 0x50FFFF), notifying `notifyId`.
CDropButton* MakePageDropList(MBaseDialog* page, int notifyId, const wxRect& rect);

// An image button in the page's control font and the "off" caption colour; `alt` (0: none) is
// the image shown while checked.
CGdipButton* MakePageButton(MBaseDialog* page, int id, const char* caption, const wxRect& rect, int image, int alt = 0);

// Puts the switcher's captions and states on a page's four layer buttons; the plan's selection
// is left to the page.
void ShowLayerButtonPlan(const std::array<CGdipButton*, 4>& buttons, const LayerButtonPlan& plan);

// The switcher's plan shown on a page's layer buttons; returns the layer the page then selects.
std::optional<int> ShowSwitcherLayerButtons(const std::array<CGdipButton*, 4>& buttons, const SwitcherSettings& s);

// Checks the current layer's button and gives it the "on" caption colour, the others "off".
void MarkLayerButtons(const std::array<CGdipButton*, 4>& buttons, uint32_t current);

// A click on layer button `layer`: a layer outside 0..3 is ignored; otherwise it becomes the
// current one and the buttons are marked. Returns whether the current layer changed.
bool SelectLayerButton(const std::array<CGdipButton*, 4>& buttons, uint32_t& current, int layer);

// Ids of the plain labels beside edits and lists. A label carries the id of its text, so one
// language key ("IDS_<id>") names that text on every page it stands on.
namespace LabelId {
inline constexpr int HStart = 1620, VStart = 1621, Width = 1622, Height = 1623;
inline constexpr int HActive = 1624, VActive = 1625, Fps = 1626, Date = 1627, Time = 1628;
inline constexpr int PasswordInput = 1629, Input = 1630, Alpha = 1631;
inline constexpr int Red = 1632, Green = 1633, Blue = 1634, Low = 1635, High = 1636;
inline constexpr int GainIn = 1637, GainOut = 1638, GainBand = 1639;
inline constexpr int Clock = 1640, Phase = 1641, HPosition = 1642, VPosition = 1643;
inline constexpr int DisplayWidth = 1644, CaptionHStart = 1646, CaptionVStart = 1647;
inline constexpr int EdidHActive = 1648, EdidVActive = 1649;
inline constexpr int HTotal = 1094, VTotal = 1095; // the output page's timing labels
inline constexpr int PictureRowFirst = 1651;       // the picture page's ten slider rows
} // namespace LabelId
