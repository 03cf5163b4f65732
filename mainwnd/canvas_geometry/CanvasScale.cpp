#include "mainwnd/canvas_geometry/CanvasScale.h"

#include <cmath>
#include <cstdint>

bool IsUsableScale(const CanvasScale& scale) {
    return std::isfinite(scale.x) && std::isfinite(scale.y) && scale.x > 0.0 && scale.y > 0.0;
}

namespace {

// One axis of CanvasToOutput: the start from the canvas start, the end from the canvas length.
void StartEndToOutput(int start, int end, double scale, int& outStart, int& outEnd) {
    outStart = start > 1 ? TruncToInt(start * scale + 0.5) : 0;
    if (outStart < 0) outStart = 0;
    const int64_t length = static_cast<int64_t>(end) - start;
    outEnd = ClampToInt(static_cast<int64_t>(TruncToInt(static_cast<double>(length) * scale + 0.5)) + outStart);
}

// One axis of OutputToCanvas. The quotient is taken in single precision, as the canvas always
// did, so rectangles land on the same canvas pixels as before.
void StartEndToCanvas(int start, int end, double scale, int clientEnd, int& outStart, int& outEnd) {
    const float q = start < 2 ? 0.0f : static_cast<float>(start) / static_cast<float>(scale);
    outStart = TruncToInt(static_cast<double>(q) + 0.5);
    if (outStart < 0) outStart = 0;
    const double length = static_cast<double>(static_cast<int64_t>(end) - start);
    outEnd = TruncToInt(length / scale + static_cast<double>(q) + 0.5);
    if (outEnd >= clientEnd - 1) outEnd = clientEnd;
}

} // namespace

CanvasRect CanvasToOutput(const CanvasRect& rect, const CanvasScale& scale) {
    if (!IsUsableScale(scale)) return {};
    CanvasRect out;
    StartEndToOutput(rect.left, rect.right, scale.x, out.left, out.right);
    StartEndToOutput(rect.top, rect.bottom, scale.y, out.top, out.bottom);
    return out.Normalized();
}

CanvasRect OutputToCanvas(const CanvasRect& rect, const CanvasScale& scale, const CanvasRect& client) {
    if (!IsUsableScale(scale)) return {};
    CanvasRect out;
    StartEndToCanvas(rect.left, rect.right, scale.x, client.right, out.left, out.right);
    StartEndToCanvas(rect.top, rect.bottom, scale.y, client.bottom, out.top, out.bottom);
    return out.Normalized();
}
