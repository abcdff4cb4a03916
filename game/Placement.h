// Putting the rabbits on the field at the start of a game, and marking the
// cells a rabbit occupies in the grid.
#pragma once

#include <cstdint>

#include "game/Random.h"
#include "game/Zanderfell.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

// What chance decides when a game on level 1 or 2 is set up.
struct OPSTELLING {
    uint32_t OnevenTeam = 1;                     // team of rabbits 1, 3, 5, 7; the others get the other
    Runtime::Array<uint32_t, 1, 8> Plek;         // rabbit k's spawn spot number (1..19), 0 when not in the game
    Runtime::Array<bool, 1, 8> ZonderTrekking;  // spot taken as the lowest free one: the draws kept repeating
};

// The choice of teams and spots for AantalKonijntjes (0..8) rabbits from the
// generator state Toestand, which it moves on by every draw made (301 and
// more); opens no file and draws nothing.
OPSTELLING KiesOpstelling(RANDOMTOESTAND& Toestand, uint32_t AantalKonijntjes);

// Lives, teams and places of all eight rabbits, their footprints marked in
// Level: on level 1 or 2 as Opstelling says, on level 3 the fixed duel (which
// uses neither Opstelling nor AantalKonijntjes). Draws nothing.
void StelKonijntjesOp(uint32_t LevelNr, uint32_t AantalKonijntjes, const OPSTELLING& Opstelling,
                      KONIJN& Konijntjes, LEVEL& Level);

// The set-up of a game: the choice above from the state file, the rabbits
// shown one after another.
void MaakKonijntjesAan(uint32_t LevelNr, uint32_t AantalKonijntjes, KONIJN& Konijntjes, LEVEL& Level);
void PlaatsKonijntje(uint32_t KonijnNr, bool Weg);

// The fixed spawn spot `nummer` (1..19) of level 1 or 2.
COORDINATEN SpawnPlek(uint32_t LevelNr, uint32_t nummer);

}  // namespace Zanderfell
