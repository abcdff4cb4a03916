#include "game/Zanderfell.h"

#include <csignal>
#include <optional>
#include <cstdio>
#include <string>
#include <vector>

#include "audio/Sound.h"
#include "game/Level.h"
#include "game/Menus.h"
#include "game/Options.h"
#include "game/Pause.h"
#include "game/Placement.h"
#include "game/Trace.h"
#include "game/Turns.h"
#include "game/TurnBanner.h"
#include "game/replay/Replay.h"
#include "gfx/Input.h"
#include "gfx/TekenBitmaps.h"

namespace Zanderfell {

MENU Menu;
LEVEL Level;
KONIJN Konijntjes;
SCHADE SchadeArray;
uint32_t AANTALINSLAGEN = 0;
uint32_t KonijnNr = 0;
Wimdows::Color _ACHTERGRONDKLEUR = 0;
Wimdows::Color _WATER = 0;
bool Klassiek = false;

void MaakSchermAan() {
    Wimdows::Window("Zanderfell", 1000, 700);
    Wimdows::Handle LoadingBitmap = Wimdows::LoadBitmap("Images/Loading.bmp", 1000, 700);
    Wimdows::DrawBitmap(LoadingBitmap, 1, 1);
    TekenBitmaps::LaadBitmaps();
    _ACHTERGRONDKLEUR = Kleur(Veld::Lucht);
    _WATER = Kleur(Veld::Water);
}

void ResetInslagen() {
    SchadeArray[0] = Inslag{1, 1, 0};
    AANTALINSLAGEN = 0;
}

namespace {

// Nothing of a match left behind: the next one starts from scratch.
void VergeetSpel() {
    for (int64_t x = LEVEL::low; x <= LEVEL::high; ++x) Level[x] = {};
    Konijntjes = KONIJN{};
    ResetInslagen();
    KonijnNr = 0;
    Wimdows::FlushKeys();
}

// One game: the match, recorded, then the victory screen. True when the
// players want the same game again.
bool SpeelSpel() {
    Replay::Recorder opname(Replay::NieuweKop());
    Afloop afloop = Afloop::Verder;
    try {
        const Partij partij =
            SpeelPartij(true, [&](uint32_t beurt, uint32_t konijn) { opname.Beurt(Replay::Stand(beurt, konijn)); });
        opname.Einde({partij.winnaar, partij.beurten, Replay::StaatHash()});
        afloop = ControleerOverwinning(Menu.AantalKonijntjes, Konijntjes);
    } catch (const TerugNaarTitel&) {
        opname.Afgebroken();
        VergeetSpel();
        return false;
    } catch (const Wimdows::QuitGame&) {
        opname.Afgebroken();
        throw;
    }
    Trace::Line("game over");
    return afloop == Afloop::Opnieuw;
}

}  // namespace

Partij SpeelPartij(bool metPauze, const std::function<void(uint32_t beurt, uint32_t konijn)>& naBeurt) {
    Input::StartCount();
    Input::SetTurn(0);
    MaakLevelAan(Menu.LevelNr, Level);
    MaakKonijntjesAan(Menu.LevelNr, Menu.AantalKonijntjes, Konijntjes, Level);
    ResetInslagen();
    KonijnNr = 0;
    GeenBanner();
    HermaakLevel();
    Trace::Point("start");
    std::optional<PauzeTijdensSpel> pauze;
    if (metPauze) pauze.emplace();
    Partij partij;
    while (partij.winnaar == 0) {
        KonijnNr = ControleerWelkKonijntje(KonijnNr, Menu.AantalKonijntjes, Konijntjes);
        // The keys of the team on turn count; the others' do nothing.
        Input::SetTurn(Konijntjes[KonijnNr].Team);
        Beurt(KonijnNr);
        Input::SetTurn(0);
        Trace::Point("turn " + std::to_string(KonijnNr));
        naBeurt(++partij.beurten, KonijnNr);
        partij.winnaar = Winnaar(Menu.AantalKonijntjes, Konijntjes);
    }
    return partij;
}

int Main(int argc, const char* const* argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    const OptieUitkomst gelezen = LeesOpties(args);
    if (!gelezen.fout.empty()) {
        std::fprintf(stderr, "zanderfell: %s\n%s", gelezen.fout.c_str(), OptieGebruik().c_str());
        return 2;
    }
    const bool mute = gelezen.opties.Stil;
    // The tests may have switched it on already.
    if (gelezen.opties.Klassiek) Klassiek = true;
    // The aiming message goes to standard output; a closed pipe there must
    // never end the game.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        MaakSchermAan();
        if (Wimdows::State() != Wimdows::STATE_ACTIVE) {
            std::fprintf(stderr, "zanderfell: the window could not be opened (no display?)\n");
            return 1;
        }
        // Only a game that shows may sound (and say it cannot).
        Sound::Open(mute);
        for (;;) {
            Menu = Menus();
            for (;;) {
                Trace::Line("menu level " + std::to_string(Menu.LevelNr) + " rabbits " +
                            std::to_string(Menu.AantalKonijntjes) + " wind " + (Menu.Wind ? "on" : "off"));
                if (!SpeelSpel()) break;
                // Again with the same settings, from a fresh window as after the title.
                Trace::Line("rematch");
                MaakSchermAan();
            }
        }
    } catch (const Wimdows::QuitGame&) {
        // The player closed the window or quit from the title screen.
        Wimdows::KillWindow();
        Trace::Line("quit");
        return 0;
    }
}

}  // namespace Zanderfell
