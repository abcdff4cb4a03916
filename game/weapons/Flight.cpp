// The flights: the bazooka shell (power, gravity and wind, explodes on
// contact), the pistol bullet (straight and instant) and the grenade (power
// and gravity, bounces, explodes when its fuse is spent). Each flight steps a
// time parameter and recomputes the position from the start of its arc.
#include "game/weapons/Flight.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "game/Field.h"
#include "game/Level.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Aiming.h"
#include "audio/Sound.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

using Runtime::F;
using LD = long double;

// The flights' arithmetic runs millions of times for a computer player, so
// its checked helpers are inlined here; out of range they hand over to the
// runtime's own, which reports the error.
[[gnu::always_inline]] inline int32_t Add(int32_t a, int32_t b) {
    const int64_t som = int64_t{a} + b;
    return som >= INT32_MIN && som <= INT32_MAX ? static_cast<int32_t>(som) : Runtime::Add(a, b);
}

// Truncation toward zero of the product of two floats. The product is exact
// in double (24 + 24 significant bits), so it equals the long double product
// to the last bit, and the processor truncates a double in one instruction.
[[gnu::always_inline]] inline int32_t TruncMaal(float a, float b) {
    const double p = double{a} * b;
    if (!(p > -2147483649.0 && p < 2147483648.0)) return Runtime::Trunc(LD{a} * b);
    return static_cast<int32_t>(p);
}

// Truncation toward zero of b * b * k. In double b * b is exact and only the
// last product rounds; a rounding can only carry it across a whole number
// when it lands on one, and then the long double product decides.
[[gnu::always_inline]] inline int32_t TruncKwadraat(float b, int32_t k) {
    const double q = double{b} * b * k;
    if (q == 0) return 0;
    if (q > -2147483648.0 && q < 2147483648.0) {
        const int32_t t = static_cast<int32_t>(q);
        if (t != q) return t;
    }
    return Runtime::Trunc(LD{b} * b * k);
}

// Gravity: 70 pixels per unit of the time parameter squared.
constexpr int32_t Valversnelling = 70;
constexpr LD Zwaartekracht = Valversnelling;

// Still inside the shooter's own box (25 columns and 40 rows from the start
// of the arc)? There its rabbit cells neither stop nor turn the projectile.
bool BinnenKonijn(COORDINATEN Positie, COORDINATEN Pos) {
    return std::abs(int64_t{Positie.x} - Pos.x) <= 25 && std::abs(int64_t{Positie.y} - Pos.y) <= 40;
}

bool InHetVeld(int64_t X, int64_t Y) {
    return X >= LEVEL::low && X <= LEVEL::high && Y >= 1 && Y <= Veld::Hoogte;
}

// Does the cell stop the projectile? Ground always does, a rabbit only once
// the projectile has left its own rabbit. Cells off the grid never do.
[[gnu::always_inline]] inline bool Geraakt(const LEVEL& level, int64_t X, int64_t Y, bool BuitenKonijn) {
    if (!InHetVeld(X, Y)) return false;
    // InHetVeld is the index check: the cell is read without a second one.
    const CEL& cel = level.items[X - LEVEL::low].items[Y - 1];
    return cel.Grond || (cel.Konijn && BuitenKonijn);
}

// Does any cell of the shell's box, 8 pixels around it, stop it? Only the
// columns 3..997 and rows 3..595 count. Each column's rows are read as one
// run of cells (the ends checked), since most steps of a flight scan a box of
// empty sky and a computer player scans thousands of flights.
bool KaderGeraakt(const LEVEL& level, COORDINATEN Pos, bool BuitenKonijn) {
    const int64_t x0 = std::max<int64_t>(int64_t{Pos.x} - 8, Veld::FrameLinks),
                  x1 = std::min<int64_t>(int64_t{Pos.x} + 8, Veld::FrameRechts);
    const int64_t y0 = std::max<int64_t>(int64_t{Pos.y} - 8, Veld::FrameBoven),
                  y1 = std::min<int64_t>(int64_t{Pos.y} + 8, Veld::FrameOnder);
    if (y0 > y1) return false;
    for (int64_t X = x0; X <= x1; ++X) {
        const CEL* cel = &level[X][y0];
        const CEL* const laatste = &level[X][y1];
        bool stop = false;
        for (; cel <= laatste; ++cel) stop |= cel->Grond || (cel->Konijn && BuitenKonijn);
        if (stop) return true;
    }
    return false;
}

}  // namespace

bool AanDeRand(COORDINATEN Pos) {
    using namespace Veld;
    return int64_t{Pos.x} - Marge < FrameLinks || int64_t{Pos.y} - Marge < FrameBoven ||
           int64_t{Pos.x} + Marge > FrameRechts || int64_t{Pos.y} + Marge > FrameOnder;
}

