#include "mainwnd/canvas_geometry/CanvasModel.h"

#include <algorithm>

std::vector<const CellModel*> CanvasModel::CellList() const {
    std::vector<const CellModel*> list;
    for (const auto& c : Cells) list.push_back(c.get());
    return list;
}

CellModel* CanvasModel::InsertCell(std::unique_ptr<CellModel> cell) {
    auto at = std::find_if(Cells.begin(), Cells.end(), [&](const auto& c) {
        return c->IsFrame || c->Order > cell->Order;
    });
    return Cells.insert(at, std::move(cell))->get();
}

std::unique_ptr<CellModel> CanvasModel::TakeCell(const CellModel* cell) {
    auto at = std::find_if(Cells.begin(), Cells.end(), [&](const auto& c) { return c.get() == cell; });
    if (at == Cells.end()) return nullptr;
    std::unique_ptr<CellModel> taken = std::move(*at);
    Cells.erase(at);
    if (SelectedCell == cell) {
        SelectedCell = nullptr;
        Mode = DragMode::None;
    }
    return taken;
}

CellModel* CanvasModel::FindCellByKey(uint32_t key) const {
    for (const auto& c : Cells) {
        if (!c->IsFrame && c->Order == key) return c.get();
    }
    return nullptr;
}

CellModel* CanvasModel::CellFromPoint(CanvasPoint p) const {
    if (SelectedCell && !SelectedCell->IsHidden()) {
        const int code = SelectedCell->HitTest(p.x, p.y);
        if (code != HandleInside && code != HandleNone) return SelectedCell;
    }
    CellModel* best = nullptr;
    for (const auto& c : Cells) {
        if (c->IsHidden() || c->IsPassiveFrame() || !c->Rect.Contains(p)) continue;
        if (!best || c->Rect.Width() < best->Rect.Width()) best = c.get();
    }
    return best;
}

void CanvasModel::MoveCellToEnd(const CellModel* cell) {
    auto at = std::find_if(Cells.begin(), Cells.end(), [&](const auto& c) { return c.get() == cell; });
    if (at != Cells.end()) std::rotate(at, at + 1, Cells.end());
}

void CanvasModel::SortCellsByPriority() {
    std::stable_sort(Cells.begin(), Cells.end(), [](const auto& a, const auto& b) { return a->Order < b->Order; });
}

std::vector<CanvasRect> CanvasModel::SelectCell(CellModel* cell) {
    std::vector<CanvasRect> invalid;
    const auto margin = [](const CanvasRect& r) { return CanvasRect{r.left - 4, r.top - 5, r.right + 5, r.bottom + 4}; };
    if (SelectedCell && SelectedCell != cell) {
        SelectedCell->SetSelected(false);
        invalid.push_back(margin(SelectedCell->Rect));
    }
    if (cell) {
        cell->SetSelected(true);
        invalid.push_back(margin(cell->Rect));
    }
    SelectedCell = cell;
    return invalid;
}

bool CanvasModel::SetScale(const CanvasScale& scale) {
    if (!IsUsableScale(scale)) return false;
    Scale = scale;
    return true;
}

void CanvasModel::PlaceNewCell(CellModel& cell, int x, int y, int width, int height) {
    const int left = std::max(x, 0), top = std::max(y, 0);
    cell.OutputRect = {left, top, ClampToInt(int64_t{left} + width), ClampToInt(int64_t{top} + height)};
    cell.Rect = OutputToCanvas(cell.OutputRect, Scale, Client);
    cell.SavedRect = cell.Rect;
}

void CanvasModel::SetCellRect(const CanvasRect& output, CellModel& cell) {
    cell.ApplyRect(output);
    cell.Rect = cell.KeepInsideLimit(Client, OutputToCanvas(cell.OutputRect, Scale, Client));
}

void CanvasModel::SetCellLimitRect(CellModel& cell, const CanvasRect& frameOutput) {
    const int64_t dx = int64_t{frameOutput.left} - cell.Origin.x;
    const int64_t dy = int64_t{frameOutput.top} - cell.Origin.y;
    CanvasRect out{ClampToInt(cell.OutputRect.left + dx), ClampToInt(cell.OutputRect.top + dy),
                   ClampToInt(cell.OutputRect.right + dx), ClampToInt(cell.OutputRect.bottom + dy)};
    if (out.left < 0) out.left = 0;
    if (out.top < 0) out.top = 0;
    cell.OutputRect = out;
    cell.Origin = {frameOutput.left, frameOutput.top};
    cell.LimitRect = OutputToCanvas(frameOutput, Scale, Client);
}

