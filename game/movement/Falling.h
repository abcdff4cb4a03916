// After a turn every rabbit falls as far as the damaged ground lets it.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// ---- Steps: they read the grid they are given and draw, wait and open
// nothing. ----
// A drop of more rows than this is drawn row by row; shorter ones land at once.
constexpr int32_t StilleVal = 5;
// Where a straight drop from `Positie` ends: on the first row with ground
// under the centre column, or on the water row.
COORDINATEN ValLanding(const LEVEL& level, COORDINATEN Positie);
// Feet on the water row or below have drowned.
constexpr bool Verdronken(COORDINATEN Positie) { return Positie.y >= WaterRij; }

// ---- The falls after a turn, drawn on the live field. ----
void VallenNaBeurt(MENU Menu);
COORDINATEN Val(uint32_t KonijnNr, int32_t& levens);

}  // namespace Zanderfell
