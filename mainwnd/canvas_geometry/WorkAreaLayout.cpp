#include "mainwnd/canvas_geometry/WorkAreaLayout.h"

#include <cmath>
#include <cstdio>

std::string LayerLabelPrefix(int layer, int switcherMode, LayerSide side, bool* labelled) {
    if (labelled) *labelled = true;
    const bool first = layer == 0 || layer == 2; // PGM1/PVW1 side of the dual mode
    char text[16];
    if (switcherMode == 1 && (layer == 0 || layer == 1)) return side.OnProgram ? "PGM : " : "PVW : ";
    if (switcherMode == 2) {
        if (side.OnProgram) return first ? "PGM1 : " : "PGM2 : ";
        if (side.OnPreview) return first ? "PVW1 : " : "PVW2 : ";
        if (labelled) *labelled = false;
        return {};
    }
    if (layer == 0) return "Main : ";
    std::snprintf(text, sizeof text, "PIP-%d : ", layer);
    return text;
}

int FramesShownByMosaic(uint32_t mosaicMode) {
    switch (mosaicMode) {
    case 2:
    case 3: return 2;
    case 4: return 3;
    case 5: return 4;
    default: return 1;
    }
}

int FrameOfLayer(uint32_t mosaicMode, int layer, uint8_t mosaicCell, int switcherMode) {
    if (layer < 0 || layer >= WorkAreaLayers) return -1;
    switch (mosaicMode) {
    case 0: return (layer == 0 && switcherMode != 0) ? -1 : 0;
    case 1: return 0;
    case 2: return layer % 2;
    case 3: return layer / 2;
    case 4:
        if (mosaicCell < 2 || mosaicCell > 4) return -1;
        return layer == 3 ? 1 : layer;
    case 5: return layer;
    default: return 0;
    }
}

std::array<CanvasRect, OutputFrameCount> ArrangeOutputFrames(uint32_t arrangement,
                                                             std::array<CanvasRect, OutputFrameCount> f,
                                                             int hActive, int vActive, int* placed) {
    const auto right = [&](const CanvasRect& p) {
        return CanvasRect{p.right, p.top, ClampToInt(int64_t{p.right} + hActive), p.bottom};
    };
    const auto below = [&](const CanvasRect& p) {
        return CanvasRect{p.left, p.bottom, p.right, ClampToInt(int64_t{p.bottom} + vActive)};
    };
    int n = 0;
    switch (arrangement) {
    case 0: f[1] = right(f[0]); n = 1; break;
    case 1: f[1] = below(f[0]); n = 1; break;
    case 2:
    case 3: f[1] = right(f[0]); f[2] = right(f[1]); n = 2; break;
    case 4: f[1] = below(f[0]); f[2] = below(f[1]); n = 2; break;
    case 5: f[1] = right(f[0]); f[2] = below(f[0]); f[3] = below(f[1]); n = 3; break;
    case 6: f[1] = right(f[0]); f[2] = right(f[1]); f[3] = right(f[2]); n = 3; break;
    case 7: f[1] = below(f[0]); f[2] = below(f[1]); f[3] = below(f[2]); n = 3; break;
    default: break;
    }
    if (placed) *placed = n;
    return f;
}

bool ZoomWheelApplies(int switcherMode, unsigned wheelKeys) {
    return switcherMode == 0 && wheelKeys == WheelControl;
}

double NextZoom(double zoom, int wheelDelta) {
    const double next = wheelDelta >= 0 ? zoom - 0.5 : zoom + 0.5;
    return next <= 0.0 ? 1.0 : next;
}

namespace {
CanvasRect Sized(int left, int top, int w, int h) {
    return {left, top, ClampToInt(int64_t{left} + w), ClampToInt(int64_t{top} + h)};
}
} // namespace