void CanvasModel::ClearCellLimitRect(CellModel& cell) { cell.LimitRect = {}; }

void CanvasModel::ReplaceAllCells() {
    for (auto& c : Cells) SetCellRect(c->OutputRect, *c);
}

CanvasRect CanvasModel::MoveClipArea(const CellModel& cell, CanvasPoint p) const {
    const CanvasRect limit = cell.LimitRect.IsEmpty() ? Client : cell.LimitRect;
    const CanvasRect& r = cell.Rect;
    CanvasRect area{p.x - (r.left - limit.left), p.y - (r.top - limit.top), p.x + (limit.right - r.right),
                    p.y + (limit.bottom - r.bottom)};
    if (r != limit) area = area.GrownBy({10, 10, 10, 10});
    return area.Normalized();
}

MouseOutcome CanvasModel::LeftDown(CanvasPoint p, bool control) {
    MouseOutcome out;
    CellModel* cell = CellFromPoint(p);
    if (control) {
        if (cell) {
            cell->SetSelected(!cell->IsSelected());
            out.Invalid.push_back(cell->Rect);
        }
        auto inv = SelectCell(nullptr);
        out.Invalid.insert(out.Invalid.end(), inv.begin(), inv.end());
        return out;
    }
    if (!cell) {
        for (auto& c : Cells) c->SetSelected(false);
        SelectedCell = nullptr;
        out.RepaintAll = true;
        return out;
    }
    if (cell->IsPassiveFrame()) return out;
    out.Invalid = SelectCell(cell);
    HitCode = cell->HitTest(p.x, p.y);
    if (HitCode == HandleInside) {
        Mode = DragMode::Move;
        ClipArea = MoveClipArea(*cell, p);
    } else if (HitCode == HandleNone) {
        Mode = DragMode::Band;
        auto inv = SelectCell(nullptr);
        out.Invalid.insert(out.Invalid.end(), inv.begin(), inv.end());
        ClipArea = Client;
    } else {
        if (cell->IsFrame) return out; // a frame is never resized
        Mode = DragMode::Resize;
        ClipArea = Client;
    }
    out.Capture = true;
    LastPoint = BandStart = BandEnd = p;
    out.Notices.push_back({CanvasNotice::CellSelected, cell, cell->Order, cell->IsFrame});
    return out;
}

const CellModel* CanvasModel::FrameUnder(const CellModel& cell) const {
    for (const auto& c : Cells) {
        if (c->IsFrame && !c->IsHidden() && cell.Intersects(c->Rect)) return c.get();
    }
    return nullptr;
}

void CanvasModel::MoveStep(CellModel& cell, CanvasPoint p) {
    if (Mode == DragMode::Move) {
        CanvasRect rect = (cell.IsFrame ? cell.OuterRect() : cell.Rect).Offset(p.x - LastPoint.x, p.y - LastPoint.y);
        SnapState = SnapNone;
        for (const auto& other : Cells) {
            if (other.get() == &cell || other->IsHidden()) continue;
            const CanvasRect otherRect = cell.IsFrame ? other->OuterRect() : other->Rect;
            const int state = SnapToCells(rect, otherRect, *other, cell);
            if (state != SnapNone) {
                SnapState = state;
                GuideRect = otherRect;
                break;
            }
        }
        cell.TrySetRect(Client, cell.IsFrame ? rect.ShrunkBy(cell.BorderInsets) : rect);
    } else {
        cell.ResizeByHandle(Client, HitCode, p.x, p.y);
    }
    FollowOutput(cell, HitCode, SnapState, Scale);
    if (!cell.IsFrame) {
        if (const CellModel* frame = FrameUnder(cell)) PullOntoFrame(cell, HitCode, frame->OutputRect);
    }
}

