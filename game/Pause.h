// The in-game menu: Esc pauses a match at any point of a turn and shows
// Resume, Quit to title and Quit the program over the frozen field.
#pragma once

namespace Zanderfell {

// Thrown out of the match when the players quit to the title screen.
struct TerugNaarTitel {};

// The menu as the graphics layer's pause handler: returns on Resume with the
// picture exactly as the pause found it; throws TerugNaarTitel or
// Wimdows::QuitGame to leave.
void PauzeMenu();

// Esc pauses while one of these lives (the turns of a match).
struct PauzeTijdensSpel {
    PauzeTijdensSpel();
    ~PauzeTijdensSpel();
    PauzeTijdensSpel(const PauzeTijdensSpel&) = delete;
    PauzeTijdensSpel& operator=(const PauzeTijdensSpel&) = delete;
};

}  // namespace Zanderfell
