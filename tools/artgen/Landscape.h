// The three landscapes: the ground grid (1000 x 600 cells, row-major,
// index (y-1)*1000 + (x-1)) and the matching 1000 x 600 picture.
#pragma once

#include <utility>
#include <vector>

#include "game/Field.h"
#include "artgen/Paint.h"

namespace art {

// The rabbits' spawn spots (Veld::Plekken) lie on their landscape: every one
// is a control point of a landmass's top, one row under the feet, with firm
// ground under the rabbit and free air around it. Throws when a spot is not.
std::vector<bool> buildLandscape(int level);
Image paintLandscape(const std::vector<bool>& ground, int level);

constexpr Rgb rgb(Veld::Rgb c) { return {c.r, c.g, c.b}; }

}  // namespace art
