#include "mainwnd/canvas_geometry/CanvasRect.h"

#include <algorithm>
#include <climits>
#include <cmath>

CanvasRect CanvasRect::Normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

CanvasRect IntersectRects(const CanvasRect& a, const CanvasRect& b) {
    const CanvasRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
                       std::min(a.bottom, b.bottom)};
    if (r.IsEmpty() || a.IsEmpty() || b.IsEmpty()) return {};
    return r;
}

int TruncToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(value);
}

int ClampToInt(int64_t value) {
    return static_cast<int>(std::clamp<int64_t>(value, INT_MIN, INT_MAX));
}
