// Showing the game's picture in a window of any size: the picture keeps its
// proportions and is centred, with black bars where the window's shape
// differs. Whole factors (1000 x 700 in 2000 x 1400) repeat every pixel and
// stay sharp; any other factor blends the four nearest pixels, so that no
// row or column is doubled where its neighbour is not. Only the part of the
// window that a changed rectangle of the picture reaches is drawn again.
// Plain pixel work, no SDL: the window thread calls it, the tests and the
// benchmark run it directly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace Scaler {

struct Box {
    int32_t x, y, w, h;
    bool operator==(const Box&) const = default;
};

// The largest box with the picture's proportions inside a window of
// windowW x windowH, centred (an odd pixel left over goes to the right and
// bottom bars). Empty for an empty window.
Box Fit(int32_t pictureW, int32_t pictureH, int32_t windowW, int32_t windowH);

class Scaler {
  public:
    // A picture of pictureW x pictureH shown at `to` in the window.
    void Layout(int32_t pictureW, int32_t pictureH, Box to);
    // Whole factor: every pixel repeated, nothing blended.
    bool Sharp() const { return sharp; }
    // Draws into the window (rows of `windowPitch` pixels, 0x00RRGGBB) the
    // part of the box that the picture's rectangle `changed` reaches, read
    // from `picture` (rows of pictureW pixels), and returns that part in
    // window coordinates (empty when it reaches nothing).
    Box Draw(const uint32_t* picture, Box changed, uint32_t* window, int32_t windowPitch);

  private:
    int32_t pw = 0, ph = 0;
    Box to{0, 0, 0, 0};
    bool sharp = true;
    // Per column and row of the box: the first picture pixel it reads and,
    // when blending, the weight (0..255) of the next one.
    std::vector<int32_t> col, row;
    std::vector<uint8_t> colWeight, rowWeight;
    // Two picture rows scaled across, kept while the rows below use them.
    // (Checked: a slip in the cache's index stops the program, never reads
    // past it.)
    std::array<std::vector<uint32_t>, 2> across;
    std::array<int32_t, 2> acrossRow{-1, -1};
    // Scaling a row across: its pixels paired up, and the weights by byte.
    std::vector<uint32_t> left, right;
    std::vector<uint16_t> byteWeight;
    const uint32_t* Across(const uint32_t* picture, int32_t y, int32_t i0, int32_t i1);
};

}  // namespace Scaler
