#pragma once
// Frame timing and disposal of the animated picture control.
#include <vector>

// How long a frame stays, from its delay in hundredths of a second: delays under 5 (50 ms)
// show for 100 ms, as browsers do with "as fast as possible" frames.
int GifFrameDelayMs(int delayHundredths);

enum class GifDisposal { Leave, RestoreBackground, RestorePrevious };
// The GIF's disposal method (0..7) as the control applies it.
GifDisposal GifDisposalFromMethod(int method);

// The frame schedule of a running animation: which frame is next and how long to wait.
class GifSchedule {
public:
    explicit GifSchedule(std::vector<int> delaysHundredths) : Delays(std::move(delaysHundredths)) {}
    bool Animates() const { return Delays.size() > 1; }
    int Current() const { return Frame; }
    int CurrentDelayMs() const { return Delays.empty() ? 0 : GifFrameDelayMs(Delays[static_cast<std::size_t>(Frame)]); }
    // Moves to the next frame; true when it wrapped to the first (the canvas is cleared then).
    bool Advance();

private:
    std::vector<int> Delays;
    int Frame = 0;
};
