#include "pages/LogoPageLogic.h"

#include "app/DeviceState.h"

#include <algorithm>
#include <iterator>

bool LogoSlotHolds(const DeviceState& state, uint32_t slot) {
    return slot < LogoSlotCount && state.LogoSettings.SlotValid[slot] != 0;
}

bool LogoSlotFits(const DeviceState& state, uint32_t slot) {
    if (!LogoSlotHolds(state, slot)) return false;
    const LogoSettings& l = state.LogoSettings;
    const uint16_t w = l.Width[slot], h = l.Height[slot];
    return w != 0 && h != 0 && w < 3840 && h < 3840 && w <= state.OutputTiming.HActive &&
           h <= state.OutputTiming.VActive;
}

COLORREF LogoSlotColour(const DeviceState& state, uint32_t slot) {
    if (!LogoSlotHolds(state, slot)) return SlotEmptyColour;
    return slot == state.LogoSettings.CurrentSlot ? SlotCurrentColour : SlotStoredColour;
}

std::optional<uint32_t> Pip3CardSlot(uint8_t source) {
    if (source == 8 || source == 9) return 4;
    if (source == 10 || source == 11) return 6;
    if (source < CardSlotCount) return source;
    return std::nullopt;
}

bool LogoRecordMovesPage(const LogoSettings& shown, const LogoSettings& record) {
    if (record.Pip3Usage != shown.Pip3Usage || record.CurrentSlot != shown.CurrentSlot) return true;
    // In normal use the frame is measured in the PIP-3 window, which no logo record holds.
    if (record.Pip3Usage == 0) return false;
    const auto same = [](const uint16_t (&a)[LogoSlotCount], const uint16_t (&b)[LogoSlotCount]) {
        return std::equal(std::begin(a), std::end(a), std::begin(b));
    };
    return !same(record.HPos, shown.HPos) || !same(record.VPos, shown.VPos) || !same(record.Width, shown.Width) ||
           !same(record.Height, shown.Height);
}

int Pip3Extent(int32_t size) { return std::max<int32_t>(0, size); }

PictureRect ClampLogoEdit(PictureRect v, LogoEdit edited, bool logoUsage, int limitWidth, int limitHeight) {
    if (logoUsage) {
        switch (edited) {
        case LogoEdit::HStart: v.X = std::min(v.X, limitWidth - v.Width); break;
        case LogoEdit::VStart: v.Y = std::min(v.Y, limitHeight - v.Height); break;
        case LogoEdit::Width: v.Width = std::min(v.Width, limitWidth - v.X); break;
        case LogoEdit::Height: v.Height = std::min(v.Height, limitHeight - v.Y); break;
        }
    } else {
        switch (edited) {
        case LogoEdit::HStart:
            if (v.X + v.Width > limitWidth) {
                v.Width = limitWidth - v.X;
                if (v.Width < LogoMinimumSize) {
                    v.Width = LogoMinimumSize;
                    v.X = limitWidth - LogoMinimumSize;
                }
            }
            break;
        case LogoEdit::VStart:
            if (v.Y + v.Height > limitHeight) {
                v.Height = limitHeight - v.Y;
                if (v.Height < LogoMinimumSize) {
                    v.Height = LogoMinimumSize;
                    v.Y = limitHeight - LogoMinimumSize;
                }
            }
            break;
        case LogoEdit::Width: v.Width = std::min(v.Width, limitWidth - v.X); break;
        case LogoEdit::Height: v.Height = std::min(v.Height, limitHeight - v.Y); break;
        }
    }
    // A PIP-3 window narrower than a logo leaves no room to move: the frame starts at its corner.
    v.X = std::max(0, v.X);
    v.Y = std::max(0, v.Y);
    v.Width = std::max(0, v.Width);
    v.Height = std::max(0, v.Height);
    return v;
}
