// The network game's hooks in the program's loop. The lockstep itself is
// net/Session; here is what the game knows of it: its screens, its state and
// its random state.
#include "game/Online.h"

#include <bit>
#include <cstdio>
#include <memory>
#include <optional>

#include "game/Random.h"
#include "game/Trace.h"
#include "game/Zanderfell.h"
#include "game/replay/Record.h"
#include "gfx/Input.h"
#include "gfx/TekenBitmaps.h"
#include "runtime/Clock.h"

namespace Zanderfell {

namespace {

std::unique_ptr<Net::Session> sessie;
// The joiner's own choice of screens, kept at its first match (the host's
// is in force from then on) and back once the host's is no longer needed.
std::optional<bool> eigenKlassiek;
// How long the reason an online game ended stays on screen before the
// title: with the second it takes to notice a silent peer, under 2 s.
constexpr uint32_t BerichtDuur = 500;

void ToonScherm(Wimdows::Handle scherm) {
    Wimdows::DrawBitmap(scherm, 1, 1);
    Wimdows::UpdateWindow();
}

}  // namespace

bool OnlineOpen(const Opties& opties) {
    std::string fout;
    std::unique_ptr<Net::Transport> t;
    if (opties.Netwerk == Opties::Rol::Host) t = Net::Transport::Host(opties.Poort, fout);
    if (opties.Netwerk == Opties::Rol::Join) t = Net::Transport::Join(opties.Adres, opties.Poort, fout);
    if (opties.Netwerk == Opties::Rol::Geen) return true;
    if (!t) {
        std::fprintf(stderr, "zanderfell: %s\n", fout.c_str());
        return false;
    }
    sessie = std::make_unique<Net::Session>(std::move(t), opties.Netwerk == Opties::Rol::Host ? Net::Role::Host
                                                                                              : Net::Role::Join);
    return true;
}

bool OnlineJoiner() { return sessie && sessie->role() == Net::Role::Join; }

void OnlineWachtOpSpeler() {
    if (!sessie) return;
    Trace::Line("network: waiting for a player");
    ToonScherm(TekenBitmaps::NetWachtHostBitmap);
    sessie->WaitForPeer();
}

void OnlineWachtOpStart() {
    Trace::Line("network: waiting for the host");
    ToonScherm(TekenBitmaps::NetWachtJoinBitmap);
    const Net::Start s = sessie->WaitForStart();
    Menu.LevelNr = s.level;
    Menu.AantalKonijntjes = s.rabbits;
    Menu.Wind = s.wind;
    if (!eigenKlassiek) eigenKlassiek = Klassiek;
    Klassiek = s.classic;
    // The host's chance: the joiner's own state file is never read or written.
    RandomInGeheugen(RANDOMTOESTAND{s.previousRandom, s.divisor});
    // A fresh window, as the host's menus leave one.
    MaakSchermAan();
}

void OnlineBeginSpel() {
    if (!sessie) return;
    if (sessie->role() == Net::Role::Host) {
        const RANDOMTOESTAND r = LeesRandomBestand();
        sessie->SendStart(Net::Start{uint8_t(Menu.LevelNr), uint8_t(Menu.AantalKonijntjes), Menu.Wind, Klassiek,
                                     r.VorigeRandom, r.VorigeDeler});
    }
    sessie->BeginMatch();
}

void OnlineEindeSpel() {
    if (sessie) sessie->EndMatch();
}

void OnlineNaBeurt(uint32_t beurt) {
    if (sessie) sessie->TurnOver(beurt, ToestandHash());
}

void OnlineVerloren(const Net::Ended& einde) {
    OnlineSluit();
    std::fprintf(stderr, "zanderfell: the network game is over: %s\n", einde.why.c_str());
    Trace::Line("network: " + einde.why);
    const Wimdows::Handle berichten[4] = {TekenBitmaps::NetBericht1Bitmap, TekenBitmaps::NetBericht2Bitmap,
                                          TekenBitmaps::NetBericht3Bitmap, TekenBitmaps::NetBericht4Bitmap};
    Wimdows::DrawBitmap(berichten[einde.picture >= 1 && einde.picture <= 4 ? einde.picture - 1 : 1], 201, 276);
    Wimdows::UpdateWindow();
    Runtime::Delay(BerichtDuur);
}

void OnlineSluit() {
    if (OnlineJoiner()) {
        RandomInBestand();
        Klassiek = eigenKlassiek.value_or(Klassiek);
        eigenKlassiek.reset();
    }
    sessie.reset();
}

uint64_t ToestandHash() {
    // The recorded state, and what else two games in step agree on: the
    // random state, the look the turn ended at, whose turn it was.
    const RANDOMTOESTAND r = LeesRandomBestand();
    uint64_t h = Replay::StaatHash();
    for (uint64_t v : {uint64_t(r.VorigeRandom), uint64_t(std::bit_cast<uint32_t>(r.VorigeDeler)), Input::Looks(),
                       uint64_t(KonijnNr)}) {
        h ^= v;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace Zanderfell
