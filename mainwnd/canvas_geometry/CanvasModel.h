#pragma once
// The canvas without its window: the list of cells in drawing order, the selection, the scale,
// and the mouse (press, move, release, double click) as a state machine whose results the
// window turns into repaints, cursor shapes and messages to its parent.
#include <cstdint>
#include <memory>
#include <vector>

#include "mainwnd/canvas_geometry/CanvasScale.h"
#include "mainwnd/canvas_geometry/CanvasSnap.h"
#include "mainwnd/canvas_geometry/CellModel.h"

enum class DragMode { None = 0, Band = 1, Move = 2, Resize = 3 };

// What the canvas tells its parent. It names the cell by its Order (the layer of a layer cell)
// and its kind, so that a message still queued when cells are rebuilt never points at a
// deleted cell.
struct CanvasNotice {
    enum Kind { CellSelected, CellChanged } What;
    const CellModel* Cell;
    uint32_t Order;
    bool IsFrame;
    bool operator==(const CanvasNotice&) const = default;
};

// The outcome of one mouse event for the window.
struct MouseOutcome {
    std::vector<CanvasNotice> Notices;
    CellModel* Changed = nullptr;        // a cell whose rectangle changed: its view follows
    std::vector<CanvasRect> Invalid;     // areas to repaint
    bool RepaintAll = false;
    bool Capture = false;                // start holding the mouse
    bool Release = false;                // stop holding it
    bool SetCursor = false;
    HandleCursor Cursor = HandleCursor::Arrow;
};

inline constexpr int GridStep = 40;

class CanvasModel {
public:
    // ---- cells, in drawing order (later cells lie on top) ----
    std::vector<std::unique_ptr<CellModel>> Cells;
    std::vector<const CellModel*> CellList() const;

    // Inserts before the first frame cell or the first cell with a larger Order.
    CellModel* InsertCell(std::unique_ptr<CellModel> cell);
    // Takes the cell out of the list and hands it back (null when it is not in the list).
    std::unique_ptr<CellModel> TakeCell(const CellModel* cell);
    // First layer (non-frame) cell whose Order is `key`.
    CellModel* FindCellByKey(uint32_t key) const;
    CellModel* CellFromPoint(CanvasPoint p) const;
    void MoveCellToEnd(const CellModel* cell);
    void SortCellsByPriority();
    // Moves the selection; returns the areas to repaint.
    std::vector<CanvasRect> SelectCell(CellModel* cell);

    // ---- placement ----
    CanvasRect Client{0, 0, 10000, 10000};
    CanvasScale Scale;
    // Takes a new scale unless it cannot be divided by (then the old one stays): false then.
    bool SetScale(const CanvasScale& scale);
    // The first placement of a new cell from an output position and size.
    void PlaceNewCell(CellModel& cell, int x, int y, int width, int height);
    void SetCellRect(const CanvasRect& output, CellModel& cell);
    // Binds a layer cell to a frame: the output rectangle moves with the frame's origin.
    void SetCellLimitRect(CellModel& cell, const CanvasRect& frameOutput);
    // Lets a layer cell go from its frame: it keeps its place (and origin) but no old frame
    // limits it any more.
    void ClearCellLimitRect(CellModel& cell);
    void ReplaceAllCells();

    // ---- mouse ----
    MouseOutcome LeftDown(CanvasPoint p, bool control);
    MouseOutcome MouseMove(CanvasPoint p);
    MouseOutcome LeftUp();
    MouseOutcome DoubleClick(CanvasPoint p);

    bool Grid = false;
    int HitCode = HandleNone;
    DragMode Mode = DragMode::None;
    CanvasPoint LastPoint;
    CellModel* SelectedCell = nullptr;
    int SnapState = SnapNone;
    CanvasRect GuideRect;
    CanvasPoint BandStart;
    CanvasPoint BandEnd;
    // Where the pointer may travel during a drag: the pointer is held inside it, so a cell stops
    // at its limit and never falls behind the pointer.
    CanvasRect ClipArea;

private:
    CanvasRect MoveClipArea(const CellModel& cell, CanvasPoint p) const;
    void MoveStep(CellModel& cell, CanvasPoint p);
    const CellModel* FrameUnder(const CellModel& cell) const;
};

// The device's layer window of a layer cell: its output rectangle less the origin of its frame.
struct CellLayerWindow {
    int32_t X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const CellLayerWindow&) const = default;
};
CellLayerWindow LayerWindowOfCell(const CellModel& cell);
