#pragma once
// The media player page's rules without windows: which U-disk buttons are usable and chosen
// after a refresh, and the key code and disk a key press sends.
#include <array>
#include <cstdint>

struct DiskButtonState {
    bool Enabled = false;
    bool Checked = false;
};
using DiskButtons = std::array<DiskButtonState, 2>;

inline constexpr uint32_t UdiskCardType = 9;
inline constexpr int FirstMediaKeyId = 1575, LastMediaKeyId = 1581;

// Both usable (choice kept) with U-disk cards in slots 6 and 7; only the one with a card usable and
// chosen; neither usable without a card (their checked states kept).
DiskButtons UpdatedDiskButtons(uint32_t slot6CardType, uint32_t slot7CardType, const DiskButtons& now);
// The disk a key goes to: the first chosen button, 0 when none is.
inline uint8_t ChosenDisk(const DiskButtons& b) { return b[1].Checked && !b[0].Checked ? 1 : 0; }
// Key code of a key button: 1 OK, 2 Return, 3 switch, 4 up, 5 down, 6 left, 7 right; 0 for others.
inline uint8_t MediaKeyCode(int controlId) {
    return controlId >= FirstMediaKeyId && controlId <= LastMediaKeyId ? static_cast<uint8_t>(controlId - 1574) : 0;
}
