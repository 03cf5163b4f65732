#include "preview/window/PreviewWindowLayout.h"

#include <algorithm>

namespace {
constexpr int CornerReach = 20;
constexpr int EdgeReach = 3;
} // namespace

PreviewRect PreviewPaneRect(int clientWidth, int clientHeight, int pane) {
    const int column = pane % 2, row = pane / 2;
    PreviewRect rect;
    rect.Left = 10 + column * (clientWidth - 20) / 2;
    rect.Width = (clientWidth - 20) / 2;
    rect.Top = 46 + row * (clientHeight - 26) / 2;
    rect.Height = (clientHeight - 26) / 2 - 20;
    return rect;
}

PreviewRect PreviewLabelRect(int clientWidth, int clientHeight, int pane) {
    const PreviewRect paneRect = PreviewPaneRect(clientWidth, clientHeight, pane);
    return {paneRect.Left, paneRect.Top - 20, 80, 20};
}

PreviewRect QuadrantSourceRect(int frameWidth, int frameHeight, int quadrant) {
    const int column = quadrant % 2, row = quadrant / 2;
    return {column * frameWidth / 2, row * frameHeight / 2, frameWidth / 2, frameHeight / 2};
}

PreviewHit PreviewWindowHitTest(int x, int y, const PreviewRect& window) {
    const int fromLeft = x - window.Left;
    const int fromTop = y - window.Top;
    const int fromRight = window.Left + window.Width - 1 - x;
    const int fromBottom = window.Top + window.Height - 1 - y;
    if (fromLeft < 0 || fromTop < 0 || fromRight < 0 || fromBottom < 0) return PreviewHit::Client;
    if (fromLeft <= CornerReach && fromTop <= CornerReach) return PreviewHit::TopLeft;
    if (fromRight <= CornerReach && fromTop <= CornerReach) return PreviewHit::TopRight;
    if (fromLeft <= CornerReach && fromBottom <= CornerReach) return PreviewHit::BottomLeft;
    if (fromRight <= CornerReach && fromBottom <= CornerReach) return PreviewHit::BottomRight;
    if (fromLeft <= EdgeReach) return PreviewHit::Left;
    if (fromRight <= EdgeReach) return PreviewHit::Right;
    if (fromTop <= EdgeReach) return PreviewHit::Top;
    if (fromBottom <= EdgeReach) return PreviewHit::Bottom;
    if (fromTop < PreviewCaptionHeight) return PreviewHit::Caption;
    return PreviewHit::Client;
}

PreviewRect DragPreviewWindow(const PreviewRect& start, PreviewHit hit, int dx, int dy) {
    if (hit == PreviewHit::Caption) return {start.Left + dx, start.Top + dy, start.Width, start.Height};
    const bool left = hit == PreviewHit::Left || hit == PreviewHit::TopLeft || hit == PreviewHit::BottomLeft;
    const bool right = hit == PreviewHit::Right || hit == PreviewHit::TopRight || hit == PreviewHit::BottomRight;
    const bool top = hit == PreviewHit::Top || hit == PreviewHit::TopLeft || hit == PreviewHit::TopRight;
    const bool bottom = hit == PreviewHit::Bottom || hit == PreviewHit::BottomLeft || hit == PreviewHit::BottomRight;
    PreviewRect rect = start;
    const int width = std::max(PreviewMinWidth, start.Width), height = std::max(PreviewMinHeight, start.Height);
    if (left) {
        rect.Width = std::max(PreviewMinWidth, start.Width - dx);
        rect.Left = start.Left + start.Width - rect.Width;
    } else if (right) {
        rect.Width = std::max(PreviewMinWidth, start.Width + dx);
    } else {
        rect.Width = width;
    }
    if (top) {
        rect.Height = std::max(PreviewMinHeight, start.Height - dy);
        rect.Top = start.Top + start.Height - rect.Height;
    } else if (bottom) {
        rect.Height = std::max(PreviewMinHeight, start.Height + dy);
    } else {
        rect.Height = height;
    }
    return rect;
}
