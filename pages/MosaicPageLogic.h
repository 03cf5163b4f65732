#pragma once
// The mosaic page's rules without windows: the panel modes with the arrangement cells each one
// offers, where the cells sit in the picture row and which one a click hits, and the clamps of
// the per-layer geometry.
#include <array>
#include <cstdint>
#include <optional>

inline constexpr int PanelModeCount = 5;    // modes 1..5; mode 0 is mosaic off
inline constexpr int ArrangementCellCount = 8;
inline constexpr uint8_t NoArrangementCell = 8;

struct PanelModeRow {
    uint32_t Mode;
    int ControlId;
    const char* Caption;
    int FirstCell, CellCount;   // the cells the picture row offers
    uint8_t EntryCell;          // the cell chosen when the mode is entered (8: none)
};
// Rows for modes 1..5, in mode order (index = mode - 1).
const std::array<PanelModeRow, PanelModeCount>& PanelModes();
// The cell chosen when `mode` is entered; 8 for modes without cells and for unknown modes.
uint8_t EntryCellOf(uint32_t mode);
// The mode as the page shows it: 1..5, or 0 (off) for 0 and anything the table does not know.
uint32_t ShownMosaicMode(uint32_t mode);
// The arrangement as the page shows it for panel mode `mode`: a cell the mode offers as it is;
// any other value (a cell of another mode, one the page does not know) as the mode's first cell.
// Modes without cells show 8 (none).
uint8_t ShownArrangement(uint32_t mode, uint32_t arrangement);

struct CellRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    bool Contains(int x, int y) const { return x >= Left && x < Left + Width && y >= Top && y < Top + Height; }
};
struct CellArea {
    CellRect Picture, Mark;
};
// Where each cell sits inside the "Automatic Arrangement" box: three 64 x 64 slots, 94 pixels
// apart, 30 pixels in from the box's corner, each with its mark just left of the picture.
std::array<CellArea, ArrangementCellCount> LayOutCells(int boxLeft, int boxTop, int markWidth, int markHeight);
// The cell of panel mode `mode` hit by a click, the first hit winning; none for modes without
// cells or a click beside them.
std::optional<uint8_t> HitArrangementCell(uint32_t mode, const std::array<CellArea, ArrangementCellCount>& cells,
                                          int x, int y);

// The six geometry values of one layer.
enum class MosaicEdit { HStart, VStart, Width, Height, HTotal, VTotal };
struct MosaicGeometry {
    std::array<int64_t, 6> Value{};
    int64_t& operator[](MosaicEdit e) { return Value[static_cast<int>(e)]; }
    int64_t operator[](MosaicEdit e) const { return Value[static_cast<int>(e)]; }
};
// Lowers what the edit would take outside the layer's totals (`storedHTotal` / `storedVTotal`);
// a new total is itself the stored total. Never below 0.
MosaicGeometry ClampMosaicEdit(MosaicGeometry values, MosaicEdit edited, int64_t storedHTotal, int64_t storedVTotal);
