// Test pictures: solid-colour images and all-white masks written as BMP files
// into the test's working directory and loaded into the bitmap store, so
// that a test can put them into a catalogue handle variable and check exact
// placements whatever the generated art looks like.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/Wimdows.h"

namespace TestImages {

// Writes a 24-bit BMP of w x h pixels, every pixel the colour value c
// (game layout: red bits 0-7, blue 8-15, green 16-23).
inline void WriteSolidBmp(const std::string& path, uint32_t w, uint32_t h, Wimdows::Color c) {
    std::filesystem::path p(path);
    if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    uint32_t rowBytes = (w * 3 + 3) & ~3u;
    auto le = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f.put(char((v >> (8 * i)) & 0xFF));
    };
    f.put('B');
    f.put('M');
    le(54 + rowBytes * h, 4); le(0, 4); le(54, 4);
    le(40, 4); le(w, 4); le(h, 4); le(1, 2); le(24, 2); le(0, 4); le(rowBytes * h, 4);
    le(2835, 4); le(2835, 4); le(0, 4); le(0, 4);
    const char r = char(c & 0xFF), b = char((c >> 8) & 0xFF), g = char((c >> 16) & 0xFF);
    for (uint32_t y = 0; y < h; ++y) {
        uint32_t written = 0;
        for (uint32_t x = 0; x < w; ++x, written += 3) {
            f.put(b);
            f.put(g);
            f.put(r);
        }
        for (; written < rowBytes; ++written) f.put('\0');
    }
}

// A loaded solid picture of w x h in colour c.
inline Wimdows::Handle Solid(uint32_t w, uint32_t h, Wimdows::Color c) {
    std::string path = "TestImages/solid_" + std::to_string(w) + "x" + std::to_string(h) + "_" +
                       std::to_string(c) + ".bmp";
    WriteSolidBmp(path, w, h, c);
    return Wimdows::LoadBitmap(path, w, h);
}

// A loaded solid picture of w x h in colour c, from a small file scaled up
// on loading (for screen-sized pictures).
inline Wimdows::Handle SolidScaled(uint32_t w, uint32_t h, Wimdows::Color c) {
    std::string path = "TestImages/small_" + std::to_string(c) + ".bmp";
    WriteSolidBmp(path, 4, 4, c);
    return Wimdows::LoadBitmap(path, w, h);
}

// A loaded all-white mask of w x h: every pixel of its picture is drawn.
inline Wimdows::Handle Mask(uint32_t w, uint32_t h) {
    return Solid(w, h, Wimdows::RgbColor(255, 255, 255));
}

// The rectangle of pixels of the off-screen buffer (or the window) that hold
// colour c, searched within [x0, x1] x [y0, y1]; empty (left > right) when
// none does.
struct Box {
    int32_t left = 1, top = 1, right = 0, bottom = 0;
    bool operator==(const Box&) const = default;
};
inline Box Find(Wimdows::Color c, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                bool window = false) {
    Box b{x1 + 1, y1 + 1, x0 - 1, y0 - 1};
    bool any = false;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) {
            Wimdows::Color p = window ? Wimdows::WindowPixel(x, y) : Wimdows::BufferPixel(x, y);
            if (p != c) continue;
            any = true;
            if (x < b.left) b.left = x;
            if (x > b.right) b.right = x;
            if (y < b.top) b.top = y;
            if (y > b.bottom) b.bottom = y;
        }
    if (!any) return Box{};
    return b;
}
// How many pixels in [x0, x1] x [y0, y1] hold colour c.
inline int64_t Count(Wimdows::Color c, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                     bool window = false) {
    int64_t n = 0;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x)
            n += (window ? Wimdows::WindowPixel(x, y) : Wimdows::BufferPixel(x, y)) == c;
    return n;
}

inline std::ostream& operator<<(std::ostream& o, const Box& b) {
    return o << "columns " << b.left << ".." << b.right << " rows " << b.top << ".." << b.bottom;
}

}  // namespace TestImages
