#include "mainwnd/canvas_geometry/CellModel.h"

#include <algorithm>
#include <cstring>

CellModel::CellModel() = default;

CellModel::CellModel(const CanvasRect& rect) : Rect(rect), SavedRect(rect) {}

CanvasRect CellModel::GetHandleRect(int code) const {
    const int l = Rect.left, t = Rect.top, r = Rect.right, b = Rect.bottom, n = HandleBand;
    switch (code) {
    case HandleLeft: return {l, t + n, l + n, b - n};
    case HandleTop: return {l + n, t, r - n, t + n};
    case HandleRight: return {r - n, t + n, r, b - n};
    case HandleBottom: return {l + n, b - n, r - n, b};
    case HandleInside: return {l + n, t + n, r - n, b - n};
    case HandleTopLeft: return {l, t, l + n, t + n};
    case HandleBottomLeft: return {l, b - n, l + n, b};
    case HandleTopRight: return {r - n, t, r, t + n};
    case HandleBottomRight: return {r - n, b - n, r, b};
    default: return {};
    }
}

int CellModel::HitTest(int x, int y) const {
    // The bands overlap on their edges; the lower code wins, so the order of this loop matters.
    for (int code = HandleLeft; code <= HandleBottomRight; ++code) {
        if (GetHandleRect(code).Normalized().ContainsInclusive({x, y})) return code;
    }
    return HandleNone;
}

HandleCursor CellModel::GetHandleCursor(int code) {
    switch (code) {
    case HandleLeft:
    case HandleRight: return HandleCursor::SizeWE;
    case HandleTop:
    case HandleBottom: return HandleCursor::SizeNS;
    case HandleInside: return HandleCursor::Hand;
    case HandleTopLeft:
    case HandleBottomRight: return HandleCursor::SizeNWSE;
    case HandleBottomLeft:
    case HandleTopRight: return HandleCursor::SizeNESW;
    default: return HandleCursor::Arrow;
    }
}

void CellModel::ResizeByHandle(const CanvasRect& bounds, int code, int x, int y) {
    CanvasRect r = Rect;
    const auto moveLeft = [&] { r.left = (r.right - x < MinCellSpan + 1) ? r.right - MinCellSpan : x; };
    const auto moveTop = [&] { r.top = (r.bottom - y < MinCellSpan + 1) ? r.bottom - MinCellSpan : y; };
    const auto moveRight = [&] { r.right = (x - r.left < MinCellSpan + 1) ? r.left + MinCellSpan : x; };
    const auto moveBottom = [&] { r.bottom = (y - r.top < MinCellSpan + 1) ? r.top + MinCellSpan : y; };
    switch (code) {
    case HandleLeft: moveLeft(); break;
    case HandleTop: moveTop(); break;
    case HandleRight: moveRight(); break;
    case HandleBottom: moveBottom(); break;
    case HandleBottomLeft: moveLeft(); moveBottom(); break;
    case HandleTopRight: moveRight(); moveTop(); break;
    case HandleBottomRight: moveRight(); moveBottom(); break;
    default: moveLeft(); moveTop(); break; // top-left, and any code that names no edge
    }
    Rect = ClampRect(bounds, r);
}

// The last step of both clamps: edges that reach the limit's far side sit exactly on it, and a
// near side under 1 sits on 0.
static CanvasRect SnapToLimitEdges(CanvasRect r, const CanvasRect& limit) {
    if (r.left < 1) r.left = 0;
    if (r.top < 1) r.top = 0;
    if (r.right >= limit.right) r.right = limit.right;
    if (r.bottom >= limit.bottom) r.bottom = limit.bottom;
    return r;
}

CanvasRect CellModel::ClampRect(const CanvasRect& bounds, const CanvasRect& rect) const {
    const CanvasRect limit = Limit(bounds).Normalized();
    CanvasRect r = rect.Normalized();
    r.left = std::clamp(r.left, limit.left, limit.right);
    r.right = std::clamp(r.right, limit.left, limit.right);
    r.top = std::clamp(r.top, limit.top, limit.bottom);
    r.bottom = std::clamp(r.bottom, limit.top, limit.bottom);
    r = IntersectRects(r.Normalized(), limit);
    return SnapToLimitEdges(r, limit);
}

