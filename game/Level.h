// The landscape: reading a level's three files into the grid, and redrawing
// the field (level picture, craters, water line, living rabbits).
#pragma once

#include <cstdint>
#include <string>

#include "game/Zanderfell.h"

namespace Zanderfell {

// Clears every rabbit mark, shows the level picture and the status bar, and
// fills the grid's ground from Files/Level<LevelNr>Part1..3.txt.
void MaakLevelAan(uint32_t LevelNr, LEVEL& level);

// Reads one level file into rows eersteRij..eersteRij+199 of the grid.
void LeesLevelDeel(const std::string& bestand, LEVEL& level, int32_t eersteRij);

// Redraws the whole field and shows it with one window update.
void HermaakLevel();

// A hash of every cell (its ground and rabbit marks, FNV-1a): the trace and
// the records compare grids by it.
uint64_t RasterHash(const LEVEL& level);
// The field's drawing is recorded and replayed while nothing it depends on
// changes; off, every redraw draws it afresh (tests compare both ways).
void HermaakLevelOpnemen(bool aan);

}  // namespace Zanderfell
