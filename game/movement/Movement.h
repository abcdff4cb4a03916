// The movement phase of a turn: walking, climbing, jumping, falling and
// drowning under the turn clock.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

COORDINATEN Bewegen(uint32_t KonijnNr, float Tijd, int32_t& levens, bool Dynamiet);
// The highest-ranked movement key held (V, B, N, Left, Right, Down, Up,
// Enter, Space: the last held in that order), or 0; empties the key queue.
uint32_t CheckKeys();

}  // namespace Zanderfell
