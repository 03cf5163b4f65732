#pragma once
// The vertical gradient of the title bars, as bands of solid colour.
#include <vector>

#include "platform/ui/ColourRef.h"

struct GradientBand {
    int Top;
    int Bottom;   // exclusive; a band can be empty where it meets the rectangle's bottom
    COLORREF Colour;
};

// Bands from `top` to `bottom`, `bandHeight` rows each, from colour `from` stepping evenly to
// `to`. An empty rectangle gives no bands; a band height below 1 counts as 1.
std::vector<GradientBand> GradientBands(int top, int bottom, COLORREF from, COLORREF to, int bandHeight);
