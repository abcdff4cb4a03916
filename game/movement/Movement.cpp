// The movement phase of a turn. The player walks the active rabbit one pixel
// at a time, jumps it left or right and ends the phase with Enter, all under
// a clock that counts actions: every idle tick and walking step costs 0.1,
// every jump step 0.03 and every drawn row of a fall 0.01. The rabbit's
// position lives in its Konijntjes entry while the phase runs.
#include "game/movement/Movement.h"

#include <cmath>

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/movement/Probes.h"
#include "game/movement/TurnClock.h"
#include "gfx/TekenBitmaps.h"
#include "gfx/Wimdows.h"
#include "runtime/Runtime.h"

namespace Zanderfell {

namespace {

// Virtual-key codes of the movement keys.
constexpr uint32_t ToetsV = 0x56;      // jump left
constexpr uint32_t ToetsB = 0x42;
constexpr uint32_t ToetsN = 0x4E;      // jump right
constexpr uint32_t ToetsLinks = Wimdows::VK_LEFT;
constexpr uint32_t ToetsRechts = Wimdows::VK_RIGHT;
constexpr uint32_t ToetsOmlaag = Wimdows::VK_DOWN;
constexpr uint32_t ToetsOmhoog = Wimdows::VK_UP;
constexpr uint32_t ToetsEnter = Wimdows::VK_RETURN;
constexpr uint32_t ToetsSpatie = Wimdows::VK_SPACE;

// Waits, in milliseconds.
constexpr uint32_t OpeningWacht = 220;
constexpr uint32_t StilWacht = 120;
constexpr uint32_t StapWacht = 30;
constexpr uint32_t KortWacht = 3;   // jump step, fall row, dynamite
constexpr uint32_t PollWacht = 10;  // before looking at the keys again after a key that did nothing

// Clock charges. Literals are extended precision; the clock itself is a
// float and every charge is stored back in single precision.
constexpr long double StapKosten = 0.1L;
constexpr long double SprongKosten = 0.03L;
constexpr long double ValKosten = 0.01L;

// A fall of more rows than this is drawn row by row.
constexpr int32_t StilleVal = 5;

// State of one call of Bewegen, shared by its steps.
uint32_t Nr = 1;                      // the active rabbit
int32_t* Levens = nullptr;            // the caller's lives of that rabbit
bool MetDynamiet = false;             // a lit stick lies at DynamietPositie
float VerlopenTijd = 0.0f;            // the clock
COORDINATEN DynamietPositie;
bool KeyDownDelay = false;
uint32_t m = 1;                       // walking frame 1..3

int32_t Kleur() { return Runtime::ToI32(Konijntjes[Nr].Team); }

void TekenStok() {
    if (MetDynamiet) TekenBitmaps::TekenDynamiet(DynamietPositie.x, DynamietPositie.y);
}

// Takes `kosten` off the clock and shows it.
void Afschrijven(long double kosten) {
    VerlopenTijd = Runtime::F(VerlopenTijd - kosten);
    GeefTijd(VerlopenTijd);
}

bool TijdOp() { return VerlopenTijd <= 0.0f; }

// Heard where a rabbit reaches the water.
void Verdrinkt(int32_t x) {
    Sound::Play(Sound::Id::Splash, x);
    Sound::Play(Sound::Id::RabbitOut, x);
}

// The rabbit drops straight down from `Positie` until there is ground under
// its centre column; reaching the water drowns it. Short falls are instant
// and free, longer ones are drawn row by row on the clock.
COORDINATEN Val(COORDINATEN Positie) {
    COORDINATEN Nieuw = Positie;
    while (!IsGrond(Nieuw.x, Nieuw.y + 1)) {
        Nieuw.y = Runtime::Add(Nieuw.y, 1);
        if (Nieuw.y >= WaterRij) {
            *Levens = 0;
            break;
        }
    }
    const bool lang = Nieuw.y - Positie.y > StilleVal;
    if (lang) {
        for (int32_t k = Positie.y; k <= Nieuw.y; ++k) {
            HermaakLevel();
            TekenBitmaps::TekenKonijntje(Nieuw.x, k, Kleur());
            Wimdows::UpdateWindow();
            TekenStok();
            Runtime::Delay(KortWacht);
            Afschrijven(ValKosten);
        }
    }
    // Heard as the fall ends: in the water, or on the ground after a long drop.
    if (Nieuw.y >= WaterRij) Verdrinkt(Nieuw.x);
    else if (lang) Sound::Play(Sound::Id::FallThud, Nieuw.x);
    return Nieuw;
}

// One step of one pixel in direction `Richting` (-1 left, +1 right): level,
// one row up, or over the edge and down. A blocked step still shows the
// walking sprite and takes its time.
COORDINATEN Wandel(int32_t Richting) {
    COORDINATEN& Positie = Konijntjes[Nr].Positie;
    HermaakLevel();
    const int32_t v = Controleeromgeving(Positie, Richting);
    switch (v) {
        case 1:
            Positie.x += Richting;
            Positie.y -= 1;
            break;
        case 0:
            Positie.x += Richting;
            break;
        case -1:
            Positie.x += Richting;
            Positie = Val(Positie);
            break;
        default:  // 2: blocked
            break;
    }
    const uint32_t kleur = Konijntjes[Nr].Team;
    if (Richting == 1)
        TekenBitmaps::TekenKonijntjeWandelRechts(Positie.x, Positie.y, m, kleur);
    else
        TekenBitmaps::TekenKonijntjeWandelLinks(Positie.x, Positie.y, m, kleur);
    // A lit stick belongs in the frame the step shows, not only after it:
    // drawn later, it would be missing for all but the last 3 ms of a step.
    TekenStok();
    // One step heard per round of the three walking frames.
    if (v != 2 && m == 1) Sound::Play(Sound::Id::Step, Positie.x);
    if (v != 2) m = m == 3 ? 1 : m + 1;
    Runtime::Delay(StapWacht);
    return Positie;
}

// A jump along a parabola from `BeginPositie`: launched at -1.2 radians with
// speed 130, pulled down by 70 b². It ends on landing (ground two rows under
// the feet once past the top), at a wall, the ceiling or the field's edge
// (then the rabbit falls from there), or in the water.
COORDINATEN Springen(COORDINATEN BeginPositie, int32_t Richting, uint32_t kleur) {
    const float Hoek = Runtime::F(-1.2L);
    const float Kracht_x = Runtime::F(std::cos(static_cast<long double>(Hoek)) * Richting * 130.0L);
    const float Kracht_y = Runtime::F(std::sin(static_cast<long double>(Hoek)) * 130.0L);
    const float Max = Runtime::F(-static_cast<long double>(Kracht_y) / 140.0L);

    HINDERING Omgeving = Obstakel(BeginPositie, Richting);
    float b = 0.0f;
    bool Geland = false;
    COORDINATEN Positie = BeginPositie;
    Sound::Play(Sound::Id::Jump, BeginPositie.x);
    while (!Omgeving.Zij && !Omgeving.Boven && !Geland) {
        HermaakLevel();
        const long double lb = b;
        Positie.x = BeginPositie.x + Runtime::Trunc(lb * Kracht_x);
        Positie.y = BeginPositie.y + Runtime::Trunc(lb * Kracht_y) + Runtime::Trunc(lb * lb * 70.0L);
        if (Positie.y >= WaterRij) {
            *Levens = 0;
            Verdrinkt(Positie.x);
            return Positie;
        }
        if (Positie.x - 15 <= 2 || Positie.y - 60 <= 2 || Positie.x + 15 >= 998)
            Omgeving.Zij = true;
        else
            Omgeving = Obstakel(Positie, Richting);
        TekenBitmaps::TekenKonijntje(Positie.x, Positie.y, Runtime::ToI32(kleur));
        Wimdows::UpdateWindow();
        TekenStok();
        Geland = IsGrond(Positie.x, Positie.y + 2) && b >= Max;
        b = Runtime::F(lb + 0.02L);
        Runtime::Delay(KortWacht);
        Afschrijven(SprongKosten);
    }
    if (Geland) Sound::Play(Sound::Id::Land, Positie.x);
    else Positie = Val(Positie);
    return Positie;
}

// True when one of the five keys that start an action is held: five polls,
// each compared with one key.
bool ActieToets() {
    return CheckKeys() == ToetsV || CheckKeys() == ToetsN || CheckKeys() == ToetsLinks ||
           CheckKeys() == ToetsRechts || CheckKeys() == ToetsEnter;
}

// A drowned rabbit (possible only with the dynamite lit) stays where the
// water took it: it neither walks nor jumps, so the phase only runs down the
// clock or ends with Enter.
bool ActieToetsVoorVerdronken() {
    return CheckKeys() == ToetsEnter;
}

}  // namespace

uint32_t CheckKeys() {
    static constexpr uint32_t Volgorde[] = {ToetsV,      ToetsB,      ToetsN,     ToetsLinks, ToetsRechts,
                                            ToetsOmlaag, ToetsOmhoog, ToetsEnter, ToetsSpatie};
    uint32_t r = 0;
    for (uint32_t toets : Volgorde)
        if (Wimdows::KeyDown(toets)) r = toets;
    Wimdows::FlushKeys();
    return r;
}

COORDINATEN Bewegen(uint32_t KonijnNr, float Tijd, int32_t& levens, bool Dynamiet) {
    Nr = KonijnNr;
    Levens = &levens;
    MetDynamiet = Dynamiet;
    DynamietPositie = Konijntjes[Nr].Positie;
    m = 1;
    KeyDownDelay = false;
    VerlopenTijd = Tijd;

    for (;;) {
        const bool Verdronken = levens <= 0;
        if (Verdronken && !Dynamiet) return Konijntjes[Nr].Positie;
        if (!KeyDownDelay) {
            Runtime::Delay(OpeningWacht);
            KeyDownDelay = true;
        }

        // Idle ticks until an action key is held.
        while (!(Verdronken ? ActieToetsVoorVerdronken() : ActieToets())) {
            Wimdows::FlushKeys();
            Runtime::Delay(StilWacht);
            Afschrijven(StapKosten);
            if (TijdOp()) return Konijntjes[Nr].Positie;
        }

        const uint32_t r = CheckKeys();
        Wimdows::FlushKeys();
        COORDINATEN& Positie = Konijntjes[Nr].Positie;
        if (r == ToetsEnter) return Positie;
        const uint64_t gewacht = Runtime::WaitedMs();
        if (!Verdronken) {
            if (r == ToetsV || r == ToetsN) {
                Positie = Springen(Positie, r == ToetsV ? -1 : 1, Konijntjes[Nr].Team);
            } else if ((r == ToetsLinks && Positie.x - 16 > 2) ||
                       (r == ToetsRechts && Positie.x + 16 < 998)) {
                Wandel(r == ToetsLinks ? -1 : 1);
                if (Dynamiet) Runtime::Delay(KortWacht);
                Afschrijven(StapKosten);
            }
        }
        // A key that does nothing (a walk refused at the edge, a jump against
        // a wall) costs the clock nothing, but the keys are only looked at
        // again after a short pause: holding it never spins the processor.
        if (Runtime::WaitedMs() == gewacht) Runtime::Delay(PollWacht);
        if (TijdOp()) return Positie;
    }
}

}  // namespace Zanderfell
