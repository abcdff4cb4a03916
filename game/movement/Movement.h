// The movement phase of a turn: walking, climbing, jumping, falling and
// drowning under the turn clock.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

// ---- Steps: they read the grid they are given and draw, wait and open
// nothing, so a copy of the field can be played beside the live one. ----

// The walking keys' edge limit: a step must leave the rabbit's middle more
// than 16 columns inside columns 2 and 998.
bool LoopRuimte(COORDINATEN Positie, int32_t Richting);
// One walking step of one pixel in direction Richting (-1 left, +1 right):
// the verdict of Controleeromgeving and where the step puts the rabbit. After
// verdict -1 it is over the edge and still drops (ValLanding) from there.
struct WandelStap {
    int32_t Oordeel = 0;
    COORDINATEN Positie;
};
WandelStap Stap(const LEVEL& level, COORDINATEN Positie, int32_t Richting);
// The walking picture that follows picture m (1..3): 1, 2, 3, 1, ...; a
// blocked step (verdict 2) keeps it.
uint32_t VolgendBeeld(uint32_t m, int32_t Oordeel);

// A jump along a parabola: launched at -1.2 radians with speed 130, pulled
// down by 70 b², b growing 0.02 a step.
struct Sprong {
    COORDINATEN Begin, Positie;
    int32_t Richting = 1;
    float Kracht_x = 0, Kracht_y = 0, Max = 0;  // launch and the b of the top
    float b = 0;
    HINDERING Omgeving;       // what the rabbit bumped into last
    bool Geland = false;      // ground two rows under the feet past the top
    bool Verdronken = false;  // the arc reached the water
};
Sprong SprongBegin(const LEVEL& level, COORDINATEN Begin, int32_t Richting);
// The jump goes on until it bumps into something, lands or drowns. Ended
// without landing, the rabbit drops (ValLanding) from where it stopped.
bool SprongLoopt(const Sprong& s);
Sprong SprongStap(const LEVEL& level, Sprong s);

// ---- The phase, drawn and timed on the live game. ----
COORDINATEN Bewegen(uint32_t KonijnNr, float Tijd, int32_t& levens, bool Dynamiet);
// The highest-ranked movement key held (V, B, N, Left, Right, Down, Up,
// Enter, Space: the last held in that order), or 0; empties the key queue.
uint32_t CheckKeys();

}  // namespace Zanderfell
