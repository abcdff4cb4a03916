// A turn: its opening, the movement and weapon phases and the falls after
// them; who plays next, when a team has won, and the lives bars.
#include "game/Turns.h"

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/Placement.h"
#include "game/Random.h"
#include "game/Trace.h"
#include "game/TurnBanner.h"
#include "game/movement/Falling.h"
#include "game/movement/Movement.h"
#include "game/movement/TurnClock.h"
#include "game/weapons/Weapons.h"
#include "gfx/TekenBitmaps.h"

namespace Zanderfell {

using namespace TekenBitmaps;
using Wimdows::RgbColor;

uint32_t ControleerWelkKonijntje(uint32_t KonijnNr, uint32_t AantalKonijntjes, const KONIJN& Konijntjes) {
    uint32_t kandidaat = KonijnNr == AantalKonijntjes ? 1 : KonijnNr + 1;
    // The candidates keep their parity, so the turn always passes to the
    // other team. After every turn the victory test has made sure that team
    // still has a living rabbit; a whole round without one is a broken game.
    for (uint32_t ronde = 0; Konijntjes[kandidaat].Levens <= 0; ++ronde) {
        if (ronde > 8) Runtime::RunError("no living rabbit left to take the turn");
        kandidaat += 2;
        if (kandidaat == AantalKonijntjes + 1) kandidaat = 1;
        else if (kandidaat == AantalKonijntjes + 2) kandidaat = 2;
    }
    return kandidaat;
}

namespace {
constexpr float BeurtTijd = 50.0f;  // the movement phase's clock
int32_t beurtWind = 0;
}  // namespace

int32_t WindVanDeBeurt() { return beurtWind; }

void Beurt(uint32_t KonijnNr) {
    KonijnRecord& konijn = Konijntjes[KonijnNr];
    const int32_t x = konijn.Positie.x, y = konijn.Positie.y;

    int32_t Wind = 0;
    if (Menu.Wind) Wind = WindGenereren();
    beurtWind = Wind;
    TekenLevensStatusbalk(Menu.AantalKonijntjes, Konijntjes);
    // The new turn's full clock comes up with the rabbit and its arrow, not
    // the time the last player left on it.
    GeefTijd(BeurtTijd);
    TekenKonijntje(x, y, int32_t(konijn.Team));
    ToonWieAanZet(KonijnNr);
    ToonHint(Fase::Bewegen);
    Wimdows::UpdateWindow();
    TekenPijl(uint32_t(x), uint32_t(y));
    Sound::Play(Sound::Id::TurnStart, x);
    Wimdows::Rectangle(x - 15, y - 65, x + 15, y - 61, RgbColor(176, 0, 0), true);
    Wimdows::Rectangle(x - 15, y - 65, x - 15 + konijn.Levens / 3, y - 61, RgbColor(0, 176, 0), true);
    Runtime::Delay(400);

    // The rabbit's lives are held aside while it moves and shoots; damage it
    // does to itself lands on its record and is added to them afterwards.
    int32_t Levens = konijn.Levens;
    konijn.Levens = 0;
    PlaatsKonijntje(KonijnNr, false);
    Trace::Line("move " + std::to_string(KonijnNr));
    konijn.Positie = Bewegen(KonijnNr, BeurtTijd, Levens, false);
    HermaakLevel();
    PlaatsKonijntje(KonijnNr, true);
    Trace::Line("weapon " + std::to_string(KonijnNr) + " wind " + std::to_string(Wind));
    ToonHint(Fase::Kiezen);
    KiesWapen(KonijnNr, Levens, Wind);
    TekenWapen(0);
    konijn.Levens = Runtime::Add(konijn.Levens, Levens);

    for (uint32_t i = 1; i <= 8; ++i)
        if (Konijntjes[i].Levens <= 0) PlaatsKonijntje(i, false);
    VallenNaBeurt(Menu);
    HermaakLevel();
}

uint32_t Winnaar(uint32_t AantalKonijntjes, const KONIJN& Konijntjes) {
    int32_t team1 = 0, team2 = 0;
    for (uint32_t k = 1; k <= AantalKonijntjes; ++k) {
        if (Konijntjes[k].Team == 1) team1 = Runtime::Add(team1, Konijntjes[k].Levens);
        else team2 = Runtime::Add(team2, Konijntjes[k].Levens);
    }
    if (team1 <= 0) return 2;
    if (team2 <= 0) return 1;
    return 0;
}

Afloop ControleerOverwinning(uint32_t AantalKonijntjes, KONIJN Konijntjes) {
    const uint32_t winnaar = Winnaar(AantalKonijntjes, Konijntjes);
    if (winnaar == 0) return Afloop::Verder;
    Wimdows::SetPauseHandler(nullptr);  // the match is over: Esc pauses nothing
    Trace::Line("victory " + std::to_string(winnaar));
    Sound::Play(Sound::Id::Victory, 500);
    // Keys still queued from the last turn count: an R among them ends the
    // victory screen as soon as it is drawn. An Enter among them was meant
    // for the turn, not for another game.
    size_t oud = Wimdows::KeysQueued();
    for (;;) {
        // The screen names Enter for a second game, but for --classic.
        if (Klassiek) TekenOverwinning(winnaar);
        else TekenBitmaps::TekenOverwinningMetVoet(winnaar);
        const uint32_t toets = Wimdows::GetKey();
        if (toets == 'R') return Afloop::Titel;
        if (toets == Wimdows::VK_RETURN && oud == 0) return Afloop::Opnieuw;
        if (oud > 0) --oud;
    }
}

LevensTotalen TeamLevens(uint32_t AantalKonijntjes, const KONIJN& Konijntjes) {
    LevensTotalen t;
    for (uint32_t k = 1; k <= AantalKonijntjes; ++k) {
        int32_t& totaal = Konijntjes[k].Team == 1 ? t.Rood : t.Blauw;
        totaal = Runtime::Add(totaal, Konijntjes[k].Levens);
        if (totaal <= 0) totaal = 0;
    }
    return t;
}

LevensBalken Balken(uint32_t AantalKonijntjes, const KONIJN& Konijntjes) {
    const LevensTotalen t = TeamLevens(AantalKonijntjes, Konijntjes);
    const int32_t totaal1 = t.Rood, totaal2 = t.Blauw;
    // A full team fills the 200 columns from 30.
    auto kolom = [&](int32_t T) -> int32_t {
        switch (AantalKonijntjes) {
            case 2: return 30 + 2 * T;
            case 4: return 30 + T;
            case 6: return 30 + Runtime::Trunc(T / 1.5L);
            case 8: return 30 + Runtime::Trunc(T / 2.0L);
            default: Runtime::RunError("the lives bar has no scale for " + std::to_string(AantalKonijntjes) + " rabbits");
        }
    };
    return {kolom(totaal1), kolom(totaal2)};
}

void TekenLevensStatusbalk(uint32_t AantalKonijntjes, KONIJN Konijntjes) {
    const LevensBalken b = Balken(AantalKonijntjes, Konijntjes);
    const Wimdows::Color grijs = RgbColor(128, 128, 128);
    Wimdows::Rectangle(b.Rood, 647, 230, 659, grijs, true);
    Wimdows::Rectangle(b.Blauw, 668, 230, 680, grijs, true);
    TekenLevensGetallen(AantalKonijntjes, Konijntjes);
}

}  // namespace Zanderfell
