// The flights: the bazooka shell (power, gravity and wind, explodes on
// contact), the pistol bullet (straight and instant) and the grenade (power
// and gravity, bounces, explodes when its fuse is spent). Each flight steps a
// time parameter and recomputes the position from the start of its arc.
#include "game/weapons/Flight.h"

#include <cmath>
#include <cstdlib>

#include "game/Level.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Aiming.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

using Runtime::Add;
using Runtime::F;
using Runtime::Trunc;
using LD = long double;

// Gravity: 70 pixels per unit of the time parameter squared.
constexpr LD Zwaartekracht = 70;

// Still inside the shooter's own box (25 columns and 40 rows from the start
// of the arc)? There its rabbit cells neither stop nor turn the projectile.
bool BinnenKonijn(COORDINATEN Positie, COORDINATEN Pos) {
    return std::abs(int64_t{Positie.x} - Pos.x) <= 25 && std::abs(int64_t{Positie.y} - Pos.y) <= 40;
}

// The landscape margin: 10 pixels short of the frame.
bool AanDeRand(COORDINATEN Pos) {
    return int64_t{Pos.x} - 10 <= 2 || int64_t{Pos.y} - 10 <= 2 ||
           int64_t{Pos.x} + 10 >= 998 || int64_t{Pos.y} + 10 >= 596;
}

bool InHetVeld(int64_t X, int64_t Y) {
    return X >= LEVEL::low && X <= LEVEL::high && Y >= 1 && Y <= 600;
}

// Does the cell stop the projectile? Ground always does, a rabbit only once
// the projectile has left its own rabbit. Cells off the grid never do.
bool Geraakt(int64_t X, int64_t Y, bool BuitenKonijn) {
    if (!InHetVeld(X, Y)) return false;
    const CEL& cel = Level[X][Y];
    return cel.Grond || (cel.Konijn && BuitenKonijn);
}

}  // namespace

COORDINATEN BaanBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind) {
    COORDINATEN Pos = Positie;
    const float Kracht_x = F(Kracht * cosl(Hoek));
    const float Kracht_y = F(Kracht * sinl(Hoek));
    float b = 0.1f;
    bool Hit = false;
    bool BuitenKonijn = false;
    do {
        const COORDINATEN vorige = Pos;
        Pos.x = Add(Add(Positie.x, Trunc(LD{b} * Kracht_x)), Trunc(LD{b} * b * Wind));
        Pos.y = Add(Add(Positie.y, Trunc(LD{b} * Kracht_y)), Trunc(LD{b} * b * Zwaartekracht));
        if (!BinnenKonijn(Positie, Pos) || BuitenKonijn) {
            Kogel(vorige.x, vorige.y, Pos.x, Pos.y);
            Runtime::Delay(50);
            // Wipes the shell until the next redraw of the landscape.
            Wimdows::Rectangle(Pos.x - 8, Pos.y - 8, Pos.x + 8, Pos.y + 8, _ACHTERGRONDKLEUR, true);
            BuitenKonijn = true;
        }
        if (AanDeRand(Pos)) Hit = true;
        for (int64_t X = int64_t{Pos.x} - 8; X <= int64_t{Pos.x} + 8; ++X) {
            if (X <= 2 || X >= 998) continue;
            for (int64_t Y = int64_t{Pos.y} - 8; Y <= int64_t{Pos.y} + 8; ++Y) {
                if (Y <= 2 || Y >= 596) continue;
                if (Geraakt(X, Y, BuitenKonijn)) Hit = true;
            }
        }
        b = F(LD{b} + 0.05f);
    } while (!Hit);
    return Pos;
}

COORDINATEN BaanPistool(COORDINATEN Positie, float Hoek) {
    COORDINATEN Pos = Positie;
    const float Kracht_x = F(100 * cosl(Hoek));
    const float Kracht_y = F(100 * sinl(Hoek));
    float b = 0;
    bool Hit = false;
    bool BuitenKonijn = false;
    do {
        Pos.x = Add(Positie.x, Trunc(LD{b} * Kracht_x));
        Pos.y = Add(Positie.y, Trunc(LD{b} * Kracht_y));
        if (!BinnenKonijn(Positie, Pos)) BuitenKonijn = true;
        if (AanDeRand(Pos)) Hit = true;
        if (Geraakt(Pos.x, Pos.y, BuitenKonijn)) Hit = true;
        b = F(LD{b} + 0.05f);
    } while (!Hit);
    return Pos;
}

