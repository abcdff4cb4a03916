// Aiming with the sight, the pose that fits the angle, and the power meter.
#pragma once

#include <cstdint>

namespace Zanderfell {

float RichtPijl(int32_t Positie_x, int32_t Positie_y, uint32_t Kleur, uint32_t Wapen);
void TekenKonijntjeWapen(int32_t Positie_x, int32_t Positie_y, float Hoek, uint32_t Kleur, uint32_t Wapen);
float TestKracht();

// ---- The aiming rules as steps: no drawing, no waiting, no keys -----------
// RichtPijl and TestKracht run them; the shot simulator runs them for the
// keys a player would press.

// Aiming always starts pointing right, whichever way the rabbit faces.
constexpr float BeginHoek = 0.0f;
// The angle after one press of Up (Richting -1) or Down (+1) while aiming
// from (Positie_x, Positie_y); the same angle when the turn is refused.
float DraaiVizier(int32_t Positie_x, int32_t Positie_y, float Hoek, int32_t Richting);
// One step of the power meter while Space is held: 7 more, as long as the
// power was below 400 (so it tops out at 406). False when full.
bool KrachtStap(float& Kracht);

}  // namespace Zanderfell
