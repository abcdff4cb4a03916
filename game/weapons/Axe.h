// The axe: turning to a side and the three-frame swing.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// Returns the side of the swing: -1 left, +1 right.
int32_t BaanBijl(uint32_t KonijnNr);

// ---- The axe's rules as steps: no drawing, no waiting ---------------------

// Does a swing to Richting (-1 left, +1 right) from feet at Slager reach
// the feet at Ander?
bool BijlBereikt(COORDINATEN Slager, int32_t Richting, COORDINATEN Ander);
// Every other rabbit of 1..Aantal within reach loses 30 lives.
void Hakken(KONIJN& konijnen, uint32_t Aantal, uint32_t KonijnNr, int32_t Richting);

}  // namespace Zanderfell
