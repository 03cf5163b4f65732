#pragma once
// The logo page's rules without windows: when a stored logo fits the output, which card slot
// feeds PIP-3, how far the capture frame or the logo may be moved, where the capture frame lies
// on the output, and the colour of each slot's button.
#include <cstdint>
#include <optional>

#include "app/StateBlock.h"
#include "pages/ScaledPreview.h"
#include "platform/ui/ColourRef.h"

class DeviceState;

inline constexpr int LogoMinimumSize = 8;
inline constexpr COLORREF SlotEmptyColour = 0xEBEBEB;
inline constexpr COLORREF SlotStoredColour = 0x009CEF;
inline constexpr COLORREF SlotCurrentColour = 0x00FF00;

// A stored logo fits when its slot holds one and its size is non-zero, below 3840 and inside
// the output. Slots beyond the four never fit.
bool LogoSlotFits(const DeviceState& state, uint32_t slot);
bool LogoSlotHolds(const DeviceState& state, uint32_t slot);
COLORREF LogoSlotColour(const DeviceState& state, uint32_t slot);

// The card slot whose signal PIP-3 shows: the split halves of DP-1 are card 4, those of the
// extension input card 6. None for a source that names no input.
std::optional<uint32_t> Pip3CardSlot(uint8_t source);

enum class LogoEdit { HStart, VStart, Width, Height };
// In logo use (`logoUsage`) the logo stays inside the output (`limitWidth` x `limitHeight`); in
// normal use the capture frame stays inside the PIP-3 window, at least 8 pixels in size. Starts
// never go below 0.
PictureRect ClampLogoEdit(PictureRect values, LogoEdit edited, bool logoUsage, int limitWidth, int limitHeight);

// Whether a logo record changes what the page's frame or position stands on (`shown`: the
// settings as the page last showed or sent them): another usage or current slot, or in logo use
// a stored place moved. A record that only confirms the page's own command changes nothing, and
// what the operator set stays.
bool LogoRecordMovesPage(const LogoSettings& shown, const LogoSettings& record);

// The PIP-3 window's size as a limit: never negative.
int Pip3Extent(int32_t size);
