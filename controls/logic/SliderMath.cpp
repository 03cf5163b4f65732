#include "controls/logic/SliderMath.h"

#include <algorithm>
#include <cmath>

int Pos2Pixel(const SliderGeometry& g, int pos) {
    const double range = static_cast<double>(g.Max) - g.Min;
    if (!g.Vertical) {
        const int track = g.Width - g.MarginRight - g.MarginLeft - g.ThumbWidth;
        const double part = range == 0 ? 0.0 : track * (static_cast<double>(pos) - g.Min) / range;
        return static_cast<int>(part + g.ThumbWidth / 2 + g.MarginLeft);
    }
    const int track = g.Height - g.MarginBottom - g.MarginTop - g.ThumbHeight;
    const double part = range == 0 ? 0.0 : track * (static_cast<double>(g.Max) - pos) / range;
    return static_cast<int>(part + g.ThumbHeight / 2 + g.MarginTop);
}

int Pixel2Pos(const SliderGeometry& g, int pixel) {
    double pos;
    if (!g.Vertical) {
        // The track is measured 8 pixels short and the range one longer, so the last position
        // is reached before the very end of the track.
        const int track = g.Width - g.MarginRight - g.MarginLeft - g.ThumbWidth - 8;
        if (track <= 0)
            return g.Min;
        pos = (static_cast<double>(pixel) - g.ThumbWidth / 2 - g.MarginLeft) / track *
                  (static_cast<double>(g.Max) - g.Min + 1) + g.Min;
    } else {
        const int track = g.Height - g.MarginBottom - g.MarginTop - g.ThumbHeight;
        if (track <= 0)
            return g.Min;
        pos = (static_cast<double>(g.Height) - g.ThumbHeight / 2 - g.MarginBottom - pixel) / track *
                  (static_cast<double>(g.Max) - g.Min) + g.Min;
    }
    return std::clamp(static_cast<int>(std::trunc(pos)), std::min(g.Min, g.Max), std::max(g.Min, g.Max));
}

int ClampThumbPixel(const SliderGeometry& g, int pixel) {
    const int low = g.Vertical ? g.MarginTop + g.ThumbHeight / 2 : g.MarginLeft + g.ThumbWidth / 2;
    const int high = g.Vertical ? g.Height - g.MarginBottom - g.ThumbHeight / 2
                                : g.Width - g.MarginRight - g.ThumbWidth / 2;
    return std::clamp(pixel, low, std::max(low, high));
}

int DragOffset(const SliderGeometry& g, int pos, int point) {
    const int offset = point - Pos2Pixel(g, pos);
    const int half = (g.Vertical ? g.ThumbHeight : g.ThumbWidth) / 2;
    return std::abs(offset) > half ? 0 : offset;
}

int SliderKeyPosition(SliderKey key, int pos, int page, int min, int max) {
    switch (key) {
    case SliderKey::PageUp: pos -= page; break;
    case SliderKey::PageDown: pos += page; break;
    case SliderKey::Home: pos = min; break;
    case SliderKey::End: pos = max; break;
    case SliderKey::Left:
    case SliderKey::Up: pos -= 1; break;
    case SliderKey::Right:
    case SliderKey::Down: pos += 1; break;
    }
    return std::clamp(pos, std::min(min, max), std::max(min, max));
}
