// Putting the rabbits on the field at the start of a game, and marking the
// cells a rabbit occupies in the grid.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

void MaakKonijntjesAan(uint32_t LevelNr, uint32_t AantalKonijntjes, KONIJN& Konijntjes, LEVEL& Level);
void PlaatsKonijntje(uint32_t KonijnNr, bool Weg);

// The fixed spawn spot `nummer` (1..19) of level 1 or 2.
COORDINATEN SpawnPlek(uint32_t LevelNr, uint32_t nummer);

}  // namespace Zanderfell