CanvasRect CellModel::KeepInsideLimit(const CanvasRect& bounds, const CanvasRect& rect) const {
    const CanvasRect limit = Limit(bounds).Normalized();
    CanvasRect r = rect.Normalized();
    if (r.Width() > limit.Width()) r.right = r.left + limit.Width();
    if (r.Height() > limit.Height()) r.bottom = r.top + limit.Height();
    if (r.left < 1) r = r.Offset(-r.left, 0);
    if (r.top < 1) r = r.Offset(0, -r.top);
    if (r.left < limit.left) r = r.Offset(limit.left - r.left, 0);
    else if (r.right > limit.right) r = r.Offset(limit.right - r.right, 0);
    if (r.top < limit.top) r = r.Offset(0, limit.top - r.top);
    else if (r.bottom > limit.bottom) r = r.Offset(0, limit.bottom - r.bottom);
    r = IntersectRects(r.Normalized(), limit);
    return SnapToLimitEdges(r, limit);
}

bool CellModel::TrySetRect(const CanvasRect& bounds, const CanvasRect& rect) {
    if (rect == Rect) return false;
    if (rect.left < 0 || rect.top < 0 || rect.right > bounds.right || rect.bottom > bounds.bottom) return false;
    Rect = KeepInsideLimit(bounds, rect);
    return true;
}

bool CellModel::Intersects(const CanvasRect& rect) const {
    return !IntersectRects(Rect.Normalized(), rect.Normalized()).IsEmpty();
}

void CellModel::ApplyRect(const CanvasRect& rect) {
    CanvasRect r = rect.Normalized();
    if (r.left < 1) r.left = 0;
    if (r.top < 1) r.top = 0;
    OutputRect = r;
}

void CellModel::SetSourceRect(const CanvasRect& reference, const CanvasRect& source) {
    if (reference.Width() == 0 || reference.Height() == 0) return;
    SourceRect = {source.left, source.top, source.Width(), source.Height()};
}

static void PutU32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

static uint32_t GetU32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

std::vector<uint8_t> CellModel::Serialize() {
    SetSelected(false); // a stored cell never comes back selected
    std::vector<uint8_t> out;
    for (int v : {Rect.left, Rect.top, Rect.right, Rect.bottom}) PutU32(out, static_cast<uint32_t>(v));
    PutU32(out, Flags);
    out.push_back(static_cast<uint8_t>(SerialWord));
    out.push_back(static_cast<uint8_t>(SerialWord >> 8));
    return out;
}

bool CellModel::Deserialize(const std::vector<uint8_t>& data) {
    if (data.size() < 22) return false;
    const uint8_t* p = data.data();
    Rect = {static_cast<int>(GetU32(p)), static_cast<int>(GetU32(p + 4)), static_cast<int>(GetU32(p + 8)),
            static_cast<int>(GetU32(p + 12))};
    Flags = GetU32(p + 16);
    SerialWord = static_cast<uint16_t>(p[20] | p[21] << 8);
    return true;
}

std::string FormatPosText(const CellModel& cell) {
    const int64_t x = std::max<int64_t>(0, static_cast<int64_t>(cell.OutputRect.left) - cell.Origin.x);
    const int64_t y = std::max<int64_t>(0, static_cast<int64_t>(cell.OutputRect.top) - cell.Origin.y);
    return "Pos:[" + std::to_string(x) + "," + std::to_string(y) + "]";
}

std::string FormatSizeText(const CellModel& cell) {
    return "Size:[" + std::to_string(static_cast<int64_t>(cell.OutputRect.right) - cell.OutputRect.left) + "," +
           std::to_string(static_cast<int64_t>(cell.OutputRect.bottom) - cell.OutputRect.top) + "]";
}
