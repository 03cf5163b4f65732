#pragma once
// What a canvas cell is without its window: its rectangle in canvas pixels and in output
// pixels, its flags, its grab handles and the clamping that keeps it inside its limit.
// The window class CCell adds the drawing and the video view on top.
#include <cstdint>
#include <string>
#include <vector>

#include "mainwnd/canvas_geometry/CanvasRect.h"

// Grab handles of a cell, as HitTest reports them.
enum HandleCode : int {
    HandleLeft = 0,
    HandleTop = 1,
    HandleRight = 2,
    HandleBottom = 3,
    HandleInside = 4,
    HandleTopLeft = 5,
    HandleBottomLeft = 6,
    HandleTopRight = 7,
    HandleBottomRight = 8,
    HandleNone = 9,
};

// The pointer shape over a handle.
enum class HandleCursor { Arrow, SizeWE, SizeNS, SizeNWSE, SizeNESW, Hand };

inline constexpr uint32_t CellSelected = 1u << 0;
inline constexpr uint32_t CellHidden = 1u << 1;
inline constexpr int HandleBand = 5;   // width of a grab band, inside the cell
inline constexpr int MinCellSpan = 8;  // a resize never makes a cell narrower or shorter

class CellModel {
public:
    CellModel();
    explicit CellModel(const CanvasRect& rect);
    virtual ~CellModel() = default;
    CellModel(const CellModel&) = delete;
    CellModel& operator=(const CellModel&) = delete;

    bool IsSelected() const { return (Flags & CellSelected) != 0; }
    bool IsHidden() const { return (Flags & CellHidden) != 0; }
    void SetSelected(bool on) { Flags = on ? (Flags | CellSelected) : (Flags & ~CellSelected); }
    void SetHidden(bool on) { Flags = on ? (Flags | CellHidden) : (Flags & ~CellHidden); }
    // A panel frame that only shows where the output lies: drawn dotted, never pressed.
    bool IsPassiveFrame() const { return IsFrame && Passive; }

    CanvasRect GetHandleRect(int code) const;
    int HitTest(int x, int y) const;
    static HandleCursor GetHandleCursor(int code);
    void ResizeByHandle(const CanvasRect& bounds, int code, int x, int y);
    CanvasRect ClampRect(const CanvasRect& bounds, const CanvasRect& rect) const;
    CanvasRect KeepInsideLimit(const CanvasRect& bounds, const CanvasRect& rect) const;
    // Takes `rect` (kept inside the limit) when it differs and lies within bounds; true when taken.
    bool TrySetRect(const CanvasRect& bounds, const CanvasRect& rect);
    bool Intersects(const CanvasRect& rect) const;
    void ApplyRect(const CanvasRect& rect);
    void SetSourceRect(const CanvasRect& reference, const CanvasRect& source);
    std::string GetLabel() const { return Label; }

    // Rect, Flags (never with the selected bit) and SerialWord, little-endian: 22 bytes.
    std::vector<uint8_t> Serialize();
    // Reads what Serialize wrote; false (nothing changed) when the data is short.
    bool Deserialize(const std::vector<uint8_t>& data);

    // The output rectangle grown by the output insets (a frame's outer edge).
    CanvasRect OuterOutputRect() const { return OutputRect.GrownBy(OutputInsets); }
    // The canvas rectangle grown by the border insets.
    CanvasRect OuterRect() const { return Rect.GrownBy(BorderInsets); }

    uint32_t Flags = 0;
    CanvasRect Rect;         // canvas pixels, in the canvas's client coordinates
    CanvasRect BorderInsets; // four insets: used while snapping and drawing a selected outline
    uint32_t SourceId = 3;
    uint16_t SerialWord = 0;
    bool OutlineOnly = false;
    bool IsFrame = false;
    bool Passive = false;
    std::string Label;       // UTF-8
    uint32_t Order = 255;    // stacking key: the layer of a layer cell
    CanvasRect SavedRect;
    CanvasRect OutputRect;   // output pixels
    CanvasRect OutputInsets; // four output-pixel insets of a frame's outer edge
    CanvasRect SavedOutputRect;
    std::string PosText;
    std::string SizeText;
    std::string SubLabel;
    bool ShowSubLabel = false;
    uint32_t OutlineColour = 0x9CEF; // COLORREF
    bool UseOutlineColour = false;
    uint32_t SplitType = 0;  // 0..7: how a frame is cut into panels
    CanvasRect LimitRect;    // canvas pixels; empty: the whole canvas
    CanvasPoint Origin;      // output position of the frame the cell lies in
    PixelArea SourceRect;    // the part of the preview picture the cell shows
    uint32_t ChannelIndex = 0;

private:
    const CanvasRect& Limit(const CanvasRect& bounds) const { return LimitRect.IsEmpty() ? bounds : LimitRect; }
};

// "Pos:[%d,%d]" of the output position inside the cell's frame (negatives shown as 0).
std::string FormatPosText(const CellModel& cell);
// "Size:[%d,%d]" of the output size.
std::string FormatSizeText(const CellModel& cell);
