// The image catalogue as data (each file with the handle the game keeps it under), BMP files
// made in memory, solid-colour test pictures and masks loaded into the bitmap store, and searches
// of the screen.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"

namespace TestImages {

// Every file of the catalogue, in load order.
struct Entry {
    std::string stem;
    uint32_t w, h;
    Wimdows::Handle* handle = nullptr;
};
inline const std::vector<Entry>& Catalogue() {
    static const std::vector<Entry> c = {
#define CATALOGUE(stem, w, h) {#stem, w, h, &TekenBitmaps::stem##Bitmap},
#include "gfx/Catalogue.def"
#undef CATALOGUE
    };
    return c;
}
inline const Entry* Lookup(const std::string& stem) {
    for (const Entry& e : Catalogue())
        if (e.stem == stem) return &e;
    return nullptr;
}
// The mask a picture is drawn through: its name without the team colour (or,
// for a picture of a numbered set, without the number) and "Mask"; "" when
// the catalogue has no such mask.
inline std::string MaskFor(const std::string& stem) {
    std::string base = stem;
    bool team = false;
    for (const std::string colour : {"Rood", "Blauw"})
        if (base.size() > colour.size() && base.ends_with(colour)) base.resize(base.size() - colour.size()), team = true;
    while (!team && !base.empty() && base.back() >= '0' && base.back() <= '9') base.pop_back();
    return !stem.ends_with("Mask") && Lookup(base + "Mask") ? base + "Mask" : "";
}

// A BMP file's 54-byte header and palette (0xRRGGBB); compression 0 plain, 1 RLE8, 2 RLE4.
inline std::string BmpHeader(uint32_t w, uint32_t h, uint32_t bits, uint32_t compression,
                             const std::vector<uint32_t>& palette, uint32_t dataSize) {
    std::string f = "BM";
    const auto le = [&](uint32_t v, int n) { for (int i = 0; i < n; ++i) f.push_back(char(v >> (8 * i) & 0xFF)); };
    const uint32_t offset = 54 + 4 * uint32_t(palette.size());
    le(offset + dataSize, 4), le(0, 4), le(offset, 4), le(40, 4), le(w, 4), le(h, 4), le(1, 2), le(bits, 2);
    le(compression, 4), le(dataSize, 4), le(2835, 4), le(2835, 4), le(uint32_t(palette.size()), 4), le(0, 4);
    for (uint32_t c : palette) le(c, 4);  // blue, green, red, 0
    return f;
}

// A BMP file of 1 or 24 bits, as the art is, pixels given as 0xRRGGBB from the top.
inline std::string Bmp(int bits, int w, int h, const std::vector<uint32_t>& px) {
    std::vector<uint32_t> palette;
    const auto index = [&](uint32_t c) {
        for (size_t i = 0; i < palette.size(); ++i)
            if (palette[i] == c) return uint32_t(i);
        palette.push_back(c);
        return uint32_t(palette.size() - 1);
    };
    if (bits == 1) {
        for (uint32_t c : px) index(c);
        palette.resize(2, 0);
    }
    const uint32_t rowBytes = ((uint32_t(w) * uint32_t(bits) + 31) / 32) * 4;
    std::string data;
    for (int y = h - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < w; ++x) {
            const uint32_t c = px[size_t(y * w + x)];
            if (bits == 1 && index(c)) row[size_t(x / 8)] = char(row[size_t(x / 8)] | (0x80 >> (x % 8)));
            for (int i = 0; bits == 24 && i < 3; ++i) row[size_t(3 * x + i)] = char(c >> (8 * i) & 0xFF);
        }
        data += row;
    }
    return BmpHeader(uint32_t(w), uint32_t(h), uint32_t(bits), 0, palette, uint32_t(data.size())) + data;
}

// A picture of w x h pixels, all colour c (red bits 0-7, blue 8-15, green 16-23), scaled from a
// 4 x 4 BMP file: a screen-sized file is slow to write, and a solid picture scales to itself.
inline Wimdows::Handle Solid(uint32_t w, uint32_t h, Wimdows::Color c) {
    const uint32_t rgb = (c & 0xFF) << 16 | (c >> 16 & 0xFF) << 8 | (c >> 8 & 0xFF);
    const std::string path = "TestImages/solid_" + std::to_string(c) + ".bmp";
    std::filesystem::create_directories("TestImages");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << Bmp(24, 4, 4, std::vector(16u, rgb));
    return Wimdows::LoadBitmap(path, w, h);
}
inline Wimdows::Handle Mask(uint32_t w, uint32_t h) { return Solid(w, h, Wimdows::RgbColor(255, 255, 255)); }

inline Wimdows::Color Pixel(int32_t x, int32_t y, bool window) {
    return window ? Wimdows::WindowPixel(x, y) : Wimdows::BufferPixel(x, y);
}

// The bounding box of the pixels of colour c in [x0, x1] x [y0, y1] (buffer or window); empty when none.
struct Box {
    int32_t left = 1, top = 1, right = 0, bottom = 0;
    bool operator==(const Box&) const = default;
};
inline Box Find(Wimdows::Color c, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool window = false) {
    Box b{x1 + 1, y1 + 1, x0 - 1, y0 - 1};
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x)
            if (Pixel(x, y, window) == c)
                b = {std::min(b.left, x), std::min(b.top, y), std::max(b.right, x), std::max(b.bottom, y)};
    return b.left > b.right ? Box{} : b;
}
inline int64_t Count(Wimdows::Color c, int32_t x0, int32_t y0, int32_t x1, int32_t y1, bool window = false) {
    int64_t n = 0;
    for (int32_t y = y0; y <= y1; ++y)
        for (int32_t x = x0; x <= x1; ++x) n += Pixel(x, y, window) == c;
    return n;
}
inline std::ostream& operator<<(std::ostream& o, const Box& b) {
    return o << "columns " << b.left << ".." << b.right << " rows " << b.top << ".." << b.bottom;
}

}  // namespace TestImages
