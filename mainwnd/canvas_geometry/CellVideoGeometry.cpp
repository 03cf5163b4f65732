#include "mainwnd/canvas_geometry/CellVideoGeometry.h"

#include <algorithm>
#include <array>

PixelArea YuvUploadArea(int textureWidth, int textureHeight, int pictureWidth, int pictureHeight,
                        const void* const planes[3], const int strides[3]) {
    const int w = std::min(textureWidth, pictureWidth), h = std::min(textureHeight, pictureHeight);
    if (w <= 0 || h <= 0) return {};
    for (int i = 0; i < 3; ++i) {
        if (!planes[i]) return {};
    }
    // A row of the luma plane holds the full width, a chroma row half of it, rounded up.
    if (strides[0] < pictureWidth || strides[1] < (pictureWidth + 1) / 2 || strides[2] < (pictureWidth + 1) / 2) {
        return {};
    }
    return {0, 0, w, h};
}

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