COORDINATEN BaanGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd, uint32_t Kleur) {
    const COORDINATEN KonijnPositie = Positie;
    COORDINATEN Pos = Positie;
    float Kracht_x = F(Kracht * cosl(Hoek));
    float Kracht_y = F(Kracht * sinl(Hoek));
    float b = 0;
    bool Hit = false;
    bool BuitenKonijn = false;
    uint32_t Bounce = 0;

    auto TekenWerper = [&] {
        TekenKonijntjeWapen(KonijnPositie.x, KonijnPositie.y, Hoek, Kleur, 2);
    };
    // Off a side: the arc restarts one pixel back, the sideways speed turns
    // and loses a fifth.
    auto ZijRand = [&](int32_t terug) {
        Positie = {Add(Pos.x, terug), Pos.y};
        Kracht_x = F(-0.8f * LD{Kracht_x});
        Kracht_y = F(Kracht_y + Zwaartekracht * b * b);
        b = 0;
    };
    // Against an obstacle beside or above/below: the same, once per blocked
    // cell, with the probe's damping.
    auto ZijObstakel = [&](int32_t terug) {
        Positie = {Add(Pos.x, terug), Pos.y};
        Kracht_y = F(Kracht_y + Zwaartekracht * b + b);
        Kracht_x = F(-0.95f * LD{Kracht_x});
        b = 0;
        Bounce = 5;
    };
    auto VerticaalObstakel = [&](int32_t terug) {
        Positie = {Pos.x, Add(Pos.y, terug)};
        Kracht_y = F(-0.98f * LD{0.95f} * (Kracht_y + Zwaartekracht * b + b));
        b = 0;
        Bounce = 5;
    };

    do {
        Pos.x = Add(Positie.x, Trunc(LD{b} * Kracht_x));
        Pos.y = Add(Add(Positie.y, Trunc(LD{b} * Kracht_y)), Trunc(LD{b} * b * Zwaartekracht));

        if (!BinnenKonijn(Positie, Pos) || BuitenKonijn) {
            TekenBitmaps::TekenGranaat(Pos.x, Pos.y);
            Runtime::Delay(10);
            Wimdows::Disc(Pos.x, Pos.y, 11, _ACHTERGRONDKLEUR);
            Wimdows::UpdateWindow();
            BuitenKonijn = true;
        } else {
            TekenBitmaps::TekenGranaat(Pos.x, Pos.y);
            Runtime::Delay(10);
            TekenWerper();
        }

        // The edges of the landscape, each on the same position.
        if (Pos.x <= 12) ZijRand(+1);
        if (Pos.x >= 988) ZijRand(-1);
        if (Pos.y <= 12) {
            Positie = {Pos.x, Add(Pos.y, 1)};
            Kracht_y = F(-0.8f * (Kracht_y + Zwaartekracht * b * b));
            b = 0;
        }
        if (Pos.y >= 586) {
            Positie = {Pos.x, Add(Pos.y, -1)};
            Kracht_y = F(-(Kracht_y + Zwaartekracht * b + b));
            b = 0;
        }

        if (Bounce > 0) {
            HermaakLevel();
            TekenWerper();
            --Bounce;
        }

        if (Tijd <= 0) Hit = true;

        // Obstacles two pixels away: right, left, below, above.
        for (int32_t d = -1; d <= 1; ++d)
            if (Geraakt(int64_t{Pos.x} + 2, int64_t{Pos.y} + d, BuitenKonijn)) ZijObstakel(-1);
        for (int32_t d = -1; d <= 1; ++d)
            if (Geraakt(int64_t{Pos.x} - 2, int64_t{Pos.y} + d, BuitenKonijn)) ZijObstakel(+1);
        for (int32_t d = -1; d <= 1; ++d)
            if (Geraakt(int64_t{Pos.x} + d, int64_t{Pos.y} + 2, BuitenKonijn)) VerticaalObstakel(-1);
        for (int32_t d = -1; d <= 1; ++d)
            if (Geraakt(int64_t{Pos.x} + d, int64_t{Pos.y} - 2, BuitenKonijn)) VerticaalObstakel(+1);

        b = F(LD{b} + 0.01f);
        Tijd = F(LD{Tijd} - 0.0095f);
        GeefTijd(Tijd);
    } while (!Hit);
    return Pos;
}

void Kogel(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const float Orzijde = F(static_cast<LD>(y2) - y1);
    const float Arzijde = F(static_cast<LD>(x2) - x1);
    if (Arzijde == 0) {
        TekenBitmaps::TekenKogel(x2, y2, Orzijde > 0 ? 5 : 1);
        return;
    }
    if (Orzijde == 0) {
        TekenBitmaps::TekenKogel(x2, y2, Arzijde > 0 ? 3 : 7);
        return;
    }
    const float Cos = F(Arzijde / sqrtl(LD{Arzijde} * Arzijde + LD{Orzijde} * Orzijde));
    const bool omlaag = Orzijde > 0;
    uint32_t richting;
    if (Cos >= 0.9239f)
        richting = 3;
    else if (Cos >= 0.3827f)
        richting = omlaag ? 4 : 2;
    else if (Cos >= -0.3827f)
        richting = omlaag ? 5 : 1;
    else if (Cos >= -0.9239f)
        richting = omlaag ? 6 : 8;
    else
        richting = 7;
    TekenBitmaps::TekenKogel(x2, y2, richting);
    Runtime::Delay(50);
}

}  // namespace Zanderfell
