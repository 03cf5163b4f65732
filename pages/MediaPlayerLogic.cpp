#include "pages/MediaPlayerLogic.h"

DiskButtons UpdatedDiskButtons(uint32_t slot6CardType, uint32_t slot7CardType, const DiskButtons& now) {
    DiskButtons b = now;
    b[0].Enabled = b[1].Enabled = false;
    const bool first = slot6CardType == UdiskCardType, second = slot7CardType == UdiskCardType;
    if (first && second) {
        b[0].Enabled = b[1].Enabled = true;
    } else if (first) {
        b[0] = {true, true};
        b[1].Checked = false;   // at most one disk is chosen
    } else if (second) {
        b[1] = {true, true};
        b[0].Checked = false;
    }
    return b;
}
