// The computer at the keyboard. At the first look of its turn it makes its
// plan; then, look by look, it walks (holding the arrow until the rabbit
// stands where the plan has it), jumps and ends the move with Enter; at the
// weapon choice it gives the rest as timed keys: B for each weapon passed,
// Enter, the sight's presses, Space held for the meter's steps (the meter
// climbs one step per 50 ms of the game's clock), the axe's side; the run
// from the dynamite it drives look by look again, and lets the fuse end it.
#include "game/computer/Player.h"

#include <chrono>
#include <cstdlib>
#include <ctime>

#include "game/Turns.h"
#include "game/TurnBanner.h"
#include "game/movement/Falling.h"
#include "gfx/Wimdows.h"

namespace Zanderfell::Computer {

namespace {

// The pace, in ms of the game's clock: a moment to look at the field before
// the first key, between keys, a tap's length, and between the sight's presses.
constexpr uint64_t Bedenktijd = 600;
constexpr uint64_t Pauze = 200;
constexpr uint64_t Tik = 80;
constexpr uint64_t Draaipauze = 150;
// The power meter's pace: one step per wait of 50 ms while Space is held.
constexpr uint64_t MeterStap = 50;
// A key held this long without the rabbit arriving is let go.
constexpr uint64_t LangsteVast = 15000;

constexpr uint32_t ToetsV = 'V', ToetsN = 'N', ToetsB = 'B';

// The processor time this thread has had, in ms: what a decision costs
// whatever else the machine runs.
double ProcessorMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
}

}  // namespace

Toetsenist::Toetsenist(Speler sterkte, uint64_t zaad) : sterkte_(sterkte), kans_{zaad} {}

void Toetsenist::Druk(uint64_t op, uint32_t vk) { uit_.push_back({op, true, vk}); }
void Toetsenist::Los(uint64_t op, uint32_t vk) { uit_.push_back({op, false, vk}); }

std::vector<ToetsActie> Toetsenist::Kijk(uint64_t klok) {
    uit_.clear();
    // Between matches (a match left for the title) there is no rabbit to play.
    if (KonijnNr < 1 || KonijnNr > 8) return uit_;
    const FaseStand fase = HuidigeFase();
    if (fase.fase == Fase::Bewegen && fase.teller != beurtTeller_) {
        beurtTeller_ = fase.teller;
        NieuweBeurt(klok);
    }
    if (fase.fase == Fase::Dynamiet && fase.teller != vluchtTeller_ && stap_ == Stap::Klaar) {
        vluchtTeller_ = fase.teller;
        // The run from the lit charge; no Enter: the fuse ends it.
        if (plan_.toetsen.WegNaar) Begin(klok, plan_.Vlucht, plan_.toetsen.WegNaar->x, true);
    }
    Stuur(klok, fase.fase);
    if (fase.fase == Fase::Kiezen && fase.teller != wapenTeller_ && stap_ == Stap::Klaar) {
        wapenTeller_ = fase.teller;
        // A rabbit that drowned in its move has no weapon to choose.
        if (!Verdronken(Konijntjes[KonijnNr].Positie)) KiesWapen(klok);
    }
    return uit_;
}

void Toetsenist::NieuweBeurt(uint64_t klok) {
    // A turn cut short (a game left for the title) leaves nothing held.
    if (vast_ != 0) Los(klok, vast_);
    vast_ = 0;
    stap_ = Stap::Klaar;
    const auto begin = std::chrono::steady_clock::now();
    const double cpu = ProcessorMs();
    const Stand stand{Level, Konijntjes, Menu.AantalKonijntjes, WindVanDeBeurt()};
    // Did the other team lose lives since this player's last turn?
    int32_t ander = 0;
    for (uint32_t k = 1; k <= Menu.AantalKonijntjes; ++k)
        if (Konijntjes[k].Team != Konijntjes[KonijnNr].Team && Konijntjes[k].Levens > 0) ander += Konijntjes[k].Levens;
    geduld_ = ander < anderVoor_ ? 0 : geduld_ + 1;
    anderVoor_ = ander;
    plan_ = Kies(stand, KonijnNr, sterkte_, kans_, geduld_);
    denktijd_ = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
    denkProcessor_ = ProcessorMs() - cpu;
    Begin(klok + Bedenktijd, plan_.Zet, plan_.Na.x, false);
}

