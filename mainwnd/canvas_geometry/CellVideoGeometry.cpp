#include "mainwnd/canvas_geometry/CellVideoGeometry.h"

#include <algorithm>
#include <array>

ViewStretch StretchPreviewToWindow(int windowWidth, int windowHeight, int previewWidth, int previewHeight) {
    ViewStretch s;
    if (windowWidth > 0 && previewWidth > 0) s.x = static_cast<float>(windowWidth) / static_cast<float>(previewWidth);
    if (windowHeight > 0 && previewHeight > 0) s.y = static_cast<float>(windowHeight) / static_cast<float>(previewHeight);
    return s;
}

bool PreviewSizeForCode(int code, int& width, int& height) {
    struct Row {
        int Code, Width, Height;
    };
    static constexpr std::array<Row, 7> Sizes{{
        {1, 352, 240}, {7, 640, 480}, {16, 1280, 720}, {17, 1920, 1080}, {19, 960, 540}, {20, 640, 360}, {21, 480, 270},
    }};
    for (const Row& r : Sizes) {
        if (r.Code == code) {
            width = r.Width;
            height = r.Height;
            return true;
        }
    }
    return false;
}
