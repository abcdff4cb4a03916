// The flights of the bazooka shell, the pistol bullet and the grenade.
#pragma once

#include <cstdint>

#include "game/Zanderfell.h"

namespace Zanderfell {

COORDINATEN BaanBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind);
COORDINATEN BaanPistool(COORDINATEN Positie, float Hoek);
COORDINATEN BaanGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd, uint32_t Kleur);
void Kogel(int32_t x1, int32_t y1, int32_t x2, int32_t y2);

// ---- The rules of the flights as steps ------------------------------------
// These draw nothing, wait for nothing and read the grid only through their
// parameter, so a flight can be worked out on any grid beside the game. The
// Baan* procedures above run the same steps and draw and wait around them.

// A projectile on its way.
struct Vlucht {
    COORDINATEN Start;          // start of the current arc (a grenade's bounce moves it)
    COORDINATEN Pos;            // where the projectile is
    COORDINATEN Vorige;         // where it was one step before
    float Kracht_x = 0;         // speeds of the current arc
    float Kracht_y = 0;
    float b = 0;                // time parameter since the start of the arc
    int32_t Wind = 0;           // bazooka: pixels per unit of time squared, to the right
    float Tijd = 0;             // grenade: what is left of the fuse
    uint32_t Bounce = 0;        // grenade: steps the field is still redrawn after an obstacle
    bool BuitenKonijn = false;  // out of the shooter's box: its rabbit's cells now count
    bool Hit = false;           // the flight has ended at Pos
};

Vlucht StartBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind);
Vlucht StartPistool(COORDINATEN Positie, float Hoek);
Vlucht StartGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd);

// One step each. The shell and the grenade are shown on a step when
// v.BuitenKonijn holds after it; StapGranaat returns whether the field is to
// be redrawn on that step (the bounce that follows an obstacle).
void StapBazooka(Vlucht& v, const LEVEL& level);
void StapPistool(Vlucht& v, const LEVEL& level);
bool StapGranaat(Vlucht& v, const LEVEL& level);

// A whole flight, stepped to its end without drawing: where it ends.
COORDINATEN EindeBazooka(Vlucht v, const LEVEL& level);
COORDINATEN EindePistool(Vlucht v, const LEVEL& level);
COORDINATEN EindeGranaat(Vlucht v, const LEVEL& level);

// The landscape margin, 10 pixels short of the frame: a shell or bullet
// there has ended its flight.
bool AanDeRand(COORDINATEN Pos);

}  // namespace Zanderfell
