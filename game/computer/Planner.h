// The computer player's judgement: given the field as it stands at the start
// of its turn, it tries moves, weapons, angles and powers on the shot
// simulator and picks a plan that a player could give in keys. It reads the
// state only, and its chance comes from a generator of its own, so thinking
// never touches the game's state nor the game's chance.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"
#include "game/weapons/ShotSimulator.h"

namespace Zanderfell::Computer {

// Who plays a team: a person, or the computer at one of three strengths.
enum class Speler : uint32_t { Mens = 0, Makkelijk = 1, Normaal = 2, Moeilijk = 3 };
// "person", "easy", "normal", "hard"; Naam of an unknown text: false.
const char* Naam(Speler s);
bool UitNaam(const char* naam, Speler& s);

// The computer's own chance (splitmix64): the same seed gives the same games.
struct Kans {
    uint64_t toestand = 0;
    uint64_t Volgende();
    // 0 .. n-1 (n > 0).
    uint32_t Onder(uint32_t n);
    // A whole number from -breedte to +breedte, near 0 more often than far.
    int32_t Afwijking(int32_t breedte);
};

// A movement: a jump to side Sprong (-1 V, +1 N, 0 none), then walking
// Stappen pixels (negative: to the left). Jumping first, the key that starts
// the jump can be let go while it flies, before the game looks again.
struct Beweging {
    int32_t Stappen = 0;
    int32_t Sprong = 0;
    bool operator==(const Beweging&) const = default;
};

// Where a movement leaves a rabbit that starts at Begin, on this grid, and
// what it costs the turn clock; Verdronken when it ends in the water.
struct BewegingUitslag {
    COORDINATEN Positie;
    float Klok = 0;  // the clock after the movement
    bool Verdronken = false;
};
BewegingUitslag Beweeg(const LEVEL& level, COORDINATEN Begin, Beweging b, float Klok);

struct Plan {
    Beweging Zet;           // before the weapon
    COORDINATEN Na;         // where that leaves the rabbit
    Toetsen toetsen;        // the weapon and its keys; for the dynamite WegNaar is the run's end
    Beweging Vlucht;        // the dynamite: the run away from the lit charge
    long double Waarde = 0; // what the planner expected of it (before any aim error)
    KONIJN Verwacht;        // the rabbits it expects after the turn's falls (before any aim error)
};

// The plan of rabbit KonijnNr for the state at the start of its turn (its
// lives in its record, its cells marked), with the turn's wind in `stand`.
// The computer's chance is drawn from only for the weaker strengths.
// `geduld`: the player's turns in a row that took no lives; the longer, the
// more it values getting closer to the other team, even at a cost.
Plan Kies(const Stand& stand, uint32_t KonijnNr, Speler sterkte, Kans& kans, uint32_t geduld = 0);

// What a shot of rabbit KonijnNr is worth to its team: lives taken from the
// other team, rabbits knocked out or drowned by the falls after it, less
// what its own team loses; a won game above all, a lost one below all.
// `posities` are the rabbits where they stand when it goes off (the
// shooter moved, or run from its dynamite), with their lives before.
long double Waarde(const Stand& stand, uint32_t KonijnNr, const SchotUitslag& uitslag, const KONIJN& posities);
// The rabbits after the shot and the falls it causes: their lives (0 for a
// rabbit drowned) and where they land.
KONIJN NaDeVal(const Stand& stand, const SchotUitslag& uitslag, const KONIJN& posities);

}  // namespace Zanderfell::Computer
