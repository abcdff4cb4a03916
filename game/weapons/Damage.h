// Explosions: what they show, the impact list, lives taken and the crater.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "game/Zanderfell.h"

namespace Zanderfell {

void Schade(COORDINATEN Inslag, uint32_t Grootte);

// Heard after a blow: every rabbit that lost lives since `voor` (the
// rabbits as they were) cries out where it stands, one that has none left
// goes out. True when any rabbit's lives changed.
bool HoorVerlies(const KONIJN& voor);

// ---- The rules of an explosion as steps -----------------------------------
// These draw nothing and wait for nothing; they read and change only the
// state passed to them. Schade runs them on the game's own state.

// Is the explosion shown (with its half-second wait)? Only when a blast of
// at least 30 fits inside the landscape.
bool OntploffingInBeeld(int32_t x, int32_t y, uint32_t Grootte);
// Appends the impact to the list that every redraw paints as craters.
void BewaarInslag(SCHADE& inslagen, uint32_t& aantal, int32_t x, int32_t y, uint32_t Grootte);
// The lives a rabbit with its feet at Voeten loses (0 out of reach).
uint32_t LevensVerlies(int32_t x, int32_t y, uint32_t Grootte, COORDINATEN Voeten);
// Takes the lives from rabbits 1..Aantal.
void NeemLevens(KONIJN& konijnen, uint32_t Aantal, int32_t x, int32_t y, uint32_t Grootte);
// The cells of a crater of radius Grootte, relative to the impact, each once.
const std::vector<std::pair<int32_t, int32_t>>& KraterCellen(uint32_t Grootte);
// Can an explosion clear this cell? Not the landscape's frame nor the rows
// at the water.
bool Uitgraafbaar(int64_t X, int64_t Y);
// Clears the ground of the crater's cells.
void SnijKrater(LEVEL& level, int32_t x, int32_t y, uint32_t Grootte);

}  // namespace Zanderfell
