// Chance: the game's own generator, whose whole state lives in
// Files/RandomFile.txt and carries over from run to run, and the wind.
#pragma once

#include <cstdint>

namespace Zanderfell {

constexpr const char* RandomBestand = "Files/RandomFile.txt";

// A number from Ondergrens to Bovengrens - 1; reads and rewrites the state file.
uint32_t RandomCard(uint32_t Ondergrens, uint32_t Bovengrens);

// Draws the turn's wind (-100..100 in steps of 25) and shows it on the wind panel.
int32_t WindGenereren();

}  // namespace Zanderfell