MouseOutcome CanvasModel::MouseMove(CanvasPoint p) {
    MouseOutcome out;
    if (Mode == DragMode::None) {
        if (const CellModel* cell = CellFromPoint(p)) {
            const int code = cell->HitTest(p.x, p.y);
            if (!cell->IsFrame) {
                out.SetCursor = true;
                out.Cursor = CellModel::GetHandleCursor(code);
            } else if (!cell->Passive && code == HandleInside) {
                out.SetCursor = true;
                out.Cursor = HandleCursor::Hand;
            }
        }
        return out;
    }
    p = {std::clamp(p.x, ClipArea.left, ClipArea.right), std::clamp(p.y, ClipArea.top, ClipArea.bottom)};
    if (Mode == DragMode::Band) {
        out.Invalid.push_back(CanvasRect{BandStart.x, BandStart.y, BandEnd.x, BandEnd.y}.Normalized().GrownBy({1, 1, 1, 1}));
        BandEnd = p;
        out.Invalid.push_back(CanvasRect{BandStart.x, BandStart.y, BandEnd.x, BandEnd.y}.Normalized().GrownBy({1, 1, 1, 1}));
        out.SetCursor = true;
        out.Cursor = HandleCursor::Arrow;
        return out;
    }
    CellModel* cell = SelectedCell;
    if (!cell) return out;
    const CanvasRect before = cell->OuterRect();
    MoveStep(*cell, p);
    // A move follows the pointer from where the cell really went: a step the limit refused or
    // a snap shifted is not carried on as an offset between cell and pointer.
    if (Mode == DragMode::Move) {
        const CanvasRect after = cell->OuterRect();
        LastPoint = {LastPoint.x + (after.left - before.left), LastPoint.y + (after.top - before.top)};
    } else {
        LastPoint = p;
    }
    out.Changed = cell;
    out.SetCursor = true;
    out.Cursor = CellModel::GetHandleCursor(HitCode);
    const CanvasRect grow{100, 100, 100, 100};
    out.Invalid.push_back(before.GrownBy(grow));
    out.Invalid.push_back(cell->OuterRect().GrownBy(grow));
    if (SnapState != SnapNone) out.Invalid.push_back(GuideRect.GrownBy(grow));
    BandEnd = p;
    return out;
}

MouseOutcome CanvasModel::LeftUp() {
    MouseOutcome out;
    SnapState = SnapNone;
    out.RepaintAll = true;
    // The mouse is let go at every button-up: a rebuild of the cells may have ended the drag
    // (and its mode) while the canvas still held the mouse.
    out.Release = true;
    if (Mode == DragMode::None) return out;
    if ((Mode == DragMode::Move || Mode == DragMode::Resize) && SelectedCell && BandStart != BandEnd) {
        out.Notices.push_back({CanvasNotice::CellChanged, SelectedCell, SelectedCell->Order, SelectedCell->IsFrame});
    }
    Mode = DragMode::None;
    return out;
}

MouseOutcome CanvasModel::DoubleClick(CanvasPoint p) {
    MouseOutcome out;
    CellModel* cell = CellFromPoint(p);
    if (!cell || cell->IsFrame || cell->Passive) return out;
    const FitRects fit = ComputeFitRect(*cell, CellList());
    if (fit.Canvas.IsEmpty()) return out;
    if (cell->Rect != fit.Canvas) {
        cell->SavedRect = cell->Rect;
        cell->SavedOutputRect = cell->OutputRect;
        cell->Rect = fit.Canvas;
        cell->ApplyRect(fit.Output);
        out.Changed = cell;
    } else if (!cell->SavedRect.IsEmpty() && !cell->SavedOutputRect.IsEmpty()) {
        // Only a fit leaves an output rectangle to go back to; a cell never fitted stays put.
        cell->Rect = cell->SavedRect;
        cell->ApplyRect(cell->SavedOutputRect);
        out.Changed = cell;
    }
    out.Notices.push_back({CanvasNotice::CellChanged, cell, cell->Order, cell->IsFrame});
    out.RepaintAll = true;
    return out;
}

CellLayerWindow LayerWindowOfCell(const CellModel& cell) {
    const CanvasRect& o = cell.OutputRect;
    return {std::max(0, ClampToInt(int64_t{o.left} - cell.Origin.x)), std::max(0, ClampToInt(int64_t{o.top} - cell.Origin.y)),
            ClampToInt(int64_t{o.right} - o.left), ClampToInt(int64_t{o.bottom} - o.top)};
}
