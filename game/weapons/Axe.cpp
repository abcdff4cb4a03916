// The axe: the player turns the rabbit left or right, holds the space bar to
// swing, and every other rabbit within reach on that side loses 30 lives.
#include "game/weapons/Axe.h"

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/TurnBanner.h"
#include "game/Zanderfell.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

// Reach: 30 pixels to the chosen side (feet to feet), and feet at most 60
// rows higher or lower than the striker's.
constexpr int32_t BereikX = 30;
constexpr int32_t BereikY = 60;
constexpr int32_t BijlSchade = 30;

void TekenBijl(int32_t Keuze, uint32_t x, uint32_t y, uint32_t nummer, uint32_t Team) {
    if (Keuze == 1)
        TekenBitmaps::TekenKonijntjeBijlRechts(x, y, nummer, Team);
    else
        TekenBitmaps::TekenKonijntjeBijlLinks(x, y, nummer, Team);
}

}  // namespace

int32_t BaanBijl(uint32_t KonijnNr) {
    const KonijnRecord& konijn = Konijntjes[KonijnNr];
    const uint32_t x = Runtime::ToU32(konijn.Positie.x);
    const uint32_t y = Runtime::ToU32(konijn.Positie.y);
    const uint32_t Team = konijn.Team;

    int32_t Keuze = -1;
    TekenBijl(Keuze, x, y, 1, Team);
    do {
        const uint32_t r = Wimdows::GetKey();
        HermaakLevel();
        if (r == Wimdows::VK_LEFT) {
            Keuze = -1;
            TekenBijl(Keuze, x, y, 1, Team);
        } else if (r == Wimdows::VK_RIGHT) {
            Keuze = 1;
            TekenBijl(Keuze, x, y, 1, Team);
        }
    } while (!Wimdows::KeyDown(Wimdows::VK_SPACE));

    // The swing: three frames, the last one stays on the screen.
    for (uint32_t nummer = 1; nummer <= 3; ++nummer) {
        TekenBijl(Keuze, x, y, nummer, Team);
        if (nummer == 1) Sound::Play(Sound::Id::AxeSwing, konijn.Positie.x);
        Runtime::Delay(300);
        if (nummer < 3) HermaakLevel();
    }
    return Keuze;
}

bool BijlBereikt(COORDINATEN Slager, int32_t Richting, COORDINATEN Ander) {
    const int64_t Afstand_x = int64_t{Slager.x} - Ander.x;
    const int64_t Afstand_y = int64_t{Slager.y} - Ander.y;
    if (Afstand_y > BereikY || Afstand_y < -BereikY) return false;
    return Richting == 1 ? (Afstand_x >= -BereikX && Afstand_x <= 0) : (Afstand_x >= 0 && Afstand_x <= BereikX);
}

void Hakken(KONIJN& konijnen, uint32_t Aantal, uint32_t KonijnNr, int32_t Richting) {
    const COORDINATEN slager = konijnen[KonijnNr].Positie;
    for (uint32_t k = 1; k <= Aantal; ++k) {
        if (k == KonijnNr) continue;
        KonijnRecord& ander = konijnen[k];
        if (BijlBereikt(slager, Richting, ander.Positie)) ander.Levens = Runtime::Sub(ander.Levens, BijlSchade);
    }
}

void Bijl(uint32_t KonijnNr) {
    ToonHint(Fase::Bijl);
    const int32_t Richting = BaanBijl(KonijnNr);
    const KONIJN voor = Konijntjes;
    Hakken(Konijntjes, Menu.AantalKonijntjes, KonijnNr, Richting);
    if (HoorVerlies(voor)) Sound::Play(Sound::Id::AxeHit, Runtime::Add(Konijntjes[KonijnNr].Positie.x, 20 * Richting));
    ToonVerlies(voor);
}

}  // namespace Zanderfell
