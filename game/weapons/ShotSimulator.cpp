// The shot simulator: the weapons' steps run to the end of a flight on the
// given grid, then the explosion's lives worked out on a copy of the eight
// rabbits. The grid is only read; the crater is returned, not cut.
#include "game/weapons/ShotSimulator.h"

#include <cstdlib>

#include "game/weapons/Aiming.h"
#include "game/weapons/Axe.h"
#include "game/weapons/Damage.h"
#include "game/weapons/Flight.h"

namespace Zanderfell {

namespace {

// The end of a shot: an explosion of Grootte at Einde (none for 0) taken
// from the rabbits as they are given.
SchotUitslag Uitslag(KONIJN konijnen, uint32_t Aantal, COORDINATEN Einde, uint32_t Grootte) {
    if (Grootte > 0) NeemLevens(konijnen, Aantal, Einde.x, Einde.y, Grootte);
    SchotUitslag uitslag;
    uitslag.Einde = Einde;
    uitslag.Krater = {Einde.x, Einde.y, Runtime::ToI32(Grootte)};
    for (uint32_t k = 1; k <= 8; ++k) uitslag.Levens[k] = konijnen[k].Levens;
    return uitslag;
}

}  // namespace

SchotUitslag Simuleer(const Stand& stand, uint32_t KonijnNr, const Schot& schot) {
    const COORDINATEN Voeten = stand.konijnen[KonijnNr].Positie;
    const COORDINATEN Positie = RichtPunt(Voeten);
    const LEVEL& level = stand.level;
    switch (schot.wapen) {
    case Wapen::Bazooka: {
        const COORDINATEN Einde = EindeBazooka(StartBazooka(Positie, schot.Kracht, schot.Hoek, stand.Wind), level);
        return Uitslag(stand.konijnen, stand.AantalKonijntjes, Einde, KleineOntploffing);
    }
    case Wapen::Granaat: {
        const COORDINATEN Einde = EindeGranaat(StartGranaat(Positie, schot.Kracht, schot.Hoek, GranaatLont), level);
        return Uitslag(stand.konijnen, stand.AantalKonijntjes, Einde, KleineOntploffing);
    }
    case Wapen::Pistool: {
        const COORDINATEN Einde = EindePistool(StartPistool(Positie, schot.Hoek), level);
        return Uitslag(stand.konijnen, stand.AantalKonijntjes, Einde, KleineOntploffing);
    }
    case Wapen::Bijl: {
        KONIJN konijnen = stand.konijnen;
        Hakken(konijnen, stand.AantalKonijntjes, KonijnNr, schot.BijlKant);
        return Uitslag(konijnen, stand.AantalKonijntjes, Voeten, 0);
    }
    case Wapen::Dynamiet: break;
    }
    return Uitslag(stand.konijnen, stand.AantalKonijntjes, Voeten, DynamietOntploffing);
}

namespace {

// The angles after 1, 2, ... n presses one way (Richting -1 Up, 1 Down),
// each from the one before: a refused turn leaves the angle, and every later
// press with it.
template <class Neem>
void Drukken(COORDINATEN Voeten, uint32_t n, int32_t Richting, Neem neem) {
    const COORDINATEN Positie = RichtPunt(Voeten);
    float Hoek = BeginHoek;
    for (uint32_t i = 1; i <= n; ++i) neem(i, Hoek = DraaiVizier(Positie.x, Positie.y, Hoek, Richting));
}

}  // namespace

std::vector<float> HoekenNaToetsen(COORDINATEN Voeten, uint32_t n) {
    std::vector<float> hoek(2 * size_t{n} + 1, BeginHoek);
    Drukken(Voeten, n, -1, [&](uint32_t i, float h) { hoek[size_t{n} + i] = h; });
    Drukken(Voeten, n, 1, [&](uint32_t i, float h) { hoek[size_t{n} - i] = h; });
    return hoek;
}

float HoekNaToetsen(COORDINATEN Voeten, int32_t Omhoog) {
    float Hoek = BeginHoek;
    const uint32_t n = Runtime::ToU32(std::abs(int64_t{Omhoog}));
    Drukken(Voeten, n, Omhoog > 0 ? -1 : 1, [&](uint32_t, float h) { Hoek = h; });
    return Hoek;
}

float KrachtNaStappen(uint32_t Krachtstappen) {
    float Kracht = 0;
    for (uint32_t n = 0; n < Krachtstappen && KrachtStap(Kracht); ++n) {
    }
    return Kracht;
}

SchotUitslag Simuleer(const Stand& stand, uint32_t KonijnNr, const Toetsen& toetsen) {
    if (toetsen.wapen == Wapen::Dynamiet && toetsen.WegNaar) {
        // The charge stays where it was lit while the rabbit runs.
        KONIJN konijnen = stand.konijnen;
        konijnen[KonijnNr].Positie = *toetsen.WegNaar;
        return Uitslag(konijnen, stand.AantalKonijntjes, stand.konijnen[KonijnNr].Positie, DynamietOntploffing);
    }
    const COORDINATEN Voeten = stand.konijnen[KonijnNr].Positie;
    const Schot schot{toetsen.wapen, HoekNaToetsen(Voeten, toetsen.Omhoog), KrachtNaStappen(toetsen.Krachtstappen),
                      toetsen.BijlKant};
    return Simuleer(stand, KonijnNr, schot);
}

}  // namespace Zanderfell
