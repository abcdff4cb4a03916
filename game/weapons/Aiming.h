// Aiming with the sight, the pose that fits the angle, and the power meter.
#pragma once

#include <cstdint>

namespace Zanderfell {

float RichtPijl(int32_t Positie_x, int32_t Positie_y, uint32_t Kleur, uint32_t Wapen);
void TekenKonijntjeWapen(int32_t Positie_x, int32_t Positie_y, float Hoek, uint32_t Kleur, uint32_t Wapen);
float TestKracht();

}  // namespace Zanderfell
