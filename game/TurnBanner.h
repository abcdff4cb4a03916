// Whose turn it is: a banner in the team's colour at each turn's opening,
// kept for a moment of game time, and the status bar naming the team on turn.
// Nothing of it in classic mode.
#pragma once

#include <cstdint>

namespace Zanderfell {

// How long the banner stays: this much of the game's waits after the opening.
constexpr uint64_t BannerDuur = 1500;

// At the opening of rabbit KonijnNr's turn: the banner and the status bar's
// title, drawn (not shown) with the rest of the opening.
void ToonWieAanZet(uint32_t KonijnNr);
// Every redraw of the field draws the banner again while its moment lasts;
// the first redraw after that leaves it out.
void TekenBannerNogEven();
// A new game: no banner of an earlier one.
void GeenBanner();

}  // namespace Zanderfell
