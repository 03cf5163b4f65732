#pragma once
// Conversion between canvas pixels and output pixels. The scale is output pixels per canvas
// pixel; the two directions round differently, which is why every cell carries its output
// rectangle beside its canvas rectangle instead of converting back and forth.
#include "mainwnd/canvas_geometry/CanvasRect.h"

struct CanvasScale {
    double x = 6.0;
    double y = 6.0;
    bool operator==(const CanvasScale&) const = default;
};

// A scale the conversions can divide by: finite and above zero on both axes.
bool IsUsableScale(const CanvasScale& scale);

// Canvas rectangle -> output rectangle. A canvas left or top of 0 or 1 maps to output 0.
CanvasRect CanvasToOutput(const CanvasRect& rect, const CanvasScale& scale);

// Output rectangle -> canvas rectangle inside `client`. An output left or top under 2 maps to
// canvas 0; a right or bottom that ends within one pixel of the client's edge lands on it and
// never beyond. An unusable scale gives an empty rectangle.
CanvasRect OutputToCanvas(const CanvasRect& rect, const CanvasScale& scale, const CanvasRect& client);
