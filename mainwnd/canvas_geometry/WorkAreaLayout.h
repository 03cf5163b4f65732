#pragma once
// The working area's rules without a window: which frame each layer is bound to per mosaic mode,
// where the output frames go per arrangement, the labels per switcher mode, the zoom steps,
// the switcher views' layout and which part of the preview picture a layer cell shows.
#include <array>
#include <cstdint>
#include <string>

#include "mainwnd/canvas_geometry/CanvasRect.h"
#include "mainwnd/canvas_geometry/CanvasScale.h"

// Output frame 0 lies here, so the canvas keeps a margin of this many output pixels.
inline constexpr CanvasPoint FirstFrameOrigin{125, 198};
inline constexpr double StartZoom = 6.0;
inline constexpr int WorkAreaLayers = 4;
inline constexpr int OutputFrameCount = 4;

// Switcher view cells: PVW1, PVW2, PGM1, PGM2.
enum SwitcherView : int { ViewPvw1 = 0, ViewPvw2 = 1, ViewPgm1 = 2, ViewPgm2 = 3 };

// Where a layer stands in the switcher modes (layer i of SwitcherSettings.OnProgram/OnPreview).
struct LayerSide {
    bool OnProgram = false;
    bool OnPreview = false;
};

// "Main : " / "PIP-%d : " in mode 0; "PGM : " / "PVW : " for layers 0 and 1 in mode 1;
// "PGM1 : " .. "PVW2 : " in mode 2, where a layer on neither side gets no label at all
// (`labelled` false).
std::string LayerLabelPrefix(int layer, int switcherMode, LayerSide side, bool* labelled = nullptr);

// The number of output frames a mosaic mode shows (1..4); an unknown mode shows one.
int FramesShownByMosaic(uint32_t mosaicMode);
// The frame a layer cell is bound to, or -1 when the mode leaves it where it is (layer 0 with
// mosaic off outside switcher mode 0; mosaic x3 unless the mosaic cell count is 2, 3 or 4).
int FrameOfLayer(uint32_t mosaicMode, int layer, uint8_t mosaicCell, int switcherMode);

// Frames 1..3 placed edge to edge from frame 0 for an arrangement 0..7; frames an arrangement
// does not place keep their rectangles. `placed` says how many frames after frame 0 moved.
std::array<CanvasRect, OutputFrameCount> ArrangeOutputFrames(uint32_t arrangement,
                                                             std::array<CanvasRect, OutputFrameCount> frames,
                                                             int hActive, int vActive, int* placed = nullptr);

// The key and button state that comes with a wheel turn, one bit each.
inline constexpr unsigned WheelLeftButton = 0x1, WheelRightButton = 0x2, WheelShift = 0x4, WheelControl = 0x8,
                          WheelMiddleButton = 0x10, WheelExtraButton1 = 0x20, WheelExtraButton2 = 0x40;

// Ctrl + wheel: only in switcher mode 0 and with exactly Ctrl held (no Shift, no mouse button).
// A forward turn zooms in by 0.5 output pixels per canvas pixel, a backward turn out; 0 or less
// becomes 1.0.
bool ZoomWheelApplies(int switcherMode, unsigned wheelKeys);
double NextZoom(double zoom, int wheelDelta);

// Mode 1 and 2 layout of the switcher views inside a working area of W x H client pixels.
// False (nothing to apply) when the area is too small for a positive, finite scale.
struct SwitcherViewPlacement {
    CanvasScale Scale;
    std::array<CanvasRect, 4> Views; // output rectangles by SwitcherView
};
bool LayoutSwitcherViews(int switcherMode, int clientWidth, int clientHeight, int clientLeft, int clientTop,
                         int hActive, int vActive, std::array<CanvasRect, 4> current, SwitcherViewPlacement& out);

// The switcher view whose top-left is a layer's origin in modes 1 and 2; -1 when the layer is
// on neither side in mode 2 (it keeps its origin) and in mode 0 (the frame's origin holds).
int SwitcherViewOfLayer(int switcherMode, int layer, LayerSide side);

// The quadrant of the preview picture a layer cell shows (quadrant q: column q % 2, row q / 2),
// or -1 for no change.
int LayerQuadrant(int layer, int switcherMode, LayerSide side, uint32_t mosaicArrangement = 0, uint32_t mosaicMode = 0);

// The part of quadrant `quadrant` of a preview picture that shows the output window (x, y,
// width, height) of an output of hActive x vActive, in single precision with rounding;
// `logo` divides the vertical values as integers instead. An empty area for an output size of
// 0 or a quadrant outside 0..3.
PixelArea CellSourceRect(int quadrant, int previewWidth, int previewHeight, int x, int y, int width, int height,
                         int hActive, int vActive, bool logo = false);
