// Scaling the picture into the window: the box it fits, the tables of
// which picture pixels each window pixel reads, and the drawing of the part
// a changed rectangle reaches. See Scaler.h.
#include "gfx/Scaler.h"

#include <algorithm>
#include <cstring>

namespace Scaler {

Box Fit(int32_t pictureW, int32_t pictureH, int32_t windowW, int32_t windowH) {
    if (pictureW <= 0 || pictureH <= 0 || windowW <= 0 || windowH <= 0) return {0, 0, 0, 0};
    int64_t w = windowW, h = windowH;
    // Cross-multiplied in 64 bits: exact, whatever the sizes.
    if (int64_t(windowW) * pictureH <= int64_t(windowH) * pictureW)
        h = std::max<int64_t>(1, (int64_t(windowW) * pictureH + pictureW / 2) / pictureW);
    else
        w = std::max<int64_t>(1, (int64_t(windowH) * pictureW + pictureH / 2) / pictureH);
    w = std::min<int64_t>(w, windowW);
    h = std::min<int64_t>(h, windowH);
    return {int32_t((windowW - w) / 2), int32_t((windowH - h) / 2), int32_t(w), int32_t(h)};
}

namespace {

// Which picture pixel each of `out` window pixels starts from, and the
// weight of the next one, the centres of both lined up.
void Table(int32_t in, int32_t out, bool sharp, std::vector<int32_t>& first, std::vector<uint8_t>& weight) {
    first.assign(size_t(out), 0);
    weight.assign(size_t(out), 0);
    for (int32_t i = 0; i < out; ++i) {
        if (sharp) {
            first[size_t(i)] = int32_t(int64_t(i) * in / out);
            continue;
        }
        // (i + 1/2) * in / out - 1/2, in 1/256ths of a pixel.
        int64_t at = ((2 * int64_t(i) + 1) * in * 256) / (2 * int64_t(out)) - 128;
        at = std::clamp<int64_t>(at, 0, int64_t(in - 1) * 256);
        first[size_t(i)] = int32_t(at >> 8);
        weight[size_t(i)] = uint8_t(at & 0xFF);
    }
}

// Two rows mixed, the lower weighing w/256: byte by byte in 16 bits
// (255 x 256 at most), which the compiler turns into vector instructions
// that do 8 or 16 at once.
void MixRows(const uint32_t* upper, const uint32_t* lower, uint32_t* out, int32_t n, uint32_t w) {
    const auto* a = reinterpret_cast<const uint8_t*>(upper);
    const auto* b = reinterpret_cast<const uint8_t*>(lower);
    auto* o = reinterpret_cast<uint8_t*>(out);
    const uint16_t wb = uint16_t(w), wa = uint16_t(256 - w);
    for (size_t k = 0; k < size_t(n) * 4; ++k) o[k] = uint8_t(uint16_t(a[k] * wa + b[k] * wb) >> 8);
}

// The window pixels [first, last) whose table entry lies in [lo, hi].
void Reach(const std::vector<int32_t>& table, int32_t lo, int32_t hi, int32_t& first, int32_t& last) {
    first = int32_t(std::lower_bound(table.begin(), table.end(), lo) - table.begin());
    last = int32_t(std::upper_bound(table.begin(), table.end(), hi) - table.begin());
}

}  // namespace

void Scaler::Layout(int32_t pictureW, int32_t pictureH, Box box) {
    pw = pictureW;
    ph = pictureH;
    to = box;
    sharp = box.w > 0 && box.h > 0 && box.w % pictureW == 0 && box.h % pictureH == 0 &&
            box.w / pictureW == box.h / pictureH;
    Table(pw, to.w, sharp, col, colWeight);
    Table(ph, to.h, sharp, row, rowWeight);
    for (auto& a : across) a.assign(size_t(std::max(to.w, 0)), 0);
    left.assign(size_t(std::max(to.w, 0)), 0);
    right = left;
    byteWeight.assign(size_t(std::max(to.w, 0)) * 4, 0);
    for (size_t k = 0; k < byteWeight.size(); ++k) byteWeight[k] = colWeight[k / 4];
}

const uint32_t* Scaler::Across(const uint32_t* picture, int32_t y, int32_t i0, int32_t i1) {
    for (size_t k = 0; k < 2; ++k)
        if (acrossRow.at(k) == y) return across.at(k).data();
    // The older of the two goes: rows are asked for from the top down.
    const size_t k = acrossRow[0] < acrossRow[1] ? 0 : 1;
    acrossRow.at(k) = y;
    const uint32_t* src = picture + size_t(y) * size_t(pw);
    uint32_t* dst = across.at(k).data();
    // The two pixels of each column side by side first (the last column's
    // next pixel is itself), then mixed all at once, byte by byte.
    for (int32_t i = i0; i < i1; ++i) {
        const int32_t x = col[size_t(i)];
        left[size_t(i)] = src[x];
        right[size_t(i)] = src[std::min(x + 1, pw - 1)];
    }
    const auto* a = reinterpret_cast<const uint8_t*>(left.data() + i0);
    const auto* b = reinterpret_cast<const uint8_t*>(right.data() + i0);
    const uint16_t* wb = byteWeight.data() + size_t(i0) * 4;
    auto* o = reinterpret_cast<uint8_t*>(dst + i0);
    for (size_t k = 0; k < size_t(i1 - i0) * 4; ++k)
        o[k] = uint8_t(uint16_t(a[k] * uint16_t(256 - wb[k]) + b[k] * wb[k]) >> 8);
    return dst;
}

Box Scaler::Draw(const uint32_t* picture, Box changed, uint32_t* window, int32_t windowPitch) {
    if (to.w <= 0 || to.h <= 0 || changed.w <= 0 || changed.h <= 0) return {0, 0, 0, 0};
    // A blended pixel also reads the picture pixel after its first one.
    const int32_t reach = sharp ? 0 : 1;
    int32_t i0, i1, j0, j1;
    Reach(col, changed.x - reach, changed.x + changed.w - 1, i0, i1);
    Reach(row, changed.y - reach, changed.y + changed.h - 1, j0, j1);
    if (i0 >= i1 || j0 >= j1) return {0, 0, 0, 0};
    uint32_t* const origin = window + size_t(to.y) * size_t(windowPitch) + size_t(to.x);
    if (sharp) {
        for (int32_t j = j0; j < j1; ++j) {
            uint32_t* dst = origin + size_t(j) * size_t(windowPitch);
            // The rows a picture row repeats into are copies of its first.
            if (j > j0 && row[size_t(j)] == row[size_t(j) - 1]) {
                std::memcpy(dst + i0, dst - windowPitch + i0, size_t(i1 - i0) * 4);
                continue;
            }
            const uint32_t* src = picture + size_t(row[size_t(j)]) * size_t(pw);
            for (int32_t i = i0; i < i1; ++i) dst[i] = src[col[size_t(i)]];
        }
    } else {
        acrossRow[0] = acrossRow[1] = -1;
        for (int32_t j = j0; j < j1; ++j) {
            uint32_t* dst = origin + size_t(j) * size_t(windowPitch);
            const int32_t y = row[size_t(j)];
            const uint32_t w = rowWeight[size_t(j)];
            const uint32_t* upper = Across(picture, y, i0, i1);
            if (!w) {
                std::memcpy(dst + i0, upper + i0, size_t(i1 - i0) * 4);
                continue;
            }
            const uint32_t* lower = Across(picture, y + 1, i0, i1);
            MixRows(upper + i0, lower + i0, dst + i0, i1 - i0, w);
        }
    }
    return {to.x + i0, to.y + j0, i1 - i0, j1 - j0};
}

}  // namespace Scaler