Vlucht StartBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind) {
    Vlucht v;
    v.Start = v.Pos = v.Vorige = Positie;
    v.Kracht_x = F(Kracht * cosl(Hoek));
    v.Kracht_y = F(Kracht * sinl(Hoek));
    v.b = 0.1f;
    v.Wind = Wind;
    return v;
}

void StapBazooka(Vlucht& v, const LEVEL& level) {
    v.Vorige = v.Pos;
    v.Pos.x = Add(Add(v.Start.x, TruncMaal(v.b, v.Kracht_x)), TruncKwadraat(v.b, v.Wind));
    v.Pos.y = Add(Add(v.Start.y, TruncMaal(v.b, v.Kracht_y)), TruncKwadraat(v.b, Valversnelling));
    if (!BinnenKonijn(v.Start, v.Pos)) v.BuitenKonijn = true;
    v.Hit = AanDeRand(v.Pos) || KaderGeraakt(level, v.Pos, v.BuitenKonijn);
    v.b = F(LD{v.b} + 0.05f);
}

Vlucht StartPistool(COORDINATEN Positie, float Hoek) {
    Vlucht v;
    v.Start = v.Pos = v.Vorige = Positie;
    v.Kracht_x = F(100 * cosl(Hoek));
    v.Kracht_y = F(100 * sinl(Hoek));
    return v;
}

void StapPistool(Vlucht& v, const LEVEL& level) {
    v.Vorige = v.Pos;
    v.Pos.x = Add(v.Start.x, TruncMaal(v.b, v.Kracht_x));
    v.Pos.y = Add(v.Start.y, TruncMaal(v.b, v.Kracht_y));
    if (!BinnenKonijn(v.Start, v.Pos)) v.BuitenKonijn = true;
    v.Hit = AanDeRand(v.Pos) || Geraakt(level, v.Pos.x, v.Pos.y, v.BuitenKonijn);
    v.b = F(LD{v.b} + 0.05f);
}

Vlucht StartGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd) {
    Vlucht v;
    v.Start = v.Pos = v.Vorige = Positie;
    v.Kracht_x = F(Kracht * cosl(Hoek));
    v.Kracht_y = F(Kracht * sinl(Hoek));
    v.Tijd = Tijd;
    return v;
}

namespace {

// The grenade's step, inlined into a whole flight where nothing is drawn.
[[gnu::always_inline]] inline bool GranaatStap(Vlucht& v, const LEVEL& level) {
    // Off a side: the arc restarts one pixel back, the sideways speed turns
    // and loses a fifth.
    auto ZijRand = [&v](int32_t terug) {
        v.Start = {Add(v.Pos.x, terug), v.Pos.y};
        v.Kracht_x = F(-0.8f * LD{v.Kracht_x});
        v.Kracht_y = F(v.Kracht_y + Zwaartekracht * v.b * v.b);
        v.b = 0;
    };
    // Against an obstacle beside or above/below: the same, once per blocked
    // cell, with the probe's damping.
    auto ZijObstakel = [&v](int32_t terug) {
        v.Start = {Add(v.Pos.x, terug), v.Pos.y};
        v.Kracht_y = F(v.Kracht_y + Zwaartekracht * v.b + v.b);
        v.Kracht_x = F(-0.95f * LD{v.Kracht_x});
        v.b = 0;
        v.Bounce = 5;
    };
    auto VerticaalObstakel = [&v](int32_t terug) {
        v.Start = {v.Pos.x, Add(v.Pos.y, terug)};
        v.Kracht_y = F(-0.98f * LD{0.95f} * (v.Kracht_y + Zwaartekracht * v.b + v.b));
        v.b = 0;
        v.Bounce = 5;
    };

    v.Vorige = v.Pos;
    v.Pos.x = Add(v.Start.x, TruncMaal(v.b, v.Kracht_x));
    v.Pos.y = Add(Add(v.Start.y, TruncMaal(v.b, v.Kracht_y)), TruncKwadraat(v.b, Valversnelling));
    if (!BinnenKonijn(v.Start, v.Pos)) v.BuitenKonijn = true;
    const COORDINATEN Pos = v.Pos;

    // The edges of the landscape, each on the same position.
    if (Pos.x - Veld::Marge < Veld::FrameLinks) ZijRand(+1);
    if (Pos.x + Veld::Marge > Veld::FrameRechts) ZijRand(-1);
    if (Pos.y - Veld::Marge < Veld::FrameBoven) {
        v.Start = {Pos.x, Add(Pos.y, 1)};
        v.Kracht_y = F(-0.8f * (v.Kracht_y + Zwaartekracht * v.b * v.b));
        v.b = 0;
    }
    if (Pos.y + Veld::Marge > Veld::FrameOnder) {
        v.Start = {Pos.x, Add(Pos.y, -1)};
        v.Kracht_y = F(-(v.Kracht_y + Zwaartekracht * v.b + v.b));
        v.b = 0;
    }

    const bool herteken = v.Bounce > 0;
    if (herteken) --v.Bounce;

    if (v.Tijd <= 0) v.Hit = true;

    // Obstacles two pixels away: right, left, below, above.
    const bool buiten = v.BuitenKonijn;
    for (int32_t d = -1; d <= 1; ++d)
        if (Geraakt(level, int64_t{Pos.x} + 2, int64_t{Pos.y} + d, buiten)) ZijObstakel(-1);
    for (int32_t d = -1; d <= 1; ++d)
        if (Geraakt(level, int64_t{Pos.x} - 2, int64_t{Pos.y} + d, buiten)) ZijObstakel(+1);
    for (int32_t d = -1; d <= 1; ++d)
        if (Geraakt(level, int64_t{Pos.x} + d, int64_t{Pos.y} + 2, buiten)) VerticaalObstakel(-1);
    for (int32_t d = -1; d <= 1; ++d)
        if (Geraakt(level, int64_t{Pos.x} + d, int64_t{Pos.y} - 2, buiten)) VerticaalObstakel(+1);

    v.b = F(LD{v.b} + 0.01f);
    v.Tijd = F(LD{v.Tijd} - 0.0095f);
    return herteken;
}

}  // namespace

