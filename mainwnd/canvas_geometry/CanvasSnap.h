#pragma once
// Snapping while a cell moves, the output rectangle that follows a drag, the pull of a layer
// onto its frame's edges, and the fit of a layer to the frames or frame panels it covers.
#include <optional>
#include <vector>

#include "mainwnd/canvas_geometry/CanvasScale.h"
#include "mainwnd/canvas_geometry/CellModel.h"

// What SnapToCells hit: a corner of the other cell, an edge, or nothing.
enum SnapCode : int {
    SnapLeftEdge = 0,
    SnapTopEdge = 1,
    SnapRightEdge = 2,
    SnapBottomEdge = 3,
    SnapTopLeft = 5,
    SnapBottomLeft = 6,
    SnapTopRight = 7,
    SnapBottomRight = 8,
    SnapNone = 10,
};

// Tries the other cell's corners, then its edges, in a fixed order; on the first hit places
// `moving` on it (size kept), writes the moving cell's output rectangle so that it meets the
// other cell exactly in output pixels too, and returns the hit. `moving` and `other` are the
// rectangles compared (a frame's are grown by its border insets). SnapNone: nothing changed.
int SnapToCells(CanvasRect& moving, const CanvasRect& other, const CellModel& otherCell, CellModel& movingCell);

// After a move or resize step: the output sides the drag changed follow the canvas rectangle.
// A move follows only when it did not snap, and then keeps the output size.
void FollowOutput(CellModel& cell, int hitCode, int snapState, const CanvasScale& scale);

// Pulls the changed output sides of a layer cell onto the frame's output edges when they lie
// within 2 output pixels of them or beyond them.
void PullOntoFrame(CellModel& cell, int hitCode, const CanvasRect& frameOutput);

// A frame's panels by its split type (1..7), in canvas pixels or in output pixels; a frame
// without panels gives itself.
std::vector<CanvasRect> FrameTiles(const CanvasRect& frame, uint32_t splitType);

struct FitRects {
    CanvasRect Canvas;
    CanvasRect Output;
};

// The smallest rectangle holding every visible frame (or frame panel) the cell overlaps, in
// canvas and output pixels; each output side comes from the frame or panel whose canvas side won.
FitRects ComputeFitRect(const CellModel& cell, const std::vector<const CellModel*>& cells);
