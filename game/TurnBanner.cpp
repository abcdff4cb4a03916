// Whose turn it is. The banner adds no wait to the turn: it is drawn with
// the opening and with every redraw of the field until its moment, counted
// in the game's own waits, has passed.
#include "game/TurnBanner.h"

#include "game/Zanderfell.h"
#include "gfx/TekenBitmaps.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {
uint32_t bannerTeam = 0;  // 0: no banner
uint32_t bannerKonijn = 0;
uint64_t bannerTot = 0;
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
    if (bannerTeam == 0) return;
    if (Klassiek || Runtime::WaitedMs() >= bannerTot) {
        bannerTeam = 0;
        return;
    }
    TekenBitmaps::TekenBeurtBanner(bannerTeam, bannerKonijn);
}

void GeenBanner() { bannerTeam = 0; }

}  // namespace Zanderfell
