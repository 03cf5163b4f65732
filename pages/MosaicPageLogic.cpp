#include "pages/MosaicPageLogic.h"

#include <algorithm>

const std::array<PanelModeRow, PanelModeCount>& PanelModes() {
    static const std::array<PanelModeRow, PanelModeCount> rows = {{
        {1, 1170, "Panel x 1", 0, 0, NoArrangementCell},
        {2, 1173, "Panel x 2", 0, 2, 0},
        {3, 1586, "Panel x2_1", 0, 2, 0},
        {4, 1513, "Panel x 3", 2, 3, 2},
        {5, 1168, "Panel x 4", 5, 3, 5},
    }};
    return rows;
}

uint8_t EntryCellOf(uint32_t mode) {
    return mode >= 1 && mode <= PanelModeCount ? PanelModes()[mode - 1].EntryCell : NoArrangementCell;
}

uint32_t ShownMosaicMode(uint32_t mode) { return mode <= PanelModeCount ? mode : 0; }

uint8_t ShownArrangement(uint32_t mode, uint32_t arrangement) {
    if (mode < 1 || mode > PanelModeCount) return NoArrangementCell;
    const PanelModeRow& row = PanelModes()[mode - 1];
    if (row.CellCount == 0) return NoArrangementCell;
    const uint32_t first = static_cast<uint32_t>(row.FirstCell);
    return arrangement >= first && arrangement < first + static_cast<uint32_t>(row.CellCount)
               ? static_cast<uint8_t>(arrangement)
               : row.EntryCell;
}

std::array<CellArea, ArrangementCellCount> LayOutCells(int boxLeft, int boxTop, int markWidth, int markHeight) {
    std::array<CellArea, ArrangementCellCount> cells{};
    // Cells 0-1, 2-4 and 5-7 each start again at the first slot.
    const int slotOf[ArrangementCellCount] = {0, 1, 0, 1, 2, 0, 1, 2};
    for (int cell = 0; cell < ArrangementCellCount; ++cell) {
        CellArea& a = cells[cell];
        a.Picture = {boxLeft + 30 + 94 * slotOf[cell], boxTop + 30, 64, 64};
        a.Mark = {a.Picture.Left - 2 - markWidth, a.Picture.Top + 32 - markHeight / 2, markWidth, markHeight};
    }
    return cells;
}

std::optional<uint8_t> HitArrangementCell(uint32_t mode, const std::array<CellArea, ArrangementCellCount>& cells,
                                          int x, int y) {
    if (mode < 1 || mode > PanelModeCount) return std::nullopt;
    const PanelModeRow& row = PanelModes()[mode - 1];
    for (int cell = row.FirstCell; cell < row.FirstCell + row.CellCount; ++cell)
        if (cells[cell].Picture.Contains(x, y) || cells[cell].Mark.Contains(x, y)) return static_cast<uint8_t>(cell);
    return std::nullopt;
}

MosaicGeometry ClampMosaicEdit(MosaicGeometry v, MosaicEdit edited, int64_t storedHTotal, int64_t storedVTotal) {
    using E = MosaicEdit;
    auto lower = [&v](E e, int64_t limit) { v[e] = std::min(v[e], limit); };
    switch (edited) {
    case E::HStart: lower(E::HStart, storedHTotal - v[E::Width]); break;
    case E::VStart: lower(E::VStart, storedVTotal - v[E::Height]); break;
    case E::Width: lower(E::Width, storedHTotal - v[E::HStart]); break;
    case E::Height: lower(E::Height, storedVTotal - v[E::VStart]); break;
    case E::HTotal:
        lower(E::Width, v[E::HTotal]);
        lower(E::HStart, v[E::HTotal] - v[E::Width]);
        break;
    case E::VTotal:
        lower(E::Height, v[E::VTotal]);
        lower(E::VStart, v[E::VTotal] - v[E::Height]);
        break;
    }
    for (int64_t& value : v.Value) value = std::max<int64_t>(0, value);
    return v;
}
