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

// ---- The weapons' fixed rules, shared with the shot simulator -------------

// The weapons in the order the B key shows them.
enum class Wapen : uint32_t { Bazooka = 1, Granaat = 2, Pistool = 3, Bijl = 4, Dynamiet = 5 };
constexpr uint32_t AantalWapens = 5;
// The blast of the bazooka, the grenade and the pistol, and of the dynamite.
constexpr uint32_t KleineOntploffing = 30;
constexpr uint32_t DynamietOntploffing = 60;
// The grenade's fuse in seconds.
constexpr float GranaatLont = 5.0f;

// The weapon after `Keuze` when B is pressed: the fifth is followed by the first.
uint32_t VolgendWapen(uint32_t Keuze);
// Weapons aim from the middle of the rabbit's body, 30 rows above its feet.
COORDINATEN RichtPunt(COORDINATEN Voeten);

}  // namespace Zanderfell
