#pragma once
// 5 x 5 colour matrices over RGBA pixels (row vector [R G B A 1] times the matrix, 0..1 scale):
// the hover picture brightens, the disabled picture turns grey.
#include <array>
#include <cstddef>

using ColourMatrix = std::array<std::array<float, 5>, 5>;

ColourMatrix BrightenMatrix();   // each colour channel: 1.05 v + 0.05
ColourMatrix GreyMatrix();       // each colour channel: 0.3 R + 0.59 G + 0.11 B

// Applies the matrix in place to `count` pixels of packed RGB and, when given, their alpha.
void ApplyColourMatrix(const ColourMatrix& m, unsigned char* rgb, unsigned char* alpha, std::size_t count);