bool StapGranaat(Vlucht& v, const LEVEL& level) { return GranaatStap(v, level); }

COORDINATEN EindeBazooka(Vlucht v, const LEVEL& level) {
    do StapBazooka(v, level);
    while (!v.Hit);
    return v.Pos;
}

COORDINATEN EindePistool(Vlucht v, const LEVEL& level) {
    do StapPistool(v, level);
    while (!v.Hit);
    return v.Pos;
}

COORDINATEN EindeGranaat(Vlucht v, const LEVEL& level) {
    do GranaatStap(v, level);
    while (!v.Hit);
    return v.Pos;
}

COORDINATEN BaanBazooka(COORDINATEN Positie, float Kracht, float Hoek, int32_t Wind) {
    Vlucht v = StartBazooka(Positie, Kracht, Hoek, Wind);
    do {
        StapBazooka(v, Level);
        // The whistle follows the shell across the field.
        Sound::Start(Sound::Id::Whistle, v.Pos.x);
        if (v.BuitenKonijn) {
            Kogel(v.Vorige.x, v.Vorige.y, v.Pos.x, v.Pos.y);
            Runtime::Delay(50);
            // Wipes the shell until the next redraw of the landscape.
            Wimdows::Rectangle(v.Pos.x - 8, v.Pos.y - 8, v.Pos.x + 8, v.Pos.y + 8, _ACHTERGRONDKLEUR, true);
        }
    } while (!v.Hit);
    Sound::Stop(Sound::Id::Whistle);
    return v.Pos;
}

COORDINATEN BaanPistool(COORDINATEN Positie, float Hoek) {
    return EindePistool(StartPistool(Positie, Hoek), Level);
}

COORDINATEN BaanGranaat(COORDINATEN Positie, float Kracht, float Hoek, float Tijd, uint32_t Kleur) {
    auto TekenWerper = [&] { TekenKonijntjeWapen(Positie.x, Positie.y, Hoek, Kleur, 2); };
    Vlucht v = StartGranaat(Positie, Kracht, Hoek, Tijd);
    Sound::Start(Sound::Id::GrenadeFuse, Positie.x);
    do {
        // A bounce starts the arc afresh; touching ground for several
        // steps in a row is heard as one.
        const float vrij = v.b;
        const bool herteken = StapGranaat(v, Level);
        if (v.b < vrij && vrij >= 0.15f) Sound::Play(Sound::Id::GrenadeBounce, v.Pos.x);
        Sound::Start(Sound::Id::GrenadeFuse, v.Pos.x);
        TekenBitmaps::TekenGranaat(v.Pos.x, v.Pos.y);
        Runtime::Delay(10);
        if (v.BuitenKonijn) {
            Wimdows::Disc(v.Pos.x, v.Pos.y, 11, _ACHTERGRONDKLEUR);
            Wimdows::UpdateWindow();
        } else {
            TekenWerper();
        }
        if (herteken) {
            HermaakLevel();
            TekenWerper();
        }
        GeefTijd(v.Tijd);
    } while (!v.Hit);
    Sound::Stop(Sound::Id::GrenadeFuse);
    return v.Pos;
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
