#pragma once
#include <cstdint>

// The number a layer's source code travels as: tens pick the input, units its half
// (DP1-L/R = 40/41, the extension card's halves = 60/61); other codes c travel as 10 x c.
int SourceCodeToNumber(uint32_t sourceCode);
