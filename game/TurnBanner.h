// Whose turn it is and what it cost: a banner in the team's colour at each
// turn's opening and the status bar naming the team on turn; above each
// rabbit that lost lives, the number lost; the lives on the status bar's
// bars. The banner and the numbers above the rabbits stay for a moment of
// game time. Nothing of it in classic mode.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// How long the banner stays: this much of the game's waits after the opening.
constexpr uint64_t BannerDuur = 1500;

// At the opening of rabbit KonijnNr's turn: the banner and the status bar's
// title, drawn (not shown) with the rest of the opening.
void ToonWieAanZet(uint32_t KonijnNr);
// Every redraw of the field draws the banner again while its moment lasts;
// the first redraw after that leaves it out.
void TekenBannerNogEven();
// The keys of the phase the player is in, in the status bar's hint.
enum class Fase : uint32_t { Bewegen = 1, Kiezen, Richten, Laden, Bijl, Dynamiet };
void ToonHint(Fase fase);
// The phase last entered, and how many phases have begun since the program
// started: a computer player follows the turn by them (0: none yet).
struct FaseStand {
    Fase fase = Fase::Bewegen;
    uint64_t teller = 0;
};
FaseStand HuidigeFase();

// A new game: no banner and no numbers of an earlier one.
void GeenBanner();

// How long the number lost stays above a rabbit.
constexpr uint64_t VerliesDuur = 2000;
// After a blast or the axe: every rabbit with fewer lives than in `voor`
// shows how many it lost.
void ToonVerlies(const KONIJN& voor);
// Rabbit k lost `verlies` lives (drowning: all it had).
void ToonVerlies(uint32_t k, int32_t verlies);
// Where the number lost is drawn: its top left corner for a rabbit standing
// at `voeten`, above its lives bar.
COORDINATEN VerliesPlek(COORDINATEN voeten, int32_t verlies);
// The lives of each team, written on its bar in the status bar (not shown).
void TekenLevensGetallen(uint32_t AantalKonijntjes, const KONIJN& Konijntjes);
constexpr int32_t LevensGetalX = 33, LevensGetalRood = 648, LevensGetalBlauw = 669;

}  // namespace Zanderfell
