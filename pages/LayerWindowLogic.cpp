#include "pages/LayerWindowLogic.h"

#include <algorithm>

LayerRect ClampLayerEdit(LayerRect r, LayerEdit edited, int outWidth, int outHeight) {
    const int w = std::max(1, outWidth), h = std::max(1, outHeight);
    switch (edited) {
    case LayerEdit::HStart:
        if (r.X > w - r.Width) r.X = w - r.Width;
        break;
    case LayerEdit::VStart:
        if (r.Y > h - r.Height) r.Y = h - r.Height;
        break;
    case LayerEdit::Width:
        if (r.Width > w - r.X) r.Width = w - r.X;
        break;
    case LayerEdit::Height:
        if (r.Height > h - r.Y) r.Height = h - r.Y;
        break;
    }
    r.X = std::clamp(r.X, 0, w - 1);
    r.Y = std::clamp(r.Y, 0, h - 1);
    r.Width = std::clamp(r.Width, 1, w - r.X);
    r.Height = std::clamp(r.Height, 1, h - r.Y);
    return r;
}

LayerRect FullScreenWindow(int outWidth, int outHeight) { return {0, 0, outWidth, outHeight}; }

namespace {
int Half(int size) { return static_cast<int>(size * 0.5 + 0.5); }
}  // namespace

LayerRect HalfWindow(const LayerRect& current, int outWidth, int outHeight) {
    const int halfW = Half(outWidth);
    return {current.X > halfW ? halfW : 0, 0, halfW, outHeight};
}

LayerRect QuarterWindow(const LayerRect& current, int outWidth, int outHeight) {
    const int halfW = Half(outWidth), halfH = Half(outHeight);
    return {current.X > halfW ? halfW : 0, current.Y > halfH ? halfH : 0, halfW, halfH};
}

const std::array<RotateCodeRow, RotateCodeCount>& RotateCodes() {
    using R = RotateFlip;
    static const std::array<RotateCodeRow, RotateCodeCount> rows = {{
        {0, 1131, "OFF", {R::RotateNoneFlipNone}, {}},
        {1, 1120, "-90\u00b0", {R::Rotate90FlipNone}, {R::Rotate270FlipNone}},
        {2, 1119, "90\u00b0", {R::Rotate270FlipNone}, {R::Rotate90FlipNone}},
        {3, 1127, "H Flip", {R::RotateNoneFlipX}, {R::RotateNoneFlipX}},
        {4, 1128, "V Flip", {R::Rotate180FlipX}, {R::Rotate180FlipX}},
        {5, 1125, "180\u00b0", {R::Rotate180FlipNone}, {R::Rotate180FlipNone}},
        {6, 1130, "-90\u00b0+HFlip", {R::Rotate90FlipNone, R::RotateNoneFlipX}, {R::RotateNoneFlipX, R::Rotate270FlipNone}},
        {7, 1129, "90\u00b0+HFlip ", {R::Rotate270FlipNone, R::RotateNoneFlipX}, {R::RotateNoneFlipX, R::Rotate90FlipNone}},
    }};
    return rows;
}

int RotateCodeOf(uint32_t rotation) { return rotation < RotateCodeCount ? static_cast<int>(rotation) : 0; }

std::vector<RotateFlip> RotateSteps(int from, int to) {
    const auto& rows = RotateCodes();
    std::vector<RotateFlip> steps = rows[RotateCodeOf(static_cast<uint32_t>(from))].TurnBack;
    const auto& turnTo = rows[RotateCodeOf(static_cast<uint32_t>(to))].TurnTo;
    steps.insert(steps.end(), turnTo.begin(), turnTo.end());
    return steps;
}
