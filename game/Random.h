// Chance: the game's own generator and the wind. A draw is a step from one
// generator state to the next; between draws and from run to run the state
// lives in Files/RandomFile.txt, which RandomCard reads before and rewrites
// after its draw (the set-up of a game does so once around all of its own).
#pragma once

#include <cstdint>
#include <string>

namespace Zanderfell {

constexpr const char* RandomBestand = "Files/RandomFile.txt";

// The generator's whole state: what the state file holds.
struct RANDOMTOESTAND {
    uint32_t VorigeRandom = 0;  // the previous number (line 1)
    float VorigeDeler = 1.0f;   // the divisor the next draw divides by (line 2)
};

// One draw, opening no file: a number from Ondergrens to Bovengrens - 1, and
// Toestand moved on to the state the next draw reads, the divisor rounded to
// the file's five digits. The same state and bounds give the same number.
// Ondergrens must lie below Bovengrens (else the program stops).
uint32_t Trek(RANDOMTOESTAND& Toestand, uint32_t Ondergrens, uint32_t Bovengrens);

// The state file's text and back. Any decimal number text after leading
// spaces reads; an unreadable number is taken as 0 and a divisor that is not
// above 0 and at most 1 as 1, each named in Klacht (left empty for a sound text).
RANDOMTOESTAND ToestandUitTekst(const std::string& Tekst, std::string& Klacht);
std::string ToestandAlsTekst(const RANDOMTOESTAND& Toestand);

// The state file itself. Reading stops the program when the file cannot be
// read and notes an unsound content on stderr (unless told not to: the
// set-up reads it again and says it then); writing replaces it whole.
RANDOMTOESTAND LeesRandomBestand(bool Melden = true);
void SchrijfRandomBestand(const RANDOMTOESTAND& Toestand);

// Playback and verification of a recorded game run on a state in memory and
// never read or write the player's file: from InGeheugen on, reading gives
// the state kept there and writing keeps what the file would give back
// (the divisor rounded as the file rounds it); InBestand goes back to the file.
void RandomInGeheugen(const RANDOMTOESTAND& Begin);
void RandomInBestand();

// One draw through the state file: reads it, draws, rewrites it.
uint32_t RandomCard(uint32_t Ondergrens, uint32_t Bovengrens);

// The wind (-100..100 in steps of 25) that the draw Randomwind (1..25) of
// RandomCard(1, 26) stands for.
int32_t WindVanTrekking(uint32_t Randomwind);

// Draws the turn's wind and shows it on the wind panel.
int32_t WindGenereren();

}  // namespace Zanderfell
