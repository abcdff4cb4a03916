// The movement phase of a turn. The player walks the active rabbit one pixel
// at a time, jumps it left or right and ends the phase with Enter, all under
// a clock that counts actions: every idle tick and walking step costs 0.1,
// every jump step 0.03 and every drawn row of a fall 0.01. The rabbit's
// position lives in its Konijntjes entry while the phase runs.
#include "game/movement/Movement.h"

#include <cmath>

#include "audio/Sound.h"
#include "game/Field.h"
#include "game/Level.h"
#include "game/movement/Falling.h"
#include "game/movement/Probes.h"
#include "game/movement/TurnClock.h"
#include "game/TurnBanner.h"
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
void Schrijfaf(long double kosten) {
    VerlopenTijd = Afschrijven(VerlopenTijd, kosten);
    GeefTijd(VerlopenTijd);
}

// Heard where a rabbit reaches the water.
void Verdrinkt(int32_t x) {
    Sound::Play(Sound::Id::Splash, x);
    Sound::Play(Sound::Id::RabbitOut, x);
}

// The rabbit drops straight down from `Positie` until there is ground under
// its centre column; reaching the water drowns it. Short falls are instant
// and free, longer ones are drawn row by row on the clock.
COORDINATEN Val(COORDINATEN Positie) {
    const COORDINATEN Nieuw = ValLanding(Level, Positie);
    if (Verdronken(Nieuw)) {
        ToonVerlies(Nr, *Levens);
        *Levens = 0;
    }
    const bool lang = Nieuw.y - Positie.y > StilleVal;
    if (lang) {
        for (int32_t k = Positie.y; k <= Nieuw.y; ++k) {
            HermaakLevel();
            TekenBitmaps::TekenKonijntje(Nieuw.x, k, Kleur());
            Wimdows::UpdateWindow();
            TekenStok();
            Runtime::Delay(KortWacht);
            Schrijfaf(ValKosten);
        }
    }
    // Heard as the fall ends: in the water, or on the ground after a long drop.
    if (Verdronken(Nieuw)) Verdrinkt(Nieuw.x);
    else if (lang) Sound::Play(Sound::Id::FallThud, Nieuw.x);
    return Nieuw;
}

// One step of one pixel in direction `Richting`: level, one row up, or over
// the edge and down. A blocked step still shows the walking sprite and takes
// its time.
COORDINATEN Wandel(int32_t Richting) {
    COORDINATEN& Positie = Konijntjes[Nr].Positie;
    HermaakLevel();
    const WandelStap stap = Stap(Level, Positie, Richting);
    Positie = stap.Positie;
    if (stap.Oordeel == -1) Positie = Val(Positie);
    const uint32_t kleur = Konijntjes[Nr].Team;
    if (Richting == 1)
        TekenBitmaps::TekenKonijntjeWandelRechts(Positie.x, Positie.y, m, kleur);
    else
        TekenBitmaps::TekenKonijntjeWandelLinks(Positie.x, Positie.y, m, kleur);
    // A lit stick belongs in the frame the step shows, not only after it:
    // drawn later, it would be missing for all but the last 3 ms of a step.
    TekenStok();
    // One step heard per round of the three walking frames.
    if (stap.Oordeel != 2 && m == 1) Sound::Play(Sound::Id::Step, Positie.x);
    m = VolgendBeeld(m, stap.Oordeel);
    Runtime::Delay(StapWacht);
    return Positie;
}

