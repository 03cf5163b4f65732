#include "mainwnd/canvas_geometry/CanvasSnap.h"

#include <array>

namespace {

enum Side { Left, Top, Right, Bottom };

int& SideOf(CanvasRect& r, Side s) {
    switch (s) {
    case Left: return r.left;
    case Top: return r.top;
    case Right: return r.right;
    default: return r.bottom;
    }
}

int SideOf(const CanvasRect& r, Side s) { return SideOf(const_cast<CanvasRect&>(r), s); }

Side Opposite(Side s) {
    switch (s) {
    case Left: return Right;
    case Right: return Left;
    case Top: return Bottom;
    default: return Top;
    }
}

// Puts side `s` of `r` at `value` and moves the opposite side along, keeping the size.
void PlaceSide(CanvasRect& r, Side s, int value) {
    const int64_t delta = static_cast<int64_t>(value) - SideOf(r, s);
    SideOf(r, s) = value;
    SideOf(r, Opposite(s)) = ClampToInt(SideOf(r, Opposite(s)) + delta);
}

// The output rectangle after a snap: the sides that met in canvas pixels take the other
// cell's output sides; the size stays. A frame aligns its outer (inset-grown) rectangles.
void AlignOutput(CellModel& moving, const CellModel& other, const std::vector<std::pair<Side, Side>>& met) {
    CanvasRect own = moving.IsFrame ? moving.OuterOutputRect() : moving.OutputRect;
    const CanvasRect target = moving.IsFrame ? other.OuterOutputRect() : other.OutputRect;
    for (const auto& [mine, theirs] : met) PlaceSide(own, mine, SideOf(target, theirs));
    moving.ApplyRect(moving.IsFrame ? own.ShrunkBy(moving.OutputInsets) : own);
}

struct CornerTarget {
    Side x, y;
    int state;
};

bool Within1(int a, int b) { return a - b >= -1 && a - b <= 1; }

// A vertical span overlap as the edge tests read it.
bool SpansOverlapVertically(const CanvasRect& m, const CanvasRect& o) {
    return (m.bottom > o.top && m.bottom < o.bottom) || (o.bottom > m.top && o.bottom < m.bottom);
}
bool SpansOverlapHorizontally(const CanvasRect& m, const CanvasRect& o) {
    return (m.right > o.left && m.right < o.right) || (o.right > m.left && o.right < m.right);
}

} // namespace

int SnapToCells(CanvasRect& moving, const CanvasRect& other, const CellModel& otherCell, CellModel& movingCell) {
    static constexpr std::array<CornerTarget, 4> Corners{{
        {Left, Top, SnapTopLeft},
        {Left, Bottom, SnapBottomLeft},
        {Right, Top, SnapTopRight},
        {Right, Bottom, SnapBottomRight},
    }};
    static constexpr std::array<std::pair<Side, Side>, 4> MovingCorners{{
        {Left, Top}, {Left, Bottom}, {Right, Top}, {Right, Bottom}}};
    for (const CornerTarget& t : Corners) {
        const int tx = SideOf(other, t.x), ty = SideOf(other, t.y);
        for (const auto& [mx, my] : MovingCorners) {
            if (!Within1(SideOf(moving, mx), tx) || !Within1(SideOf(moving, my), ty)) continue;
            PlaceSide(moving, mx, tx);
            PlaceSide(moving, my, ty);
            AlignOutput(movingCell, otherCell, {{mx, t.x}, {my, t.y}});
            return t.state;
        }
    }
    // Edges: they must already coincide, and the spans must overlap.
    struct EdgeTarget {
        Side target;
        int state;
        bool vertical;
    };
    static constexpr std::array<EdgeTarget, 4> Edges{{
        {Left, SnapLeftEdge, true},
        {Right, SnapRightEdge, true},
        {Bottom, SnapBottomEdge, false},
        {Top, SnapTopEdge, false},
    }};
    for (const EdgeTarget& e : Edges) {
        const bool spans = e.vertical ? SpansOverlapVertically(moving, other) : SpansOverlapHorizontally(moving, other);
        if (!spans) continue;
        const std::array<Side, 2> own = e.vertical ? std::array<Side, 2>{Right, Left} : std::array<Side, 2>{Bottom, Top};
        for (Side mine : own) {
            if (SideOf(moving, mine) != SideOf(other, e.target)) continue;
            AlignOutput(movingCell, otherCell, {{mine, e.target}});
            return e.state;
        }
    }
    return SnapNone;
}

