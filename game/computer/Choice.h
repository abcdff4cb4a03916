// Who plays each team: a person or the computer at a strength. The command
// line sets both teams for one run; the title screen's C changes who plays
// blue, and that choice is remembered in the player's directory.
#pragma once

#include <string>

#include "game/computer/Planner.h"

namespace Zanderfell::Computer {

// This run's players of red and blue.
extern Speler Rood, Blauw;
// The player of team 1 (red) or 2 (blue).
Speler SpelerVan(uint32_t team);

// C on the title screen: person, easy, normal, hard, person, ...
Speler Volgende(Speler s);

// The remembered player of blue ("blue hard"); a person when the file is
// missing or says something else. Saving replaces the file whole.
Speler LeesBlauw(const std::string& pad = "Computer.txt");
bool BewaarBlauw(Speler s, const std::string& pad = "Computer.txt");

}  // namespace Zanderfell::Computer
