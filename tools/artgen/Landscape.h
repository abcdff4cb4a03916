// The three landscapes: the ground grid (1000 x 600 cells, row-major,
// index (y-1)*1000 + (x-1)) and the matching 1000 x 600 picture.
#pragma once

#include <utility>
#include <vector>

#include "artgen/Paint.h"

namespace art {

struct Spot {
  int x, y;  // feet of a rabbit: middle column and the row its feet stand in
};

const std::vector<Spot>& spawnSpots(int level);  // 19 for levels 1 and 2, 2 for level 3

std::vector<bool> buildLandscape(int level);
Image paintLandscape(const std::vector<bool>& ground, int level);

inline constexpr Rgb kSky{166, 202, 240};
inline constexpr Rgb kWaterLine{0, 0, 0};
inline constexpr Rgb kWater{17, 94, 170};
inline constexpr int kWaterLineRow = 534;  // rows 534..536 black, 537 down water
inline constexpr int kWaterRow = 537;

}  // namespace art
