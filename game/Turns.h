// Turns and victory.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// ---- Steps: they read the rabbits they are given and draw, wait and open
// nothing. ----
// Who plays after rabbit KonijnNr (0 before the first turn): the next living
// rabbit of the other team, counting on from KonijnNr.
uint32_t ControleerWelkKonijntje(uint32_t KonijnNr, uint32_t AantalKonijntjes, const KONIJN& Konijntjes);
// The winning team (1 red, 2 blue) once a team's lives add up to 0 or less
// (both: blue), or 0 while the game goes on.
uint32_t Winnaar(uint32_t AantalKonijntjes, const KONIJN& Konijntjes);
// The columns where the grey of the red and the blue lives bar begins.
struct LevensBalken {
    int32_t Rood = 0, Blauw = 0;
    bool operator==(const LevensBalken&) const = default;
};
LevensBalken Balken(uint32_t AantalKonijntjes, const KONIJN& Konijntjes);
// The lives the bars show: running totals per team, a total that drops
// below 0 on the way counting on from 0.
struct LevensTotalen {
    int32_t Rood = 0, Blauw = 0;
};
LevensTotalen TeamLevens(uint32_t AantalKonijntjes, const KONIJN& Konijntjes);

// ---- The turn, drawn and timed on the live game. ----
void Beurt(uint32_t KonijnNr);
// The wind of the turn being played (or last played): what a player reads
// off the wind panel.
int32_t WindVanDeBeurt();
// When a team has won, shows the victory screen until R (back to the title)
// or Enter (the same game again); Verder while the game goes on.
enum class Afloop { Verder, Titel, Opnieuw };
Afloop ControleerOverwinning(uint32_t AantalKonijntjes, KONIJN Konijntjes);
void TekenLevensStatusbalk(uint32_t AantalKonijntjes, KONIJN Konijntjes);

}  // namespace Zanderfell