// A jump from `BeginPositie`, drawn step by step; it ends on landing, at a
// wall, the ceiling or the field's edge (then the rabbit falls from there),
// or in the water.
COORDINATEN Springen(COORDINATEN BeginPositie, int32_t Richting, uint32_t kleur) {
    Sprong s = SprongBegin(Level, BeginPositie, Richting);
    Sound::Play(Sound::Id::Jump, BeginPositie.x);
    while (SprongLoopt(s)) {
        HermaakLevel();
        s = SprongStap(Level, s);
        if (s.Verdronken) {
            ToonVerlies(Nr, *Levens);
            *Levens = 0;
            Verdrinkt(s.Positie.x);
            return s.Positie;
        }
        TekenBitmaps::TekenKonijntje(s.Positie.x, s.Positie.y, Runtime::ToI32(kleur));
        Wimdows::UpdateWindow();
        TekenStok();
        Runtime::Delay(KortWacht);
        Schrijfaf(SprongKosten);
    }
    if (!s.Geland) return Val(s.Positie);
    Sound::Play(Sound::Id::Land, s.Positie.x);
    return s.Positie;
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

bool LoopRuimte(COORDINATEN Positie, int32_t Richting) {
    return Richting == -1 ? Positie.x - 16 >= Veld::FrameLinks : Positie.x + 16 <= Veld::FrameRechts;
}

WandelStap Stap(const LEVEL& level, COORDINATEN Positie, int32_t Richting) {
    const int32_t v = Controleeromgeving(level, Positie, Richting);
    switch (v) {
        case 1:
            Positie.x += Richting;
            Positie.y -= 1;
            break;
        case 0:
        case -1:  // over the edge: the drop follows
            Positie.x += Richting;
            break;
        default:  // 2: blocked
            break;
    }
    return {v, Positie};
}

uint32_t VolgendBeeld(uint32_t m, int32_t Oordeel) {
    if (Oordeel == 2) return m;
    return m == 3 ? 1 : m + 1;
}

Sprong SprongBegin(const LEVEL& level, COORDINATEN Begin, int32_t Richting) {
    Sprong s;
    const float Hoek = Runtime::F(-1.2L);
    s.Kracht_x = Runtime::F(std::cos(static_cast<long double>(Hoek)) * Richting * 130.0L);
    s.Kracht_y = Runtime::F(std::sin(static_cast<long double>(Hoek)) * 130.0L);
    s.Max = Runtime::F(-static_cast<long double>(s.Kracht_y) / 140.0L);
    s.Begin = s.Positie = Begin;
    s.Richting = Richting;
    s.Omgeving = Obstakel(level, Begin, Richting);
    return s;
}

bool SprongLoopt(const Sprong& s) {
    return !s.Omgeving.Zij && !s.Omgeving.Boven && !s.Geland && !s.Verdronken;
}

Sprong SprongStap(const LEVEL& level, Sprong s) {
    const long double lb = s.b;
    COORDINATEN& p = s.Positie;
    p.x = s.Begin.x + Runtime::Trunc(lb * s.Kracht_x);
    p.y = s.Begin.y + Runtime::Trunc(lb * s.Kracht_y) + Runtime::Trunc(lb * lb * 70.0L);
    if (Verdronken(p)) {
        s.Verdronken = true;
        return s;
    }
    // Near the field's edges the rabbit stops as at a wall.
    if (p.x - 15 < Veld::FrameLinks || p.y - 60 < Veld::FrameBoven || p.x + 15 > Veld::FrameRechts)
        s.Omgeving.Zij = true;
    else
        s.Omgeving = Obstakel(level, p, s.Richting);
    s.Geland = IsGrond(level, p.x, p.y + 2) && s.b >= s.Max;
    s.b = Runtime::F(lb + 0.02L);
    return s;
}

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
            Schrijfaf(StapKosten);
            if (TijdOp(VerlopenTijd)) return Konijntjes[Nr].Positie;
        }

        const uint32_t r = CheckKeys();
        Wimdows::FlushKeys();
        COORDINATEN& Positie = Konijntjes[Nr].Positie;
        if (r == ToetsEnter) return Positie;
        const uint64_t gewacht = Runtime::WaitedMs();
        if (!Verdronken) {
            if (r == ToetsV || r == ToetsN) {
                Positie = Springen(Positie, r == ToetsV ? -1 : 1, Konijntjes[Nr].Team);
            } else if ((r == ToetsLinks || r == ToetsRechts) && LoopRuimte(Positie, r == ToetsLinks ? -1 : 1)) {
                Wandel(r == ToetsLinks ? -1 : 1);
                if (Dynamiet) Runtime::Delay(KortWacht);
                Schrijfaf(StapKosten);
            }
        }
        // A key that does nothing (a walk refused at the edge, a jump against
        // a wall) costs the clock nothing, but the keys are only looked at
        // again after a short pause: holding it never spins the processor.
        if (Runtime::WaitedMs() == gewacht) Runtime::Delay(PollWacht);
        if (TijdOp(VerlopenTijd)) return Positie;
    }
}

}  // namespace Zanderfell
