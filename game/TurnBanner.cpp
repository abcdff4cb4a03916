// Whose turn it is. The banner adds no wait to the turn: it is drawn with
// the opening and with every redraw of the field until its moment, counted
// in the game's own waits, has passed.
#include "game/TurnBanner.h"

#include <string>

#include "game/Turns.h"
#include "game/Zanderfell.h"
#include "gfx/TekenBitmaps.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {
uint32_t bannerTeam = 0;  // 0: no banner
uint32_t bannerKonijn = 0;
uint64_t bannerTot = 0;

// The numbers lost still shown, per rabbit (0: none).
Runtime::Array<int32_t, 1, 8> verloren{};
Runtime::Array<uint64_t, 1, 8> verlorenTot{};

void TekenVerloren() {
    for (uint32_t k = 1; k <= 8; ++k) {
        if (verloren[k] == 0) continue;
        if (Klassiek || Runtime::WaitedMs() >= verlorenTot[k]) {
            verloren[k] = 0;
            continue;
        }
        const COORDINATEN plek = VerliesPlek(Konijntjes[k].Positie, verloren[k]);
        TekenBitmaps::TekenKleinGetal(plek.x, plek.y, -verloren[k], 0);
    }
}
}  // namespace

void ToonWieAanZet(uint32_t KonijnNr) {
    if (Klassiek) return;
    const uint32_t team = Konijntjes[KonijnNr].Team;
    // The rabbits of team 1 are the odd numbers, those of team 2 the even
    // ones; with one rabbit a team the team says it all.
    bannerKonijn = Menu.AantalKonijntjes > 2 ? (KonijnNr + 1) / 2 : 0;
    bannerTeam = team;
    bannerTot = Runtime::WaitedMs() + BannerDuur;
    TekenBitmaps::TekenBeurtBanner(team, bannerKonijn);
    TekenBitmaps::TekenAanZet(team);
}

void TekenBannerNogEven() {
    TekenVerloren();
    if (bannerTeam == 0) return;
    if (Klassiek || Runtime::WaitedMs() >= bannerTot) {
        bannerTeam = 0;
        return;
    }
    TekenBitmaps::TekenBeurtBanner(bannerTeam, bannerKonijn);
}

namespace {
FaseStand faseStand;
}  // namespace

FaseStand HuidigeFase() { return faseStand; }

void ToonHint(Fase fase) {
    faseStand = {fase, faseStand.teller + 1};
    if (!Klassiek) TekenBitmaps::TekenHint(static_cast<uint32_t>(fase));
}

void GeenBanner() {
    bannerTeam = 0;
    for (uint32_t k = 1; k <= 8; ++k) verloren[k] = 0;
}

void ToonVerlies(uint32_t k, int32_t verlies) {
    if (Klassiek || verlies <= 0) return;
    // A second loss while the first still shows adds up.
    if (Runtime::WaitedMs() >= verlorenTot[k]) verloren[k] = 0;
    verloren[k] = Runtime::Add(verloren[k], verlies);
    verlorenTot[k] = Runtime::WaitedMs() + VerliesDuur;
}

void ToonVerlies(const KONIJN& voor) {
    // Rabbits already out of the game pay too, but nobody sees them: no
    // number in the air where they were. The rabbit on turn has its lives
    // held aside (0 on its record) and is seen.
    for (uint32_t k = 1; k <= 8; ++k)
        if (Konijntjes[k].Team != 0 && (voor[k].Levens > 0 || k == KonijnNr))
            ToonVerlies(k, Runtime::Sub(voor[k].Levens, Konijntjes[k].Levens));
}

COORDINATEN VerliesPlek(COORDINATEN voeten, int32_t verlies) {
    const int32_t breedte = Runtime::Mul(int32_t(std::to_string(-verlies).size()), TekenBitmaps::KleinCijferBreedte);
    return {Runtime::Sub(voeten.x, breedte / 2), Runtime::Sub(voeten.y, 80)};
}

void TekenLevensGetallen(uint32_t AantalKonijntjes, const KONIJN& Konijntjes) {
    if (Klassiek) return;
    const LevensTotalen t = TeamLevens(AantalKonijntjes, Konijntjes);
    TekenBitmaps::TekenKleinGetal(LevensGetalX, LevensGetalRood, t.Rood, 3);
    TekenBitmaps::TekenKleinGetal(LevensGetalX, LevensGetalBlauw, t.Blauw, 3);
}

}  // namespace Zanderfell
