#pragma once
// Rectangles and points as the canvas measures them: left, top, right, bottom, with right and
// bottom just outside the area (a point at right or bottom is not inside).
#include <cstdint>

struct CanvasPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CanvasPoint&) const = default;
};

struct CanvasRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool operator==(const CanvasRect&) const = default;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Empty when it has no area (a flipped rectangle counts as empty too).
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Inside when left <= x < right and top <= y < bottom.
    bool Contains(CanvasPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // Inside with the right and bottom edges counted too.
    bool ContainsInclusive(CanvasPoint p) const {
        return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
    }
    CanvasRect Normalized() const;
    CanvasRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Grown by four insets: left and top move out by insets.left/top, right and bottom by insets.right/bottom.
    CanvasRect GrownBy(const CanvasRect& insets) const {
        return {left - insets.left, top - insets.top, right + insets.right, bottom + insets.bottom};
    }
    CanvasRect ShrunkBy(const CanvasRect& insets) const {
        return {left + insets.left, top + insets.top, right - insets.right, bottom - insets.bottom};
    }
};

// An area as a picture or a renderer names it: left, top, width, height.
struct PixelArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelArea&) const = default;
};

// The common area of two rectangles; all zero when they do not overlap.
CanvasRect IntersectRects(const CanvasRect& a, const CanvasRect& b);

// A double turned into an int by truncation, held inside the int range (NaN gives 0), so that
// coordinates from the device or a zero scale can never overflow a conversion.
int TruncToInt(double value);
// A 64-bit sum held inside the int range.
int ClampToInt(int64_t value);
