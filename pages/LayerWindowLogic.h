#pragma once
// The layer-window half of the output page, without windows: where a typed value may go on the
// output, the quick placements, and the rotate codes with the picture turns that show them.
#include <array>
#include <cstdint>
#include <vector>

struct LayerRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const LayerRect&) const = default;
};

// Which of the four window edits was typed into.
enum class LayerEdit { HStart, VStart, Width, Height };

// Pulls the far edge back inside an output of `outWidth` x `outHeight`. Starts stay inside the
// output and sizes at least 1, so no window with a negative start or an empty size is ever sent
// (a width kept from a larger output would otherwise push the start below 0).
LayerRect ClampLayerEdit(LayerRect rect, LayerEdit edited, int outWidth, int outHeight);

// "Full Screen", "1/2" and "1/4": the window placed by where it stood.
LayerRect FullScreenWindow(int outWidth, int outHeight);
LayerRect HalfWindow(const LayerRect& current, int outWidth, int outHeight);
LayerRect QuarterWindow(const LayerRect& current, int outWidth, int outHeight);

// The picture turns (the names of the image library the preview was drawn with).
enum class RotateFlip { RotateNoneFlipNone, Rotate90FlipNone, Rotate180FlipNone, Rotate270FlipNone, RotateNoneFlipX,
                        Rotate180FlipX };

inline constexpr int RotateCodeCount = 8;
struct RotateCodeRow {
    int Code;
    int ControlId;
    const char* Caption;
    std::vector<RotateFlip> TurnTo;    // from the unturned picture to the code
    std::vector<RotateFlip> TurnBack;  // from the code back to the unturned picture
};
const std::array<RotateCodeRow, RotateCodeCount>& RotateCodes();
// A stored rotation as a code of the table; anything beyond it shows as 0 (no rotation).
int RotateCodeOf(uint32_t rotation);
// The turns that take the picture from code `from` to code `to`.
std::vector<RotateFlip> RotateSteps(int from, int to);
