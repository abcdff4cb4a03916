// Explosions: the flash on the screen, the impact list that the landscape
// redraw paints as craters, the lives taken by distance and the crater cut
// into the ground cells.
#include "game/weapons/Damage.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "audio/Sound.h"
#include "game/Field.h"
#include "game/StandardLib.h"
#include "game/TurnBanner.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

// The smallest explosion that still needs room on the screen.
constexpr int64_t KleinsteOntploffing = 30;
// One step of the crater's circle: 2000 steps make a full turn.
constexpr float HoekStap = 0.0031415920f;

// Shows the explosion when it fits inside the landscape, else only covers
// the projectile's last image with sky.
void ToonOntploffing(int32_t x, int32_t y, uint32_t Grootte) {
    // The size tells which blast is heard: as the flash reaches the
    // screen, or at once where nothing is shown.
    const Sound::Id blast = Grootte >= DynamietOntploffing ? Sound::Id::ExplosionLarge : Sound::Id::ExplosionSmall;
    if (OntploffingInBeeld(x, y, Grootte)) {
        Wimdows::Disc(x, y, Grootte, Wimdows::RgbColor(255, 255, 0));
        Runtime::Delay(5);
        TekenBitmaps::TekenKaboom(Runtime::ToU32(x), Runtime::ToU32(y));
        Sound::Play(blast, x);
        Runtime::Delay(500);
    } else {
        Sound::Play(blast, x);
        Wimdows::Disc(x, y, 8, _ACHTERGRONDKLEUR);
    }
    Wimdows::UpdateWindow();
}

// The 2001 fixed directions of the crater cut (2000 steps make a full turn);
// their cosines and sines are the same for every explosion.
struct Richtingen {
    long double cos[2001], sin[2001];
    Richtingen() {
        for (int32_t Hoek = 0; Hoek <= 2000; ++Hoek) {
            const long double a = static_cast<long double>(Hoek) * HoekStap;
            cos[Hoek] = cosl(a);
            sin[Hoek] = sinl(a);
        }
    }
};

}  // namespace

bool OntploffingInBeeld(int32_t x, int32_t y, uint32_t Grootte) {
    const int64_t GrootteOntploffing = Grootte < KleinsteOntploffing ? KleinsteOntploffing : int64_t{Grootte};
    return x - GrootteOntploffing >= Veld::FrameLinks && y - GrootteOntploffing >= Veld::FrameBoven &&
           x + GrootteOntploffing <= Veld::FrameRechts && y + GrootteOntploffing <= Veld::FrameOnder;
}

// A full list keeps its 500 entries; the crater is then still cut but not
// redrawn.
void BewaarInslag(SCHADE& inslagen, uint32_t& aantal, int32_t x, int32_t y, uint32_t Grootte) {
    if (aantal >= static_cast<uint32_t>(SCHADE::high)) return;
    aantal = Runtime::AddU(aantal, 1);
    Inslag& inslag = inslagen[aantal];
    inslag.x = x;
    inslag.y = y;
    inslag.Grootte = Runtime::ToI32(Grootte);
}

// The shortest distance from the impact to 61 points from the feet up to
// the head; within Grootte the rabbit loses Grootte minus half of it. The
// nearest of those points is the row of the impact held between head and
// feet, and a whole-pixel distance only grows with the true one, so that
// point's distance is the shortest.
uint32_t LevensVerlies(int32_t x, int32_t y, uint32_t Grootte, COORDINATEN Voeten) {
    const int32_t Hoofd = Runtime::Sub(Voeten.y, 60);
    const uint32_t Kortste_Afstand = Distance(x, y, Voeten.x, std::clamp(y, Hoofd, Voeten.y));
    if (Kortste_Afstand > Grootte) return 0;
    return Runtime::SubU(Grootte, Kortste_Afstand / 2);
}

// Every rabbit of the game, living or not, pays its loss.
void NeemLevens(KONIJN& konijnen, uint32_t Aantal, int32_t x, int32_t y, uint32_t Grootte) {
    for (uint32_t k = 1; k <= Aantal; ++k) {
        KonijnRecord& konijn = konijnen[k];
        const uint32_t verlies = LevensVerlies(x, y, Grootte, konijn.Positie);
        if (verlies > 0) konijn.Levens = Runtime::Sub(konijn.Levens, Runtime::ToI32(verlies));
    }
}

// Every (trunc(Straal cos a), trunc(Straal sin a)) of the rings once. The
// same for every explosion of that size, so worked out once per size.
const std::vector<std::pair<int32_t, int32_t>>& KraterCellen(uint32_t Grootte) {
    static const Richtingen richting;
    static std::map<uint32_t, std::vector<std::pair<int32_t, int32_t>>> perGrootte;
    auto gevonden = perGrootte.find(Grootte);
    if (gevonden != perGrootte.end()) return gevonden->second;
    std::set<std::pair<int32_t, int32_t>> cellen;
    for (uint32_t Straal = 0; Straal <= Grootte; ++Straal) {
        const long double r = Straal;
        for (int32_t Hoek = 0; Hoek <= 2000; ++Hoek)
            cellen.emplace(Runtime::Trunc(r * richting.cos[Hoek]), Runtime::Trunc(r * richting.sin[Hoek]));
    }
    return perGrootte.emplace(Grootte, std::vector(cellen.begin(), cellen.end())).first->second;
}

bool Uitgraafbaar(int64_t X, int64_t Y) {
    return X <= Veld::FrameRechts && Y >= Veld::FrameBoven && X >= Veld::FrameLinks && Y <= Veld::FrameOnder;
}

void SnijKrater(LEVEL& level, int32_t x, int32_t y, uint32_t Grootte) {
    for (const auto& [dx, dy] : KraterCellen(Grootte)) {
        const int64_t X = int64_t{x} + dx, Y = int64_t{y} + dy;
        if (Uitgraafbaar(X, Y)) level[X][Y].Grond = false;
    }
}

bool HoorVerlies(const KONIJN& voor) {
    bool geraakt = false;
    for (uint32_t k = 1; k <= Menu.AantalKonijntjes; ++k) {
        const KonijnRecord& konijn = Konijntjes[k];
        if (konijn.Levens != voor[k].Levens) geraakt = true;
        // The dead stay silent. The rabbit whose turn it is holds its lives
        // aside (its record shows 0 and takes the damage): it is heard hurt.
        if ((voor[k].Levens <= 0 && k != KonijnNr) || konijn.Levens >= voor[k].Levens) continue;
        const bool uit = konijn.Levens <= 0 && k != KonijnNr;
        Sound::Play(uit ? Sound::Id::RabbitOut : Sound::Id::RabbitHurt, konijn.Positie.x);
    }
    return geraakt;
}

void Schade(COORDINATEN Inslag, uint32_t Grootte) {
    ToonOntploffing(Inslag.x, Inslag.y, Grootte);
    BewaarInslag(SchadeArray, AANTALINSLAGEN, Inslag.x, Inslag.y, Grootte);
    const KONIJN voor = Konijntjes;
    NeemLevens(Konijntjes, Menu.AantalKonijntjes, Inslag.x, Inslag.y, Grootte);
    HoorVerlies(voor);
    ToonVerlies(voor);
    SnijKrater(Level, Inslag.x, Inslag.y, Grootte);
}

}  // namespace Zanderfell