void FollowOutput(CellModel& cell, int hitCode, int snapState, const CanvasScale& scale) {
    const CanvasRect conv = CanvasToOutput(cell.Rect, scale);
    CanvasRect out = cell.OutputRect;
    if (hitCode == HandleInside) {
        if (snapState != SnapNone) return;
        PlaceSide(out, Left, conv.left);
        PlaceSide(out, Top, conv.top);
        cell.OutputRect = out;
        return;
    }
    const bool left = hitCode == HandleLeft || hitCode == HandleTopLeft || hitCode == HandleBottomLeft;
    const bool top = hitCode == HandleTop || hitCode == HandleTopLeft || hitCode == HandleTopRight;
    const bool right = hitCode == HandleRight || hitCode == HandleTopRight || hitCode == HandleBottomRight;
    const bool bottom = hitCode == HandleBottom || hitCode == HandleBottomLeft || hitCode == HandleBottomRight;
    if (left) out.left = conv.left;
    if (top) out.top = conv.top;
    if (right) out.right = conv.right;
    if (bottom) out.bottom = conv.bottom;
    cell.OutputRect = out;
}

namespace {

// Whether the side lies within 2 output pixels of the frame's edge, or beyond it.
bool NearOrBeyond(const CanvasRect& out, const CanvasRect& frame, Side s) {
    switch (s) {
    case Left: return out.left <= frame.left + 2;
    case Top: return out.top <= frame.top + 2;
    case Right: return out.right >= frame.right - 2;
    default: return out.bottom >= frame.bottom - 2;
    }
}

} // namespace

void PullOntoFrame(CellModel& cell, int hitCode, const CanvasRect& frameOutput) {
    CanvasRect out = cell.OutputRect;
    const auto pull = [&](Side s) {
        if (NearOrBeyond(out, frameOutput, s)) SideOf(out, s) = SideOf(frameOutput, s);
    };
    switch (hitCode) {
    case HandleLeft: pull(Left); break;
    case HandleTop: pull(Top); break;
    case HandleRight: pull(Right); break;
    case HandleBottom: pull(Bottom); break;
    case HandleTopLeft: pull(Left); pull(Top); break;
    case HandleBottomLeft: pull(Left); pull(Bottom); break;
    case HandleTopRight:
        pull(Top);
        // A right edge dragged far outside stays there; only a near one is pulled in.
        if (out.right - frameOutput.right >= -2 && out.right - frameOutput.right <= 2) out.right = frameOutput.right;
        break;
    case HandleBottomRight: pull(Right); pull(Bottom); break;
    case HandleInside:
        for (Side s : {Top, Right, Left, Bottom}) {
            if (NearOrBeyond(out, frameOutput, s)) PlaceSide(out, s, SideOf(frameOutput, s));
        }
        break;
    default: break;
    }
    cell.ApplyRect(out);
}

std::vector<CanvasRect> FrameTiles(const CanvasRect& f, uint32_t splitType) {
    // columns x rows of equal panels, sizes by integer division
    int cols = 1, rows = 1;
    switch (splitType) {
    case 1: rows = 4; break;
    case 2: cols = 4; break;
    case 3: cols = 2; rows = 2; break;
    case 4: rows = 3; break;
    case 5: cols = 3; break;
    case 6: rows = 2; break;
    case 7: cols = 2; break;
    default: return {f};
    }
    const int w = f.Width() / cols, h = f.Height() / rows;
    std::vector<CanvasRect> tiles;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int left = f.left + c * w, top = f.top + r * h;
            tiles.push_back({left, top, left + w, top + h});
        }
    }
    return tiles;
}

FitRects ComputeFitRect(const CellModel& cell, const std::vector<const CellModel*>& cells) {
    FitRects fit{{10000, 10000, 0, 0}, {}};
    for (const CellModel* frame : cells) {
        if (!frame->IsFrame || frame->IsHidden() || !cell.Intersects(frame->Rect)) continue;
        const std::vector<CanvasRect> canvasTiles = FrameTiles(frame->Rect, frame->SplitType);
        const std::vector<CanvasRect> outputTiles = FrameTiles(frame->OutputRect, frame->SplitType);
        for (size_t i = 0; i < canvasTiles.size() && i < outputTiles.size(); ++i) {
            const CanvasRect& c = canvasTiles[i];
            const CanvasRect& o = outputTiles[i];
            if (canvasTiles.size() > 1 && !cell.Intersects(c)) continue;
            if (c.left < fit.Canvas.left) { fit.Canvas.left = c.left; fit.Output.left = o.left; }
            if (c.top < fit.Canvas.top) { fit.Canvas.top = c.top; fit.Output.top = o.top; }
            if (c.right > fit.Canvas.right) { fit.Canvas.right = c.right; fit.Output.right = o.right; }
            if (c.bottom > fit.Canvas.bottom) { fit.Canvas.bottom = c.bottom; fit.Output.bottom = o.bottom; }
        }
    }
    return fit;
}
