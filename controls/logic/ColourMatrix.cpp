#include "controls/logic/ColourMatrix.h"

#include <algorithm>
#include <cmath>

ColourMatrix BrightenMatrix() {
    ColourMatrix m{};
    m[0][0] = m[1][1] = m[2][2] = 1.05f;
    m[3][3] = m[4][4] = 1.0f;
    m[4][0] = m[4][1] = m[4][2] = 0.05f;
    return m;
}

ColourMatrix GreyMatrix() {
    ColourMatrix m{};
    for (int c = 0; c < 3; ++c) {
        m[0][c] = 0.3f;
        m[1][c] = 0.59f;
        m[2][c] = 0.11f;
    }
    m[3][3] = m[4][4] = 1.0f;
    return m;
}

static unsigned char ToByte(float v) {
    return static_cast<unsigned char>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

void ApplyColourMatrix(const ColourMatrix& m, unsigned char* rgb, unsigned char* alpha, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const float in[5] = {rgb[3 * i] / 255.0f, rgb[3 * i + 1] / 255.0f, rgb[3 * i + 2] / 255.0f,
                             alpha ? alpha[i] / 255.0f : 1.0f, 1.0f};
        float out[4];
        for (int j = 0; j < 4; ++j) {
            out[j] = 0;
            for (int k = 0; k < 5; ++k)
                out[j] += in[k] * m[k][j];
        }
        for (int c = 0; c < 3; ++c)
            rgb[3 * i + c] = ToByte(out[c]);
        if (alpha)
            alpha[i] = ToByte(out[3]);
    }
}
