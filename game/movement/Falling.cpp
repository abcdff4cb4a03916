// After a turn the explosions may have cut the ground from under any rabbit.
// Every living rabbit, in number order, drops straight down until there is
// ground under its centre column or it reaches the water and drowns.
#include "game/movement/Falling.h"

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/Placement.h"
#include "game/TurnBanner.h"
#include "game/movement/Probes.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

constexpr uint32_t RijWacht = 5;  // ms per drawn row

}  // namespace

COORDINATEN ValLanding(const LEVEL& level, COORDINATEN Positie) {
    while (!IsGrond(level, Positie.x, Positie.y + 1)) {
        Positie.y = Runtime::Add(Positie.y, 1);
        if (Verdronken(Positie)) break;
    }
    return Positie;
}

COORDINATEN Val(uint32_t KonijnNr, int32_t& levens) {
    const KonijnRecord& Konijn = Konijntjes[KonijnNr];
    const COORDINATEN Oud = Konijn.Positie;
    const COORDINATEN Nieuw = ValLanding(Level, Oud);
    const bool lang = Nieuw.y - Oud.y > StilleVal;
    if (lang) {
        const int32_t kleur = Runtime::ToI32(Konijn.Team);
        for (int32_t k = Oud.y; k <= Nieuw.y; ++k) {
            HermaakLevel();
            TekenBitmaps::TekenKonijntje(Nieuw.x, k, kleur);
            Wimdows::UpdateWindow();
            Runtime::Delay(RijWacht);
        }
    }
    // Shown and heard as the fall ends: in the water, or on the ground after
    // a long drop.
    if (Verdronken(Nieuw)) {
        ToonVerlies(KonijnNr, levens);
        levens = 0;
        Sound::Play(Sound::Id::Splash, Nieuw.x);
        Sound::Play(Sound::Id::RabbitOut, Nieuw.x);
    } else if (lang) {
        Sound::Play(Sound::Id::FallThud, Nieuw.x);
    }
    HermaakLevel();
    return Nieuw;
}

void VallenNaBeurt(MENU Menu) {
    for (uint32_t i = 1; i <= Menu.AantalKonijntjes; ++i) {
        if (Konijntjes[i].Levens <= 0) continue;
        PlaatsKonijntje(i, false);
        int32_t Levens = Konijntjes[i].Levens;
        Konijntjes[i].Levens = 0;  // the redraws leave the faller out
        HermaakLevel();
        Konijntjes[i].Positie = Val(i, Levens);
        Konijntjes[i].Levens = Levens;
        if (Levens > 0) PlaatsKonijntje(i, true);
    }
}

}  // namespace Zanderfell
