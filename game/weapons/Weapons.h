// Choosing a weapon at the end of the movement, and the five weapons.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

void KiesWapen(uint32_t KonijnNr, int32_t& levens, int32_t Wind);
void Bazooka(uint32_t KonijnNr, int32_t Wind);
void Granaat(uint32_t KonijnNr);
void Pistool(uint32_t KonijnNr);
void Bijl(uint32_t KonijnNr);
void Dynamiet(uint32_t KonijnNr, int32_t& levens);

}  // namespace Zanderfell
