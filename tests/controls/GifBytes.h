#pragma once
// Tiny GIF files built byte by byte for the picture control's tests: 1 x 1 frames, each with its
// own delay (hundredths of a second) and disposal method.
#include <cstdint>
#include <vector>

inline std::vector<unsigned char> MakeGif(const std::vector<int>& delays, int disposal = 1) {
    std::vector<unsigned char> g = {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0x80, 0, 0,
                                    0x10, 0x10, 0x10, 0xEF, 0x9C, 0x00};   // 2-colour table
    for (std::size_t i = 0; i < delays.size(); ++i) {
        const int d = delays[i];
        const unsigned char gce[] = {0x21, 0xF9, 4, static_cast<unsigned char>(disposal << 2),
                                     static_cast<unsigned char>(d & 0xFF), static_cast<unsigned char>(d >> 8), 0, 0};
        g.insert(g.end(), std::begin(gce), std::end(gce));
        const unsigned char image[] = {0x2C, 0, 0, 0, 0, 1, 0, 1, 0, 0};
        g.insert(g.end(), std::begin(image), std::end(image));
        // LZW, minimum code size 2: clear (4), the pixel (alternating 0 and 1), end (5).
        const unsigned char pixel = static_cast<unsigned char>(i % 2);
        const unsigned char data[] = {2, 2, static_cast<unsigned char>(4 | (pixel << 3) | ((5 & 3) << 6)), 5 >> 2, 0};
        g.insert(g.end(), std::begin(data), std::end(data));
    }
    g.push_back(';');
    return g;
}
