#include "pages/OutputTimingLogic.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"

#include <algorithm>
#include <cmath>

const TimingEditRange TimingEditRanges[TimingEditCount] = {
    {1323, 640, 4080, "%d"}, {1024, 480, 4080, "%d"}, {1326, 23, 120, "%0.2f"},
    {1081, 680, 4094, "%d"}, {1083, 492, 4094, "%d"}, {1087, 4, 128, "%d"},
    {1085, 4, 128, "%d"},    {1089, 4, 512, "%d"},    {1091, 4, 512, "%d"},
};

int TimingEditIndexOf(int controlId) {
    for (int i = 0; i < TimingEditCount; ++i)
        if (TimingEditRanges[i].ControlId == controlId) return i;
    return -1;
}

int FrameRateTimes100(float fps) {
    const float product = fps * 100.0f;
    if (!(product > 0.0f)) return 0;
    return static_cast<int>(product);
}

namespace {
constexpr int VBlank = 28;

// The clock of a timing, truncated to whole pixels per second.
int64_t Clock(int hTotal, int vTotal, int fps) {
    return static_cast<int64_t>(static_cast<double>(hTotal) * vTotal * (fps / 100.0));
}

// A quotient truncated and cut to its low 16 bits; a zero divisor allows nothing more.
int Quotient16(double divisor) {
    if (!(divisor > 0.0)) return 0;
    return static_cast<int>(static_cast<int64_t>(static_cast<double>(PixelClockBudget) / divisor) & 0xFFFF);
}

int Blank(bool narrow) { return narrow ? 128 : 512; }

// The edit value that shows `fps` / 100 and goes out as `fps` again: 36.26f x 100 in single
// precision is 3625.99..., which Apply would send as 36.25 Hz while the page shows 36.26.
float FrameRateOf(int fps) {
    float rate = static_cast<float>(fps) / 100.0f;
    for (int ulp = 0; ulp < 4 && FrameRateTimes100(rate) < fps; ++ulp) rate = std::nextafter(rate, 1000.0f);
    return rate;
}
}  // namespace

int LimitHActive(int vActive, int fps, int hActive) {
    const int blank = Blank(fps >= 5200 || (fps == 3000 && (vActive == 1080 || vActive == 1200)));
    int hTotal = hActive + blank;
    if (hTotal > MaxTimingTotal) {
        hTotal = MaxTimingTotal;
        hActive = MaxTimingTotal - blank;
    }
    const int vTotal = std::min(vActive + VBlank, MaxTimingTotal);
    if (Clock(hTotal, vTotal, fps) > PixelClockBudget) {
        const int maxHTotal = Quotient16(fps / 100.0 * vTotal);
        if (hActive + blank > maxHTotal) hActive = maxHTotal - blank;
    }
    // Computed signed: an unreachable limit is 0, never a wrapped large number.
    return std::max(0, hActive) & ~1;
}

int LimitVActive(int vActive, int fps, int& hActive) {
    const int blank = Blank(fps >= 5200 || (fps == 3000 && hActive == 3840));
    int hTotal = hActive + blank;
    if (hTotal > MaxTimingTotal) {
        hTotal = MaxTimingTotal;
        hActive = MaxTimingTotal - blank;
    }
    int vTotal = vActive + VBlank;
    if (vTotal > MaxTimingTotal) {
        vTotal = MaxTimingTotal;
        vActive = MaxTimingTotal - VBlank;
    }
    if (Clock(hTotal, vTotal, fps) > PixelClockBudget) {
        const int maxVTotal = Quotient16(fps / 100.0 * hTotal);
        if (vActive + VBlank > maxVTotal) vActive = maxVTotal - VBlank;
    }
    return std::max(0, vActive);
}

int LimitFrameRate(int vActive, int fps, int hActive) {
    const int blank = Blank(fps >= 5200 || ((vActive == 1080 || vActive == 1200) && hActive == 3840));
    const int hTotal = std::min(hActive + blank, MaxTimingTotal);
    const int vTotal = std::min(vActive + VBlank, MaxTimingTotal);
    if (hTotal > 0 && vTotal > 0 && Clock(hTotal, vTotal, fps) > PixelClockBudget)
        fps = static_cast<int>(static_cast<double>(PixelClockBudget) / (static_cast<double>(vTotal) * hTotal) * 100.0);
    return std::max(0, fps);
}

namespace {
using E = TimingEdit;

// Writes `limit` when the value is above it; true when it changed.
bool Lower(TimingValues& v, E e, float limit) {
    if (v[e] > limit) {
        v[e] = limit;
        return true;
    }
    return false;
}

bool RaiseTotal(TimingValues& v, bool horizontal) {
    const float minimum = horizontal ? static_cast<float>(v.Whole(E::HActive) + v.Whole(E::HSync) +
                                                          v.Whole(E::HBackPorch) + 32)
                                     : static_cast<float>(v.Whole(E::VActive) + v.Whole(E::VSync) +
                                                          v.Whole(E::VBackPorch) + 4);
    const E total = horizontal ? E::HTotal : E::VTotal;
    if (static_cast<float>(v.Whole(total)) < minimum) {
        v[total] = minimum;
        return true;
    }
    return false;
}
}  // namespace

