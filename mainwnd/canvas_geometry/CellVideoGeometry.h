#pragma once
// The arithmetic of a cell's video view, kept apart from SDL so that it is tested headless.
#include "mainwnd/canvas_geometry/CanvasRect.h"

struct ViewStretch {
    float x = 1.0f;
    float y = 1.0f;
    bool operator==(const ViewStretch&) const = default;
};
// The renderer scale that stretches a picture of the preview size over the whole window, as a
// back buffer of the preview size would be stretched when presented. 1.0 where a size is 0.
ViewStretch StretchPreviewToWindow(int windowWidth, int windowHeight, int previewWidth, int previewHeight);

// The preview frame size for a preview-resolution code; false for a code without a size.
bool PreviewSizeForCode(int code, int& width, int& height);
