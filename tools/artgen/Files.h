// Writing the game's data files: Windows bitmaps, the contact sheet PNG,
// the level grids and the first random state.
#pragma once

#include <string>
#include <vector>

#include "artgen/Paint.h"

namespace art {

// 24-bit uncompressed bitmap, bottom-up, rows padded to four bytes.
void writeBmp24(const std::string& path, const Image& img);
// Two-colour bitmap (palette: 0 black, 1 white); white where on[y*w+x].
void writeBmpMask(const std::string& path, int w, int h, const std::vector<bool>& on);
// Reads back a 24-bit bitmap written by writeBmp24 (for previews).
Image readBmp24(const std::string& path);

void writePng(const std::string& path, const Image& img);
// The same with an alpha channel taken from the coverage (for icons).
void writePngWithAlpha(const std::string& path, const Image& img);

// Level grid rows as text: '-' air, '#' ground, CR LF after every line.
void writeLevelParts(const std::string& filesDir, int level, const std::vector<bool>& ground);

// The generator's state file: count right-aligned in six characters,
// then a space and the divisor with five significant digits.
std::string formatRandomState(unsigned count, float divisor);

}  // namespace art
