// The flights of the bazooka shell, the pistol bullet and the grenade.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

COORDINATEN BaanBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind);
COORDINATEN BaanPistool(COORDINATEN Positie, float Hoek);
COORDINATEN BaanGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd, uint32_t Kleur);
void Kogel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

}  // namespace Zanderfell