bool LayoutSwitcherViews(int mode, int w, int h, int clientLeft, int clientTop, int hActive, int vActive,
                         std::array<CanvasRect, 4> views, SwitcherViewPlacement& out) {
    if (mode != 1 && mode != 2) return false;
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const float across = mode == 1 ? (2.0f * fw) / 5.0f - 125.0f : (2.0f * fw - 250.0f) / 5.0f;
    const float down = (fh - 198.0f) / 2.0f;
    // A working area too small for the views would give a negative or endless scale.
    if (!(across > 0.0f) || !(down > 0.0f) || hActive <= 0 || vActive <= 0) return false;
    const float sx = static_cast<float>(hActive) / across;
    const float sy = static_cast<float>(vActive) / down;
    if (!std::isfinite(sx) || !std::isfinite(sy)) return false;
    const int cx = TruncToInt((fw / 2.0f) * sx + static_cast<float>(clientLeft));
    const int upper = TruncToInt(40.0f * sy);
    const int lower = TruncToInt((fh / 2.0f) * sy + static_cast<float>(clientTop) + 40.0f * sy);
    const auto keep = [&](int v) { return views[v]; };
    out.Scale = {sx, sy};
    out.Views = views;
    if (mode == 1) {
        const int left = cx - keep(ViewPvw1).Width() / 2;
        out.Views[ViewPvw1] = Sized(left, upper, keep(ViewPvw1).Width(), keep(ViewPvw1).Height());
        const int pgmLeft = cx - keep(ViewPgm1).Width() / 2;
        out.Views[ViewPgm1] = Sized(pgmLeft, lower, keep(ViewPgm1).Width(), keep(ViewPgm1).Height());
    } else {
        out.Views[ViewPvw1] = Sized(cx - keep(ViewPvw1).Width(), upper, keep(ViewPvw1).Width(), keep(ViewPvw1).Height());
        out.Views[ViewPvw2] = Sized(cx, upper, keep(ViewPvw2).Width(), keep(ViewPvw2).Height());
        out.Views[ViewPgm1] = Sized(cx - keep(ViewPgm1).Width(), lower, keep(ViewPgm1).Width(), keep(ViewPgm1).Height());
        out.Views[ViewPgm2] = Sized(cx, lower, keep(ViewPgm2).Width(), keep(ViewPgm2).Height());
    }
    return true;
}

int SwitcherViewOfLayer(int mode, int layer, LayerSide side) {
    const bool first = layer == 0 || layer == 2;
    if (mode == 1) return side.OnProgram ? ViewPgm1 : ViewPvw1;
    if (mode == 2) {
        if (side.OnProgram) return first ? ViewPgm1 : ViewPgm2;
        return first ? ViewPvw1 : ViewPvw2;
    }
    return -1;
}

int LayerQuadrant(int layer, int mode, LayerSide side, uint32_t arrangement, uint32_t mosaicMode) {
    if (layer < 0 || layer >= WorkAreaLayers) return -1;
    const bool first = layer == 0 || layer == 2;
    if (mode == 1) return side.OnProgram ? 1 : 0;
    if (mode == 2) {
        if (side.OnProgram) return first ? 2 : 3;
        if (side.OnPreview) return first ? 0 : 1;
        return -1;
    }
    if (arrangement == 3) return layer == 3 ? 1 : layer;
    if (mosaicMode == 3 && (layer == 1 || layer == 2)) return 3 - layer;
    return layer;
}

PixelArea CellSourceRect(int quadrant, int previewWidth, int previewHeight, int x, int y, int width, int height,
                         int hActive, int vActive, bool logo) {
    if (quadrant < 0 || quadrant > 3 || hActive <= 0 || vActive <= 0 || previewWidth <= 0 || previewHeight <= 0)
        return {};
    const int qw = previewWidth / 2, qh = previewHeight / 2;
    const int qx = (quadrant % 2) * qw, qy = (quadrant / 2) * qh;
    const auto scaled = [](int v, int q, int size) {
        return TruncToInt(static_cast<float>(v) * static_cast<float>(q) / static_cast<float>(size) + 0.5f);
    };
    PixelArea a;
    a.x = qx + scaled(x, qw, hActive);
    a.width = scaled(width, qw, hActive);
    if (logo) {
        a.y = qy + ClampToInt(int64_t{y} * qh / vActive);
        a.height = ClampToInt(int64_t{height} * qh / vActive);
    } else {
        a.y = qy + scaled(y, qh, vActive);
        a.height = scaled(height, qh, vActive);
    }
    return a;
}