void Toetsenist::Begin(uint64_t vanaf, const Beweging& b, int32_t doelX, bool haast) {
    beweging_ = b;
    doelX_ = doelX;
    haast_ = haast;
    volgende_ = vanaf;
    stap_ = b.Sprong != 0 ? Stap::Springen : b.Stappen != 0 ? Stap::Lopen : haast ? Stap::Klaar : Stap::Enter;
}

void Toetsenist::Stuur(uint64_t klok, Fase fase) {
    auto druk = [&](uint32_t vk) {
        Druk(klok, vk);
        vast_ = vk;
        vastSinds_ = klok;
    };
    auto los = [&]() {
        Los(klok, vast_);
        vast_ = 0;
    };
    const uint64_t pauze = haast_ ? 0 : Pauze;
    // A step may end and the next begin at the same look.
    for (bool verder = true; verder;) {
        verder = false;
        switch (stap_) {
        case Stap::Springen:
            if (vast_ == 0 && klok >= volgende_) {
                druk(beweging_.Sprong < 0 ? ToetsV : ToetsN);
            } else if (vast_ != 0 && klok > vastSinds_) {
                // The jump has begun: it flies to its end whatever is held.
                los();
                stap_ = beweging_.Stappen != 0 ? Stap::Lopen : haast_ ? Stap::Klaar : Stap::Enter;
                volgende_ = klok + 2 * pauze;
                verder = haast_;
            }
            break;
        case Stap::Lopen:
            if (vast_ == 0 && klok >= volgende_) {
                druk(beweging_.Stappen < 0 ? Wimdows::VK_LEFT : Wimdows::VK_RIGHT);
            } else if (vast_ != 0 && (Konijntjes[KonijnNr].Positie.x == doelX_ || klok - vastSinds_ > LangsteVast)) {
                los();
                stap_ = haast_ ? Stap::Klaar : Stap::Enter;
                volgende_ = klok + pauze;
            }
            break;
        case Stap::Enter:
            // Held until the weapon choice shows: the move ends at the
            // game's next look at the keys, after a jump or a step under way.
            if (vast_ == 0 && klok >= volgende_) {
                druk(Wimdows::VK_RETURN);
            } else if (vast_ != 0 && fase != Fase::Bewegen) {
                los();
                stap_ = Stap::Klaar;
            }
            break;
        case Stap::Klaar: break;
        }
    }
}

void Toetsenist::KiesWapen(uint64_t klok) {
    const Toetsen& t = plan_.toetsen;
    uint64_t op = klok + Bedenktijd / 2;
    auto tik = [&](uint32_t vk, uint64_t pauze) {
        Druk(op, vk);
        Los(op + Tik, vk);
        op += pauze;
    };
    for (uint32_t b = 1; b < static_cast<uint32_t>(t.wapen); ++b) tik(ToetsB, Pauze);
    tik(Wimdows::VK_RETURN, Pauze + Pauze / 2);
    switch (t.wapen) {
    case Wapen::Bijl:
        if (t.BijlKant == 1) tik(Wimdows::VK_RIGHT, Pauze);
        tik(Wimdows::VK_SPACE, 0);
        break;
    case Wapen::Dynamiet: break;  // the run follows when the fuse is lit
    default:
        for (int32_t n = 0; n < std::abs(t.Omhoog); ++n) tik(t.Omhoog > 0 ? Wimdows::VK_UP : Wimdows::VK_DOWN, Draaipauze);
        op += Pauze - Draaipauze;
        if (t.wapen == Wapen::Pistool) {
            tik(Wimdows::VK_SPACE, 0);
        } else {
            // Held into the meter's last step, let go before it looks again.
            Druk(op, Wimdows::VK_SPACE);
            Los(op + MeterStap * t.Krachtstappen - MeterStap / 2, Wimdows::VK_SPACE);
        }
        break;
    }
}

}  // namespace Zanderfell::Computer
