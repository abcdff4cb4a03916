// What a rabbit bumps into: the side column and the head-room row.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

HINDERING Obstakel(COORDINATEN Positie, int32_t Richting);
// The verdict for one walking step: 2 blocked, 1 step up, 0 level, -1 falls away.
int32_t Controleeromgeving(COORDINATEN Positie, int32_t Richting);
// Ground at cell (x, y); cells outside the grid read as air.
bool IsGrond(int32_t x, int32_t y);

}  // namespace Zanderfell