std::vector<TimingEdit> CrossCheckTiming(TimingValues& v, TimingEdit edited, bool shown) {
    std::vector<TimingEdit> changed;
    // The whole frame rate (with its fraction): a dropped fraction would let a timing run over budget.
    const double fps = v[E::Fps];
    const int fpsWholeTimes100 = v.Whole(E::Fps) * 100;
    switch (edited) {
    case E::HActive: {
        int limit;
        if (shown) {
            limit = Quotient16(static_cast<double>(v.Whole(E::VTotal)) * fps) - v.Whole(E::HBackPorch) -
                    v.Whole(E::HSync) - 32;
            limit = std::max(0, limit) & ~1;
        } else {
            limit = LimitHActive(v.Whole(E::VActive), fpsWholeTimes100, v.Whole(E::HActive));
        }
        if (Lower(v, E::HActive, static_cast<float>(limit))) changed.push_back(E::HActive);
        break;
    }
    case E::VActive: {
        int limit;
        if (shown) {
            limit = Quotient16(static_cast<double>(v.Whole(E::HTotal)) * fps) - v.Whole(E::VBackPorch) -
                    v.Whole(E::VSync) - 4;
            limit = std::max(0, limit);
        } else {
            int hActive = v.Whole(E::HActive);
            limit = LimitVActive(v.Whole(E::VActive), fpsWholeTimes100, hActive);
            if (hActive < v.Whole(E::HActive)) {
                v[E::HActive] = static_cast<float>(hActive);
                changed.push_back(E::HActive);
            }
        }
        if (Lower(v, E::VActive, static_cast<float>(limit))) changed.push_back(E::VActive);
        break;
    }
    case E::Fps: {
        float limit;
        if (shown) {
            const double pixels = static_cast<double>(v.Whole(E::VTotal)) * v.Whole(E::HTotal);
            limit = pixels > 0 ? static_cast<float>(static_cast<double>(PixelClockBudget) / pixels) : v[E::Fps];
        } else {
            const int f = LimitFrameRate(v.Whole(E::VActive), FrameRateTimes100(v[E::Fps]), v.Whole(E::HActive));
            limit = FrameRateOf(f);
        }
        if (Lower(v, E::Fps, limit)) changed.push_back(E::Fps);
        break;
    }
    case E::HTotal:
    case E::HSync:
    case E::HBackPorch:
        if (RaiseTotal(v, true)) changed.push_back(E::HTotal);
        break;
    case E::VTotal:
    case E::VSync:
    case E::VBackPorch:
        if (RaiseTotal(v, false)) changed.push_back(E::VTotal);
        break;
    }
    return changed;
}

bool MakeTimingConsistent(TimingValues& v, bool shown) {
    for (int i = 0; i < TimingEditCount; ++i)
        v.Value[i] = std::clamp(v.Value[i], TimingEditRanges[i].Minimum, TimingEditRanges[i].Maximum);
    if (!shown) {
        // The hidden totals are not the operator's to judge by: a check with them would change the
        // typed frame rate for a reason the page does not show. The standard-blanking checks judge
        // instead, until none of them changes anything: each one's blanking follows the values the
        // others set (a rate lowered below 52 Hz widens H blank from 128 to 512 pixels).
        const float lowest = TimingEditRanges[static_cast<int>(E::Fps)].Minimum;
        for (int round = 0; round < 8; ++round) {
            bool changed = false;
            // The frame rate gives way first, so that the size the operator typed is kept
            // wherever some rate in the range can carry it.
            for (int step = 0; step < 4 && !CrossCheckTiming(v, E::Fps, false).empty(); ++step) changed = true;
            if (v[E::Fps] < lowest) {
                v[E::Fps] = lowest;
                changed = true;
            }
            changed |= !CrossCheckTiming(v, E::HActive, false).empty();
            changed |= !CrossCheckTiming(v, E::VActive, false).empty();
            if (!changed) break;
        }
        return true;
    }
    if (v.Whole(E::HActive) + v.Whole(E::HSync) + v.Whole(E::HBackPorch) + 32 > MaxTimingTotal)
        v[E::HActive] = static_cast<float>((MaxTimingTotal - v.Whole(E::HSync) - v.Whole(E::HBackPorch) - 32) & ~1);
    if (v.Whole(E::VActive) + v.Whole(E::VSync) + v.Whole(E::VBackPorch) + 4 > MaxTimingTotal)
        v[E::VActive] = static_cast<float>(MaxTimingTotal - v.Whole(E::VSync) - v.Whole(E::VBackPorch) - 4);
    RaiseTotal(v, true);
    RaiseTotal(v, false);
    const double pixels = static_cast<double>(v.Whole(E::HTotal)) * v.Whole(E::VTotal);
    if (Clock(v.Whole(E::HTotal), v.Whole(E::VTotal), FrameRateTimes100(v[E::Fps])) > PixelClockBudget) {
        // Whole hundredths below the budget.
        const double fits = std::floor(static_cast<double>(PixelClockBudget) * 100.0 / pixels) / 100.0;
        if (fits < TimingEditRanges[static_cast<int>(E::Fps)].Minimum) return false;
        v[E::Fps] = static_cast<float>(fits);
        // The single-precision product may land a hundredth above; step down until it fits.
        while (Clock(v.Whole(E::HTotal), v.Whole(E::VTotal), FrameRateTimes100(v[E::Fps])) > PixelClockBudget)
            v[E::Fps] = static_cast<float>(FrameRateTimes100(v[E::Fps]) - 1) / 100.0f;
    }
    return true;
}

uint32_t ResolutionRowOf(uint32_t resolutionIndex) {
    return resolutionIndex < CustomResolutionRow ? resolutionIndex : CustomResolutionRow;
}

std::vector<QueuedCommand> ResolutionFollowUps(const DeviceState& state, bool fromList) {
    std::vector<QueuedCommand> commands;
    for (int layer = 0; layer < LayerCount; ++layer) commands.push_back({CmdQuery54, layer});
    if (state.SwitcherSettings.Mode != 0) commands.push_back({CmdQuery60, 0});
    if (fromList) {
        if (state.LogoSettings.Pip3Usage == 1) commands.push_back({CmdQuery58, 0});
        commands.push_back({CmdQuery70, 0});
    }
    return commands;
}
