#pragma once
#include <cstdint>

// Geometry of the preview window (four panes in 2 x 2, borderless, resizable) without windows.

struct PreviewRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool operator==(const PreviewRect&) const = default;
};

inline constexpr int PreviewPaneCount = 4;
inline constexpr int PreviewMinWidth = 320;
inline constexpr int PreviewMinHeight = 250;
inline constexpr int PreviewCaptionHeight = 26;
inline constexpr int PreviewLabelFirstId = 1560; // label of pane i: 1560 + i

// Pane i (column i % 2, row i / 2) in a client area of width x height; each half truncated.
PreviewRect PreviewPaneRect(int clientWidth, int clientHeight, int pane);
// The pane's label: 80 x 20 just above it.
PreviewRect PreviewLabelRect(int clientWidth, int clientHeight, int pane);
// The quadrant of the preview picture that pane (or layer cell) q shows.
PreviewRect QuadrantSourceRect(int frameWidth, int frameHeight, int quadrant);

// Where a point (screen coordinates) lies on the borderless window: corners take 20 pixels
// along both edges, edges 3 pixels, the caption the top 26 pixels of the client area.
enum class PreviewHit { Client, Caption, Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };
PreviewHit PreviewWindowHitTest(int x, int y, const PreviewRect& window);

// The window after dragging what was hit by (dx, dy): the caption moves it, an edge or corner
// moves that side, never below the minimum size (the opposite side stays put).
PreviewRect DragPreviewWindow(const PreviewRect& start, PreviewHit hit, int dx, int dy);
