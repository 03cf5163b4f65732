#include "controls/logic/GifTiming.h"

int GifFrameDelayMs(int delayHundredths) { return delayHundredths >= 5 ? delayHundredths * 10 : 100; }

GifDisposal GifDisposalFromMethod(int method) {
    if (method == 2)
        return GifDisposal::RestoreBackground;
    if (method == 3)
        return GifDisposal::RestorePrevious;
    return GifDisposal::Leave;
}

bool GifSchedule::Advance() {
    if (Delays.empty())
        return false;
    ++Frame;
    if (Frame >= static_cast<int>(Delays.size())) {
        Frame = 0;
        return true;
    }
    return false;
}
