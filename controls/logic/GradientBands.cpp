#include "controls/logic/GradientBands.h"

#include <algorithm>
#include <cstdlib>

std::vector<GradientBand> GradientBands(int top, int bottom, COLORREF from, COLORREF to, int bandHeight) {
    std::vector<GradientBand> result;
    const int height = std::abs(top - bottom);
    // An empty rectangle would make the step a division by zero.
    if (height == 0)
        return result;
    bandHeight = std::max(1, bandHeight);
    const float bands = static_cast<float>(height) / static_cast<float>(bandHeight);
    const int fromRgb[3] = {RefRed(from), RefGreen(from), RefBlue(from)};
    const int toRgb[3] = {RefRed(to), RefGreen(to), RefBlue(to)};
    float step[3];
    for (int c = 0; c < 3; ++c)
        step[c] = static_cast<float>(toRgb[c] - fromRgb[c]) / bands;
    for (int i = 0; static_cast<float>(i) <= bands; ++i) {
        int rgb[3];
        for (int c = 0; c < 3; ++c)
            rgb[c] = static_cast<int>(static_cast<float>(fromRgb[c]) + static_cast<float>(i) * step[c]) & 0xFF;
        result.push_back({std::min(top + i * bandHeight, bottom), std::min(top + (i + 1) * bandHeight, bottom),
                          MakeColourRef(rgb[0], rgb[1], rgb[2])});
    }
    return result;
}
