// What a rabbit bumps into: the side column and the head-room row.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// ---- Steps: they read the grid they are given and draw, wait and open
// nothing, so a copy of the field can be probed beside the live one. ----
// Ground at cell (x, y) of `level`; cells outside the grid read as air.
bool IsGrond(const LEVEL& level, int32_t x, int32_t y);
// Side contact in column x + Richting, rows y - 60 to y - 2; head room in
// row y - 61, columns x - 14 to x + 16.
HINDERING Obstakel(const LEVEL& level, COORDINATEN Positie, int32_t Richting);
// The verdict for one walking step: 2 blocked, 1 step up, 0 level, -1 falls away.
int32_t Controleeromgeving(const LEVEL& level, COORDINATEN Positie, int32_t Richting);

}  // namespace Zanderfell
