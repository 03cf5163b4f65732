#pragma once
// The output page's timing arithmetic, without windows: the pixel-clock limits that keep a custom
// timing inside what the processor's output stage can clock, the checks run while the operator
// types, the consistency guard before a custom timing is sent, and the commands that follow a
// resolution change.
#include <cstdint>
#include <vector>

class DeviceState;

// Pixels per second the output stage can clock.
inline constexpr int64_t PixelClockBudget = 164500000;
inline constexpr int MaxTimingTotal = 4094;
inline constexpr int ResolutionRowCount = 19;  // 18 standard rows and the custom row

// The timing edits, in the order the page holds them.
enum class TimingEdit { HActive, VActive, Fps, HTotal, VTotal, HSync, VSync, HBackPorch, VBackPorch };
inline constexpr int TimingEditCount = 9;

struct TimingEditRange {
    int ControlId;
    float Minimum, Maximum;
    const char* Format;
};
// Control id, range and format of each timing edit, by TimingEdit.
extern const TimingEditRange TimingEditRanges[TimingEditCount];
// The timing edit with that control id, or -1.
int TimingEditIndexOf(int controlId);

// The values in the nine edits (FPS in Hz, possibly with a fraction).
struct TimingValues {
    float Value[TimingEditCount] = {};
    float& operator[](TimingEdit e) { return Value[static_cast<int>(e)]; }
    float operator[](TimingEdit e) const { return Value[static_cast<int>(e)]; }
    // The value with its fraction dropped.
    int Whole(TimingEdit e) const { return static_cast<int>(Value[static_cast<int>(e)]); }
};

// Frame rate in Hz x 100 from an edit value, the product taken in single precision
// (59.94 gives 5994, where double precision would give 5993).
int FrameRateTimes100(float fps);

// Limits on the active size and frame rate from the pixel-clock budget with standard blanking
// (H blank 128 or 512 pixels, V blank 28 lines). `fps` is in Hz x 100. Each returns the limited
// value; none ever returns a negative one.
int LimitHActive(int vActive, int fps, int hActive);
// Returns the limited V active; `hActive` may be lowered too (its total is capped at 4094).
int LimitVActive(int vActive, int fps, int& hActive);
int LimitFrameRate(int vActive, int fps, int hActive);

// What typing into one edit does to the others. Runs the check of `edited` on `values` and
// returns the edits whose value was changed (already written into `values`). `shown` tells that
// the full timing group is open.
std::vector<TimingEdit> CrossCheckTiming(TimingValues& values, TimingEdit edited, bool shown);

// Before a custom timing goes out, judged on what the operator sees. With the timing group
// `shown`: totals raised to hold active size, sync and back porch (the active size lowered where
// even a 4094 total cannot), then the frame rate lowered into the budget; false when no frame
// rate inside the FPS range fits: nothing may be sent then. With it hidden, the totals are left
// alone and the size and frame rate keep the standard-blanking limits: the frame rate is lowered
// first, the size only where even the lowest frame rate cannot carry it. Never false then.
bool MakeTimingConsistent(TimingValues& values, bool shown);

// The resolution row a stored index stands for: a value beyond the table means the custom row.
uint32_t ResolutionRowOf(uint32_t resolutionIndex);

// The commands a resolution change sends after the timing command itself: the layer queries,
// then the switcher, logo and loop-out queries as the state asks. A standard row (`fromList`)
// sends all of them; Apply sends only the layer and switcher queries.
struct QueuedCommand {
    int Command;
    int Argument;
};
std::vector<QueuedCommand> ResolutionFollowUps(const DeviceState& state, bool fromList);
