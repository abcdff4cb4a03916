// Reading back a rectangle of the off-screen buffer, to compare what a
// procedure drew with a reference drawing.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/Wimdows.h"

namespace TestSupport {

// The colours of columns x0..x1 and rows y0..y1, row by row.
inline std::vector<Wimdows::Color> Snapshot(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    std::vector<Wimdows::Color> pixels;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) pixels.push_back(Wimdows::BufferPixel(x, y));
    return pixels;
}

// Paints the rectangle in one colour, as a clean background.
inline void Clear(int32_t x0, int32_t y0, int32_t x1, int32_t y1, Wimdows::Color color = 0) {
    Wimdows::Rectangle(x0, y0, x1, y1, color, true);
}

}  // namespace TestSupport
