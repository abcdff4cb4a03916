// The shot simulator: the weapons' steps run to the end of a flight on the
// given grid, then the explosion's lives and crater worked out on a copy of
// the eight rabbits. The grid is only read; the crater is returned, not cut.
#include "game/weapons/ShotSimulator.h"

#include "game/weapons/Axe.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Flight.h"

namespace Zanderfell {

namespace {

template <class Stap>
COORDINATEN Vlieg(Vlucht v, const LEVEL& level, Stap stap) {
    do stap(v, level);
    while (!v.Hit);
    return v.Pos;
}

}  // namespace

SchotUitslag Simuleer(const Stand& stand, uint32_t KonijnNr, const Schot& schot) {
    KONIJN konijnen = stand.konijnen;
    const COORDINATEN Voeten = konijnen[KonijnNr].Positie;
    const COORDINATEN Positie = RichtPunt(Voeten);
    COORDINATEN Einde = Voeten;
    uint32_t Grootte = KleineOntploffing;
    switch (schot.wapen) {
    case Wapen::Bazooka:
        Einde = Vlieg(StartBazooka(Positie, schot.Kracht, schot.Hoek, stand.Wind), stand.level, StapBazooka);
        break;
    case Wapen::Granaat:
        Einde = Vlieg(StartGranaat(Positie, schot.Kracht, schot.Hoek, GranaatLont), stand.level,
                      [](Vlucht& v, const LEVEL& level) { StapGranaat(v, level); });
        break;
    case Wapen::Pistool:
        Einde = Vlieg(StartPistool(Positie, schot.Hoek), stand.level, StapPistool);
        break;
    case Wapen::Bijl:
        Grootte = 0;
        Hakken(konijnen, stand.AantalKonijntjes, KonijnNr, schot.BijlKant);
        break;
    case Wapen::Dynamiet:
        Grootte = DynamietOntploffing;
        break;
    }
    if (Grootte > 0) NeemLevens(konijnen, stand.AantalKonijntjes, Einde.x, Einde.y, Grootte);

    SchotUitslag uitslag;
    uitslag.Einde = Einde;
    uitslag.Krater = {Einde.x, Einde.y, Runtime::ToI32(Grootte)};
    for (uint32_t k = 1; k <= 8; ++k) uitslag.Levens[k] = konijnen[k].Levens;
    return uitslag;
}

}  // namespace Zanderfell
